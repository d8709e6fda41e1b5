// The reports made from the records: the honey of each apiary against the
// year before (a hive's harvest counted where it stood that day), the
// hives in withdrawal today at the top of the treatments, the monthly
// counts of findings per disease and municipality, all checked against SQL
// computed here; the apiaries' registration with the company's CPF or CNPJ;
// a period that ends before it begins or a day that does not exist refused;
// an empty period said so; and every report written as a PDF that poppler
// reads back.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "relatorios/catalogo.h"
#include "relatorios/csv.h"
#include "relatorios/desenho.h"
#include "relatorios/formato.h"
#include "relatorios/linha_comando.h"
#include "support/leitura_arquivos.h"

namespace {

// Hives 1 and 2 in Boa Esperança (Dourados), 3 in Santa Luzia (Dourados), 4
// in Três Irmãos (Itaporã); hive 2 moved to Três Irmãos on 15/04/2025.
const char* const DADOS =
    "insert into cadastro.colmeia (id_colmeia, tipo, status, id_abelha, id_apiario) values "
    "(1, 'Langstroth', 'Ativa', 2, 1), (2, 'Langstroth', 'Ativa', 4, 1), (3, 'Schenk', 'Ativa', 5, 2), "
    "(4, 'Núcleo', 'Ativa', null, 3);"
    "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg) values "
    "(1, '2025-03-10', 'Ativa', 12.5), (1, '2025-05-10', 'Ativa', 10), (2, '2025-04-01', 'Ativa', 8.25), "
    "(3, '2025-04-02', 'Ativa', 20), (2, '2025-06-01', 'Ativa', 5), (1, '2024-04-10', 'Ativa', 9), "
    "(3, '2024-06-01', 'Ativa', 15.5), (2, '2026-01-05', 'Ativa', 3), (4, '2025-07-01', 'Ativa', 0);"
    "insert into cadastro.movimentacao (id_colmeia, data, id_origem, id_destino, gta, finalidade) values "
    "(2, '2025-04-15', 1, 3, '000777-MS', 'Florada');"
    "insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim) values "
    "(3, 1, current_date - 10, current_date - 3), (1, 2, '2025-02-01', '2025-02-20');"
    "insert into cadastro.ocorrencia (id_colmeia, data, doenca, nivel) values "
    "(3, '2025-04-03', 'Varroose', 'leve'), (1, '2025-04-20', 'Varroose', ''), "
    "(2, '2025-04-21', 'Cria pútrida americana', 'grave'), (1, '2025-05-02', 'Varroose', '');"
    "update cadastro.empresa set nome = 'Mel do Panambi', documento = '123.456.789-09', id_cep = 1";

// Where each hive stood for a harvest or a finding on day `d`, known here
// from the one move above.
const char* const APIARIO_NO_DIA =
    "case when x.id_colmeia = 2 and x.dia < '2025-04-15' then 1 else c.id_apiario end";

class RelatoriosBanco : public teste::ModeloTeste
{
protected:
    void preparar() override { ASSERT_EQ(banco.executar(DADOS), ""); }

    RELATORIO fazer(const char* nome, const FILTRO_RELATORIO& f)
    {
        RELATORIO r;
        RELATORIOS_DO_BANCO fonte(q.get());
        const TIPO_RELATORIO* tipo = tipo_de_relatorio(nome);
        EXPECT_NE(tipo, nullptr) << nome;
        if (tipo) {
            EXPECT_TRUE(fonte.montar(*tipo, f, r)) << nome << ": " << fonte.falha().motivo();
        }
        return r;
    }
    static FILTRO_RELATORIO ano(const char* a)
    {
        FILTRO_RELATORIO f;
        f.de = std::string("01/01/") + a;
        f.ate = std::string("31/12/") + a;
        return f;
    }
    // The cells of a table as the page shows them, row by row.
    static std::vector<std::vector<std::string>> mostradas(const TABELA_RELATORIO& t)
    {
        std::vector<std::vector<std::string>> s;
        for (const LINHA_RELATORIO& l : t.linhas) {
            s.emplace_back();
            for (const CELULA& c : l.celulas)
                s.back().push_back(c.mostrado());
        }
        return s;
    }
};

} // namespace

