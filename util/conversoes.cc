#include "util/conversoes.h"

#include <cstdio>
#include <cstring>

std::string CONVERSOES::intToString(int numero)
{
    char texto[16];
    std::snprintf(texto, sizeof texto, "%d", numero);
    return texto;
}

char* CONVERSOES::StringToChar(std::string texto)
{
    // Every byte is copied, an embedded NUL included.
    char* copia = new char[texto.size() + 1];
    std::memcpy(copia, texto.data(), texto.size());
    copia[texto.size()] = '\0';
    return copia;
}
