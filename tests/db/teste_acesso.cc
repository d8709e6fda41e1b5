// Access levels: statements to the letter, what they change, the list kept
// across empty answers, and deleting a level still in use; who is an
// administrator, and no change leaving the system without one, also from
// two desktops at once.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include "db/modelo_teste.h"
#include "model/acesso.h"

namespace {

class Acesso : public teste::ModeloTeste {};

std::string descrever(const std::vector<ACESS>& lista)
{
    std::string s;
    for (const ACESS& a : lista)
        s += std::to_string(a.id) + ":" + a.descricao + ":" + std::to_string(a.nivel) + ";";
    return s;
}

} // namespace

TEST_F(Acesso, InserirGuardaOCodigoDevolvido)
{
    ACESSO acesso(q.get());
    ACESS r;
    r.descricao = "Admin";
    r.nivel = 3;
    ASSERT_TRUE(acesso.inserir(&r));
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( 'Admin', 3) returning  id_acesso;\n\n");
    EXPECT_EQ(r.id, 4);
    EXPECT_EQ(banco.valor("select desc_acesso || '/' || nivel_acesso from cadastro.acesso where id_acesso=4"),
              "Admin/3");

    // An empty description is stored as the empty text.
    ACESS vazio;
    ASSERT_TRUE(acesso.inserir(&vazio));
    EXPECT_EQ(vazio.id, 5);
    EXPECT_EQ(banco.valor("select '[' || desc_acesso || ']' from cadastro.acesso where id_acesso=5"), "[]");
}

TEST_F(Acesso, InserirRecusadoDevolveFalsoSemEscreverNada)
{
    quebrar_tabela("acesso");
    ACESSO acesso(q.get());
    ACESS r;
    r.descricao = "Visitante";
    ASSERT_FALSE(acesso.inserir(&r));
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( 'Visitante', 0) returning  id_acesso;\n\n");
    EXPECT_EQ(r.id, 0);
}

TEST_F(Acesso, AtualizarMudaSoALinhaDoCodigo)
{
    ACESSO acesso(q.get());
    ACESS r;
    r.id = 2;
    r.descricao = "Chefe";
    r.nivel = 3;
    ASSERT_TRUE(acesso.atualizar(&r));
    EXPECT_EQ(saida.tomar(),
              "\n SET QUERY 3\nupdate cadastro.acesso set  desc_acesso='Chefe', nivel_acesso=3 WHERE id_acesso=2\n");
    TABELA esperado = { { "1", "Administrador", "3" }, { "2", "Chefe", "3" }, { "3", "Operador", "1" } };
    EXPECT_EQ(banco.consultar("select * from cadastro.acesso order by 1"), esperado);

    // No row with that code is a failure, with the reason on the console.
    r.id = 77;
    saida.tomar();
    EXPECT_FALSE(acesso.atualizar(&r));
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\nupdate cadastro.acesso set  desc_acesso='Chefe', nivel_acesso=3 "
                             "WHERE id_acesso=77\nNenhum registro foi alterado: nenhum atende à condição.\n");
    EXPECT_TRUE(acesso.falha().conflito());
    EXPECT_EQ(banco.consultar("select * from cadastro.acesso order by 1"), esperado);
}

TEST_F(Acesso, AtualizarRecusadoEscreveAMensagemDoBanco)
{
    quebrar_tabela("acesso");
    ACESSO acesso(q.get());
    ACESS r;
    r.id = 1;
    r.descricao = "X";
    EXPECT_FALSE(acesso.atualizar(&r));
    std::string esperado = "\n SET QUERY 3\nupdate cadastro.acesso set  desc_acesso='X', nivel_acesso=0 WHERE id_acesso=1\n" +
                           q->get_mensagem() + "\n";
    EXPECT_NE(q->get_mensagem().find("cadastro.acesso"), std::string::npos) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(), esperado);
}