TEST_F(RelatoriosBanco, ProducaoPorApiarioContraOAnoAnterior)
{
    // A harvest recorded by itself counts as one written in an inspection.
    ASSERT_EQ(banco.executar("insert into cadastro.colheita (id_colmeia, data, mel_kg) values (3, '2025-08-01', 4.5)"),
              "");
    const RELATORIO r = fazer("producao", ano("2025"));
    ASSERT_EQ(r.tabelas.size(), 1u);
    const TABELA_RELATORIO& t = r.tabelas[0];
    // Kilos and hives that produced per apiary, computed here.
    std::map<std::string, std::vector<double>> esperado;
    for (const char* ano_ : { "2025", "2024" }) {
        for (const LINHA& l : banco.consultar(
                 std::string("select a.nome, count(distinct x.id_colmeia), sum(x.mel_kg) from (select r.* from "
                             "(select id_colmeia, data_revisao as dia, mel_kg from cadastro.revisao union all "
                             "select id_colmeia, data, mel_kg from cadastro.colheita) r where r.mel_kg > 0 and "
                             "extract(year from r.dia) = ") + ano_ +
                 ") x join cadastro.colmeia c using (id_colmeia) join cadastro.apiario a on a.id_apiario = " +
                 APIARIO_NO_DIA + " group by a.nome")) {
            std::vector<double>& e = esperado[l[0]];
            e.resize(3);
            if (std::string(ano_) == "2025") {
                e[0] = std::stod(l[1]);
                e[1] = std::stod(l[2]);
            } else {
                e[2] = std::stod(l[2]);
            }
        }
    }
    // The three apiaries with honey in one of the years (not the fourth,
    // which had none) and the total.
    ASSERT_EQ(t.linhas.size(), 4u);
    EXPECT_EQ(std::stoi(banco.valor("select count(*) from cadastro.apiario")), 4);
    double total = 0;
    for (std::size_t i = 0; i + 1 < t.linhas.size(); ++i) {
        const std::vector<CELULA>& c = t.linhas[i].celulas;
        const std::vector<double> e = esperado.count(c[0].texto) ? esperado[c[0].texto] : std::vector<double>(3, 0);
        EXPECT_EQ(c[2].valor, e[0]) << c[0].texto;
        EXPECT_DOUBLE_EQ(c[3].valor, e[1]) << c[0].texto;
        EXPECT_DOUBLE_EQ(c[5].valor, e[2]) << c[0].texto;
        total += c[3].valor;
    }
    EXPECT_DOUBLE_EQ(total, std::stod(banco.valor("select sum(mel_kg) from (select data_revisao as dia, mel_kg from "
                                                  "cadastro.revisao union all select data, mel_kg from "
                                                  "cadastro.colheita) h where dia between '2025-01-01' and "
                                                  "'2025-12-31'")));
    EXPECT_EQ(mostradas(t)[0], (std::vector<std::string> { "Apiário Boa Esperança", "Dourados/MS", "2", "30,8", "15,4",
                                                           "9,0", "241,7" }));
    EXPECT_EQ(mostradas(t)[3], (std::vector<std::string> { "Total", "", "4", "60,2", "15,1", "24,5", "145,9" }));
    EXPECT_TRUE(t.linhas[3].destaque);
    EXPECT_EQ(r.grafico.series, (std::vector<std::string> { "2025", "2024" }));
    EXPECT_EQ(r.grafico.categorias,
              (std::vector<std::string> { "Apiário Boa Esperança", "Apiário Santa Luzia", "Apiário Três Irmãos" }));
    EXPECT_EQ(r.filtros, (std::vector<std::string> { "Período: 01/01/2025 a 31/12/2025", "Apiários: todos" }));

    // The PDF says it all, with the company's CPF in the header.
    const std::string caminho = teste::pasta_temporaria() + "/producao.pdf";
    std::string erro;
    ASSERT_TRUE(exportar_pdf(r, caminho, &erro)) << erro;
    EXPECT_EQ(teste::paginas_pdf(caminho), 1);
    const std::string texto = teste::texto_pdf(caminho);
    for (const char* parte : { "Mel do Panambi", "CPF 123.456.789-09", "Dourados/MS", "Produção por apiário",
                               "30,8", "60,2", "241,7", "Mel colhido por apiário", "Página 1 de 1" })
        EXPECT_NE(texto.find(parte), std::string::npos) << parte << "\n" << texto;

    // One apiary chosen: only its line, and its name in the header.
    FILTRO_RELATORIO um = ano("2025");
    um.apiarios = { 2 };
    const RELATORIO so = fazer("producao", um);
    EXPECT_EQ(mostradas(so.tabelas[0])[0][0], "Apiário Santa Luzia");
    EXPECT_EQ(so.tabelas[0].linhas.size(), 2u);
    EXPECT_EQ(so.filtros[1], "Apiário: Apiário Santa Luzia");
    // An apiary chosen that had no honey is listed with none.
    um.apiarios = { std::stoi(banco.valor("select id_apiario from cadastro.apiario a where not exists (select 1 from "
                                          "cadastro.colmeia c where c.id_apiario = a.id_apiario) and not exists "
                                          "(select 1 from cadastro.movimentacao m where m.id_destino = a.id_apiario)")) };
    const RELATORIO sem = fazer("producao", um);
    ASSERT_EQ(sem.tabelas[0].linhas.size(), 2u);
    EXPECT_EQ(mostradas(sem.tabelas[0])[0][3], "0,0");
}

