// The report core without a window or a database: numbers and dates as
// Portuguese writes them, CSV fields a spreadsheet reads back as written
// and never runs, a PDF whose pages and text poppler reads back (the
// header on every page, each row once, the chart's values), a report of
// nothing that says so, and a file that cannot be written named in the
// message with nothing left behind.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "relatorios/csv.h"
#include "relatorios/desenho.h"
#include "relatorios/formato.h"
#include "relatorios/grafico.h"
#include "support/banco_teste.h"
#include "support/leitura_arquivos.h"
#include "support/textos_hostis.h"

namespace {

// A report of `n` rows with a text, a number and a hostile text in each.
RELATORIO exemplo(std::size_t n)
{
    RELATORIO r;
    r.titulo = "Produção por apiário";
    r.filtros = { "Período: 01/01/2025 a 31/12/2025", "Apiários: todos" };
    r.empresa.nome = "Apiário Flor do Cerrado Ltda.";
    r.empresa.documento = "12.345.678/0001-95";
    r.empresa.cep.municipio.nome = "Dourados";
    r.empresa.cep.municipio.estado = "MS";
    r.emitido = "09/12/2026 08:15";
    TABELA_RELATORIO t;
    t.titulo = "Colheitas";
    t.colunas = { { "Apiário", 3 }, { "Mel (kg)", 1 }, { "Observações", 3 } };
    for (std::size_t i = 0; i < n; ++i) {
        char nome[32];
        std::snprintf(nome, sizeof nome, "Apiário %04zu", i + 1);
        t.linhas.push_back({ { CELULA::de_texto(nome), CELULA::de_numero(1234.5 + static_cast<double>(i), 1),
                               CELULA::de_texto(i % 2 ? "=HYPERLINK(\"x\";\"y\")" : "cera; \"própolis\"\nmel") } });
    }
    r.tabelas.push_back(t);
    return r;
}

std::size_t ocorrencias(const std::string& texto, const std::string& parte)
{
    std::size_t n = 0;
    for (std::size_t p = texto.find(parte); p != std::string::npos; p = texto.find(parte, p + 1))
        ++n;
    return n;
}

} // namespace

TEST(Relatorios, NumerosEDatasEmPortugues)
{
    struct Caso
    {
        double valor;
        int casas;
        const char* mostrado;
        const char* planilha;
    };
    const Caso casos[] = {
        { 1234.5, 1, "1.234,5", "1234,5" },
        { 0, 2, "0,00", "0,00" },
        { -0.04, 1, "0,0", "0,0" },
        { -1234567.891, 2, "-1.234.567,89", "-1234567,89" },
        { 999.96, 1, "1.000,0", "1000,0" },
        { 12, 0, "12", "12" },
        { 100000, 0, "100.000", "100000" },
        { std::nan(""), 1, "-", "-" },
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(numero_br(c.valor, c.casas), c.mostrado) << c.valor;
        EXPECT_EQ(numero_planilha(c.valor, c.casas), c.planilha) << c.valor;
    }
    EXPECT_EQ(data_br("2025-03-07"), "07/03/2025");
    EXPECT_EQ(data_br(""), "");
    EXPECT_EQ(ler_numero("12.500"), 12.5);
    EXPECT_EQ(ler_numero("abc"), 0);
    EXPECT_EQ(hoje_br().size(), 10u);
}

