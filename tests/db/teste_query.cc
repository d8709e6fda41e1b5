// The statement builder: every statement kind assembled to the letter, the
// trace on standard output, what each kind empties, reading back, statements
// run as values and the lists read from their rows.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "db/lista_registros.h"
#include "db/modelo_teste.h"
#include "db/query.h"
#include "model/falha.h"
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

namespace {

class Leitura : public teste::ModeloTeste
{
protected:
    void selecionar_acesso(const std::string& filtro)
    {
        q->set_tipoquery(2);
        q->add_camporetorno("id_acesso");
        q->add_camporetorno("desc_acesso");
        q->add_tabelas("cadastro.acesso");
        q->add_filtroconsulta(filtro);
        q->add_campoorder("id_acesso");
    }
    // The same query as a value.
    INSTRUCAO acessos(const std::string& filtro)
    {
        INSTRUCAO i = q->descrever(INSTRUCAO::CONSULTAR);
        i.camporetorno = { "id_acesso", "desc_acesso" };
        i.tabelas = { "cadastro.acesso" };
        i.filtroconsulta = filtro;
        i.campoorder = { "id_acesso" };
        return i;
    }
    void inserir_acesso(const std::string& descricao, bool com_retorno)
    {
        q->set_tipoquery(1);
        q->add_tabelas("cadastro.acesso");
        q->add_campoinsert("desc_acesso");
        q->add_dadosinsert(q->literal(descricao));
        q->add_campoinsert("nivel_acesso");
        q->add_dadosinsert("0");
        if (com_retorno)
            q->add_camporetorno("id_acesso");
    }
};

} // namespace

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
    q->add_dadosupdate("2");
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

    // Deleting a row that is not there is a failure, and says why; the
    // count stays.
    q->set_tipoquery(4);
    q->add_tabelas("cadastro.acesso");
    q->add_campoconsulta("id_acesso");
    q->add_dadosconsulta("4");
    EXPECT_FALSE(q->ativar());
    EXPECT_EQ(q->get_registros(), 1);
    // It ran and matched no row.
    EXPECT_EQ(q->get_situacao(), Situacao::COMANDO);
    EXPECT_EQ(q->get_afetadas(), 0);
    EXPECT_EQ(q->get_mensagem(), "Nenhum registro foi alterado: nenhum atende à condição.");
}

// Each result tells how many rows its own statement changed; an update or
// delete that matched none failed, with no rows and no count left behind.
TEST_F(Leitura, LinhasAfetadasSaoDaPropriaInstrucaoENenhumaEFalha)
{
    INSTRUCAO u = q->descrever(INSTRUCAO::ATUALIZAR);
    u.tabelas = { "cadastro.acesso" };
    u.atualizar("nivel_acesso", "nivel_acesso");
    u.condicao("nivel_acesso", "nivel_acesso");
    const RESULTADO todos = q->ativar(u);
    EXPECT_TRUE(todos.ok());
    EXPECT_EQ(todos.afetadas, 3);
    EXPECT_EQ(todos.registros(), 0);
    EXPECT_FALSE(FALHA(todos).houve);

    const RESULTADO achados = q->ativar(acessos("nivel_acesso > 1"));
    EXPECT_EQ(achados.registros(), 2);
    EXPECT_EQ(achados.afetadas, 2);

    u.dadosconsulta = { "99" };
    saida.tomar();
    const RESULTADO nenhum = q->ativar(u);
    EXPECT_EQ(saida.tomar(), "update cadastro.acesso set  nivel_acesso=nivel_acesso WHERE nivel_acesso=99\n");
    EXPECT_FALSE(nenhum.ok());
    EXPECT_EQ(nenhum.afetadas, 0);
    EXPECT_EQ(nenhum.sqlstate, FALHA::SEM_REGISTRO);
    EXPECT_EQ(nenhum.linhas, nullptr);
    EXPECT_EQ(nenhum.linha(0).size(), 0u);
    EXPECT_TRUE(FALHA(nenhum).conflito());
    EXPECT_EQ(FALHA(nenhum).tipo, INSTRUCAO::ATUALIZAR);

    INSTRUCAO d = q->descrever(INSTRUCAO::EXCLUIR);
    d.tabelas = { "cadastro.acesso" };
    d.condicao("id_acesso", "99");
    const RESULTADO nada = q->ativar(d);
    EXPECT_FALSE(nada.ok());
    EXPECT_EQ(nada.sqlstate, FALHA::SEM_REGISTRO);
    EXPECT_EQ(FALHA(nada).tipo, INSTRUCAO::EXCLUIR);
    EXPECT_NE(FALHA(nada).motivo().find("nada foi excluído"), std::string::npos);
    EXPECT_EQ(banco.valor("select string_agg(nivel_acesso::text, ',' order by id_acesso) from cadastro.acesso"),
              "3,2,1");

    // A refusal carries the server's SQLSTATE and the constraint it names.
    INSTRUCAO i = q->descrever(INSTRUCAO::INSERIR);
    i.tabelas = { "cadastro.florada" };
    i.inserir("nome_florada", "'Eucalipto'");
    const RESULTADO repetida = q->ativar(i);
    EXPECT_FALSE(repetida.ok());
    EXPECT_EQ(repetida.sqlstate, "23505");
    EXPECT_EQ(repetida.restricao, "florada_nome_florada_key");
    EXPECT_EQ(FALHA(repetida).motivo(), "Já existe uma florada com este nome.");
    const RESULTADO depois = q->ativar(acessos("true"));
    EXPECT_TRUE(depois.ok());
    EXPECT_FALSE(FALHA(depois).houve);
}

