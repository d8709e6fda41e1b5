// The main window's panel read from the database: each apiary's hives by
// status, honey of this season and of the same days of the last one (where
// each hive stood on the harvest's day), the hives in withdrawal, the last
// inspection and the steps due, all set against SQL written here; the mark
// of an apiary left unvisited; the same few statements whatever the number
// of hives; and the parts a login may not read left empty, the others read.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/painel.h"
#include "relatorios/formato.h"

namespace {

class Painel : public teste::ModeloTeste
{
protected:
    void preparar() override
    {
        // Hives 1 and 2 in apiary 1, 3 and 4 (dead) in 2, 5 moved from 2 to
        // 3 ten days ago; inspections of 3, 40 and 45 days ago; honey of
        // this season, of the same days of the last, and of the last one
        // after today's day (not counted); a withdrawal in force and one
        // over; a batch of hive 1 a step overdue, one of no hive due today.
        const char* const sql[] = {
            "insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario) values "
            "(1, 'Langstroth', 'Ativa', 1), (2, 'Langstroth', 'Ativa', 1), (3, 'Langstroth', 'Ativa', 2), "
            "(4, 'Langstroth', 'Morta', 2), (5, 'Núcleo', 'Ativa', 2)",
            "insert into cadastro.movimentacao (id_colmeia, data, id_origem, id_destino, finalidade) "
            "values (5, current_date - 10, 2, 3, 'Florada')",
            "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg) values "
            "(1, current_date - 3, 'Ativa', 10.5), (2, current_date - 40, 'Fraca', 0), "
            "(3, current_date - 45, 'Ativa', 0)",
            "insert into cadastro.colheita (id_colmeia, data, mel_kg) values "
            "(1, (current_date - interval '1 year')::date, 7), "
            "(1, (current_date - interval '1 year')::date + 1, 100), "
            "(5, current_date - 20, 4), (5, current_date - 2, 2.25)",
            "insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim) select 1, id_produto, "
            "current_date - 10, current_date - 2 from cadastro.produto where nome like 'Tiras%'",
            "insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim) select 3, id_produto, "
            "current_date - 100, current_date - 90 from cadastro.produto where nome like 'Tiras%'",
            "insert into cadastro.criacao (id_matriz, id_recria, enxertia, larvas) values "
            "(4, 1, current_date - 2, 20), (4, null, current_date - 1, 10)",
        };
        for (const char* s : sql)
            ASSERT_EQ(banco.executar(s), "") << s;
    }

    const RESUMO_APIARIO* achar(const QUADRO_PAINEL& q, int id)
    {
        for (const RESUMO_APIARIO& r : q.apiarios) {
            if (r.id == id)
                return &r;
        }
        return nullptr;
    }
};

} // namespace

