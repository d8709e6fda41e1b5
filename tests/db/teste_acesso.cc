// Access levels: statements to the letter, what they change, the list kept
// across empty answers, and deleting a level still in use.
#include <string>
#include <vector>

#include <gtest/gtest.h>

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
    r.nivel = 5;
    ASSERT_TRUE(acesso.atualizar(&r));
    EXPECT_EQ(saida.tomar(),
              "\n SET QUERY 3\nupdate cadastro.acesso set  desc_acesso='Chefe', nivel_acesso=5 WHERE id_acesso=2\n");
    TABELA esperado = { { "1", "Administrador", "3" }, { "2", "Chefe", "5" }, { "3", "Operador", "1" } };
    EXPECT_EQ(banco.consultar("select * from cadastro.acesso order by 1"), esperado);

    // No row with that code is a failure, with the reason on the console.
    r.id = 77;
    saida.tomar();
    EXPECT_FALSE(acesso.atualizar(&r));
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\nupdate cadastro.acesso set  desc_acesso='Chefe', nivel_acesso=5 "
                             "WHERE id_acesso=77\nNenhum registro foi alterado: nenhum atende à condição.\n");
    EXPECT_TRUE(q->ultima_falha().conflito());
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

    // The table emptied behind our back: the previous list comes back.
    ASSERT_EQ(banco.executar("delete from cadastro.usuario; delete from cadastro.acesso"), "");
    EXPECT_EQ(descrever(acesso.listar()), "1:Administrador:3;4:Auditor:0;2:Gerente:2;3:Operador:1;");

    // A refused SELECT is silent and keeps it as well.
    quebrar_tabela("acesso");
    saida.tomar();
    EXPECT_EQ(descrever(acesso.listar()), "1:Administrador:3;4:Auditor:0;2:Gerente:2;3:Operador:1;");
    EXPECT_EQ(saida.tomar(), "select id_acesso, nivel_acesso, desc_acesso, xmin from cadastro.acesso order by desc_acesso\n");
}

TEST_F(Acesso, ListarNaPrimeiraVezSobreTabelaVaziaDaListaVazia)
{
    ASSERT_EQ(banco.executar("delete from cadastro.usuario; delete from cadastro.acesso"), "");
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
    EXPECT_TRUE(q->ultima_falha().conflito());
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
    EXPECT_EQ(q->ultima_falha().restricao, "usuario_id_acesso_fkey");
    EXPECT_EQ(q->ultima_falha().motivo(),
              "Este nível de acesso ainda é usado por usuários: mude o nível deles antes de excluí-lo.");
}

TEST_F(Acesso, TextosHostisSaoGuardadosComoDigitados)
{
    ACESSO acesso(q.get());
    for (const char* const* t = teste::textos_hostis(); *t; ++t) {
        ACESS r;
        r.descricao = *t;
        r.nivel = 9;
        ASSERT_TRUE(acesso.inserir(&r)) << *t << "\n" << q->get_mensagem();
        EXPECT_EQ(banco.valor("select desc_acesso from cadastro.acesso where id_acesso=" + std::to_string(r.id)), *t);

        r.descricao = std::string(*t) + " (2)";
        ASSERT_TRUE(acesso.atualizar(&r));
        EXPECT_EQ(banco.valor("select desc_acesso from cadastro.acesso where id_acesso=" + std::to_string(r.id)),
                  std::string(*t) + " (2)");
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso"), "7");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where nivel_acesso <> 9"), "3");

    saida.tomar();
    ACESS r;
    r.descricao = "a'b";
    r.nivel = 1;
    ASSERT_TRUE(acesso.inserir(&r));
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( 'a''b', 1) returning  id_acesso;\n\n");
}