// Statements sent together: each traced as it is queued, each with its own
// result; the first refused ends them, and outside a transaction undoes
// those before it.
TEST_F(Leitura, FilaEnviaJuntasCadaUmaComSeuResultado)
{
    saida.tomar();
    INSTRUCAO i = q->descrever(INSTRUCAO::INSERIR);
    i.tabelas = { "cadastro.acesso" };
    i.camporetorno = { "id_acesso" };
    i.inserir("desc_acesso", "'Na fila'");
    i.inserir("nivel_acesso", "0");
    q->enfileirar(i);
    q->enfileirar(acessos("nivel_acesso = 0"));
    INSTRUCAO u = q->descrever(INSTRUCAO::ATUALIZAR);
    u.tabelas = { "cadastro.acesso" };
    u.atualizar("nivel_acesso", "2");
    u.condicao("nivel_acesso", "0");
    q->enfileirar(u);
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( 'Na fila', 0) returning  id_acesso;\n\n"
              "select id_acesso, desc_acesso from cadastro.acesso where nivel_acesso = 0 order by id_acesso\n"
              "\n SET QUERY 3\nupdate cadastro.acesso set  nivel_acesso=2 WHERE nivel_acesso=0\n");
    std::vector<RESULTADO> r = q->enviar_fila();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(r[0].achou());
    EXPECT_EQ(r[0].linha(0)[0], "4");
    EXPECT_EQ(r[1].registros(), 1);
    EXPECT_EQ(r[1].linha(0)[1], "Na fila");
    EXPECT_TRUE(r[2].ok());
    EXPECT_EQ(r[2].afetadas, 1);
    EXPECT_EQ(r[2].tipo, INSTRUCAO::ATUALIZAR);
    for (const RESULTADO& cada : r)
        EXPECT_FALSE(FALHA(cada).houve);
    EXPECT_EQ(banco.valor("select nivel_acesso from cadastro.acesso where desc_acesso = 'Na fila'"), "2");
    // Sent: the queue is empty.
    EXPECT_TRUE(q->enviar_fila().empty());

    i.dadosinsert = { "'Desfeito'", "0" };
    q->enfileirar(i);
    q->enfileirar(acessos("coluna_que_nao_existe = 1"));
    i.dadosinsert = { "'Nunca'", "0" };
    q->enfileirar(i);
    r = q->enviar_fila();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(r[0].ok());
    EXPECT_FALSE(r[1].ok());
    EXPECT_EQ(r[1].sqlstate, "42703");
    EXPECT_FALSE(r[2].ok());
    EXPECT_EQ(r[2].sqlstate, "");
    // The connection's outcome is that of the first refused.
    EXPECT_EQ(q->get_sqlstate(), "42703");
    EXPECT_NE(q->get_mensagem().find("coluna_que_nao_existe"), std::string::npos) << q->get_mensagem();
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where desc_acesso in ('Desfeito', 'Nunca')"), "0");

    // The connection goes on as before.
    EXPECT_TRUE(q->ativar(acessos("true")).ok());
    EXPECT_FALSE(q->get_em_transacao());
}

