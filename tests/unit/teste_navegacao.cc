// Position arithmetic of the browsable forms and the counter text.
#include <gtest/gtest.h>

#include "util/navegacao.h"

TEST(Navegacao, MovimentosRespeitamOsLimitesEDizemSeAgiram)
{
    struct Caso { Posicao de; std::size_t tamanho; int direcao; Posicao para; bool agiu; };
    const Caso casos[] = {
        { 5, 12, 0, 1, true },    // first
        { 1, 12, 0, 1, true },    // first on the first still acts
        { 3, 12, 1, 2, true },    // back
        { 1, 12, 1, 1, false },   // back on the first: stays
        { 3, 12, 2, 4, true },    // forward
        { 12, 12, 2, 12, false }, // forward on the last: stays
        { 3, 12, 3, 12, true },   // last
        { 1, 0, 3, 0, true },     // last of an empty list
        { 1, 0, 2, 1, false },    // forward on an empty list
        { 20, 12, 2, 20, false }, // a remembered position past a shrunk list does not grow
        { 20, 12, 1, 19, true },
        { 4, 12, 7, 4, false },   // unknown direction
    };
    for (const Caso& c : casos) {
        bool agiu = !c.agiu;
        EXPECT_EQ(mover_posicao(c.de, c.tamanho, c.direcao, agiu), c.para)
            << c.de << " of " << c.tamanho << " direction " << c.direcao;
        EXPECT_EQ(agiu, c.agiu) << c.de << " of " << c.tamanho << " direction " << c.direcao;
    }
}

TEST(Navegacao, PosicaoValidaFicaDentroDaLista)
{
    EXPECT_EQ(posicao_valida(0, 5), 1u);
    EXPECT_EQ(posicao_valida(1, 5), 1u);
    EXPECT_EQ(posicao_valida(5, 5), 5u);
    EXPECT_EQ(posicao_valida(9, 5), 5u);
    EXPECT_EQ(posicao_valida(3, 0), 0u);
    EXPECT_EQ(posicao_valida(~0ull, 7), 7u);
}

TEST(Navegacao, Contador)
{
    EXPECT_EQ(texto_contador(3, 12), "3 / 12");
    EXPECT_EQ(texto_contador(1, 1), "1 / 1");
    EXPECT_EQ(texto_contador(100000, 100000), "100000 / 100000");
}
