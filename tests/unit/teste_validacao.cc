// The checks of typed dates, weights in kg and postal codes.
#include <string>

#include <gtest/gtest.h>

#include "util/validacao.h"

TEST(Validacao, DatasQueExistemEAsQueNao)
{
    std::string iso = "antes";
    EXPECT_TRUE(data_valida("01/02/2003", &iso));
    EXPECT_EQ(iso, "2003-02-01");
    EXPECT_TRUE(data_valida("29/02/2024", &iso));
    EXPECT_EQ(iso, "2024-02-29");
    EXPECT_TRUE(data_valida("29/02/2000"));
    EXPECT_TRUE(data_valida("31/12/9999"));
    EXPECT_TRUE(data_valida("01/01/0001"));

    iso = "antes";
    for (const char* ruim : { "31/02/2024", "29/02/2023", "29/02/1900", "31/04/2024", "00/01/2024", "01/00/2024",
                              "01/13/2024", "32/01/2024", "01/01/0000", "1/02/2003", "01/02/03", "01-02-2003",
                              "01/02/2003 ", " 01/02/2003", "0a/02/2003", "01/02/200३", "", "//////////" })
        EXPECT_FALSE(data_valida(ruim, &iso)) << ruim;
    EXPECT_EQ(iso, "antes");
}

TEST(Validacao, QuilosComVirgulaOuPontoSemSinalNemLetras)
{
    struct Caso { const char* texto; const char* numero; };
    const Caso bons[] = {
        { "12", "12" },       { "12,5", "12.5" },     { "12.5", "12.5" },   { " 3,250 ", "3.250" },
        { "", "0" },          { "   ", "0" },         { "0", "0" },         { "007", "7" },
        { ",5", "0.5" },      { "12,", "12" },        { "9999999,999", "9999999.999" },
        { "0000000012", "12" },
    };
    for (const Caso& c : bons) {
        std::string n = "antes";
        EXPECT_TRUE(ler_quilos(c.texto, &n)) << c.texto;
        EXPECT_EQ(n, c.numero) << c.texto;
    }
    for (const char* ruim : { "-1", "-0,5", "+3", "1e3", "1.000,5", "1,2,3", "12,3456", "10000000", "abc", ",",
                              ".", "12 kg", "1 2", "0x10", "١٢", "12;drop", "'", "NaN", "Infinity" }) {
        std::string n = "antes";
        EXPECT_FALSE(ler_quilos(ruim, &n)) << ruim;
        EXPECT_EQ(n, "antes") << ruim;
    }
}

TEST(Validacao, QuilosMostradosComVirgulaSemZerosAMais)
{
    EXPECT_EQ(mostrar_quilos("12.500"), "12,5");
    EXPECT_EQ(mostrar_quilos("3.000"), "3");
    EXPECT_EQ(mostrar_quilos("0.000"), "0");
    EXPECT_EQ(mostrar_quilos("0.125"), "0,125");
    EXPECT_EQ(mostrar_quilos("10.250"), "10,25");
    EXPECT_EQ(mostrar_quilos("100"), "100");
}

TEST(Validacao, CepCompletoComoAMascaraEscreve)
{
    EXPECT_TRUE(cep_completo("79800-001"));
    EXPECT_TRUE(cep_completo("00000-000"));
    for (const char* ruim : { "79800001", "79800-00", "79800-0011", "7980-0001", "79800 001", "7980a-001", "",
                              "79800-00'" })
        EXPECT_FALSE(cep_completo(ruim)) << ruim;
}