// Statements that belong together: all stored, or none.
TEST_F(Leitura, TransacaoGuardaTudoOuNada)
{
    saida.tomar();
    ASSERT_TRUE(q->iniciar_transacao().ok()) << q->get_mensagem();
    EXPECT_TRUE(q->get_em_transacao());
    inserir_acesso("Desfeito 1", true);
    ASSERT_TRUE(q->ativar());
    inserir_acesso("Desfeito 2", true);
    ASSERT_TRUE(q->ativar());
    q->desfazer_transacao();
    EXPECT_FALSE(q->get_em_transacao());
    EXPECT_EQ(saida.tomar(),
              "begin\n"
              "insert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( 'Desfeito 1', 0) returning  id_acesso;\n\n"
              "insert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( 'Desfeito 2', 0) returning  id_acesso;\n\n"
              "rollback\n");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where desc_acesso like 'Desfeito%'"), "0");

    ASSERT_TRUE(q->iniciar_transacao().ok());
    inserir_acesso("Guardado", true);
    ASSERT_TRUE(q->ativar());
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where desc_acesso = 'Guardado'"), "0");
    EXPECT_TRUE(q->confirmar_transacao().ok()) << q->get_mensagem();
    EXPECT_FALSE(q->get_em_transacao());
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where desc_acesso = 'Guardado'"), "1");

    // After an error inside, the server rolls back at the commit: that is
    // no success, and nothing before the error is stored.
    ASSERT_TRUE(q->iniciar_transacao().ok());
    inserir_acesso("Antes do erro", true);
    ASSERT_TRUE(q->ativar());
    selecionar_acesso("coluna_que_nao_existe = 1");
    EXPECT_FALSE(q->ativar());
    const RESULTADO desfeita = q->confirmar_transacao();
    EXPECT_FALSE(desfeita.ok());
    EXPECT_TRUE(FALHA(desfeita).houve);
    EXPECT_TRUE(FALHA(desfeita).desfeita);
    EXPECT_FALSE(q->get_em_transacao());
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where desc_acesso = 'Antes do erro'"), "0");
    // Ending no transaction sends nothing.
    saida.tomar();
    q->desfazer_transacao();
    EXPECT_EQ(saida.tomar(), "");
}

// An insert without RETURNING returns no rows: whatever statement ran before
// it, the count and the rows afterwards are still one statement's.
TEST_F(Leitura, InsertSemRetornoNaoDeixaContagemSemLinhas)
{
    inserir_acesso("Com retorno", true);
    ASSERT_TRUE(q->ativar());
    EXPECT_EQ(q->get_registros(), 1);
    selecionar_acesso("nivel_acesso > 1");
    ASSERT_TRUE(q->ativar());
    ASSERT_EQ(q->get_registros(), 2);
    const TABELA esperado = { { "1", "Administrador" }, { "2", "Gerente" } };

    saida.tomar();
    inserir_acesso("Sem retorno", false);
    EXPECT_TRUE(q->ativar()) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(), "insert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( 'Sem retorno', 0);\n\n");
    EXPECT_EQ(q->get_registros(), 2);
    EXPECT_EQ(q->retornar_consulta(), esperado);
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where desc_acesso = 'Sem retorno'"), "1");

    // Asked to read its rows back, the same insert finds none: the count
    // says so and the rows stay those of the query.
    inserir_acesso("Lido de volta", false);
    q->set_retorno();
    EXPECT_TRUE(q->ativar());
    EXPECT_EQ(q->get_registros(), 0);
    EXPECT_EQ(q->retornar_consulta(), esperado);

    // The request was for that insert only.
    selecionar_acesso("nivel_acesso > 2");
    ASSERT_TRUE(q->ativar());
    ASSERT_EQ(q->get_registros(), 1);
    inserir_acesso("Outra sem retorno", false);
    EXPECT_TRUE(q->ativar());
    EXPECT_EQ(q->get_registros(), 1);
    EXPECT_EQ(q->retornar_consulta(), (TABELA { { "1", "Administrador" } }));
}

