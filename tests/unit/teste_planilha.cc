// Spreadsheet files read back without a database: the encoding told by the
// bytes, the separator by the first row, quoted fields, lines counted as
// the file has them, what this program writes read back as it was typed,
// days as spreadsheets write them, and files that cannot be read said so.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "relatorios/csv.h"
#include "relatorios/planilha.h"
#include "support/banco_teste.h"
#include "support/textos_hostis.h"

namespace {

PLANILHA ler(const std::string& bytes)
{
    PLANILHA p;
    std::string erro;
    EXPECT_TRUE(ler_planilha(bytes, &p, &erro)) << erro;
    return p;
}

std::vector<std::vector<std::string>> campos(const PLANILHA& p)
{
    std::vector<std::vector<std::string>> c = { p.titulos };
    for (const LINHA_PLANILHA& l : p.linhas)
        c.push_back(l.campos);
    return c;
}

} // namespace

TEST(Planilha, CodificacaoPelosBytes)
{
    struct Caso
    {
        const char* bytes;
        const char* codificacao;
        const char* municipio;
    };
    const Caso casos[] = {
        { "\xEF\xBB\xBFNome;Munic\xC3\xADpio\r\nA;Ponta Por\xC3\xA3\r\n", "UTF-8", "Ponta Porã" },
        { "Nome;Munic\xC3\xADpio\nA;Ponta Por\xC3\xA3\n", "UTF-8", "Ponta Porã" },
        { "Nome;Munic\xEDpio\r\nA;Ponta Por\xE3\r\n", "Latin-1", "Ponta Porã" },
        // Windows' Latin-1: curly quotes and the dash where Latin-1 has controls.
        { "Nome;Munic\xEDpio\nA;\x93S\xE3o\x94 \x96 MS\n", "Latin-1", "“São” – MS" },
    };
    for (const Caso& c : casos) {
        const PLANILHA p = ler(c.bytes);
        EXPECT_EQ(p.codificacao, c.codificacao) << c.bytes;
        EXPECT_EQ(p.titulos, (std::vector<std::string> { "Nome", "Município" })) << c.bytes;
        ASSERT_EQ(p.linhas.size(), 1u) << c.bytes;
        EXPECT_EQ(p.linhas[0].campos[1], c.municipio) << c.bytes;
    }
}

TEST(Planilha, SeparadorAspasELinhas)
{
    struct Caso
    {
        const char* bytes;
        char separador;
        std::vector<std::vector<std::string>> campos;
        std::vector<int> linhas;
    };
    const Caso casos[] = {
        { "a;b\n1;2,5\n", ';', { { "a", "b" }, { "1", "2,5" } }, { 2 } },
        { "a,b\n1,2.5\n", ',', { { "a", "b" }, { "1", "2.5" } }, { 2 } },
        // The other separator, quotes and line breaks inside quotes; the
        // row after a broken one starts on the line the file shows.
        { "a,b\n\"x, y\",\"diz \"\"oi\"\"\"\n\"duas\r\nlinhas\";z\n3,4", ',',
          { { "a", "b" }, { "x, y", "diz \"oi\"" }, { "duas\r\nlinhas;z", "" }, { "3", "4" } }, { 2, 3, 5 } },
        // A quote inside an unquoted field is a character; blank rows go.
        { "a;b\r\n\r\n5\"5;;\r\n ; \r\n7;8;9\r\n", ';', { { "a", "b" }, { "5\"5", "" }, { "7", "8" } }, { 3, 5 } },
        // One column: no separator at all.
        { "RGN\n00001-00000\n", ';', { { "RGN" }, { "00001-00000" } }, { 2 } },
    };
    for (const Caso& c : casos) {
        const PLANILHA p = ler(c.bytes);
        EXPECT_EQ(p.separador, c.separador) << c.bytes;
        EXPECT_EQ(campos(p), c.campos) << c.bytes;
        std::vector<int> linhas;
        for (const LINHA_PLANILHA& l : p.linhas)
            linhas.push_back(l.linha);
        EXPECT_EQ(linhas, c.linhas) << c.bytes;
    }
    // More fields than titles: the first such line is kept, to be said.
    EXPECT_EQ(ler("a;b\n1;2\n7;8;9\n1;2;3\n").linha_longa, 3);
    EXPECT_EQ(ler("a;b\n1;2\n").linha_longa, 0);
    EXPECT_EQ(ler("a;b\n1;2;;\n3;4; \n").linha_longa, 0);
}

