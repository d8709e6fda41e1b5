#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "util/conversoes.h"
#include "util/ordem.h"

// Every number written as printf's "%04d" writes it.
TEST(Conversoes, ComQuatroDigitosComoPrintf)
{
    for (int n : { 0, 7, -7, 42, 999, 1000, 9999, 10000, 123456, -1, -99, -100, -1000, INT_MAX, INT_MIN }) {
        char esperado[16], saida[16];
        std::snprintf(esperado, sizeof esperado, "%04d", n);
        EXPECT_STREQ(com_quatro_digitos(n, saida), esperado) << n;
    }
}

// Pairs sorted by key, rows of one key by row number, as std::sort puts
// them: dense keys (counted into place), sparse ones, rows of one key out of
// order, negative keys, and lists already sorted or empty.
TEST(OrdenarPorChave, ComoStdSort)
{
    std::mt19937 sorteio(7);
    using Pares = std::vector<std::pair<int, std::size_t>>;
    std::vector<Pares> casos = { {}, { { 5, 0 } }, { { 3, 1 }, { 3, 0 }, { 1, 2 } }, { { -4, 0 }, { 9, 1 }, { -4, 2 } },
                                 { { INT_MIN, 0 }, { INT_MAX, 1 }, { 0, 2 } } };
    Pares densos, esparsos, repetidos;
    for (std::size_t i = 0; i < 5000; ++i) {
        densos.emplace_back(static_cast<int>(sorteio() % 6000) + 100, i);
        esparsos.emplace_back(static_cast<int>(sorteio() % 1000000000), i);
        repetidos.emplace_back(static_cast<int>(sorteio() % 10), 5000 - i);
    }
    casos.push_back(densos);
    casos.push_back(esparsos);
    casos.push_back(repetidos);
    Pares ja(densos);
    std::sort(ja.begin(), ja.end());
    casos.push_back(ja);
    for (std::size_t k = 0; k < casos.size(); ++k) {
        Pares esperado = casos[k];
        std::sort(esperado.begin(), esperado.end());
        ordenar_por_chave(casos[k]);
        EXPECT_EQ(casos[k], esperado) << "caso " << k;
    }
}
