#include "util/conversoes.h"

#include <cstring>

std::string intToString(int numero)
{
    return std::to_string(numero);
}

char* StringToChar(const std::string& texto)
{
    // Every byte is copied, an embedded NUL included.
    char* copia = new char[texto.size() + 1];
    std::memcpy(copia, texto.data(), texto.size());
    copia[texto.size()] = '\0';
    return copia;
}
