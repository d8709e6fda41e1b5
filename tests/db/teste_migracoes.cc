// The additions of sql/migracoes: a database made before the beehives and
// brought up to date (the test command makes one the way a user's database
// is at its next start) has the very tables, keys, checks, indexes,
// functions and triggers that sql/schema.sql gives a new one, and the same
// records; applying them again changes nothing.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/banco_teste.h"

namespace {

// What schema cadastro is made of, one line per column (with its place
// among the columns a table has now, whatever was dropped before it,
// type, default and collation), constraint, index, trigger, function and
// table owner, in a fixed order.
std::string estrutura(const teste::BancoTeste& banco)
{
    const char* const sql =
        "select 'coluna ' || c.relname || ' ' || row_number() over (partition by c.oid order by a.attnum) || ' ' || a.attname || ' ' || "
        "       format_type(a.atttypid, a.atttypmod) || ' ' || a.attnotnull || ' ' || a.attidentity::text || ' ' || "
        "       coalesce(pg_get_expr(d.adbin, d.adrelid), '') || ' ' || coalesce(k.collname, '') "
        "  from pg_attribute a join pg_class c on c.oid = a.attrelid "
        "  left join pg_attrdef d on d.adrelid = a.attrelid and d.adnum = a.attnum "
        "  left join pg_collation k on k.oid = a.attcollation "
        " where c.relnamespace = 'cadastro'::regnamespace and c.relkind = 'r' and a.attnum > 0 "
        "   and not a.attisdropped "
        "union all "
        "select 'restricao ' || conrelid::regclass || ' ' || conname || ' ' || pg_get_constraintdef(oid) "
        "  from pg_constraint where connamespace = 'cadastro'::regnamespace "
        "union all "
        "select 'indice ' || indexdef from pg_indexes where schemaname = 'cadastro' "
        "union all "
        "select 'gatilho ' || pg_get_triggerdef(t.oid) from pg_trigger t join pg_class c on c.oid = t.tgrelid "
        " where c.relnamespace = 'cadastro'::regnamespace and not t.tgisinternal "
        "union all "
        "select 'funcao ' || proname || ' ' || pg_get_function_result(oid) || ' ' || md5(prosrc) || ' ' || "
        "       pg_get_userbyid(proowner) "
        "  from pg_proc where pronamespace = 'cadastro'::regnamespace "
        "union all "
        "select 'tabela ' || tablename || ' ' || tableowner from pg_tables where schemaname = 'cadastro' "
        "order by 1";
    std::string s;
    for (const LINHA& l : banco.consultar(sql))
        s += l[0] + "\n";
    return s;
}

// Every file of sql/migracoes, in name order, as one text.
std::string migracoes()
{
    std::vector<std::string> nomes;
    for (const auto& f : std::filesystem::directory_iterator(teste::ambiente("ZUMBREL_SOURCE_DIR") + "/sql/migracoes"))
        nomes.push_back(f.path().string());
    std::sort(nomes.begin(), nomes.end());
    std::stringstream texto;
    for (const std::string& nome : nomes) {
        std::ifstream f(nome);
        texto << f.rdbuf() << "\n";
    }
    return texto.str();
}

} // namespace

TEST(Migracoes, BancoAntigoAtualizadoEIgualAoNovoComOsMesmosRegistros)
{
    teste::BancoTeste novo;
    teste::BancoTeste antigo(teste::ambiente("ZUMBREL_TEST_TEMPLATE_ANTIGO"));
    const std::string feita = estrutura(novo);
    for (const char* parte : { "tabela colmeia", "tabela revisao", "colmeia_id_abelha_key UNIQUE (id_abelha)",
                               "revisao_id_colmeia_fkey FOREIGN KEY (id_colmeia) REFERENCES "
                               "cadastro.colmeia(id_colmeia) ON DELETE CASCADE",
                               "CHECK ((mel_kg >= (0)::numeric))", "funcao revisao_status trigger",
                               "gatilho CREATE TRIGGER revisao_status AFTER INSERT ON cadastro.revisao" })
        EXPECT_NE(feita.find(parte), std::string::npos) << parte << "\n" << feita;
    EXPECT_EQ(estrutura(antigo), feita);
    EXPECT_EQ(antigo.despejo(), novo.despejo());
}