TEST_F(Painel, NumerosDeCadaApiarioConferemComOBanco)
{
    PAINEL painel(q.get());
    const QUADRO_PAINEL quadro = painel.ler();
    EXPECT_TRUE(quadro.sem_acesso.empty());
    EXPECT_EQ(std::to_string(quadro.safra), banco.valor("select extract(year from current_date)"));

    // Apiary 4 has nothing to show; the batch of no hive comes last.
    std::string ordem;
    for (const RESUMO_APIARIO& r : quadro.apiarios)
        ordem += r.nome + ";";
    EXPECT_EQ(ordem, banco.valor("select string_agg(nome, ';' order by nome) from cadastro.apiario "
                                 "where id_apiario in (1, 2, 3)") + ";Sem apiário;");

    // Each figure as this test computes it, apiary by apiary.
    struct Figura
    {
        const char* o_que;
        std::string (*do_painel)(const RESUMO_APIARIO&);
        const char* sql;  // of apiary :a
    };
    const Figura figuras[] = {
        { "hives by status",
          [](const RESUMO_APIARIO& r) {
              std::string s;
              for (int k = 0; k < 8; ++k)
                  s += std::to_string(r.por_status[k]) + ",";
              return s;
          },
          "select string_agg((select count(*) from cadastro.colmeia c where c.id_apiario = :a and c.status = s)::text "
          "|| ',', '' order by o) from unnest(array['Ativa','Fraca','Órfã','Zanganeira','Morta','Vendida','Unida',"
          "'Perdida']) with ordinality as u(s, o)" },
        { "last inspection",
          [](const RESUMO_APIARIO& r) { return r.ultima_revisao + "/" + std::to_string(r.dias_sem_revisao); },
          "select coalesce(to_char(max(r.data_revisao), 'DD/MM/YYYY'), '') || '/' || "
          "coalesce(current_date - max(r.data_revisao), -1) from cadastro.revisao r join cadastro.colmeia c "
          "using (id_colmeia) where c.id_apiario = :a" },
        { "honey",
          [](const RESUMO_APIARIO& r) { return numero_br(r.mel_safra, 3) + "/" + numero_br(r.mel_anterior, 3); },
          // Where each hive stood on the day: the move of that day or the
          // latest before it, else where it stands.
          "with h as (select id_colmeia, data_revisao as data, mel_kg from cadastro.revisao "
          "where mel_kg > 0 union all select id_colmeia, data, mel_kg from cadastro.colheita), "
          "l as (select h.*, coalesce((select m.id_destino from cadastro.movimentacao m where m.id_colmeia = "
          "h.id_colmeia and m.data <= h.data order by m.data desc limit 1), (select m.id_origem from "
          "cadastro.movimentacao m where m.id_colmeia = h.id_colmeia and m.data > h.data order by m.data limit 1), "
          "(select id_apiario from cadastro.colmeia c where c.id_colmeia = h.id_colmeia)) as ap from h) "
          "select replace(to_char(coalesce(sum(mel_kg) filter (where extract(year from data) = extract(year from "
          "current_date) and data <= current_date), 0), 'FM999990.000'), '.', ',') || '/' || "
          "replace(to_char(coalesce(sum(mel_kg) filter (where extract(year from data) = extract(year from "
          "current_date) - 1 and data <= current_date - interval '1 year'), 0), 'FM999990.000'), '.', ',') "
          "from l where ap = :a" },
        { "withdrawals",
          [](const RESUMO_APIARIO& r) {
              std::string s;
              for (const CARENCIA_PAINEL& c : r.carencias)
                  s += std::to_string(c.colmeia) + "=" + c.ate + ";";
              return s;
          },
          "select coalesce(string_agg(id_colmeia || '=' || to_char(ate, 'DD/MM/YYYY') || ';', '' order by ate), '') "
          "from (select t.id_colmeia, max(t.fim + t.carencia_dias) as ate from cadastro.tratamento t join "
          "cadastro.colmeia c using (id_colmeia) where c.id_apiario = :a group by t.id_colmeia) x "
          "where ate >= current_date" },
        { "steps due",
          [](const RESUMO_APIARIO& r) {
              std::string s;
              for (const ETAPA_PAINEL& e : r.etapas)
                  s += std::to_string(e.lote) + "@" + std::to_string(e.atraso) + ";";
              return s;
          },
          "select coalesce(string_agg(id_criacao || '@' || (current_date - enxertia - dias_aceitas) || ';', ''), '') "
          "from cadastro.criacao k where aceitas is null and enxertia + dias_aceitas <= current_date and "
          "coalesce((select id_apiario from cadastro.colmeia c where c.id_colmeia = k.id_recria), 0) = :a" },
    };
    for (int a : { 1, 2, 3, 0 }) {
        const RESUMO_APIARIO* r = achar(quadro, a);
        ASSERT_NE(r, nullptr) << "apiary " << a;
        for (const Figura& f : figuras) {
            std::string sql = f.sql;
            sql.replace(sql.find(":a"), 2, std::to_string(a));
            EXPECT_EQ(f.do_painel(*r), banco.valor(sql)) << f.o_que << " of apiary " << a;
        }
    }
    // A step due says what the list of what to do today says.
    const RESUMO_APIARIO& um = *achar(quadro, 1);
    ASSERT_EQ(um.etapas.size(), 1u);
    EXPECT_EQ(um.etapas[0].texto, "Lote " + std::to_string(um.etapas[0].lote) +
                                      " da matriz 00004-00002: Células aceitas (atrasada 1 dia)");
}

