#include "util/libex.h"

#include <cctype>
#include <cstring>

namespace {

char* copiar(const char* texto, std::size_t n)
{
    char* saida = new char[n + 1];
    std::memcpy(saida, texto, n);
    saida[n] = '\0';
    return saida;
}

} // namespace

char* data_formatada(const char* data, int direcao)
{
    if (!data)
        return copiar("", 0);

    const std::size_t n = std::strlen(data);
    // Both directions read the ten characters of a full date; anything
    // shorter is handed back untouched rather than read past its end.
    if (n < 10 || (direcao != 1 && direcao != 2))
        return copiar(data, n);

    char* saida = new char[11];
    if (direcao == 1) {
        if (std::strchr(data, '-')) {
            delete[] saida;
            return copiar(data, n);
        }
        // DD/MM/YYYY -> YYYY-MM-DD
        std::memcpy(saida, data + 6, 4);
        saida[4] = '-';
        std::memcpy(saida + 5, data + 3, 2);
        saida[7] = '-';
        std::memcpy(saida + 8, data, 2);
    } else {
        if (std::strchr(data, '/')) {
            delete[] saida;
            return copiar(data, n);
        }
        // YYYY-MM-DD (and anything after it, such as a time) -> DD/MM/YYYY
        std::memcpy(saida, data + 8, 2);
        saida[2] = '/';
        std::memcpy(saida + 3, data + 5, 2);
        saida[5] = '/';
        std::memcpy(saida + 6, data, 4);
    }
    saida[10] = '\0';
    return saida;
}

std::string ParaMaiusculos(std::string texto)
{
    for (char& c : texto)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return texto;
}
