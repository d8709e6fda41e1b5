// Honey lots through their data-access class: the withdrawal guard at its
// edges, kilos never counted twice (two desktops at the same moment too),
// codes and totals, annulment, the trace of a lot whose hives moved, two
// desktops on one lot, and every text field keeping a hostile text.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include "db/modelo_teste.h"
#include "model/colmeia.h"
#include "model/diario.h"
#include "model/lote_mel.h"
#include "relatorios/catalogo.h"
#include "support/textos_hostis.h"

namespace {

enum { AMITRAZ = 1, TIMOL = 2 };

class Lotes : public teste::ModeloTeste
{
protected:
    void SetUp() override
    {
        teste::ModeloTeste::SetUp();
        diario.reset(new DIARIO(q.get()));
        lotes.reset(new LOTE_MEL(q.get()));
        COLMEIA colmeias(q.get());
        // Hives 1 and 2 in apiary 1 (Dourados), 3 in apiary 3.
        for (int apiario : { 1, 1, 3 }) {
            COLMEIAS c;
            c.tipo = "Langstroth";
            c.status = "Ativa";
            c.id_apiario = apiario;
            ASSERT_TRUE(colmeias.inserir(&c)) << colmeias.falha().motivo();
        }
    }

    // A harvest of `kg` from hive `colmeia` on `data`: its key.
    int colher(int colmeia, const std::string& data, const std::string& kg)
    {
        COLHEITAS c;
        c.data = data;
        c.quilos = kg;
        EXPECT_TRUE(diario->colher(c, { colmeia })) << diario->falha().motivo();
        return std::stoi(banco.valor("select max(id_colheita) from cadastro.colheita"));
    }

    void tratar(int colmeia, int produto, const std::string& inicio, const std::string& fim)
    {
        TRATAMENTOS t;
        t.id_produto = produto;
        t.inicio = inicio;
        t.fim = fim;
        ASSERT_TRUE(diario->tratar(t, { colmeia })) << diario->falha().motivo();
    }

    static LOTES_MEL lote(const std::string& extracao, std::vector<std::pair<int, std::string>> partes,
                          Origem origem = Origem::COLHEITA)
    {
        LOTES_MEL l;
        l.extracao = extracao;
        for (const auto& p : partes) {
            PARTE_LOTE parte;
            parte.origem = origem;
            parte.id_colheita = p.first;
            parte.quilos = p.second;
            l.partes.push_back(parte);
        }
        return l;
    }