TEST_F(Acesso, ListarOrdenaPelaDescricaoEGuardaAListaQuandoNadaVem)
{
    ACESSO acesso(q.get());
    EXPECT_EQ(descrever(acesso.listar()), "1:Administrador:3;2:Gerente:2;3:Operador:1;");
    EXPECT_EQ(saida.tomar(), "select id_acesso, nivel_acesso, desc_acesso, xmin from cadastro.acesso order by desc_acesso\n");

    ACESS r;
    r.descricao = "Auditor";
    r.nivel = 0;
    ASSERT_TRUE(acesso.inserir(&r));
    EXPECT_EQ(descrever(acesso.listar()), "1:Administrador:3;4:Auditor:0;2:Gerente:2;3:Operador:1;");

    // The table emptied behind our back (by hand, past the rule that keeps
    // an administrator): the previous list comes back.
    ASSERT_EQ(banco.executar("set session_replication_role = replica;"
                             "delete from cadastro.usuario; delete from cadastro.acesso"), "");
    EXPECT_EQ(descrever(acesso.listar()), "1:Administrador:3;4:Auditor:0;2:Gerente:2;3:Operador:1;");

    // A refused SELECT is silent and keeps it as well.
    quebrar_tabela("acesso");
    saida.tomar();
    EXPECT_EQ(descrever(acesso.listar()), "1:Administrador:3;4:Auditor:0;2:Gerente:2;3:Operador:1;");
    EXPECT_EQ(saida.tomar(), "select id_acesso, nivel_acesso, desc_acesso, xmin from cadastro.acesso order by desc_acesso\n");
}

TEST_F(Acesso, ListarNaPrimeiraVezSobreTabelaVaziaDaListaVazia)
{
    ASSERT_EQ(banco.executar("set session_replication_role = replica;"
                             "delete from cadastro.usuario; delete from cadastro.acesso"), "");
    ACESSO acesso(q.get());
    EXPECT_TRUE(acesso.listar().empty());
}

TEST_F(Acesso, DeletarApagaSoOCodigoDadoERecusaCodigoAusente)
{
    ACESSO acesso(q.get());
    ACESS r;
    r.descricao = "Temporario";
    ASSERT_TRUE(acesso.inserir(&r));
    ASSERT_EQ(r.id, 4);
    saida.tomar();

    EXPECT_TRUE(acesso.deletar(4));
    EXPECT_EQ(saida.tomar(), "delete from cadastro.acesso WHERE id_acesso=4\n");
    EXPECT_EQ(banco.valor("select string_agg(id_acesso::text, ',' order by id_acesso) from cadastro.acesso"), "1,2,3");

    EXPECT_FALSE(acesso.deletar(5));
    EXPECT_EQ(saida.tomar(),
              "delete from cadastro.acesso WHERE id_acesso=5\nNenhum registro foi alterado: nenhum atende à condição.\n");
    EXPECT_TRUE(acesso.falha().conflito());
}

TEST_F(Acesso, DeletarNivelAindaUsadoFalhaENaoApagaNada)
{
    ACESSO acesso(q.get());
    std::string antes = banco.despejo();
    EXPECT_FALSE(acesso.deletar(1));
    std::string mensagem = q->get_mensagem();
    EXPECT_FALSE(mensagem.empty());
    EXPECT_EQ(saida.tomar(), "delete from cadastro.acesso WHERE id_acesso=1\n" + mensagem + "\n");
    EXPECT_EQ(banco.despejo(), antes);
    EXPECT_EQ(acesso.falha().restricao, "usuario_id_acesso_fkey");
    EXPECT_EQ(acesso.falha().motivo(),
              "Este nível de acesso ainda é usado por usuários: mude o nível deles antes de excluí-lo.");
}