// A statement run as a value gives its own result and leaves the count and
// rows of the statements described piece by piece alone.
TEST_F(Leitura, InstrucaoDaSeuResultadoSemMexerNaContagemDoConstrutor)
{
    selecionar_acesso("nivel_acesso > 1");
    ASSERT_TRUE(q->ativar());
    ASSERT_EQ(q->get_registros(), 2);
    saida.tomar();

    const RESULTADO todos = q->ativar(acessos("id_acesso > 0"));
    EXPECT_EQ(saida.tomar(), "select id_acesso, desc_acesso from cadastro.acesso where id_acesso > 0 order by id_acesso\n");
    EXPECT_TRUE(todos.ok());
    EXPECT_TRUE(todos.achou());
    EXPECT_EQ(todos.tipo, INSTRUCAO::CONSULTAR);
    ASSERT_EQ(todos.registros(), 3);
    EXPECT_EQ(todos.linha(2)[1], "Operador");
    EXPECT_EQ(todos.linha(2).inteiro(0), 3);
    EXPECT_EQ(todos.linha(3).size(), 0u);
    EXPECT_EQ(todos.linha(-1)[0], "");
    EXPECT_EQ(q->get_registros(), 2);
    EXPECT_EQ(q->retornar_consulta().size(), 2u);

    // Nothing found is a success without rows; a refusal carries the
    // database's message; the earlier result keeps its rows through both.
    const RESULTADO nenhum = q->ativar(acessos("id_acesso > 99"));
    EXPECT_TRUE(nenhum.ok());
    EXPECT_FALSE(nenhum.achou());
    EXPECT_EQ(nenhum.registros(), 0);
    const RESULTADO recusado = q->ativar(acessos("coluna_que_nao_existe = 1"));
    EXPECT_FALSE(recusado.ok());
    EXPECT_EQ(recusado.registros(), 0);
    EXPECT_EQ(recusado.linhas, nullptr);
    EXPECT_NE(recusado.mensagem.find("coluna_que_nao_existe"), std::string::npos) << recusado.mensagem;
    EXPECT_EQ(recusado.mensagem, q->get_mensagem());
    EXPECT_EQ(todos.linha(0)[1], "Administrador");

    // Describing an update starts with its trace line; a command returns
    // no rows; a statement without a table is not sent.
    saida.tomar();
    INSTRUCAO u = q->descrever(INSTRUCAO::ATUALIZAR);
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\n");
    u.tabelas = { "cadastro.acesso" };
    u.atualizar("nivel_acesso", "nivel_acesso + 1");
    u.condicao("id_acesso", "3");
    const RESULTADO atualizado = q->ativar(u);
    EXPECT_EQ(saida.tomar(), "update cadastro.acesso set  nivel_acesso=nivel_acesso + 1 WHERE id_acesso=3\n");
    EXPECT_TRUE(atualizado.ok());
    EXPECT_EQ(atualizado.registros(), 0);
    EXPECT_EQ(banco.valor("select nivel_acesso from cadastro.acesso where id_acesso = 3"), "2");
    const RESULTADO sem_tabela = q->ativar(q->descrever(INSTRUCAO::EXCLUIR));
    EXPECT_FALSE(sem_tabela.ok());
    EXPECT_EQ(saida.tomar(), "\n");
    EXPECT_EQ(q->get_registros(), 2);
}

TEST_F(Leitura, InstrucaoGuardaSoAsColunasPedidas)
{
    INSTRUCAO i = acessos("id_acesso = 2");
    i.camporetorno.push_back("nivel_acesso");
    i.colunas_guardadas = { 1 };
    const RESULTADO r = q->ativar(i);
    ASSERT_TRUE(r.achou());
    EXPECT_EQ(r.linha(0).size(), 3u);
    EXPECT_EQ(r.linha(0)[0], "");
    EXPECT_EQ(r.linha(0)[1], "Gerente");
    EXPECT_EQ(r.linha(0).inteiro(2), 0);
    EXPECT_EQ(q->ativar(acessos("id_acesso = 2")).linha(0).inteiro(0), 2);

    // The first and last of three, over every row: each keeps its own.
    i = acessos("id_acesso > 0");
    i.camporetorno.push_back("nivel_acesso");
    i.colunas_guardadas = { 2, 0 };
    const RESULTADO todas = q->ativar(i);
    const RESULTADO inteiras = q->ativar(acessos("id_acesso > 0"));
    ASSERT_EQ(todas.registros(), inteiras.registros());
    ASSERT_GT(todas.registros(), 1);
    for (int k = 0; k < todas.registros(); ++k) {
        EXPECT_EQ(todas.linha(k)[0], inteiras.linha(k)[0]);
        EXPECT_EQ(todas.linha(k)[1], "");
        EXPECT_EQ(todas.linha(k)[2], banco.valor("select nivel_acesso from cadastro.acesso where id_acesso = " +
                                                 inteiras.linha(k)[0]));
    }
}