TEST(Relatorios, CampoCsvNuncaViraFormulaEVoltaComoFoiEscrito)
{
    const std::pair<const char*, const char*> casos[] = {
        { "Apiário Boa Esperança", "Apiário Boa Esperança" },
        { "", "" },
        { "cera; própolis", "\"cera; própolis\"" },
        { "diz \"sim\"", "\"diz \"\"sim\"\"\"" },
        { "duas\nlinhas", "\"duas\nlinhas\"" },
        { "=1+1", "'=1+1" },
        { "+55 67 3421", "'+55 67 3421" },
        { "-2+3", "'-2+3" },
        { "@SOMA(A1)", "'@SOMA(A1)" },
        { "\tx", "'\tx" },
        { "=HYPERLINK(\"x\";\"y\")", "\"'=HYPERLINK(\"\"x\"\";\"\"y\"\")\"" },
        { " espaço ", "\" espaço \"" },
        // A negative number is a number; a coordinate with a point is not
        // one in Portuguese, and stays as written.
        { "-12,5", "-12,5" },
        { "-3", "-3" },
        { "-22.2211", "'-22.2211" },
        { "-", "'-" },
        { "-1,", "'-1," },
        // A typed quote before a formula-looking text gets one more, so
        // that reading the file back takes off only the mark.
        { "'=1+1", "''=1+1" },
        { "'-3", "'-3" },
        { "'abc", "'abc" },
    };
    for (const auto& c : casos)
        EXPECT_EQ(campo_csv(c.first), c.second) << c.first;
    // Numbers are numbers: a negative one is not taken for a formula.
    EXPECT_EQ(celula_csv(CELULA::de_numero(-3.5, 1)), "-3,5");
    EXPECT_EQ(linha_csv({ CELULA::de_texto("a;b"), CELULA::de_numero(1234.25, 2) }), "\"a;b\";1234,25\r\n");
}

TEST(Relatorios, CsvLidoDeVolta)
{
    const std::string pasta = teste::pasta_temporaria();
    const std::string caminho = pasta + "/produção.csv";
    const RELATORIO r = exemplo(3);
    std::string erro;
    ASSERT_TRUE(exportar_csv(r, caminho, &erro)) << erro;
    const std::string texto = teste::ler_arquivo(caminho);
    EXPECT_EQ(texto.compare(0, 3, "\xEF\xBB\xBF"), 0);
    const auto linhas = teste::ler_csv(texto);
    ASSERT_EQ(linhas.size(), 4u);
    EXPECT_EQ(linhas[0], (std::vector<std::string> { "Apiário", "Mel (kg)", "Observações" }));
    EXPECT_EQ(linhas[1], (std::vector<std::string> { "Apiário 0001", "1234,5", "cera; \"própolis\"\nmel" }));
    EXPECT_EQ(linhas[2], (std::vector<std::string> { "Apiário 0002", "1235,5", "'=HYPERLINK(\"x\";\"y\")" }));
    EXPECT_EQ(teste::nomes_na_pasta(pasta), (std::vector<std::string> { "produção.csv" }));

    // A long one, written to the disk many blocks at a time, reads back
    // whole and in order.
    const RELATORIO longo = exemplo(6000);
    ASSERT_TRUE(exportar_csv(longo, caminho, &erro)) << erro;
    const auto todas = teste::ler_csv(teste::ler_arquivo(caminho));
    ASSERT_EQ(todas.size(), 6001u);
    for (std::size_t i = 0; i < 6000; i += 997) {
        char esperada[64];
        std::snprintf(esperada, sizeof esperada, "Apiário %04zu|%zu,5", i + 1, 1234 + i);
        EXPECT_EQ(todas[i + 1][0] + "|" + todas[i + 1][1], esperada);
    }
    EXPECT_EQ(todas.back()[0], "Apiário 6000");

    // Two tables: each with its title row, an empty row between them; one
    // without rows says so.
    RELATORIO dois = exemplo(1);
    TABELA_RELATORIO vazia;
    vazia.titulo = "Em carência hoje";
    vazia.colunas = { { "Colméia", 1 } };
    vazia.vazia = "Nenhuma colméia em carência hoje.";
    dois.tabelas.push_back(vazia);
    ASSERT_TRUE(exportar_csv(dois, caminho, &erro)) << erro;
    EXPECT_EQ(teste::ler_csv(teste::ler_arquivo(caminho)),
              (std::vector<std::vector<std::string>> { { "Colheitas" },
                                                       { "Apiário", "Mel (kg)", "Observações" },
                                                       { "Apiário 0001", "1234,5", "cera; \"própolis\"\nmel" },
                                                       {},
                                                       { "Em carência hoje" },
                                                       { "Colméia" },
                                                       { "Nenhuma colméia em carência hoje." } }));
}

