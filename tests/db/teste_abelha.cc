// Queen bees: insert with the registry number written after it, updates that
// rewrite the number, mothers refused by the database, listing and lookup.
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/abelha.h"

namespace {

const std::string LISTA =
    "select id_abelha, rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada, xmin from cadastro.abelha_rainha "
    "order by id_abelha\n";

class Abelha : public teste::ModeloTeste
{
protected:
    std::string linha(int id)
    {
        return banco.unidos("select rgn, to_char(data_nasc,'DD/MM/YYYY'), matriz, filha "
                            "from cadastro.abelha_rainha where id_abelha=" + std::to_string(id));
    }
};

// Asks for the daughters and gives back why none was stored (houve false
// when all were), which the call's own answer agrees with.
FALHA gerar(ABELHA& abelha, int mae, const std::string& nascimento, int quantas,
            const std::function<bool(int)>& andamento = nullptr)
{
    const bool todas = abelha.gerar_filhas(mae, nascimento, quantas, andamento);
    EXPECT_EQ(todas, !abelha.falha().houve);
    return abelha.falha();
}

std::string descrever(const ABELHAS& b)
{
    return std::to_string(b.id) + "|" + b.rgn + "|" + b.nascimento + "|" + (b.matriz ? "t" : "f") + "|" +
           std::to_string(b.mae);
}

} // namespace

TEST_F(Abelha, InserirEmTabelaVaziaEscreveORgnDepois)
{
    ASSERT_EQ(banco.executar("truncate cadastro.abelha_rainha restart identity cascade"), "");
    ABELHA abelha(q.get());
    ABELHAS b;
    b.nascimento = "01/02/2010";
    ASSERT_TRUE(abelha.inserir(&b)) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.abelha_rainha ( rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada) values ( '', "
              "'01/02/2010', 'false', null, '', 'false')"
              " returning  id_abelha;\n\n"
              "\n SET QUERY 3\nupdate cadastro.abelha_rainha set  rgn='00001-00000' WHERE id_abelha=1\n");
    EXPECT_EQ(descrever(b), "1|00001-00000|01/02/2010|f|0");
    EXPECT_EQ(linha(1), "00001-00000|01/02/2010|f|<null>|");

    ABELHAS filha;
    filha.nascimento = "28/02/2011";
    filha.matriz = true;
    filha.mae = 1;
    ASSERT_TRUE(abelha.inserir(&filha));
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.abelha_rainha ( rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada) values ( '', "
              "'28/02/2011', 'true', 1, '', 'false')"
              " returning  id_abelha;\n\n"
              "\n SET QUERY 3\nupdate cadastro.abelha_rainha set  rgn='00002-00001' WHERE id_abelha=2\n");
    EXPECT_EQ(descrever(filha), "2|00002-00001|28/02/2011|t|1");
    EXPECT_EQ(linha(2), "00002-00001|28/02/2011|t|1|");
}

TEST_F(Abelha, CodigoDeSeisDigitosNaoECortado)
{
    ASSERT_EQ(banco.executar("alter table cadastro.abelha_rainha alter id_abelha restart with 100000"), "");
    ABELHA abelha(q.get());
    ABELHAS b;
    b.nascimento = "05/06/2020";
    b.mae = 7;
    ASSERT_TRUE(abelha.inserir(&b));
    EXPECT_EQ(b.id, 100000);
    EXPECT_EQ(b.rgn, "100000-00007");
    EXPECT_EQ(linha(100000), "100000-00007|05/06/2020|f|7|");
    EXPECT_EQ(abelha.get_abelha("100000-00007").id, 100000);
}