namespace {

struct Nivel
{
    int id = 0;
    std::string descricao;
};

Nivel ler_nivel(const LinhaResultado& linha)
{
    return Nivel { linha.inteiro(0), linha[1] };
}

template <class Lista>
std::string descrever(const Lista& lista)
{
    std::string s;
    for (const Nivel& n : lista)
        s += std::to_string(n.id) + ":" + n.descricao + ";";
    return s;
}

} // namespace

// A list grows by the rows of each result appended to it, in order, reads
// empty past its end, and keeps its rows when the builder moves on.
TEST_F(Leitura, ListaDeRegistrosJuntaOsResultadosEmOrdem)
{
    LISTA_REGISTROS<Nivel> lista;
    EXPECT_TRUE(lista.empty());
    EXPECT_EQ(lista[0].id, 0);

    const RESULTADO todos = q->ativar(acessos("id_acesso > 0"));
    lista.acrescentar(todos, ler_nivel, 2);
    lista.acrescentar(q->ativar(acessos("id_acesso > 99")), ler_nivel);
    lista.acrescentar(q->ativar(acessos("coluna_que_nao_existe = 1")), ler_nivel);
    lista.acrescentar(q->ativar(acessos("id_acesso = 3")), ler_nivel);
    lista.acrescentar(todos, ler_nivel);
    ASSERT_EQ(lista.size(), 6u);
    EXPECT_EQ(descrever(lista), "1:Administrador;2:Gerente;3:Operador;1:Administrador;2:Gerente;3:Operador;");
    EXPECT_EQ(lista[2].descricao, "Operador");
    EXPECT_EQ(lista.linha(5)[1], "Operador");
    EXPECT_EQ(lista.front().descricao, "Administrador");
    EXPECT_EQ(lista[6].id, 0);
    EXPECT_EQ(lista[6].descricao, "");
    EXPECT_EQ(lista.linha(6).size(), 0u);

    q->executar("select 1");
    const LISTA_REGISTROS<Nivel> copia = lista;
    lista.clear();
    EXPECT_TRUE(lista.empty());
    std::vector<Nivel> registros(9);
    copia.copiar(registros);
    EXPECT_EQ(descrever(registros), "1:Administrador;2:Gerente;3:Operador;1:Administrador;2:Gerente;3:Operador;");
}

// The rows of a statement run as a value live as long as its result or a
// list reads them, and no longer: nothing in the builder keeps them.
TEST_F(Leitura, LinhasDeUmResultadoVivemSoEnquantoAlguemAsLe)
{
    std::weak_ptr<const LINHAS> soltas, na_lista;
    LISTA_REGISTROS<Nivel> lista;
    {
        const RESULTADO r = q->ativar(acessos("id_acesso > 0"));
        ASSERT_TRUE(r.achou());
        soltas = r.linhas;
        const RESULTADO s = q->ativar(acessos("id_acesso > 1"));
        ASSERT_TRUE(s.achou());
        na_lista = s.linhas;
        lista.acrescentar(s, ler_nivel);
    }
    EXPECT_TRUE(soltas.expired());
    EXPECT_FALSE(na_lista.expired());
    EXPECT_EQ(descrever(lista), "2:Gerente;3:Operador;");
    lista.clear();
    EXPECT_TRUE(na_lista.expired());

    // The rows of a statement run by ativar() stay for retornar_consulta.
    selecionar_acesso("nivel_acesso > 2");
    ASSERT_TRUE(q->ativar());
    q->ativar(acessos("id_acesso > 0"));
    EXPECT_EQ(q->retornar_consulta(), (TABELA { { "1", "Administrador" } }));
}
