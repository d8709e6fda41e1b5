// Date, number and text utilities.
#ifndef ZUMBREL_UTIL_LIBEX_H
#define ZUMBREL_UTIL_LIBEX_H

#include <string>

// Direction 1: "DD/MM/YYYY" to "YYYY-MM-DD"; direction 2: the reverse. A
// text that already has the target separator, or is too short to hold a
// date, comes back as a copy. The caller owns the result (delete[]).
char* data_formatada(const char* data, int direcao);

std::string ParaMaiusculos(std::string texto);

#endif // ZUMBREL_UTIL_LIBEX_H
