// The statement builder: every statement kind assembled to the letter, the
// trace on standard output, what each kind empties, and reading back.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "db/query.h"
#include "support/banco_teste.h"
#include "support/captura.h"

namespace {

// A builder whose connection failed: statements are assembled and traced but
// never sent.
class Montagem : public ::testing::Test
{
protected:
    void SetUp() override
    {
        q.reset(new QUERY("/nao/existe/db.conf"));
        saida.tomar();
    }
    teste::CapturaSaida saida;
    std::unique_ptr<QUERY> q;
};

} // namespace

TEST_F(Montagem, InsertComEsemRetorno)
{
    q->set_tipoquery(1);
    q->add_tabelas("T");
    q->add_campoinsert("a");
    q->add_dadosinsert("'x'");
    q->add_campoinsert("b");
    q->add_dadosinsert("2");
    q->add_camporetorno("id");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "insert into T ( a, b) values ( 'x', 2) returning  id;\n\n");

    q->set_tipoquery(1);
    q->add_tabelas("T");
    q->add_campoinsert("a");
    q->add_dadosinsert("1");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "insert into T ( a) values ( 1);\n\n");

    q->set_tipoquery(1);
    q->add_campoinsert("a");
    q->add_dadosinsert("1");
    EXPECT_FALSE(q->ativar());
    EXPECT_EQ(saida.tomar(), "");
    EXPECT_EQ(q->get_sql(), "");
}

TEST_F(Montagem, SelectCondicoesOrdemEJuncoes)
{
    q->set_tipoquery(2);
    q->add_camporetorno("a");
    q->add_camporetorno("b");
    q->add_tabelas("T");
    q->add_campoconsulta("k");
    q->add_dadosconsulta("'x'");
    q->add_campoconsulta("n");
    q->add_dadosconsulta("3");
    q->add_campoorder("a");
    q->add_campoorder("b");
    EXPECT_TRUE(q->ativar());
    EXPECT_EQ(saida.tomar(), "select a, b from T where k='x' and n=3 order by a , b\n");

    q->set_tipoquery(2);
    q->set_tipojoin(2);
    q->add_camporetorno("a");
    q->add_tabelas("T1");
    q->add_tabelas("T2");
    q->add_tabelas("T3");
    q->add_check_join("c1");
    q->add_check_join("c2");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "2\n2\nselect a from  T1 INNER JOIN T2 ON c1 INNER JOIN T3 ON c2\n");

    // The join kind survives set_tipoquery.
    q->set_tipoquery(2);
    q->set_tipojoin(1);
    q->set_tipoquery(2);
    q->add_camporetorno("a");
    q->add_tabelas("T1");
    q->add_tabelas("T2");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "select a from  T1 NATURAL JOIN T2\n");

    q->set_tipoquery(2);
    q->set_tipojoin(7);
    q->add_camporetorno("a");
    q->add_tabelas("T1");
    q->add_tabelas("T2");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "select a from \n");
}

TEST_F(Montagem, FiltroSubstituiOAnteriorESeguePelaUltimaJuncao)
{
    q->set_tipoquery(2);
    q->set_tipojoin(2);
    q->add_camporetorno("a.id_apiario");
    q->add_tabelas("cadastro.apiario as a");
    q->add_tabelas("cadastro.florada as f");
    q->add_check_join("a.id_florada=f.id_florada ");
    q->add_filtroconsulta("primeiro");
    q->add_filtroconsulta(" a.nome like 'ab%'");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "1\nselect a.id_apiario from  cadastro.apiario as a INNER JOIN cadastro.florada as f "
                             "ON a.id_florada=f.id_florada  where  a.nome like 'ab%'\n");
}

TEST_F(Montagem, UpdateEDeleteComESemTabela)
{
    q->set_tipoquery(3);
    q->add_tabelas("T");
    q->add_campoupdate("a");
    q->add_dadosupdate("'x'");
    q->add_campoupdate("b");
    q->add_dadosupdate("2");
    q->add_campoconsulta("id");
    q->add_dadosconsulta("5");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\nupdate T set  a='x', b=2 WHERE id=5\n");

    q->set_tipoquery(3);
    EXPECT_FALSE(q->ativar());
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\n\n");

    q->set_tipoquery(3);
    q->add_tabelas("T");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\nupdate T set \n");

    q->set_tipoquery(4);
    q->add_tabelas("T");
    q->add_campoconsulta("id");
    q->add_dadosconsulta("5");
    q->add_campoconsulta("k");
    q->add_dadosconsulta("'y'");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "delete from T WHERE id=5 and k='y'\n");

    q->set_tipoquery(4);
    EXPECT_FALSE(q->ativar());
    EXPECT_EQ(saida.tomar(), "\n");

    q->set_tipoquery(9);
    EXPECT_FALSE(q->ativar());
    EXPECT_EQ(saida.tomar(), "");
}

