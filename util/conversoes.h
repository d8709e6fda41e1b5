// The two text conversions that the data-access classes and the window
// helpers share. Nothing here needs a window.
#ifndef ZUMBREL_UTIL_CONVERSOES_H
#define ZUMBREL_UTIL_CONVERSOES_H

#include <string>

// The number in decimal, as "%d" writes it.
std::string intToString(int numero);
// A new NUL-terminated copy of every byte of the text; the caller delete[]s it.
char* StringToChar(const std::string& texto);

#endif // ZUMBREL_UTIL_CONVERSOES_H