TEST_F(Acesso, TextosHostisSaoGuardadosComoDigitados)
{
    ACESSO acesso(q.get());
    for (const char* const* t = teste::textos_hostis(); *t; ++t) {
        ACESS r;
        r.descricao = *t;
        r.nivel = 0;
        ASSERT_TRUE(acesso.inserir(&r)) << *t << "\n" << q->get_mensagem();
        EXPECT_EQ(banco.valor("select desc_acesso from cadastro.acesso where id_acesso=" + std::to_string(r.id)), *t);

        r.descricao = std::string(*t) + " (2)";
        ASSERT_TRUE(acesso.atualizar(&r));
        EXPECT_EQ(banco.valor("select desc_acesso from cadastro.acesso where id_acesso=" + std::to_string(r.id)),
                  std::string(*t) + " (2)");
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso"), "7");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where nivel_acesso <> 0"), "3");

    saida.tomar();
    ACESS r;
    r.descricao = "a'b";
    r.nivel = 1;
    ASSERT_TRUE(acesso.inserir(&r));
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( 'a''b', 1) returning  id_acesso;\n\n");
}

TEST_F(Acesso, AdministradorETerONivelDeNumeroMaisAlto)
{
    ACESSO acesso(q.get());
    EXPECT_TRUE(acesso.administrador(3));
    EXPECT_EQ(saida.tomar(), "select max(nivel_acesso) from cadastro.acesso\n");
    EXPECT_FALSE(acesso.administrador(2));
    EXPECT_FALSE(acesso.administrador(1));
    ASSERT_EQ(banco.executar("update cadastro.acesso set nivel_acesso = 7 where id_acesso = 1"), "");
    EXPECT_FALSE(acesso.administrador(3));
    EXPECT_TRUE(acesso.administrador(7));

    // No level stored (or none readable): nobody.
    ASSERT_EQ(banco.executar("set session_replication_role = replica;"
                             "delete from cadastro.usuario; delete from cadastro.acesso"), "");
    EXPECT_FALSE(acesso.administrador(0));
    quebrar_tabela("acesso");
    EXPECT_FALSE(acesso.administrador(7));
}

// Every way of changing levels that would leave no user on the highest one
// is refused with its own message, and changes nothing; the same changes
// keeping an administrator go through.
TEST_F(Acesso, NenhumaMudancaDeNivelDeixaOSistemaSemAdministrador)
{
    ACESSO acesso(q.get());
    const std::string antes = banco.despejo();

    ACESS rebaixado;
    rebaixado.id = 1;
    rebaixado.descricao = "Administrador";
    rebaixado.nivel = 1;   // Gerente (2), which nobody holds, would be the highest
    EXPECT_FALSE(acesso.atualizar(&rebaixado));
    EXPECT_TRUE(acesso.sem_administrador());
    EXPECT_NE(q->get_mensagem().find(SEM_ADMINISTRADOR), std::string::npos) << q->get_mensagem();

    ACESS gerente;
    gerente.id = 2;
    gerente.descricao = "Gerente";
    gerente.nivel = 4;   // above the one the administrator holds
    EXPECT_FALSE(acesso.atualizar(&gerente));
    EXPECT_TRUE(acesso.sem_administrador());

    ACESS novo;
    novo.descricao = "Diretor";
    novo.nivel = 9;
    EXPECT_FALSE(acesso.inserir(&novo));
    EXPECT_TRUE(acesso.sem_administrador());
    EXPECT_EQ(novo.id, 0);
    EXPECT_EQ(banco.despejo(), antes);

    // Another refusal is not this one.
    EXPECT_FALSE(acesso.deletar(1));
    EXPECT_FALSE(acesso.sem_administrador());

    // Keeping an administrator: a level as high as the highest, the highest
    // renamed, an unheld level moved about below it.
    novo.nivel = 3;
    EXPECT_TRUE(acesso.inserir(&novo));
    EXPECT_FALSE(acesso.sem_administrador());
    rebaixado.descricao = "Administração";
    rebaixado.nivel = 3;
    EXPECT_TRUE(acesso.atualizar(&rebaixado));
    gerente.nivel = 0;
    EXPECT_TRUE(acesso.atualizar(&gerente));
    EXPECT_TRUE(acesso.deletar(novo.id));

    // With maria on the highest level too, the first administrator may go
    // down; then she is the last one.
    ASSERT_EQ(banco.executar("update cadastro.usuario set id_acesso = 1 where login = 'maria'"), "");
    ASSERT_EQ(banco.executar("update cadastro.usuario set id_acesso = 3 where login = 'admin'"), "");
    EXPECT_NE(banco.executar("update cadastro.usuario set id_acesso = 3 where login = 'maria'")
                  .find(SEM_ADMINISTRADOR), std::string::npos);
    EXPECT_NE(banco.executar("delete from cadastro.usuario where login = 'maria'").find(SEM_ADMINISTRADOR),
              std::string::npos);
    EXPECT_EQ(banco.valor("select count(*) from cadastro.usuario where login = 'maria' and id_acesso = 1"), "1");
}