TEST(Relatorios, ArquivoQueNaoPodeSerGravadoENomeadoENadaFica)
{
    const std::string pasta = teste::pasta_temporaria();
    struct Caso
    {
        std::string caminho;
        std::string motivo;
    };
    const Caso casos[] = {
        { pasta + "/não existe/r.pdf", "a pasta não existe" },
        { pasta, "esse nome é o de uma pasta" },
        { "", "" },
    };
    const RELATORIO r = exemplo(5);
    for (const Caso& c : casos) {
        for (bool pdf : { true, false }) {
            std::string erro;
            EXPECT_FALSE(pdf ? exportar_pdf(r, c.caminho, &erro) : exportar_csv(r, c.caminho, &erro)) << c.caminho;
            if (c.caminho.empty())
                EXPECT_EQ(erro, "Escolha o nome do arquivo a gravar.");
            else
                EXPECT_EQ(erro, "Não foi possível gravar o arquivo " + c.caminho + ": " + c.motivo + ".");
        }
    }
    EXPECT_TRUE(teste::nomes_na_pasta(pasta).empty());
    // A file that was there stays as it was when the new one cannot be made.
    if (geteuid() != 0) {
        const std::string so_leitura = teste::pasta_temporaria();
        ASSERT_TRUE(exportar_csv(r, so_leitura + "/r.csv", nullptr));
        const std::string antes = teste::ler_arquivo(so_leitura + "/r.csv");
        chmod(so_leitura.c_str(), 0555);
        std::string erro;
        EXPECT_FALSE(exportar_csv(exemplo(1), so_leitura + "/r.csv", &erro));
        EXPECT_NE(erro.find("não há permissão para gravar nessa pasta"), std::string::npos) << erro;
        EXPECT_EQ(teste::ler_arquivo(so_leitura + "/r.csv"), antes);
        chmod(so_leitura.c_str(), 0755);
    }
}

TEST(Relatorios, PdfComCabecalhoEmCadaPaginaECadaLinhaUmaVez)
{
    const std::string pasta = teste::pasta_temporaria();
    const std::string caminho = pasta + "/r.pdf";
    const std::size_t n = 150;
    const RELATORIO r = exemplo(n);
    const DESENHO_RELATORIO desenho(r);
    ASSERT_GE(desenho.paginas(), 3);
    std::string erro;
    ASSERT_TRUE(exportar_pdf(r, caminho, &erro)) << erro;
    EXPECT_EQ(teste::paginas_pdf(caminho), desenho.paginas());
    EXPECT_EQ(teste::nomes_na_pasta(pasta), (std::vector<std::string> { "r.pdf" }));

    const std::string texto = teste::texto_pdf(caminho);
    const std::size_t m = static_cast<std::size_t>(desenho.paginas());
    for (const char* parte : { "Apiário Flor do Cerrado Ltda.", "CNPJ 12.345.678/0001-95", "Dourados/MS",
                               "Produção por apiário", "Período: 01/01/2025 a 31/12/2025",
                               "Emitido em 09/12/2026 08:15" })
        EXPECT_EQ(ocorrencias(texto, parte), m) << parte;
    for (std::size_t p = 1; p <= m; ++p)
        EXPECT_EQ(ocorrencias(texto, DESENHO_RELATORIO::texto_pagina(static_cast<int>(p), static_cast<int>(m))), 1u)
            << p;
    EXPECT_EQ(ocorrencias(texto, "Colheitas (continuação)"), m - 1);
    for (std::size_t i = 1; i <= n; ++i) {
        char nome[32];
        std::snprintf(nome, sizeof nome, "Apiário %04zu", i);
        EXPECT_EQ(ocorrencias(texto, nome), 1u) << nome;
    }
    EXPECT_EQ(ocorrencias(texto, "1.234,5"), 1u);
    EXPECT_EQ(ocorrencias(texto, "1.383,5"), 1u);   // the last row's
}