TEST_F(RelatoriosBanco, PeriodoErradoRecusadoEVazioDito)
{
    struct Caso
    {
        const char* de;
        const char* ate;
        const char* motivo;
    };
    const Caso casos[] = {
        { "31/12/2025", "01/01/2025", "O período termina em 01/01/2025, antes de começar, em 31/12/2025: troque as datas." },
        { "31/02/2025", "01/03/2025", "A data inicial 31/02/2025 não existe: digite-a como DD/MM/AAAA." },
        { "01/01/2025", "2025-12-31", "A data final 2025-12-31 não existe: digite-a como DD/MM/AAAA." },
    };
    RELATORIOS_DO_BANCO fonte(q.get());
    for (const Caso& c : casos) {
        FILTRO_RELATORIO f;
        f.de = c.de;
        f.ate = c.ate;
        RELATORIO r;
        EXPECT_FALSE(fonte.montar(*tipo_de_relatorio("caderno-campo"), f, r)) << c.de;
        EXPECT_EQ(fonte.falha().motivo(), c.motivo);
    }
    // A period with nothing in it: the table says so.
    const RELATORIO r = fazer("caderno-campo", ano("1990"));
    ASSERT_EQ(r.tabelas.size(), 1u);
    EXPECT_TRUE(r.tabelas[0].linhas.empty());
    EXPECT_TRUE(r.vazio());
    const std::string caminho = teste::pasta_temporaria() + "/vazio.pdf";
    ASSERT_TRUE(exportar_pdf(r, caminho, nullptr));
    EXPECT_NE(teste::texto_pdf(caminho).find("Nenhum registro encontrado para os filtros escolhidos."),
              std::string::npos);
}

TEST_F(RelatoriosBanco, TratamentosComAsColmeiasEmCarenciaHojeNoTopo)
{
    const RELATORIO r = fazer("tratamentos", ano("2025"));
    ASSERT_EQ(r.tabelas.size(), 2u);
    const auto hoje = mostradas(r.tabelas[0]);
    ASSERT_EQ(hoje.size(), 1u);
    EXPECT_EQ(hoje[0][2], "3");
    EXPECT_EQ(hoje[0][8], banco.valor("select to_char(carencia_ate, 'DD/MM/YYYY') from cadastro.tratamento "
                                      "where id_colmeia = 3"));
    EXPECT_TRUE(r.tabelas[0].linhas[0].destaque);
    const auto periodo = mostradas(r.tabelas[1]);
    ASSERT_EQ(periodo.size(), 1u);
    EXPECT_EQ(periodo[0][0] + "|" + periodo[0][1] + "|" + periodo[0][2] + "|" + periodo[0][8],
              "01/02/2025|20/02/2025|1|22/03/2025");
}