    std::unique_ptr<DIARIO> diario;
    std::unique_ptr<LOTE_MEL> lotes;
};

// A harvest on or after the first day of a treatment and on or before the
// end of its withdrawal goes into no lot; the window's list says why with
// the hive, the product and the day; the treatment keeps the period it was
// given when its product's changes later.
TEST_F(Lotes, CarenciaNasBordas)
{
    // Timol: 30 days after 10/03/2025, to 09/04/2025; amitraz, 14 days after
    // 05/04/2025, to 19/04/2025.
    tratar(1, TIMOL, "01/03/2025", "10/03/2025");
    tratar(1, AMITRAZ, "01/04/2025", "05/04/2025");
    ASSERT_EQ(banco.executar("update cadastro.produto set carencia_dias = 0 where id_produto = 2"), "");
    struct Caso
    {
        const char* data;
        const char* produto;   // "" when the harvest may go into a lot
        const char* ate;
    } casos[] = {
        { "28/02/2025", "", "" },
        { "01/03/2025", "Timol em gel (exemplo)", "09/04/2025" },
        { "20/03/2025", "Timol em gel (exemplo)", "09/04/2025" },
        { "09/04/2025", "Tiras de amitraz (exemplo)", "19/04/2025" },
        { "15/04/2025", "Tiras de amitraz (exemplo)", "19/04/2025" },
        { "19/04/2025", "Tiras de amitraz (exemplo)", "19/04/2025" },
        { "20/04/2025", "", "" },
    };
    for (const Caso& c : casos) {
        const int id = colher(1, c.data, "10");
        FILTRO_COLHEITAS f;
        f.de = f.ate = c.data;
        const std::vector<COLHEITA_LOTE> lista = lotes->colheitas(f);
        ASSERT_EQ(lista.size(), 1u) << c.data;
        EXPECT_EQ(lista[0].carencia_produto, c.produto) << c.data;
        EXPECT_EQ(lista[0].carencia_ate, c.ate) << c.data;
        LOTES_MEL l = lote("30/04/2025", { { id, "10" } });
        const bool livre = std::string(c.produto).empty();
        EXPECT_EQ(lotes->inserir(&l), livre) << c.data;
        if (!livre) {
            EXPECT_EQ(lotes->falha().restricao, "lote_mel_colheita_em_carencia");
            EXPECT_EQ(lotes->falha().motivo(), "A colheita de " + std::string(c.data) + " da colméia 1 foi feita em "
                                                   "carência de " + c.produto + " (até " + c.ate +
                                                   "): ela não pode entrar em um lote.");
        }
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.lote_mel"), "2");
    // Another hive's treatment does not hold this one's honey.
    const int outra = colher(2, "20/03/2025", "5");
    LOTES_MEL l = lote("30/04/2025", { { outra, "5" } });
    EXPECT_TRUE(lotes->inserir(&l)) << lotes->falha().motivo();
}

// Each kilo goes into one lot at most: a harvest splits between lots by its
// kilos, the totals agree, an annulled lot frees its kilos and stays as it
// was, and a lot with an invoice is not deleted.
TEST_F(Lotes, QuilosContadosUmaVez)
{
    const int id = colher(1, "10/01/2025", "30");
    LOTES_MEL a = lote("15/01/2025", { { id, "20" } });
    ASSERT_TRUE(lotes->inserir(&a)) << lotes->falha().motivo();
    LOTES_MEL b = lote("16/01/2025", { { id, "10" } });
    ASSERT_TRUE(lotes->inserir(&b)) << lotes->falha().motivo();
    LOTES_MEL c = lote("17/01/2025", { { id, "0,001" } });
    EXPECT_FALSE(lotes->inserir(&c));
    EXPECT_EQ(lotes->falha().restricao, "lote_mel_excede_colheita");
    EXPECT_NE(lotes->falha().motivo().find("restam 0 kg"), std::string::npos) << lotes->falha().motivo();
    EXPECT_EQ(c.id, 0);
    EXPECT_EQ(banco.valor("select sum(mel_kg) from cadastro.lote_mel_colheita"), "30.000");
    FILTRO_COLHEITAS f;
    EXPECT_TRUE(lotes->colheitas(f).empty());
    // The lot being built counts its own kilos as free.
    f.id_lote = a.id;
    ASSERT_EQ(lotes->colheitas(f).size(), 1u);
    EXPECT_EQ(lotes->colheitas(f)[0].disponivel, "20");
    EXPECT_EQ(lotes->colheitas(f)[0].em_outros_lotes, "10");
    a = lotes->get_lote(a.id);
    a.partes[0].quilos = "20,5";
    EXPECT_FALSE(lotes->atualizar(&a));
    EXPECT_EQ(lotes->get_lote(a.id).total, "20");

    b = lotes->get_lote(b.id);
    b.nota_fiscal = "NF 123";
    ASSERT_TRUE(lotes->atualizar(&b)) << lotes->falha().motivo();
    b = lotes->get_lote(b.id);
    EXPECT_FALSE(lotes->deletar(b.id, b.versao));
    EXPECT_EQ(lotes->falha().restricao, "lote_mel_em_uso");
    EXPECT_FALSE(lotes->anular(b.id, "  ", b.versao));
    ASSERT_TRUE(lotes->anular(b.id, "Nota cancelada", b.versao)) << lotes->falha().motivo();
    b = lotes->get_lote(b.id);
    EXPECT_TRUE(b.anulado());
    EXPECT_EQ(b.total, "10");
    b.obs = "mudada";
    EXPECT_FALSE(lotes->atualizar(&b));
    EXPECT_EQ(lotes->falha().restricao, "lote_mel_anulado");
    EXPECT_FALSE(lotes->deletar(b.id));
    // The annulled lot's kilos go into another lot.
    c = lote("17/01/2025", { { id, "10" } });
    EXPECT_TRUE(lotes->inserir(&c)) << lotes->falha().motivo();
    // The harvest in lots keeps its hive and day and gives no less honey.
    EXPECT_NE(banco.executar("update cadastro.colheita set mel_kg = 29 where id_colheita = " + std::to_string(id)), "");
    EXPECT_NE(banco.executar("update cadastro.colheita set data = '2025-01-11'"), "");
    EXPECT_EQ(banco.executar("update cadastro.colheita set mel_kg = 31, obs = 'pesada de novo'"), "");
    // A lot without an invoice is deleted, and its kilos are free again.
    EXPECT_TRUE(lotes->deletar(c.id)) << lotes->falha().motivo();
    f.id_lote = 0;
    ASSERT_EQ(lotes->colheitas(f).size(), 1u);
    EXPECT_EQ(lotes->colheitas(f)[0].disponivel, "11");
}

// Two desktops build lots from the same harvest at the same moment: the
// second waits for the first and is refused; nothing is counted twice.
TEST_F(Lotes, DuasEstacoesNaMesmaColheita)
{
    const int id = colher(1, "10/01/2025", "30");
    const std::string parte = "insert into cadastro.lote_mel_colheita (id_lote, id_colheita, mel_kg) "
                              "values (currval(pg_get_serial_sequence('cadastro.lote_mel', 'id_lote')), " +
                              std::to_string(id) + ", 30);";
    PGconn* um = PQconnectdb(teste::conexao_app(banco.nome()).c_str());
    PGconn* dois = PQconnectdb(teste::conexao_app(banco.nome()).c_str());
    ASSERT_EQ(PQstatus(um), CONNECTION_OK);
    ASSERT_EQ(PQstatus(dois), CONNECTION_OK);
    auto rodar = [](PGconn* c, const std::string& sql) {
        PGresult* r = PQexec(c, sql.c_str());
        const std::string erro = PQresultStatus(r) == PGRES_FATAL_ERROR ? PQresultErrorMessage(r) : "";
        PQclear(r);
        return erro;
    };
    ASSERT_EQ(rodar(um, "begin; insert into cadastro.lote_mel (data_extracao) values ('2025-01-20'); " + parte), "");
    ASSERT_EQ(PQsendQuery(dois, ("begin; insert into cadastro.lote_mel (data_extracao) values ('2025-01-20'); " +
                                 parte + " commit;").c_str()),
              1);
    ASSERT_EQ(rodar(um, "commit"), "");
    std::string erro_dois;
    while (PGresult* r = PQgetResult(dois)) {
        if (PQresultStatus(r) == PGRES_FATAL_ERROR) {
            const char* restricao = PQresultErrorField(r, PG_DIAG_CONSTRAINT_NAME);
            erro_dois = restricao ? restricao : PQresultErrorMessage(r);
        }
        PQclear(r);
    }
    rodar(dois, "rollback");
    PQfinish(um);
    PQfinish(dois);
    EXPECT_EQ(erro_dois, "lote_mel_excede_colheita");
    EXPECT_EQ(banco.valor("select count(*) || ' ' || sum(mel_kg) from cadastro.lote_mel_colheita"), "1 30.000");
    // The program on a list read before: refused, naming the harvest.
    LOTES_MEL l = lote("20/01/2025", { { id, "5" } });
    EXPECT_FALSE(lotes->inserir(&l));
    EXPECT_NE(lotes->falha().motivo().find("A colheita de 10/01/2025 da colméia 1 deu 30 kg, e 30 kg dela já estão"),
              std::string::npos)
        << lotes->falha().motivo();
}

// Codes are the year and its next number unless typed, and unique; the
// total is the sum of the parts; what a lot needs is checked first.
TEST_F(Lotes, CodigoTotalECampos)
{
    const int um = colher(1, "10/01/2025", "12,5");
    const int dois = colher(2, "11/01/2025", "7,25");
    LOTES_MEL a = lote("20/01/2025", { { um, "12,5" }, { dois, "7,25" } });
    ASSERT_TRUE(lotes->inserir(&a)) << lotes->falha().motivo();
    EXPECT_EQ(a.codigo, "2025-001");
    EXPECT_EQ(lotes->get_lote(a.id).total, "19,75");
    const int tres = colher(3, "01/02/2026", "1");
    LOTES_MEL b = lote("02/02/2026", { { tres, "0,5" } });
    b.codigo = "  MEU-7 ";
    ASSERT_TRUE(lotes->inserir(&b)) << lotes->falha().motivo();
    EXPECT_EQ(lotes->get_lote(b.id).codigo, "MEU-7");
    LOTES_MEL c = lote("03/02/2026", { { tres, "0,5" } });
    c.codigo = "MEU-7";
    EXPECT_FALSE(lotes->inserir(&c));
    EXPECT_EQ(lotes->falha().restricao, "lote_mel_codigo_unico");
    c.codigo = "";
    ASSERT_TRUE(lotes->inserir(&c)) << lotes->falha().motivo();
    EXPECT_EQ(c.codigo, "2026-001");
    EXPECT_EQ(lotes->listar().front().codigo, "2026-001");

    struct Caso
    {
        void (*mudar)(LOTES_MEL&);
        const char* motivo;
    } casos[] = {
        { [](LOTES_MEL& l) { l.extracao = "31/02/2025"; }, "A data de extração" },
        { [](LOTES_MEL& l) { l.umidade = "100,5"; }, "A umidade" },
        { [](LOTES_MEL& l) { l.umidade = "18,25"; }, "A umidade" },
        { [](LOTES_MEL& l) { l.tambores = "0"; }, "O número de tambores" },
        { [](LOTES_MEL& l) { l.inspecao = "SIX"; }, "Escolha o serviço de inspeção" },
        { [](LOTES_MEL& l) { l.partes.clear(); }, "Escolha as colheitas" },
        { [](LOTES_MEL& l) { l.partes[0].quilos = "0"; }, "Os quilos de cada colheita" },
        { [](LOTES_MEL& l) { l.extracao = "09/01/2025"; }, "A colheita de 10/01/2025 da colméia 1 é posterior" },
    };
    const int quatro = colher(1, "10/01/2025", "3");
    for (const Caso& caso : casos) {
        LOTES_MEL l = lote("20/01/2025", { { quatro, "1" } });
        caso.mudar(l);
        EXPECT_FALSE(lotes->inserir(&l)) << caso.motivo;
        EXPECT_EQ(lotes->falha().motivo().rfind(caso.motivo, 0), 0u) << lotes->falha().motivo();
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.lote_mel"), "3");

    for (const auto& [texto, g] : std::vector<std::pair<std::string, long long>>{
             { "12,5", 12500 }, { "0,001", 1 }, { "7.25", 7250 }, { "", 0 }, { "x", 0 }, { "1000000", 1000000000 } })
        EXPECT_EQ(gramas(texto), g) << texto;
    EXPECT_EQ(quilos(19750), "19,75");
    EXPECT_EQ(quilos(3000), "3");
    EXPECT_EQ(quilos(1), "0,001");
}

// A lot traces to the apiary each hive stood in and the queen heading it
// on the harvest's day, and to the treatments, findings and moves of its
// hives in the months before the extraction; hives and apiaries trace back
// to their lots.
TEST_F(Lotes, RastroComColmeiaQueMudouDeApiario)
{
    ASSERT_EQ(banco.executar("insert into cadastro.rainha_colmeia (id_colmeia, desde, id_abelha) values "
                             "(1, '2024-01-01', 4), (1, '2025-03-01', 5)"),
              "");
    const std::string rgn4 = banco.valor("select rgn from cadastro.abelha_rainha where id_abelha = 4");
    const std::string rgn5 = banco.valor("select rgn from cadastro.abelha_rainha where id_abelha = 5");
    const int antes = colher(1, "01/02/2025", "10");
    MOVIMENTACOES m;
    m.id_destino = 2;
    m.data = "01/03/2025";
    m.gta = "GTA-9";
    m.finalidade = "Florada";
    ASSERT_TRUE(diario->mover(m, { 1 })) << diario->falha().motivo();
    const int depois = colher(1, "15/03/2025", "8");
    tratar(1, 3, "01/05/2024", "02/05/2024");   // 11 months before: traced
    tratar(1, 3, "01/03/2024", "02/03/2024");   // 13 months before: only with a longer period
    OCORRENCIAS o;
    o.id_colmeia = 1;
    o.data = "10/02/2025";
    o.doenca = "Varroose";
    ASSERT_TRUE(diario->registrar(&o));
    LOTES_MEL l = lote("01/04/2025", { { antes, "10" }, { depois, "8" } });
    ASSERT_TRUE(lotes->inserir(&l)) << lotes->falha().motivo();

    const std::vector<LINHA_RASTRO> rastro = lotes->rastrear(l.id);
    std::vector<std::string> vistas;
    for (const LINHA_RASTRO& r : rastro)
        vistas.push_back(std::string(nome_do_rastro(r.tipo)) + " " + std::to_string(r.id) + " " + r.data);
    EXPECT_EQ(vistas, (std::vector<std::string>{
                          "Tratamento " + banco.valor("select min(id_tratamento) from cadastro.tratamento where inicio = '2024-05-01'") + " 01/05/2024",
                          "Colheita 1 01/02/2025", "Apiário 1 01/02/2025", "Rainha 4 01/02/2025",
                          "Ocorrência " + std::to_string(o.id) + " 10/02/2025",
                          "Movimentação " + banco.valor("select id_movimentacao from cadastro.movimentacao") + " 01/03/2025",
                          "Colheita 1 15/03/2025", "Apiário 2 15/03/2025", "Rainha 5 15/03/2025" }));
    for (const LINHA_RASTRO& r : rastro) {
        std::string esperado;
        switch (r.tipo) {
        case Rastro::RAINHA: esperado = "Rainha " + (r.id == 4 ? rgn4 : rgn5); break;
        case Rastro::APIARIO:
            esperado = banco.valor("select m.nome || '/' || m.estado from cadastro.apiario a join cadastro.municipio m "
                                   "using (cod_cid) where id_apiario = " + std::to_string(r.id));
            break;
        case Rastro::MOVIMENTACAO: esperado = "GTA GTA-9"; break;
        case Rastro::OCORRENCIA: esperado = "Varroose (notificação mensal)"; break;
        default: continue;
        }
        EXPECT_NE(r.descricao.find(esperado), std::string::npos) << r.descricao;
    }
    EXPECT_EQ(lotes->rastrear(l.id, 24).size(), rastro.size() + 1);
    // The municipalities of origin are those of the apiaries of the harvests' days.
    std::vector<std::string> municipios;
    for (const LINHA& m : banco.consultar("select distinct m.nome || '/' || m.estado, m.nome, m.estado from "
                                          "cadastro.apiario a join cadastro.municipio m using (cod_cid) "
                                          "where id_apiario in (1, 2) order by 2, 3"))
        municipios.push_back(m[0]);
    EXPECT_EQ(lotes->municipios(l.id), municipios);

    // Each line says the kilos of that hive or apiary in the lot.
    for (const auto& [rastros, texto] : std::vector<std::pair<std::vector<LINHA_RASTRO>, std::string>>{
             { lotes->lotes_da_colmeia(1), "Lote 2025-001: 18 kg" }, { lotes->lotes_da_colmeia(2), "" },
             { lotes->lotes_do_apiario(1), "Lote 2025-001: 10 kg" }, { lotes->lotes_do_apiario(2), "Lote 2025-001: 8 kg" },
             { lotes->lotes_do_apiario(3), "" } }) {
        ASSERT_EQ(rastros.size(), texto.empty() ? 0u : 1u) << texto;
        if (!texto.empty()) {
            EXPECT_EQ(rastros[0].descricao, texto);
            EXPECT_EQ(rastros[0].id, l.id);
        }
    }
    // Today the hive stands in apiary 2: an apiary's lots go by the day.
    ASSERT_EQ(banco.valor("select id_apiario from cadastro.colmeia where id_colmeia = 1"), "2");
}

// A lot saved or annulled from what another desktop changed since is refused.
TEST_F(Lotes, DuasEstacoesNoMesmoLote)
{
    const int id = colher(1, "10/01/2025", "30");
    LOTES_MEL l = lote("15/01/2025", { { id, "20" } });
    ASSERT_TRUE(lotes->inserir(&l));
    LOTES_MEL aqui = lotes->get_lote(l.id);
    QUERY outra(conf.c_str());
    teste::entrar_como_administrador(outra);
    LOTE_MEL la(&outra);
    LOTES_MEL dela = la.get_lote(l.id);
    dela.partes[0].quilos = "25";
    ASSERT_TRUE(la.atualizar(&dela)) << la.falha().motivo();
    aqui.obs = "daqui";
    EXPECT_FALSE(lotes->atualizar(&aqui));
    EXPECT_TRUE(lotes->falha().conflito());
    EXPECT_FALSE(lotes->anular(l.id, "engano", aqui.versao));
    EXPECT_FALSE(lotes->deletar(l.id, aqui.versao));
    EXPECT_EQ(lotes->get_lote(l.id).total, "25");
}

// Every text field of a lot and of a harvest keeps a hostile text.
TEST_F(Lotes, TextosHostisVoltamComoForam)
{
    int n = 0;
    for (const std::string& texto : teste::corpus_hostil()) {
        ++n;
        COLHEITAS c;
        c.data = "10/01/2025";
        c.quilos = "1";
        c.obs = texto;
        ASSERT_TRUE(diario->colher(c, { 1 })) << teste::mostrar(texto);
        const int id = std::stoi(banco.valor("select max(id_colheita) from cadastro.colheita"));
        EXPECT_EQ(diario->get_colheita(id).obs, texto);
        LOTES_MEL l = lote("15/01/2025", { { id, "1" } });
        l.codigo = "L" + std::to_string(n) + texto;
        l.destino = texto;
        l.numero_inspecao = texto;
        l.nota_fiscal = texto;
        l.obs = texto;
        ASSERT_TRUE(lotes->inserir(&l)) << teste::mostrar(texto) << lotes->falha().motivo();
        LOTES_MEL lido = lotes->get_lote(l.id);
        // The code is kept without the spaces around it.
        EXPECT_EQ(lido.codigo, l.codigo.substr(0, l.codigo.find_last_not_of(' ') + 1));
        EXPECT_EQ(lido.destino, texto);
        EXPECT_EQ(lido.numero_inspecao, texto);
        EXPECT_EQ(lido.nota_fiscal, texto);
        EXPECT_EQ(lido.obs, texto);
        ASSERT_TRUE(lotes->anular(l.id, "M" + texto, lido.versao)) << teste::mostrar(texto);
        EXPECT_EQ(lotes->get_lote(l.id).motivo_anulacao, "M" + texto);
    }
}

} // namespace

// The report of the lots of a period: each lot with its kilos and
// destination, an annulled one marked and out of the total, and where each
// lot's honey came from (the apiary of the harvest's day, the queen then).
TEST_F(Lotes, RelatorioDosLotesDoPeriodo)
{
    ASSERT_EQ(banco.executar("insert into cadastro.rainha_colmeia (id_colmeia, desde, id_abelha) values (1, '2024-01-01', 4)"),
              "");
    const int um = colher(1, "10/01/2025", "12,5");
    const int dois = colher(3, "11/01/2025", "7");
    LOTES_MEL a = lote("20/01/2025", { { um, "12,5" } });
    a.destino = "Entreposto";
    a.inspecao = "SIF";
    a.numero_inspecao = "99";
    ASSERT_TRUE(lotes->inserir(&a)) << lotes->falha().motivo();
    LOTES_MEL b = lote("21/01/2025", { { dois, "7" } });
    ASSERT_TRUE(lotes->inserir(&b));
    ASSERT_TRUE(lotes->anular(b.id, "engano", lotes->get_lote(b.id).versao));
    LOTES_MEL fora = lote("01/03/2025", { { colher(2, "20/02/2025", "3"), "3" } });
    ASSERT_TRUE(lotes->inserir(&fora));

    RELATORIOS_DO_BANCO fonte(q.get());
    FILTRO_RELATORIO f;
    f.de = "01/01/2025";
    f.ate = "31/01/2025";
    RELATORIO r;
    ASSERT_TRUE(fonte.montar(*tipo_de_relatorio("lotes"), f, r)) << fonte.falha().motivo();
    ASSERT_EQ(r.tabelas.size(), 2u);
    auto textos = [](const LINHA_RELATORIO& l) {
        std::string s;
        for (const CELULA& c : l.celulas)
            s += c.mostrado() + "|";
        return s;
    };
    const TABELA_RELATORIO& t = r.tabelas[0];
    ASSERT_EQ(t.linhas.size(), 3u);
    EXPECT_EQ(textos(t.linhas[0]), "2025-001|20/01/2025||12,5|1||Entreposto (SIF 99)|||");
    EXPECT_EQ(textos(t.linhas[1]).substr(0, 9), "2025-002|");
    EXPECT_NE(textos(t.linhas[1]).find("|anulado|"), std::string::npos) << textos(t.linhas[1]);
    EXPECT_EQ(textos(t.linhas[2]), "Total|||12,5||||||");
    EXPECT_TRUE(t.linhas[2].destaque);
    const TABELA_RELATORIO& o = r.tabelas[1];
    ASSERT_EQ(o.linhas.size(), 2u);
    const std::string municipio = banco.valor("select m.nome || '/' || m.estado from cadastro.apiario a join "
                                              "cadastro.municipio m using (cod_cid) where id_apiario = 1");
    EXPECT_EQ(textos(o.linhas[0]), "2025-001|1|10/01/2025|" +
                                       banco.valor("select nome from cadastro.apiario where id_apiario = 1") + "|" +
                                       municipio + "|" +
                                       banco.valor("select trim(latitude || ' ' || longitude) from cadastro.apiario "
                                                   "where id_apiario = 1") +
                                       "|" + banco.valor("select rgn from cadastro.abelha_rainha where id_abelha = 4") +
                                       "|12,5|");
    // Only the lots with honey of the apiary filtered.
    f.apiarios = { 3 };
    ASSERT_TRUE(fonte.montar(*tipo_de_relatorio("lotes"), f, r));
    ASSERT_EQ(r.tabelas[0].linhas.size(), 2u);
    EXPECT_EQ(r.tabelas[0].linhas[0].celulas[0].texto, "2025-002");
}