// Levels may be laid out freely while there are no users (a new database).
TEST_F(Acesso, SemUsuariosOsNiveisSaoLivres)
{
    ASSERT_EQ(banco.executar("set session_replication_role = replica; delete from cadastro.usuario"), "");
    ACESSO acesso(q.get());
    ACESS r;
    r.descricao = "Diretor";
    r.nivel = 10;
    EXPECT_TRUE(acesso.inserir(&r)) << q->get_mensagem();
    r.nivel = 0;
    EXPECT_TRUE(acesso.atualizar(&r)) << q->get_mensagem();
    EXPECT_TRUE(acesso.deletar(r.id)) << q->get_mensagem();
}

namespace {

// A connection of its own, as the program's user, as a second desktop.
PGconn* outra_estacao(const teste::BancoTeste& banco)
{
    PGconn* c = PQconnectdb(teste::conexao_app(banco.nome()).c_str());
    EXPECT_EQ(PQstatus(c), CONNECTION_OK) << PQerrorMessage(c);
    return c;
}

} // namespace

// Two desktops, each taking one of the last two administrators away at the
// same moment: the second waits for the first and is refused.
TEST_F(Acesso, DuasEstacoesNaoTiramJuntasOsDoisUltimosAdministradores)
{
    ASSERT_EQ(banco.executar("update cadastro.usuario set id_acesso = 1 where login = 'maria'"), "");
    PGconn* b = outra_estacao(banco);
    ASSERT_EQ(PQstatus(b), CONNECTION_OK);
    teste::entrar_como_administrador(b);

    // The first desktop's change, not yet committed: maria is still there.
    q->executar("begin");
    q->executar("update cadastro.usuario set id_acesso = 3 where login = 'admin'");
    ASSERT_EQ(q->get_situacao(), Situacao::COMANDO) << q->get_mensagem();

    // The second desktop's change meanwhile: its check waits for the first.
    ASSERT_EQ(PQsendQuery(b, "update cadastro.usuario set id_acesso = 3 where login = 'maria'"), 1);
    const std::string pid = std::to_string(PQbackendPID(b));
    bool esperando = false;
    for (int i = 0; i < 200 && !esperando; ++i) {
        esperando = banco.valor("select wait_event_type from pg_stat_activity where pid = " + pid) == "Lock";
        if (!esperando)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    EXPECT_TRUE(esperando);

    q->executar("commit");
    ASSERT_EQ(q->get_situacao(), Situacao::COMANDO) << q->get_mensagem();
    PGresult* r = PQgetResult(b);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(PQresultStatus(r), PGRES_FATAL_ERROR);
    EXPECT_NE(std::string(PQresultErrorMessage(r)).find(SEM_ADMINISTRADOR), std::string::npos)
        << PQresultErrorMessage(r);
    PQclear(r);
    while ((r = PQgetResult(b)))
        PQclear(r);
    PQfinish(b);
    EXPECT_EQ(banco.valor("select string_agg(login || ':' || id_acesso, ',' order by login) from cadastro.usuario"),
              "admin:3,maria:1");
}
