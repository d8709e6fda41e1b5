// The reason a refused statement is given to the person who typed the
// record: by the constraint the server names, by the kind of statement, and
// by the class of the SQLSTATE.
#include <string>

#include <gtest/gtest.h>

#include "db/instrucao.h"
#include "db/resultado.h"
#include "model/falha.h"

namespace {

FALHA falha(int tipo, const std::string& sqlstate, const std::string& restricao = "")
{
    RESULTADO r;
    r.situacao = Situacao::FALHOU;
    r.tipo = tipo;
    r.sqlstate = sqlstate;
    r.restricao = restricao;
    r.mensagem = "texto do servidor";
    return FALHA(r);
}

} // namespace

TEST(Falha, SucessoNaoTemMotivo)
{
    RESULTADO r;
    r.situacao = Situacao::COMANDO;
    r.sqlstate = "23505";
    const FALHA f(r);
    EXPECT_FALSE(f.houve);
    EXPECT_EQ(f.sqlstate, "");
    EXPECT_EQ(f.motivo(), "");
    EXPECT_FALSE(FALHA().houve);
}

TEST(Falha, RestricoesDoEsquemaPeloNomeEPeloTipoDeInstrucao)
{
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "23505", "usuario_login_key").motivo(),
              "Já existe um usuário com este login: escolha outro.");
    EXPECT_EQ(falha(INSTRUCAO::ATUALIZAR, "23505", "usuario_login_key").motivo(),
              "Já existe um usuário com este login: escolha outro.");
    // The same key refuses a delete for one reason and a save for another.
    EXPECT_EQ(falha(INSTRUCAO::EXCLUIR, "23503", "usuario_id_acesso_fkey").motivo(),
              "Este nível de acesso ainda é usado por usuários: mude o nível deles antes de excluí-lo.");
    EXPECT_EQ(falha(INSTRUCAO::EXCLUIR, "23503", "abelha_rainha_filha_fkey").motivo(),
              "Esta abelha é mãe de outras abelhas cadastradas: ela não pode ser excluída.");
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "23503", "abelha_rainha_filha_fkey").motivo(),
              "A abelha escolhida como mãe não existe mais: ela foi excluída depois de aparecer na lista.");
    EXPECT_EQ(falha(INSTRUCAO::ATUALIZAR, "23514", "abelha_nao_e_mae_de_si").motivo(),
              "Uma abelha não pode ser mãe de si mesma: escolha outra mãe, ou \"Não Sabe\".");
    // The rule that keeps an administrator, for levels and users alike.
    EXPECT_EQ(falha(INSTRUCAO::EXCLUIR, "23514", "sistema_tem_administrador").motivo(),
              "Recusado: o sistema ficaria sem administrador.\n"
              "Algum usuário precisa ter o nível de acesso de número mais alto.");
    // A constraint of another kind of failure is not taken for it.
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "23514", "usuario_login_key").motivo(),
              "Um dos valores digitados não é aceito pelo banco de dados.");
    // Unknown constraints fall back on the class.
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "23505", "outra_key").motivo(), "Já existe um registro com estes dados.");
    EXPECT_EQ(falha(INSTRUCAO::EXCLUIR, "23503", "outra_fkey").motivo(),
              "Este registro ainda é usado por outros registros e não pode ser excluído.");
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "23503", "outra_fkey").motivo(),
              "O registro aponta para outro que não existe mais.");
}

TEST(Falha, ConexaoConflitoDatasEOutrasClasses)
{
    const FALHA conflito = falha(INSTRUCAO::ATUALIZAR, FALHA::SEM_REGISTRO);
    EXPECT_TRUE(conflito.conflito());
    EXPECT_NE(conflito.motivo().find("alterado ou excluído em outro computador"), std::string::npos);
    EXPECT_NE(conflito.motivo().find("nada foi gravado"), std::string::npos);
    EXPECT_NE(falha(INSTRUCAO::EXCLUIR, FALHA::SEM_REGISTRO).motivo().find("nada foi excluído"), std::string::npos);
    EXPECT_FALSE(falha(INSTRUCAO::ATUALIZAR, "23505").conflito());

    EXPECT_NE(falha(INSTRUCAO::INSERIR, FALHA::SEM_CONEXAO).motivo().find("Nada foi enviado"), std::string::npos);
    FALHA perdida = falha(INSTRUCAO::INSERIR, FALHA::CONEXAO_PERDIDA);
    EXPECT_NE(perdida.motivo().find("confira se a alteração foi gravada"), std::string::npos);
    perdida.desfeita = true;
    EXPECT_EQ(perdida.motivo().find("confira"), std::string::npos);
    EXPECT_NE(falha(INSTRUCAO::NENHUM, FALHA::CONFIRMACAO_INCERTA).motivo().find("não se sabe"), std::string::npos);
    EXPECT_EQ(falha(INSTRUCAO::NENHUM, "08003").motivo(), falha(INSTRUCAO::NENHUM, "08006").motivo());
    EXPECT_NE(falha(INSTRUCAO::NENHUM, "57P01").motivo().find("reiniciado"), std::string::npos);
    EXPECT_EQ(falha(INSTRUCAO::NENHUM, FALHA::CANCELADA).motivo(), "A operação foi cancelada.");

    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "22008").motivo(),
              "A data digitada não existe ou não está no formato DD/MM/AAAA.");
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "22007").motivo(), falha(INSTRUCAO::INSERIR, "22008").motivo());
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "22012").motivo(), "Um dos valores digitados não é aceito pelo banco de dados.");
    EXPECT_NE(falha(INSTRUCAO::INSERIR, "40P01").motivo().find("tente de novo"), std::string::npos);
    EXPECT_NE(falha(INSTRUCAO::INSERIR, "53100").motivo().find("espaço em disco"), std::string::npos);
    EXPECT_NE(falha(INSTRUCAO::INSERIR, "42501").motivo().find("permissão"), std::string::npos);
    EXPECT_NE(falha(INSTRUCAO::INSERIR, "42P01").motivo().find("precisa ser atualizado"), std::string::npos);
    // No SQLSTATE, or one of no known class: still a reason.
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "").motivo(), "O banco de dados recusou a operação.");
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "XX000").motivo(), "O banco de dados recusou a operação.");
    EXPECT_EQ(falha(INSTRUCAO::INSERIR, "0").motivo(), "O banco de dados recusou a operação.");
}