TEST_F(RelatoriosBanco, OcorrenciasComAContagemMensalPorDoencaEMunicipio)
{
    const RELATORIO r = fazer("ocorrencias", ano("2025"));
    ASSERT_EQ(r.tabelas.size(), 2u);
    EXPECT_EQ(r.tabelas[0].linhas.size(), 4u);
    const TABELA esperado = banco.consultar(
        std::string("select to_char(x.data, 'MM/YYYY'), x.doenca, mu.nome || '/' || mu.estado, count(*)::text, "
                    "count(distinct x.id_colmeia)::text from (select o.*, o.data as dia from cadastro.ocorrencia o) x "
                    "join cadastro.colmeia c using (id_colmeia) join cadastro.apiario a on a.id_apiario = ") +
        APIARIO_NO_DIA + " join cadastro.municipio mu on mu.cod_cid = a.cod_cid "
                         "group by 1, 2, 3 order by 1, 2, 3");
    std::vector<std::vector<std::string>> contagem;
    for (const auto& l : mostradas(r.tabelas[1]))
        contagem.push_back({ l[0], l[1], l[2], l[3], l[4] });
    EXPECT_EQ(contagem, esperado);
    // The finding to be notified at once stands out, and the CSV has it.
    for (const LINHA_RELATORIO& l : r.tabelas[0].linhas)
        EXPECT_EQ(l.destaque, l.celulas[4].texto == "Cria pútrida americana");
    const std::string caminho = teste::pasta_temporaria() + "/ocorrencias.csv";
    ASSERT_TRUE(exportar_csv(r, caminho, nullptr));
    const auto csv = teste::ler_csv(teste::ler_arquivo(caminho));
    ASSERT_GE(csv.size(), 3u);
    EXPECT_EQ(csv[0], (std::vector<std::string> { "Ocorrências do período" }));
    EXPECT_EQ(csv[4][4], "Cria pútrida americana");
    EXPECT_EQ(csv[4][7], "notificação imediata");
}

TEST_F(RelatoriosBanco, CadaRelatorioEmPdfComSeuTitulo)
{
    for (const TIPO_RELATORIO& tipo : tipos_de_relatorio()) {
        FILTRO_RELATORIO f = ano("2025");
        if (std::string(tipo.nome) == "ficha-colmeia")
            f.colmeias = { 1 };   // a card is of one hive
        const RELATORIO r = fazer(tipo.nome, f);
        const std::string caminho = teste::pasta_temporaria() + "/r.pdf";
        std::string erro;
        ASSERT_TRUE(exportar_pdf(r, caminho, &erro)) << tipo.nome << ": " << erro;
        const std::string texto = teste::texto_pdf(caminho);
        EXPECT_NE(texto.find(tipo.titulo), std::string::npos) << tipo.nome;
        EXPECT_NE(texto.find("Mel do Panambi"), std::string::npos) << tipo.nome;
    }
    // The apiaries' registration: active hives where they stand, as of the end.
    const RELATORIO c = fazer("cadastro-apiarios", ano("2025"));
    const auto linhas = mostradas(c.tabelas[0]);
    ASSERT_EQ(linhas.size(), 4u);
    std::map<std::string, std::string> ativas;
    for (const auto& l : linhas)
        ativas[l[1]] = l[6];
    EXPECT_EQ(ativas["Apiário Boa Esperança"], "1");
    EXPECT_EQ(ativas["Apiário Três Irmãos"], "2");
    EXPECT_EQ(linhas[0][4] + " " + linhas[0][5], "-22.2211 -54.8056");
    // The field sheet lists the active hives of each apiary.
    const RELATORIO ficha = fazer("ficha-campo", FILTRO_RELATORIO());
    ASSERT_EQ(ficha.tabelas.size(), 3u);
    EXPECT_EQ(mostradas(ficha.tabelas[1])[0][5].compare(0, 5, "até "), 0) << mostradas(ficha.tabelas[1])[0][5];
}

// The field book of each apiary: the entries of the hives that stood in it
// on their day, a hive that moved in its first apiary before the move and
// in the other after, as SQL here places them.
TEST_F(RelatoriosBanco, CadernoDeCampoDeCadaApiarioComAsColmeiasQueLaEstavam)
{
    for (const int apiario : { 1, 2, 3 }) {
        FILTRO_RELATORIO f = ano("2025");
        f.apiarios = { apiario };
        const RELATORIO r = fazer("caderno-campo", f);
        ASSERT_EQ(r.tabelas.size(), 1u);
        std::vector<std::vector<std::string>> achado;
        for (const auto& l : mostradas(r.tabelas[0]))
            achado.push_back({ l[0], l[2], l[3] });
        std::vector<std::vector<std::string>> esperado;
        for (const LINHA& l : banco.consultar(
                 std::string("select to_char(x.dia, 'DD/MM/YYYY'), x.id_colmeia, x.tipo from (select d.*, d.data as "
                             "dia from cadastro.diario d where d.data between '2025-01-01' and '2025-12-31') x "
                             "join cadastro.colmeia c using (id_colmeia) where ") +
                 APIARIO_NO_DIA + " = " + std::to_string(apiario) + " order by x.dia, x.id_colmeia, x.tipo, x.id"))
            esperado.push_back({ l[0], l[1], l[2] });
        EXPECT_EQ(achado, esperado) << apiario;
        EXPECT_FALSE(esperado.empty()) << apiario;
    }
}

