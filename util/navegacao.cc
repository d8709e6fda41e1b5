#include "util/navegacao.h"

#include <cstdio>

Posicao mover_posicao(Posicao posicao, std::size_t tamanho, int direcao, bool& agiu)
{
    agiu = false;
    switch (direcao) {
    case 0:
        agiu = true;
        return 1;
    case 1:
        if (posicao >= 2) {
            agiu = true;
            return posicao - 1;
        }
        return posicao;
    case 2:
        if (posicao < tamanho) {
            agiu = true;
            return posicao + 1;
        }
        return posicao;
    case 3:
        agiu = true;
        return tamanho;
    default:
        return posicao;
    }
}

Posicao posicao_valida(Posicao posicao, std::size_t tamanho)
{
    if (tamanho == 0)
        return 0;
    if (posicao < 1)
        return 1;
    if (posicao > tamanho)
        return tamanho;
    return posicao;
}

std::string texto_contador(Posicao posicao, std::size_t tamanho)
{
    char texto[64];
    std::snprintf(texto, sizeof texto, "%ld / %ld", static_cast<long>(posicao), static_cast<long>(tamanho));
    return texto;
}
