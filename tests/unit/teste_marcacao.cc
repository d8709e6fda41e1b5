// The marking colour of a queen: her birth year's, or the one chosen when it
// differs.
#include <string>

#include <gtest/gtest.h>

#include "util/marcacao.h"

TEST(Marcacao, CadaUltimoDigitoDoAnoTemSuaCor)
{
    struct Caso { int ano; const char* cor; };
    const Caso casos[] = {
        { 2021, "Branca" },  { 2026, "Branca" },   { 2022, "Amarela" }, { 2017, "Amarela" },
        { 2023, "Vermelha" }, { 2018, "Vermelha" }, { 2024, "Verde" },  { 2019, "Verde" },
        { 2025, "Azul" },    { 2020, "Azul" },     { 1, "Branca" },     { 10, "Azul" },
        { 0, "" },           { -4, "" },
    };
    for (const Caso& c : casos)
        EXPECT_EQ(std::string(cor_do_ano(c.ano)), c.cor) << c.ano;
}

TEST(Marcacao, CorEscolhidaSoSeGuardaQuandoDifereDaDoAno)
{
    struct Caso { const char* nascimento; const char* escolhida; const char* usada; const char* guardada; };
    const Caso casos[] = {
        // Nothing chosen: the year's colour, nothing kept.
        { "10/03/2024", "", "Verde", "" },
        // The year's own colour chosen: kept as nothing, so it follows the date.
        { "10/03/2024", "Verde", "Verde", "" },
        // Another colour: kept and worn.
        { "10/03/2024", "Azul", "Azul", "Azul" },
        { "29/02/2020", "Branca", "Branca", "Branca" },
        // A text that is no colour counts as nothing chosen.
        { "01/01/2021", "Roxa", "Branca", "" },
        { "01/01/2021", "branca", "Branca", "" },
        // No birth date known: only a chosen colour.
        { "", "", "", "" },
        { "", "Amarela", "Amarela", "Amarela" },
        { "31/02/2024", "", "", "" },
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(cor_da_rainha(c.nascimento, c.escolhida), c.usada) << c.nascimento << " " << c.escolhida;
        EXPECT_EQ(cor_a_guardar(c.nascimento, c.escolhida), c.guardada) << c.nascimento << " " << c.escolhida;
    }
}

TEST(Marcacao, CadaCorTemComoSerDesenhadaENadaMaisTem)
{
    for (const char* cor : CORES_MARCACAO) {
        EXPECT_TRUE(cor_de_marcacao(cor)) << cor;
        EXPECT_EQ(std::string(rgb_da_cor(cor)).size(), 7u) << cor;
    }
    EXPECT_STRNE(rgb_da_cor("Branca"), rgb_da_cor("Azul"));
    for (const char* nada : { "", "Roxa", "AZUL", "Azul " }) {
        EXPECT_FALSE(cor_de_marcacao(nada)) << nada;
        EXPECT_STREQ(rgb_da_cor(nada), "") << nada;
    }
}