TEST(Relatorios, RelatorioDeNadaDizQueNaoHaRegistros)
{
    const std::string caminho = teste::pasta_temporaria() + "/vazio.pdf";
    RELATORIO r = exemplo(0);
    r.tabelas.clear();
    r.empresa = EMPRESAS();
    std::string erro;
    ASSERT_TRUE(exportar_pdf(r, caminho, &erro)) << erro;
    EXPECT_EQ(teste::paginas_pdf(caminho), 1);
    const std::string texto = teste::texto_pdf(caminho);
    for (const char* parte : { "Nenhum registro encontrado para os filtros escolhidos.", "Página 1 de 1",
                               "Dados da empresa não preenchidos", "Produção por apiário" })
        EXPECT_NE(texto.find(parte), std::string::npos) << parte << "\n" << texto;

    // A table without rows beside one with rows says so under its title.
    RELATORIO dois = exemplo(2);
    TABELA_RELATORIO vazia;
    vazia.titulo = "Em carência hoje";
    vazia.colunas = { { "Colméia", 1 } };
    vazia.vazia = "Nenhuma colméia em carência hoje.";
    dois.tabelas.insert(dois.tabelas.begin(), vazia);
    ASSERT_TRUE(exportar_pdf(dois, caminho, &erro)) << erro;
    const std::string t2 = teste::texto_pdf(caminho);
    EXPECT_NE(t2.find("Nenhuma colméia em carência hoje."), std::string::npos) << t2;
    EXPECT_EQ(t2.find("Nenhum registro encontrado"), std::string::npos) << t2;
}

TEST(Relatorios, GraficoDeBarrasComEixoValoresELegenda)
{
    const std::pair<double, double> topos[] = { { 0, 1 }, { -5, 1 }, { 0.3, 0.5 }, { 1, 1 },
                                                { 7, 10 }, { 12.5, 20 }, { 180, 200 }, { 4100, 5000 } };
    for (const auto& t : topos)
        EXPECT_DOUBLE_EQ(topo_do_eixo(t.first), t.second) << t.first;

    RELATORIO r = exemplo(1);
    r.grafico.titulo = "Mel por apiário";
    r.grafico.unidade = "kg";
    r.grafico.categorias = { "Boa Esperança", "Santa Luzia" };
    r.grafico.series = { "2025", "2024" };
    r.grafico.valores = { { 1250.5, 12.26 }, { 980, 0 } };
    const std::string caminho = teste::pasta_temporaria() + "/g.pdf";
    std::string erro;
    ASSERT_TRUE(exportar_pdf(r, caminho, &erro)) << erro;
    const std::string texto = teste::texto_pdf(caminho);
    for (const char* parte : { "Mel por apiário", "Boa Esperança", "Santa Luzia", "2025", "2024", "1.250,5",
                               "12,3", "980,0", "kg", "2.000", "Apiário 0001" })
        EXPECT_NE(texto.find(parte), std::string::npos) << parte << "\n" << texto;
}

// Every hostile text in a report: the CSV gives each back as written (a
// formula-looking one after its "'"), and the PDF is written with each on
// its own row.
TEST(Relatorios, TextosHostisNoCsvENoPdf)
{
    const std::vector<std::string>& corpus = teste::corpus_hostil();
    ASSERT_GE(corpus.size(), 60u);
    RELATORIO r = exemplo(0);
    r.titulo = corpus[0];
    r.filtros = corpus;
    r.empresa.nome = corpus[1];
    for (const std::string& t : corpus)
        r.tabelas[0].linhas.push_back({ { CELULA::de_texto(t), CELULA::de_numero(1, 0), CELULA::de_texto(t + t) } });
    const std::string pasta = teste::pasta_temporaria();
    std::string erro;
    ASSERT_TRUE(exportar_csv(r, pasta + "/h.csv", &erro)) << erro;
    const auto linhas = teste::ler_csv(teste::ler_arquivo(pasta + "/h.csv"));
    ASSERT_EQ(linhas.size(), corpus.size() + 1);
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        const std::string& t = corpus[i];
        const bool formula = !t.empty() && std::string("=+-@\t\r").find(t[0]) != std::string::npos &&
                             !std::regex_match(t, std::regex("-[0-9]+(,[0-9]+)?"));
        const std::string esperado = formula ? "'" + t : t;
        ASSERT_EQ(linhas[i + 1].size(), 3u) << teste::mostrar(t);
        EXPECT_EQ(linhas[i + 1][0], esperado) << teste::mostrar(t);
        EXPECT_EQ(linhas[i + 1][1], "1") << teste::mostrar(t);
    }
    ASSERT_TRUE(exportar_pdf(r, pasta + "/h.pdf", &erro)) << erro;
    EXPECT_EQ(teste::paginas_pdf(pasta + "/h.pdf"), DESENHO_RELATORIO(r).paginas());
    EXPECT_NE(teste::texto_pdf(pasta + "/h.pdf").find("Página 1 de"), std::string::npos);
}