TEST_F(Abelha, MaeInexistenteOuDataRuimRecusaSemGuardarNada)
{
    ABELHA abelha(q.get());
    std::string antes = banco.despejo();

    ABELHAS b;
    b.nascimento = "01/02/2010";
    b.mae = 999;
    EXPECT_FALSE(abelha.inserir(&b));
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.abelha_rainha ( rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada) values ( '', "
              "'01/02/2010', 'false', 999, '', 'false')"
              " returning  id_abelha;\n\n");
    EXPECT_EQ(descrever(b), "0||01/02/2010|f|999");

    for (const char* data : { "31/02/2010", "", "abc", "2010" }) {
        ABELHAS d;
        d.nascimento = data;
        d.mae = 1;
        EXPECT_FALSE(abelha.inserir(&d)) << data;
        EXPECT_EQ(d.id, 0);
        EXPECT_EQ(d.rgn, "");
    }
    EXPECT_EQ(banco.despejo(), antes);
}

TEST_F(Abelha, TrocarAMaeReescreveORgn)
{
    ABELHA abelha(q.get());
    ABELHAS b = abelha.get_abelha("00003-00001");
    ASSERT_EQ(descrever(b), "3|00003-00001|15/11/2010|f|1");
    saida.tomar();

    b.mae = 2;
    b.matriz = true;
    b.nascimento = "16/11/2010";
    ASSERT_TRUE(abelha.atualizar(&b)) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(),
              "\n SET QUERY 3\nupdate cadastro.abelha_rainha set  data_nasc='16/11/2010', matriz='true', filha=2, "
              "cor_marcacao='', asa_cortada='false' WHERE id_abelha=3\n"
              "\n SET QUERY 3\nupdate cadastro.abelha_rainha set  rgn='00003-00002' WHERE id_abelha=3\n");
    EXPECT_EQ(b.rgn, "00003-00001");   // the record keeps the number it was given
    EXPECT_EQ(linha(3), "00003-00002|16/11/2010|t|2|");

    // Mother unknown again: null, and the number ends in 00000.
    b.mae = 0;
    ASSERT_TRUE(abelha.atualizar(&b));
    EXPECT_EQ(linha(3), "00003-00000|16/11/2010|t|<null>|");
}

TEST_F(Abelha, AtualizarRecusadoEscreveAMensagemENaoTocaORgn)
{
    ABELHA abelha(q.get());
    std::string antes = banco.despejo();
    ABELHAS b = abelha.get_abelha("00005-00004");
    ASSERT_EQ(b.id, 5);
    saida.tomar();

    b.mae = 999;
    EXPECT_FALSE(abelha.atualizar(&b));
    EXPECT_FALSE(q->get_mensagem().empty());
    EXPECT_EQ(saida.tomar(),
              "\n SET QUERY 3\nupdate cadastro.abelha_rainha set  data_nasc='03/02/2013', matriz='false', filha=999, "
              "cor_marcacao='', asa_cortada='false' WHERE id_abelha=5\n" + q->get_mensagem() + "\n");

    for (const char* data : { "31/02/2010", "", "abc" }) {
        b.mae = 4;
        b.nascimento = data;
        EXPECT_FALSE(abelha.atualizar(&b)) << data;
    }
    EXPECT_EQ(banco.despejo(), antes);
}

TEST_F(Abelha, RgnRecusadoEscreveAMensagemEDevolveONumero)
{
    ABELHA abelha(q.get());
    quebrar_tabela("abelha_rainha");
    EXPECT_EQ(abelha.rg_abelha(4, 2), "00004-00002");
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\nupdate cadastro.abelha_rainha set  rgn='00004-00002' WHERE id_abelha=4\n" +
                                 q->get_mensagem() + "\n");
}

TEST_F(Abelha, ListarLeTudoEMarcaAsMatrizes)
{
    ABELHA abelha(q.get());
    const LISTA_ABELHAS lista = abelha.listar();
    EXPECT_EQ(saida.tomar(), LISTA + "true\ntrue\ntrue\ntrue\n");
    ASSERT_EQ(lista.size(), 8u);
    EXPECT_EQ(descrever(lista[0]), "1|00001-00000|01/10/2009|t|0");
    EXPECT_EQ(descrever(lista[1]), "2|00002-00001|15/11/2010|t|1");
    EXPECT_EQ(descrever(lista[4]), "5|00005-00004|03/02/2013|f|4");
    EXPECT_EQ(descrever(lista[7]), "8|00008-00000|07/10/2016|t|0");
}