// A hive's card: asked of exactly one stored hive; its QR code holds the
// key; its queen with the colour she wears and how she was mated; its
// withdrawal; and its latest journal entries, newest first, as SQL here
// lists them.
TEST_F(RelatoriosBanco, FichaDaColmeiaComQrRainhaEUltimosRegistros)
{
    RELATORIOS_DO_BANCO fonte(q.get());
    const std::pair<std::vector<int>, std::string> recusas[] = {
        { {}, "A ficha da colméia é de uma colméia só: digite o número dela em Colméias." },
        { { 1, 2 }, "A ficha da colméia é de uma colméia só: digite o número dela em Colméias." },
        { { 99 }, "A colméia 99 não está cadastrada." },
    };
    for (const auto& c : recusas) {
        FILTRO_RELATORIO f;
        f.colmeias = c.first;
        RELATORIO r;
        EXPECT_FALSE(fonte.montar(*tipo_de_relatorio("ficha-colmeia"), f, r));
        EXPECT_EQ(fonte.falha().motivo(), c.second);
    }
    ASSERT_EQ(banco.executar("update cadastro.abelha_rainha set cor_marcacao = 'Verde', asa_cortada = true "
                             "where id_abelha = 5;"
                             "insert into cadastro.fecundacao (id_abelha, tipo, data) values "
                             "(5, 'Inseminação instrumental', '2025-01-10');"
                             "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg) select 3, "
                             "date '2024-01-01' + g, 'Ativa', 0 from generate_series(1, 20) g"),
              "");
    FILTRO_RELATORIO f;
    f.colmeias = { 3 };
    const RELATORIO r = fazer("ficha-colmeia", f);
    EXPECT_EQ(r.qr.texto, "3");
    const std::string rgn = banco.valor("select rgn from cadastro.abelha_rainha where id_abelha = 5");
    ASSERT_EQ(r.qr.legenda.size(), 3u);
    EXPECT_EQ(r.qr.legenda[0], "Colméia 3");
    EXPECT_EQ(r.qr.legenda[2], "Rainha " + rgn);
    ASSERT_EQ(r.tabelas.size(), 2u);
    std::map<std::string, std::string> dados;
    for (const auto& l : mostradas(r.tabelas[0]))
        dados[l[0]] = l[1];
    EXPECT_EQ(dados["Tipo"], "Schenk");
    EXPECT_EQ(dados["Apiário"], "Apiário Santa Luzia");
    EXPECT_EQ(dados["Rainha (RGN)"], rgn);
    EXPECT_EQ(dados["Marcação"], "Verde, asa cortada");
    EXPECT_EQ(dados["Fecundação"], "Inseminação instrumental, em 10/01/2025.");
    EXPECT_EQ(dados["Em carência"],
              "até " + banco.valor("select to_char(max(carencia_ate), 'DD/MM/YYYY') from cadastro.tratamento "
                                   "where id_colmeia = 3"));
    std::vector<std::vector<std::string>> esperado;
    for (const LINHA& l : banco.consultar("select to_char(data, 'DD/MM/YYYY'), tipo from cadastro.diario "
                                          "where id_colmeia = 3 order by data desc, tipo, id desc limit 15"))
        esperado.push_back({ l[0], l[1] });
    std::vector<std::vector<std::string>> ultimos;
    for (const auto& l : mostradas(r.tabelas[1]))
        ultimos.push_back({ l[0], l[1] });
    EXPECT_EQ(ultimos, esperado);
    EXPECT_EQ(ultimos.size(), 15u);

    // A hive with no queen says so.
    f.colmeias = { 4 };
    const RELATORIO sem = fazer("ficha-colmeia", f);
    ASSERT_EQ(sem.qr.legenda.size(), 3u);
    EXPECT_EQ(sem.qr.legenda[2], "Sem rainha");
    dados.clear();
    for (const auto& l : mostradas(sem.tabelas[0]))
        dados[l[0]] = l[1];
    EXPECT_EQ(dados["Rainha (RGN)"], "Sem rainha");
    EXPECT_EQ(dados["Marcação"], "");
    EXPECT_EQ(dados["Em carência"], "não");
}