TEST_F(Painel, ApiarioSemRevisaoHaTrintaDiasFicaMarcado)
{
    // Days since the newest inspection of apiary 1's hives (-1: none), and
    // whether it is marked; with no live hive it never is.
    struct Caso
    {
        int dias;
        bool vivas;
        bool marcado;
    };
    const Caso casos[] = { { 0, true, false }, { 29, true, false }, { 30, true, true }, { 45, true, true },
                           { -1, true, true }, { 45, false, false }, { -1, false, false } };
    for (const Caso& c : casos) {
        ASSERT_EQ(banco.executar("delete from cadastro.criacao; delete from cadastro.revisao where id_colmeia in (1, 2);"
                                 "update cadastro.colmeia set status = '" + std::string(c.vivas ? "Ativa" : "Vendida") +
                                 "' where id_colmeia in (1, 2)"), "");
        if (c.dias >= 0) {
            ASSERT_EQ(banco.executar("insert into cadastro.revisao (id_colmeia, data_revisao, status) values (2, "
                                     "current_date - " + std::to_string(c.dias) + ", '" +
                                     (c.vivas ? "Ativa" : "Vendida") + "')"), "");
        }
        const QUADRO_PAINEL quadro = PAINEL(q.get()).ler();
        const RESUMO_APIARIO* r = achar(quadro, 1);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->sem_visita(), c.marcado) << c.dias << " days, live hives " << c.vivas;
    }
}

TEST_F(Painel, PoucasInstrucoesQualquerQueSejaONumeroDeColmeias)
{
    auto selects = [this] {
        saida.tomar();
        PAINEL(q.get()).ler();
        const std::string t = saida.tomar();
        int n = 0;
        for (std::size_t p = t.find("select "); p != std::string::npos; p = t.find("select ", p + 1))
            n += p == 0 || t[p - 1] == '\n' ? 1 : 0;
        return n;
    };
    const int poucas = selects();
    EXPECT_EQ(poucas, 6);
    ASSERT_EQ(banco.executar("insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario) select g, 'Langstroth', "
                             "'Ativa', 1 + g % 4 from generate_series(6, 305) g"), "");
    ASSERT_EQ(banco.executar("insert into cadastro.revisao (id_colmeia, data_revisao, status) select id_colmeia, "
                             "current_date, 'Ativa' from cadastro.colmeia where id_colmeia > 5"), "");
    EXPECT_EQ(selects(), poucas);
    const QUADRO_PAINEL quadro = PAINEL(q.get()).ler();
    int vivas = 0;
    for (const RESUMO_APIARIO& r : quadro.apiarios)
        vivas += r.vivas();
    EXPECT_EQ(std::to_string(vivas), banco.valor("select count(*) from cadastro.colmeia where status = 'Ativa' "
                                                 "or status = 'Fraca'"));
}

TEST_F(Painel, OQueOLoginNaoPodeLerFicaDeForaEORestoAparece)
{
    // Tables the program's role may not read: their parts are named, the
    // others are read as always.
    struct Caso
    {
        const char* tabela;
        std::vector<std::string> sem_acesso;
    };
    const Caso casos[] = { { "tratamento", { "carências" } }, { "criacao", { "criação de rainhas" } },
                           { "revisao", { "revisões" } }, { "apiario", { "apiários" } } };
    const std::string papel = teste::ambiente("ZUMBREL_TEST_USER");
    for (const Caso& c : casos) {
        ASSERT_EQ(banco.executar(std::string("revoke select on cadastro.") + c.tabela + " from " + papel), "");
        const QUADRO_PAINEL quadro = PAINEL(q.get()).ler();
        ASSERT_EQ(banco.executar(std::string("grant select on cadastro.") + c.tabela + " to " + papel), "");
        EXPECT_EQ(quadro.sem_acesso, c.sem_acesso) << c.tabela;
        const RESUMO_APIARIO* r = achar(quadro, 1);
        ASSERT_NE(r, nullptr) << c.tabela;
        // The hives are still counted and the honey summed.
        EXPECT_EQ(r->vivas(), 2) << c.tabela;
        EXPECT_GT(r->mel_safra, 0) << c.tabela;
        EXPECT_EQ(r->carencias.empty(), std::string(c.tabela) == "tratamento") << c.tabela;
        EXPECT_EQ(r->etapas.empty(), std::string(c.tabela) == "criacao") << c.tabela;
        EXPECT_EQ(r->nome == "Apiário 1", std::string(c.tabela) == "apiario") << c.tabela;
    }
}