TEST_F(Abelha, ListaVaziaGuardaAAnteriorEPrimeiraVezDaVazio)
{
    ABELHA abelha(q.get());
    ASSERT_EQ(abelha.listar().size(), 8u);
    ASSERT_EQ(banco.executar("delete from cadastro.abelha_rainha"), "");
    saida.tomar();
    EXPECT_EQ(abelha.listar().size(), 8u);
    EXPECT_EQ(saida.tomar(), LISTA);

    quebrar_tabela("abelha_rainha");
    EXPECT_EQ(abelha.listar().size(), 8u);

    ABELHA outra(q.get());
    EXPECT_TRUE(outra.listar().empty());
}

TEST_F(Abelha, BuscaPeloRgn)
{
    ABELHA abelha(q.get());
    ABELHAS b = abelha.get_abelha("00004-00002");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.abelha_rainha where rgn='00004-00002'\n");
    EXPECT_EQ(descrever(b), "4|00004-00002|20/12/2011|t|2");

    EXPECT_EQ(abelha.get_abelha("00004-00003").id, 0);
    EXPECT_EQ(abelha.get_abelha("").id, 0);
    b = abelha.get_abelha("' or '1'='1");
    EXPECT_EQ(descrever(b), "0|||f|0");
    saida.tomar();
    abelha.get_abelha("x' or rgn like '%");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.abelha_rainha where rgn='x'' or rgn like ''%'\n");
}

TEST_F(Abelha, DeletarApagaSoQuemNaoTemFilhas)
{
    ABELHA abelha(q.get());
    std::string antes = banco.despejo();

    // Bee 4 is the mother of 5 and 6: the database refuses.
    EXPECT_FALSE(abelha.deletar(4));
    std::string mensagem = q->get_mensagem();
    EXPECT_FALSE(mensagem.empty());
    EXPECT_EQ(saida.tomar(), "delete from cadastro.abelha_rainha WHERE id_abelha=4\n" + mensagem + "\n");
    EXPECT_EQ(banco.despejo(), antes);

    EXPECT_TRUE(abelha.deletar(6)) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(), "delete from cadastro.abelha_rainha WHERE id_abelha=6\n");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.abelha_rainha"), "7");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.abelha_rainha where id_abelha=6"), "0");

    quebrar_tabela("abelha_rainha");
    EXPECT_FALSE(abelha.deletar(5));
    EXPECT_EQ(saida.tomar(), "delete from cadastro.abelha_rainha WHERE id_abelha=5\n" + q->get_mensagem() + "\n");
}

// A bee is never its own mother: the database refuses it and says why.
TEST_F(Abelha, NaoEMaeDeSiMesma)
{
    ABELHA abelha(q.get());
    ABELHAS b = abelha.get_abelha("00005-00004");
    ASSERT_EQ(b.id, 5);
    b.mae = 5;
    EXPECT_FALSE(abelha.atualizar(&b));
    EXPECT_EQ(abelha.falha().restricao, "abelha_nao_e_mae_de_si");
    EXPECT_EQ(abelha.falha().motivo(), "Uma abelha não pode ser mãe de si mesma: escolha outra mãe, ou \"Não Sabe\".");
    EXPECT_EQ(linha(5), "00005-00004|" + banco.valor("select to_char(data_nasc,'DD/MM/YYYY') from "
                                                     "cadastro.abelha_rainha where id_abelha=5") + "|f|4|");
    // A mother that no longer exists, named as such.
    b.mae = 99;
    EXPECT_FALSE(abelha.atualizar(&b));
    EXPECT_EQ(abelha.falha().motivo(),
              "A abelha escolhida como mãe não existe mais: ela foi excluída depois de aparecer na lista.");
}