// The command line: wrong arguments refused with status 2 and what is
// wrong, a database that cannot be reached with status 1, and a report
// written with status 0, run as the built program is, without a display.
TEST(LinhaDeComando, ArgumentosErradosDizemOQue)
{
    const std::pair<std::vector<std::string>, std::string> casos[] = {
        { {}, "Diga o nome do relatório (zumbrel relatorio --lista mostra os nomes)." },
        { { "--lista", "x" }, "--lista não leva outros argumentos." },
        { { "vendas", "--pdf", "a.pdf" },
          "Relatório desconhecido: vendas. Os relatórios são: cadastro-apiarios, caderno-campo, tratamentos, "
          "ocorrencias, movimentacoes, producao, rainhas, ficha-campo, ficha-colmeia, lotes, matrizes, colmeias, "
          "revisoes." },
        { { "producao" }, "Diga onde gravar o relatório: --pdf ARQUIVO ou --csv ARQUIVO." },
        { { "producao", "--pdf", "a.pdf", "--csv", "a.csv" }, "Use --pdf ou --csv, não os dois." },
        { { "producao", "--pdf", "a.pdf", "--pdf", "b.pdf" }, "--pdf foi dado duas vezes." },
        { { "producao", "--de" }, "--de precisa de um valor." },
        { { "producao", "--de", "31/02/2025", "--pdf", "a.pdf" },
          "--de 31/02/2025: a data não existe; escreva-a como DD/MM/AAAA." },
        { { "producao", "--apiario", "0", "--pdf", "a.pdf" },
          "--apiario 0: escreva o código, um número maior que zero." },
        { { "producao", "--apiario", "x'; drop table cadastro.apiario; --", "--pdf", "a.pdf" },
          "--apiario x'; drop table cadastro.apiario; --: escreva o código, um número maior que zero." },
        { { "producao", "--formato", "pdf" }, "Opção desconhecida: --formato." },
        { { "producao", "--de", "02/01/2025", "--ate", "01/01/2025", "--csv", "a.csv" },
          "O período termina em 01/01/2025, antes de começar, em 02/01/2025: troque as datas." },
    };
    for (const auto& c : casos) {
        PEDIDO_RELATORIO p;
        std::string erro;
        EXPECT_FALSE(ler_pedido(c.first, &p, &erro)) << c.second;
        EXPECT_EQ(erro, c.second);
    }
    PEDIDO_RELATORIO p;
    std::string erro;
    ASSERT_TRUE(ler_pedido({ "producao", "--de", "01/01/2025", "--apiario", "2", "--apiario", "3", "--csv", "p.csv" },
                           &p, &erro))
        << erro;
    EXPECT_EQ(p.tipo->titulo, std::string("Produção por apiário"));
    EXPECT_EQ(p.filtro.apiarios, (std::vector<int> { 2, 3 }));
    EXPECT_EQ(p.csv, "p.csv");

    std::vector<int> chaves;
    EXPECT_TRUE(ler_chaves(" 3, 7 12;", &chaves, &erro));
    EXPECT_EQ(chaves, (std::vector<int> { 3, 7, 12 }));
    for (const char* ruim : { "3,x", "0", "-2", "1.5", "9999999999" }) {
        EXPECT_FALSE(ler_chaves(ruim, &chaves, &erro)) << ruim;
        EXPECT_EQ(erro, "Digite os números das colméias separados por vírgulas, como 3, 7, 12.");
        EXPECT_TRUE(chaves.empty());
    }
}

