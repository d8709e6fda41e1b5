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

const char* com_quatro_digitos(int numero, char (&saida)[16])
{
    // Written from the end: the digits, the zeros up to the width, the sign.
    char* p = saida + sizeof saida - 1;
    *p = '\0';
    const bool negativo = numero < 0;
    unsigned int resto = negativo ? 0u - static_cast<unsigned int>(numero) : static_cast<unsigned int>(numero);
    do {
        *--p = static_cast<char>('0' + resto % 10);
        resto /= 10;
    } while (resto);
    const char* const fim = saida + sizeof saida - 1;
    while (fim - p < (negativo ? 3 : 4))
        *--p = '0';
    if (negativo)
        *--p = '-';
    return p;
}