// Databases made before the rule get it from the migration file, which may
// run any number of times and rewrites nothing: a bee already stored as its
// own mother stays, every new save must keep the rule, and the rule covers
// the whole table once no such bee is left.
TEST_F(Abelha, MigracaoDaMaeDeSiMesmaEmBancoAntigo)
{
    std::ifstream arquivo(teste::ambiente("ZUMBREL_SOURCE_DIR") + "/sql/migracoes/abelha_nao_e_mae_de_si.sql");
    ASSERT_TRUE(arquivo.is_open());
    const std::string migracao((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
    const std::string validada = "select convalidated from pg_constraint where conname = 'abelha_nao_e_mae_de_si'";

    // On a new database it changes nothing.
    const std::string antes = banco.despejo();
    ASSERT_EQ(banco.executar(migracao), "");
    EXPECT_EQ(banco.valor(validada), "t");
    EXPECT_EQ(banco.despejo(), antes);

    ASSERT_EQ(banco.executar("alter table cadastro.abelha_rainha drop constraint abelha_nao_e_mae_de_si; "
                             "update cadastro.abelha_rainha set filha = 6 where id_abelha = 6"),
              "");
    const std::string antigo = banco.despejo();
    ASSERT_EQ(banco.executar(migracao), "");
    ASSERT_EQ(banco.executar(migracao), "");
    EXPECT_EQ(banco.valor(validada), "f");
    EXPECT_EQ(banco.despejo(), antigo);
    EXPECT_NE(banco.executar("update cadastro.abelha_rainha set filha = 7 where id_abelha = 7"), "");

    ASSERT_EQ(banco.executar("update cadastro.abelha_rainha set filha = 4 where id_abelha = 6"), "");
    ASSERT_EQ(banco.executar(migracao), "");
    EXPECT_EQ(banco.valor(validada), "t");
    EXPECT_EQ(banco.valor("select count(*) from pg_constraint where conname = 'abelha_nao_e_mae_de_si'"), "1");
}

// Daughters in one transaction: all of them with their registry numbers,
// each statement on the console between "begin" and "commit"; or, when one
// fails or the work is stopped, none.
TEST_F(Abelha, GerarFilhasTodasOuNenhuma)
{
    ABELHA abelha(q.get());
    std::vector<int> andamento;
    FALHA f = gerar(abelha, 4, "10/03/2011", 2, [&andamento](int feitas) {
        andamento.push_back(feitas);
        return true;
    });
    EXPECT_FALSE(f.houve) << f.mensagem;
    EXPECT_EQ(andamento, (std::vector<int> { 2 }));
    const std::string insert = "insert into cadastro.abelha_rainha ( rgn, data_nasc, matriz, filha, cor_marcacao, "
                               "asa_cortada) values ( '', '10/03/2011', 'false', 4, '', 'false') returning  "
                               "id_abelha;\n\n";
    EXPECT_EQ(saida.tomar(), "begin\n" + insert + insert +
                                 "\n SET QUERY 3\nupdate cadastro.abelha_rainha set  rgn='00009-00004' WHERE id_abelha=9\n"
                                 "\n SET QUERY 3\nupdate cadastro.abelha_rainha set  rgn='00010-00004' WHERE id_abelha=10\n"
                                 "commit\n");
    EXPECT_EQ(linha(9), "00009-00004|10/03/2011|f|4|");
    EXPECT_EQ(linha(10), "00010-00004|10/03/2011|f|4|");
    EXPECT_FALSE(q->get_em_transacao());

    // Groups of 64: told after each, and stopped after the second, none of
    // the 128 stays.
    const std::string antes = banco.despejo();
    andamento.clear();
    f = gerar(abelha, 4, "10/03/2011", 200, [&andamento](int feitas) {
        andamento.push_back(feitas);
        return feitas < 100;
    });
    EXPECT_EQ(andamento, (std::vector<int> { 64, 128 }));
    EXPECT_TRUE(f.houve);
    EXPECT_EQ(f.sqlstate, FALHA::CANCELADA);
    EXPECT_EQ(banco.despejo(), antes);
    const std::string parado = saida.tomar();
    EXPECT_EQ(parado.rfind("rollback\n"), parado.size() - 9) << parado;
    EXPECT_FALSE(q->get_em_transacao());

    // A date the database can't read: none, and why.
    f = gerar(abelha, 4, "31/02/2011", 3);
    EXPECT_TRUE(f.houve);
    EXPECT_TRUE(f.desfeita);
    EXPECT_EQ(f.sqlstate, "22008");
    EXPECT_EQ(f.motivo(), "A data digitada não existe ou não está no formato DD/MM/AAAA.");
    // A mother that is gone: none.
    f = gerar(abelha, 99, "10/03/2011", 3);
    EXPECT_EQ(f.restricao, "abelha_rainha_filha_fkey");
    EXPECT_EQ(banco.despejo(), antes);
    const std::string t = saida.tomar();
    EXPECT_EQ(t.rfind("rollback\n"), t.size() - 9) << t;
}

namespace {

// The lineage as "generation:code" items, in the order found.
std::string linhagem(const LISTA_GENEALOGIA& g)
{
    std::string s;
    for (std::size_t i = 0; i < g.size(); ++i)
        s += (i ? " " : "") + std::to_string(g.geracao(i)) + ":" + std::to_string(g[i].id);
    return s;
}

} // namespace

// Five generations below bee 4 and two above it: the mothers oldest first,
// then the bee, then her descendants generation by generation.
TEST_F(Abelha, GenealogiaDasMaesAteADesconhecidaEDasFilhasEmArvore)
{
    // 9 and 10 daughters of 5, 11 of 9, 12 of 11, 13 of 12; 1,000 daughters of 13.
    ASSERT_EQ(banco.executar("insert into cadastro.abelha_rainha (id_abelha, data_nasc, filha) values "
                             "(9, '2014-01-01', 5), (10, '2014-01-02', 5), (11, '2015-01-01', 9), "
                             "(12, '2016-01-01', 11), (13, '2017-01-01', 12); "
                             "insert into cadastro.abelha_rainha (id_abelha, data_nasc, filha) "
                             "select 100 + g, '2018-01-01', 13 from generate_series(1, 1000) g"),
              "");
    ABELHA abelha(q.get());
    saida.tomar();
    const LISTA_GENEALOGIA g = abelha.genealogia(4);
    // One statement, however many generations.
    const std::string trace = saida.tomar();
    EXPECT_EQ(trace.find("select g.id_abelha, g.rgn, to_char(g.data_nasc,'DD/MM/YYYY'), g.matriz, g.filha, g.cor_marcacao, "
                         "g.asa_cortada, g.geracao from (with recursive "),
              0u)
        << trace;
    EXPECT_EQ(trace.find('\n'), trace.size() - 1) << trace;
    EXPECT_NE(trace.find(") as g order by g.geracao , g.id_abelha\n"), std::string::npos) << trace;

    ASSERT_EQ(g.size(), 2u + 1u + 7u + 1000u);
    std::string inicio;
    for (std::size_t i = 0; i < 13; ++i)
        inicio += (i ? " " : "") + std::to_string(g.geracao(i)) + ":" + std::to_string(g[i].id);
    EXPECT_EQ(inicio, "-2:1 -1:2 0:4 1:5 1:6 2:9 2:10 3:11 4:12 5:13 6:101 6:102 6:103");
    EXPECT_EQ(g.geracao(1009), 6);
    EXPECT_EQ(g[1009].id, 1100);
    // Each record as the list reads bees: RGN, birth date, breeding flag, mother.
    EXPECT_EQ(descrever(g[0]), "1|00001-00000|01/10/2009|t|0");
    EXPECT_EQ(descrever(g[2]), "4|00004-00002|20/12/2011|t|2");
    EXPECT_EQ(descrever(g[9]), "13|00013-00012|01/01/2017|f|12");

    // A bee of unknown mother with no daughters is alone; a code no bee has
    // gives nothing.
    EXPECT_EQ(linhagem(abelha.genealogia(8)), "0:8");
    EXPECT_EQ(linhagem(abelha.genealogia(3)), "-1:1 0:3");
    EXPECT_EQ(abelha.genealogia(99999).size(), 0u);
}

TEST_F(Abelha, GenealogiaDeMaesQueVoltamEmCirculoTermina)
{
    // Bee 1 made a daughter of her own granddaughter 4.
    ASSERT_EQ(banco.executar("update cadastro.abelha_rainha set filha = 4 where id_abelha = 1"), "");
    ABELHA abelha(q.get());
    const LISTA_GENEALOGIA g = abelha.genealogia(4);
    EXPECT_EQ(linhagem(g), "-2:1 -1:2 0:4 1:1 1:5 1:6 2:2 2:3 3:7");
    quebrar_tabela("abelha_rainha");
    EXPECT_EQ(abelha.genealogia(4).size(), 0u);
}

TEST_F(Abelha, MarcacaoGuardaSoACorQueDifereDaDoAnoEAAsaCortada)
{
    ABELHA abelha(q.get());
    const auto guardada = [this](int id) {
        return banco.valor("select cor_marcacao || '|' || asa_cortada from cadastro.abelha_rainha where id_abelha = " +
                           std::to_string(id));
    };
    struct Caso { const char* nascimento; const char* cor; bool asa; const char* guardada; const char* usada; };
    const Caso casos[] = {
        { "10/03/2024", "", false, "|false", "Verde" },
        // The year's own colour chosen is kept as "the year's".
        { "10/03/2024", "Verde", true, "|true", "Verde" },
        { "10/03/2024", "Azul", false, "Azul|false", "Azul" },
        { "05/05/2021", "Amarela", true, "Amarela|true", "Amarela" },
        // A text that is no colour never reaches the statement.
        { "05/05/2021", "Azul'); drop table cadastro.acesso; --", false, "|false", "Branca" },
    };
    for (const Caso& c : casos) {
        ABELHAS b;
        b.nascimento = c.nascimento;
        b.cor = c.cor;
        b.asa_cortada = c.asa;
        ASSERT_TRUE(abelha.inserir(&b)) << abelha.falha().motivo();
        EXPECT_EQ(guardada(b.id), c.guardada) << c.nascimento << " " << c.cor;
        EXPECT_EQ(abelha.get_abelha(b.rgn).asa_cortada, c.asa);
        const LISTA_ABELHAS& lista = abelha.listar();
        ASSERT_EQ(lista.id(lista.size() - 1), b.id);
        EXPECT_EQ(lista.cor(lista.size() - 1), c.usada) << c.nascimento << " " << c.cor;
        EXPECT_EQ(lista.asa_cortada(lista.size() - 1), c.asa);
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso"), "3");

    // A birth date set right later: a colour kept as "the year's" follows
    // it; a colour of her own stays.
    ABELHAS b = abelha.get_abelha(abelha.listar().rgn(abelha.listar().size() - 2));
    ASSERT_EQ(b.cor, "Amarela");
    b.nascimento = "10/03/2025";
    b.asa_cortada = false;
    ASSERT_TRUE(abelha.atualizar(&b)) << abelha.falha().motivo();
    EXPECT_EQ(guardada(b.id), "Amarela|false");
    b.cor = "";
    ASSERT_TRUE(abelha.atualizar(&b));
    const LISTA_ABELHAS& lista = abelha.listar();
    EXPECT_EQ(lista.cor(lista.size() - 2), "Azul");

    // Written by hand, a colour the list does not have is refused.
    EXPECT_NE(banco.executar("update cadastro.abelha_rainha set cor_marcacao = 'Roxa' where id_abelha = 1"), "");
}