// Every hostile text written as this program writes CSV reads back as it
// was, formula-looking ones and typed quotes before them included.
TEST(Planilha, OQueOProgramaEscreveVoltaComoFoiDigitado)
{
    std::vector<std::string> textos = teste::corpus_hostil();
    for (const char* t : { "=1+1", "'=1+1", "''@x", "'abc", "-12,5", "'-3", "+55 67", "\tx" })
        textos.push_back(t);
    std::string arquivo = "\xEF\xBB\xBF" + linha_csv({ CELULA::de_texto("Chave"), CELULA::de_texto("Texto") });
    for (std::size_t i = 0; i < textos.size(); ++i)
        arquivo += linha_csv({ CELULA::de_numero(static_cast<double>(i), 0), CELULA::de_texto(textos[i]) });
    const PLANILHA p = ler(arquivo);
    ASSERT_EQ(p.linhas.size(), textos.size());
    for (std::size_t i = 0; i < textos.size(); ++i) {
        EXPECT_EQ(p.linhas[i].campos[0], std::to_string(i));
        EXPECT_EQ(p.linhas[i].campos[1], textos[i]) << teste::mostrar(textos[i]);
    }
}

TEST(Planilha, Datas)
{
    const std::pair<const char*, const char*> casos[] = {
        { "01/02/2024", "01/02/2024" }, { "1/2/2024", "01/02/2024" }, { " 29/02/2024 ", "29/02/2024" },
        { "31/02/2024", nullptr },      { "29/02/2023", nullptr },   { "2024-02-01", nullptr },
        { "01/13/2024", nullptr },      { "", nullptr },              { "1/2", nullptr },
    };
    for (const auto& c : casos) {
        std::string d = "nada";
        EXPECT_EQ(data_da_planilha(c.first, &d), c.second != nullptr) << c.first;
        if (c.second) {
            EXPECT_EQ(d, c.second) << c.first;
        }
    }
}

TEST(Planilha, SimOuNao)
{
    const std::pair<const char*, int> casos[] = {
        { "sim", 1 }, { " SIM ", 1 }, { "x", 1 }, { "1", 1 }, { "", 0 }, { "Não", 0 }, { "nao", 0 }, { "0", 0 },
        { "talvez", -1 }, { "2", -1 },
    };
    for (const auto& c : casos) {
        bool sim = c.second != 1;
        EXPECT_EQ(sim_ou_nao(c.first, &sim), c.second >= 0) << c.first;
        if (c.second >= 0) {
            EXPECT_EQ(sim, c.second == 1) << c.first;
        }
    }
}

TEST(Planilha, ArquivosQueNaoSeLeem)
{
    const std::pair<std::string, const char*> casos[] = {
        { "", "O arquivo está vazio" },
        { "\xEF\xBB\xBF\r\n\r\n", "O arquivo está vazio" },
        { std::string("a;b\n1;\0\n", 8), "não é uma planilha em texto" },
        { "a;b\n1;2\n3;\"aberto\n4;5\n", "Linha 3: um campo abre aspas e não as fecha" },
    };
    for (const auto& c : casos) {
        PLANILHA p;
        std::string erro;
        EXPECT_FALSE(ler_planilha(c.first, &p, &erro)) << c.first;
        EXPECT_NE(erro.find(c.second), std::string::npos) << erro;
    }
    // Only the titles: read, with no rows (the import says there is nothing).
    const PLANILHA so_titulos = ler("Apiário;Município\r\n");
    EXPECT_EQ(so_titulos.titulos.size(), 2u);
    EXPECT_TRUE(so_titulos.linhas.empty());

    PLANILHA p;
    std::string erro;
    const std::string caminho = teste::pasta_temporaria() + "/nao-existe.csv";
    EXPECT_FALSE(abrir_planilha(caminho, &p, &erro));
    EXPECT_EQ(erro, "Não foi possível ler o arquivo " + caminho + ".");
}
