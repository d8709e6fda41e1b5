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

    // Where each part of the other form is read from: DD/MM/YYYY becomes
    // YYYY-MM-DD, and YYYY-MM-DD (with anything after it, such as a time)
    // becomes DD/MM/YYYY. A text already in the target form is a copy.
    struct Parte
    {
        std::size_t inicio, tamanho;
    };
    static const Parte para_iso[3] = { { 6, 4 }, { 3, 2 }, { 0, 2 } };
    static const Parte para_tela[3] = { { 8, 2 }, { 5, 2 }, { 0, 4 } };
    const char separador = direcao == 1 ? '-' : '/';
    if (std::strchr(data, separador))
        return copiar(data, n);
    const Parte* partes = direcao == 1 ? para_iso : para_tela;
    char* saida = new char[11];
    char* fim = saida;
    for (int k = 0; k < 3; ++k) {
        if (k > 0)
            *fim++ = separador;
        std::memcpy(fim, data + partes[k].inicio, partes[k].tamanho);
        fim += partes[k].tamanho;
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
