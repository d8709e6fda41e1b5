// The two text conversions of EVENTOS that the data-access classes use; the
// masks and the other handlers live in actions.cc.
#include <cstdio>
#include <cstring>

#include "util/actions.h"

std::string EVENTOS::intToString(int numero)
{
    char texto[16];
    std::snprintf(texto, sizeof texto, "%d", numero);
    return texto;
}

char* EVENTOS::StringToChar(std::string texto)
{
    // Every byte is copied, an embedded NUL included; the caller delete[]s it.
    char* copia = new char[texto.size() + 1];
    std::memcpy(copia, texto.data(), texto.size());
    copia[texto.size()] = '\0';
    return copia;
}