TEST(Migracoes, AplicadaDeNovoNaoMudaNada)
{
    for (const char* modelo : { "ZUMBREL_TEST_TEMPLATE", "ZUMBREL_TEST_TEMPLATE_ANTIGO" }) {
        teste::BancoTeste banco(teste::ambiente(modelo));
        // A hive with an inspection, a treatment and a move in it, so that
        // the records are seen to stay.
        ASSERT_EQ(banco.executar("insert into cadastro.colmeia (tipo, status, id_abelha, id_apiario, obs) "
                                 "values ('Schenk', 'Ativa', 4, 2, 'caixa nova'); "
                                 "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg, obs) "
                                 "values (1, '2024-05-02', 'Fraca', 3.25, 'pouca cria'); "
                                 "insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim) "
                                 "values (1, 1, '2024-05-03', '2024-05-20'); "
                                 "insert into cadastro.movimentacao (id_colmeia, data, id_origem, id_destino, finalidade) "
                                 "values (1, '2024-06-01', 2, 3, 'Florada'); "
                                 "delete from cadastro.produto where id_produto = 6"),
                  "");
        const std::string antes = estrutura(banco);
        const std::string registros = banco.despejo();
        // As the owner of the schema, as every start of the local database
        // runs it (there it owns the database too).
        ASSERT_EQ(banco.executar("grant create on database " + banco.nome() + " to " +
                                 teste::ambiente("ZUMBREL_TEST_OWNER")),
                  "");
        ASSERT_EQ(banco.executar("begin;\nset local role " + teste::ambiente("ZUMBREL_TEST_OWNER") + ";\n" +
                                 migracoes() + "\ncommit;"),
                  "")
            << modelo;
        EXPECT_EQ(estrutura(banco), antes) << modelo;
        EXPECT_EQ(banco.despejo(), registros) << modelo;
        EXPECT_NE(registros.find("1|Schenk|Fraca|4|3|<null>|caixa nova|"), std::string::npos) << registros;
        // A sample product the user deleted does not come back.
        EXPECT_EQ(banco.valor("select count(*) from cadastro.produto"), "5") << modelo;
    }
}

// A database made before honey lots gains them at its next start with its
// records as they were: the queen heading each hive is known from before
// (the '-infinity' of rainha_colmeia), and the honey of its inspections is
// there to be put into lots.
TEST(Migracoes, BancoDeAntesDosLotesGanhaOsLotes)
{
    teste::BancoTeste banco;
    ASSERT_EQ(banco.executar_arquivo("antes_dos_lotes.sql"), "");
    ASSERT_EQ(banco.valor("select count(*) from pg_tables where tablename in ('lote_mel', 'colheita', 'rainha_colmeia')"),
              "0");
    ASSERT_EQ(banco.executar("insert into cadastro.colmeia (tipo, status, id_abelha, id_apiario) "
                             "values ('Langstroth', 'Ativa', 4, 1), ('Núcleo', 'Ativa', null, 2); "
                             "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg) "
                             "values (1, '2024-11-02', 'Ativa', 21.5), (2, '2024-11-03', 'Ativa', 0)"),
              "");
    const std::string registros = banco.despejo();
    ASSERT_EQ(banco.executar("grant create on database " + banco.nome() + " to " + teste::ambiente("ZUMBREL_TEST_OWNER")),
              "");
    ASSERT_EQ(banco.executar("begin;\nset local role " + teste::ambiente("ZUMBREL_TEST_OWNER") + ";\n" + migracoes() +
                             "\ncommit;"),
              "");
    EXPECT_EQ(banco.unidos("select id_colmeia || ':' || desde || ':' || id_abelha from cadastro.rainha_colmeia"),
              "1:-infinity:4|");
    EXPECT_EQ(banco.unidos("select origem || ':' || id_colmeia || ':' || mel_kg || ':' || em_lotes "
                           "from cadastro.colheita_mel"),
              "Revisão:1:21.500:0|");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.diario where id_colmeia = 1"), "1");
    // The records of before are all there, as they were.
    std::set<std::string> agora;
    std::istringstream depois(banco.despejo());
    for (std::string linha; std::getline(depois, linha);)
        agora.insert(linha);
    std::istringstream antes(registros);
    for (std::string linha; std::getline(antes, linha);)
        EXPECT_EQ(agora.count(linha), 1u) << linha;
}