TEST_F(RelatoriosBanco, ProgramaNaLinhaDeComando)
{
    const std::string pasta = teste::pasta_temporaria();
    banco.escrever_conf(pasta);
    const std::string programa = "cd '" + pasta + "' && env -u DISPLAY " + ZUMBREL_PROGRAMA + " relatorio ";
    struct Caso
    {
        std::string argumentos;
        int status;
        std::string saida;   // a part of what it writes
    };
    const Caso casos[] = {
        { "--lista", 0, "producao\tProdução por apiário\n" },
        { "producao --de 01/01/2025 --ate 31/12/2025 --pdf p.pdf", 0, "Relatório gravado em p.pdf.\n" },
        { "ocorrencias --de 01/01/2025 --ate 31/12/2025 --csv o.csv", 0, "Relatório gravado em o.csv.\n" },
        { "producao --pdf falta/p.pdf", 1,
          "zumbrel: Não foi possível gravar o arquivo falta/p.pdf: a pasta não existe.\n" },
        { "producao --ate 01/01/2025 --de 02/01/2025 --pdf p.pdf", 2, "troque as datas.\nUso: zumbrel relatorio NOME" },
        { "nada --pdf p.pdf", 2, "Relatório desconhecido: nada." },
    };
    for (const Caso& c : casos) {
        int status = -1;
        const std::string saida = teste::rodar_comando(programa + c.argumentos + " 2>&1", &status);
        EXPECT_EQ(status, c.status) << c.argumentos << "\n" << saida;
        EXPECT_NE(saida.find(c.saida), std::string::npos) << c.argumentos << "\n" << saida;
        // Only the command's own lines: no statement of the trace.
        EXPECT_EQ(saida.find("select"), std::string::npos) << saida;
    }
    EXPECT_NE(teste::texto_pdf(pasta + "/p.pdf").find("241,7"), std::string::npos);
    const auto csv = teste::ler_csv(teste::ler_arquivo(pasta + "/o.csv"));
    ASSERT_EQ(csv.size(), 12u);
    EXPECT_EQ(csv[10], (std::vector<std::string> { "04/2025", "Varroose", "Dourados/MS", "2", "2", "notificação mensal" }));

    // A database that cannot be reached: status 1 and why.
    const std::string sem_banco = teste::pasta_temporaria();
    int status = -1;
    const std::string saida = teste::rodar_comando("cd '" + sem_banco + "' && env -u DISPLAY " +
                                                   std::string(ZUMBREL_PROGRAMA) + " relatorio rainhas --pdf r.pdf 2>&1",
                                                   &status);
    EXPECT_EQ(status, 1) << saida;
    EXPECT_NE(saida.find("zumbrel: não foi possível falar com o banco de dados de conf/db.conf"), std::string::npos)
        << saida;
    EXPECT_FALSE(teste::existe(sem_banco + "/r.pdf"));
}

// A table's rows read from a result are the rows the same values given one
// by one would be: texts, whole numbers (an empty one is 0), decimals, and
// the bold ones; rows given before go first, and those given after last.
TEST_F(RelatoriosBanco, LinhasLidasDeUmResultadoComoAsDadasUmaAUma)
{
    const RESULTADO res = q->ativar(q->descrever(INSTRUCAO::CONSULTAR,
                                                 "(values ('Boa Esperança', '7', '12.50', 'leve'), "
                                                 "('Três Irmãos', '', '3', 'grave')) v(a, n, d, m)",
                                                 { "a", "n", "d", "m" }));
    ASSERT_EQ(res.registros(), 2);
    const LINHA_RELATORIO dada { { CELULA::de_texto("Total"), CELULA::de_numero(7, 0) }, true };
    const std::vector<std::string> lidas[] = { { "Boa Esperança", "7", "12,5", "leve" },
                                               { "Três Irmãos", "0", "3,0", "grave" } };
    for (const bool antes : { false, true }) {
        for (const bool todas : { false, true }) {
            TABELA_RELATORIO t;
            if (antes)
                t.linhas.push_back(dada);
            t.linhas.ler(res.linhas, { LINHAS_RELATORIO::TEXTO, 0, 1 }, todas, 3, "grave");
            if (!antes)
                t.linhas.push_back(dada);
            const auto s = mostradas(t);
            ASSERT_EQ(s.size(), 3u);
            const std::size_t primeira = antes ? 1 : 0;
            EXPECT_EQ(s[antes ? 0 : 2], (std::vector<std::string> { "Total", "7" }));
            for (std::size_t k = 0; k < 2; ++k) {
                EXPECT_EQ(s[primeira + k], lidas[k]) << antes << todas;
                EXPECT_EQ(t.linhas[primeira + k].destaque, todas || k == 1) << antes << todas;
                EXPECT_EQ(t.linhas[primeira + k].celulas[1].numero, true);
                EXPECT_EQ(t.linhas[primeira + k].celulas[3].numero, false);
            }
        }
    }
}