TEST_F(Montagem, CadaTipoEsvaziaAsListasQueUsa)
{
    // Leave every list filled, then describe a minimal statement of each kind.
    auto encher = [this] {
        q->add_camporetorno("r");
        q->add_tabelas("X");
        q->add_check_join("j");
        q->add_campoconsulta("c");
        q->add_dadosconsulta("d");
        q->add_filtroconsulta("f");
        q->add_campoupdate("u");
        q->add_dadosupdate("v");
        q->add_campoinsert("i");
        q->add_dadosinsert("w");
        q->add_campoorder("o");
    };
    encher();
    q->set_tipoquery(1);
    q->add_tabelas("T");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "insert into T () values ();\n\n");

    encher();
    q->set_tipoquery(2);
    q->add_tabelas("T");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "select from T\n");

    encher();
    q->set_tipoquery(3);
    q->add_tabelas("T");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\nupdate T set \n");

    encher();
    q->set_tipoquery(4);
    q->add_tabelas("T");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "delete from T\n");

    // Kind 1 leaves the conditions' left sides behind; kind 4 empties them.
    q->set_tipoquery(2);
    q->add_camporetorno("r");
    q->add_campoconsulta("c");
    q->add_dadosconsulta("1");
    q->set_tipoquery(1);
    q->set_tipoquery(4);
    q->add_tabelas("T");
    q->ativar();
    EXPECT_EQ(saida.tomar(), "delete from T\n");
}

class Leitura : public ::testing::Test
{
protected:
    void SetUp() override
    {
        q.reset(new QUERY(banco.escrever_conf(teste::pasta_temporaria()).c_str()));
        ASSERT_TRUE(q->get_conectado()) << q->get_mensagem();
        saida.tomar();
    }
    void selecionar_acesso(const std::string& filtro)
    {
        q->set_tipoquery(2);
        q->add_camporetorno("id_acesso");
        q->add_camporetorno("desc_acesso");
        q->add_tabelas("cadastro.acesso");
        q->add_filtroconsulta(filtro);
        q->add_campoorder("id_acesso");
    }
    teste::BancoTeste banco;
    teste::CapturaSaida saida;
    std::unique_ptr<QUERY> q;
};

TEST_F(Leitura, SelectVazioGuardaAsLinhasAnteriores)
{
    selecionar_acesso("nivel_acesso > 1");
    ASSERT_TRUE(q->ativar());
    EXPECT_EQ(q->get_registros(), 2);
    TABELA esperado = { { "1", "Administrador" }, { "2", "Gerente" } };
    EXPECT_EQ(q->retornar_consulta(), esperado);

    selecionar_acesso("nivel_acesso > 100");
    EXPECT_TRUE(q->ativar());
    EXPECT_EQ(q->get_registros(), 0);
    EXPECT_EQ(q->retornar_consulta(), esperado);
}

TEST_F(Leitura, FalhaDevolveFalsoEMensagemSemMudarContagem)
{
    selecionar_acesso("nivel_acesso = 3");
    ASSERT_TRUE(q->ativar());
    ASSERT_EQ(q->get_registros(), 1);

    selecionar_acesso("coluna_que_nao_existe = 1");
    EXPECT_FALSE(q->ativar());
    EXPECT_NE(q->get_mensagem().find("coluna_que_nao_existe"), std::string::npos);
    EXPECT_EQ(q->get_registros(), 1);
    EXPECT_EQ(q->retornar_consulta()[0][1], "Administrador");

    // A set without anything to set is sent as is and refused.
    q->set_tipoquery(3);
    q->add_tabelas("cadastro.acesso");
    EXPECT_FALSE(q->ativar());
    EXPECT_EQ(q->get_registros(), 1);
}

TEST_F(Leitura, InsertComRetornoLeALinhaEUpdateDeleteNaoMudamContagem)
{
    q->set_tipoquery(1);
    q->add_tabelas("cadastro.acesso");
    q->add_campoinsert("desc_acesso");
    q->add_dadosinsert("'Visitante'");
    q->add_campoinsert("nivel_acesso");
    q->add_dadosinsert("0");
    q->add_camporetorno("id_acesso");
    q->add_camporetorno("desc_acesso");
    ASSERT_TRUE(q->ativar());
    EXPECT_EQ(q->get_registros(), 1);
    TABELA esperado = { { "4", "Visitante" } };
    EXPECT_EQ(q->retornar_consulta(), esperado);

    q->set_tipoquery(3);
    q->add_tabelas("cadastro.acesso");
    q->add_campoupdate("nivel_acesso");
    q->add_dadosupdate("5");
    q->add_campoconsulta("id_acesso");
    q->add_dadosconsulta("4");
    EXPECT_TRUE(q->ativar());
    EXPECT_EQ(q->get_registros(), 1);

    q->set_tipoquery(4);
    q->add_tabelas("cadastro.acesso");
    q->add_campoconsulta("id_acesso");
    q->add_dadosconsulta("4");
    EXPECT_TRUE(q->ativar());
    EXPECT_EQ(q->get_registros(), 1);
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso"), "3");

    // Deleting a row that is not there is still a success.
    q->set_tipoquery(4);
    q->add_tabelas("cadastro.acesso");
    q->add_campoconsulta("id_acesso");
    q->add_dadosconsulta("4");
    EXPECT_TRUE(q->ativar());
}
