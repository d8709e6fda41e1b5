// Who may open what: a user who is not an administrator finds "Cadastro de
// Usuários" and "Níveis de Acesso" insensitive in the menu, and asking for
// those windows anyway is refused with a message, while "Minha Conta" (her
// own data only) and the record windows open as for anyone; an
// administrator has them all.
#include <gtest/gtest.h>

#include "gui/form_usuario.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;

namespace {

const char* const NEGADO = "Somente administradores podem abrir esta janela.";

class Permissoes : public teste::SistemaTeste
{
protected:
    std::string usuarios()
    {
        return banco->valor("select string_agg(id_usuario || ':' || nome || ':' || login || ':' || id_acesso, ';' "
                            "order by id_usuario) from cadastro.usuario");
    }
};

} // namespace

TEST_F(Permissoes, QuemNaoEAdministradorNaoAbreUsuariosNemNiveis)
{
    const std::string niveis = banco->valor("select string_agg(id_acesso || desc_acesso || nivel_acesso, ';' "
                                            "order by id_acesso) from cadastro.acesso");
    Roteiro r;
    entrar(r, "maria", "abelha");
    r.passo([this] {
        EXPECT_FALSE(sistema->get_usuario_logado().login.empty());
        EXPECT_FALSE(teste::item_menu(*sistema, ids::USUARIOS).is_sensitive());
        EXPECT_FALSE(teste::item_menu(*sistema, ids::NIVEIS).is_sensitive());
        for (ids::Janela id : { ids::MINHA_CONTA, ids::APIARIOS, ids::ABELHAS, ids::COLMEIAS })
            EXPECT_TRUE(teste::item_menu(*sistema, id).is_sensitive()) << id;
        EXPECT_TRUE(teste::item_sair(*sistema).is_sensitive());
        // No password window for her.
        EXPECT_EQ(sistema->formulario_aberto(ids::SENHA), nullptr);
        saida.tomar();
        sistema->carregar_cadastro(ids::USUARIOS, sistema->get_janela_principal());
    });
    r.responder(NEGADO, Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(sistema->formulario_aberto(ids::USUARIOS), nullptr);
        EXPECT_NE(saida.tomar().find("Acesso negado à janela 2\n"), std::string::npos);
        sistema->carregar_cadastro(ids::NIVEIS, sistema->get_janela_principal());
    });
    r.responder(NEGADO, Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(sistema->formulario_aberto(ids::NIVEIS), nullptr);
        // The user search, which only the user form opens.
        sistema->carregar_pesquisa(ids::BUSCA_USUARIO, sistema->get_janela_principal());
    });
    r.responder(NEGADO, Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(sistema->formulario_aberto(ids::BUSCA_USUARIO), nullptr); });

    // The record windows open.
    for (ids::Janela id : { ids::APIARIOS, ids::ABELHAS, ids::COLMEIAS }) {
        abrir(r, id);
        r.passo([this, id] { sistema->formulario_aberto(id)->janela()->hide(); });
        esperar_fechado(r, id, "the form to close");
    }
    // "Minha Conta" saves her own data, and no one else's.
    abrir(r, ids::MINHA_CONTA);
    r.passo([this] {
        FormUsuario* c = form<FormUsuario>(ids::MINHA_CONTA);
        EXPECT_EQ(c->widgets().entry_usuario->get_text(), "maria");
        EXPECT_TRUE(teste::clicar(c->widgets().button_editar));
        c->widgets().entry_nome->set_text("Maria Souza Lima");
        EXPECT_TRUE(teste::clicar(c->widgets().button_salvar));
    });
    r.passo([this] {
        EXPECT_EQ(usuarios(), "1:Administrador do Sistema:admin:1;2:Maria Souza Lima:maria:3");
        form<FormUsuario>(ids::MINHA_CONTA)->janela()->hide();
    });
    rodar(r);
    EXPECT_EQ(banco->valor("select string_agg(id_acesso || desc_acesso || nivel_acesso, ';' order by id_acesso) "
                           "from cadastro.acesso"),
              niveis);
}

// A user on the highest level is an administrator, whatever the level is
// called; one on any lower level is not, however high.
TEST_F(Permissoes, AdministradorEQuemTemONivelMaisAlto)
{
    ASSERT_EQ(banco->executar("update cadastro.acesso set nivel_acesso = 3 where id_acesso = 3"), "");
    Roteiro r;
    entrar(r, "maria", "abelha");
    r.passo([this] {
        EXPECT_TRUE(teste::item_menu(*sistema, ids::USUARIOS).is_sensitive());
        EXPECT_TRUE(teste::item_menu(*sistema, ids::NIVEIS).is_sensitive());
    });
    abrir(r, ids::USUARIOS);
    r.passo([this] { EXPECT_EQ(form<FormUsuario>(ids::USUARIOS)->widgets().entry_usuario->get_text(), "admin"); });
    rodar(r);
}

TEST_F(Permissoes, GerenteNaoEAdministrador)
{
    ASSERT_EQ(banco->executar("update cadastro.usuario set id_acesso = 2 where login = 'maria'"), "");
    Roteiro r;
    entrar(r, "maria", "abelha");
    r.passo([this] {
        EXPECT_FALSE(teste::item_menu(*sistema, ids::USUARIOS).is_sensitive());
        EXPECT_FALSE(teste::item_menu(*sistema, ids::NIVEIS).is_sensitive());
        sistema->carregar_cadastro(ids::NIVEIS, nullptr);
    });
    r.responder(NEGADO, Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(sistema->formulario_aberto(ids::NIVEIS), nullptr); });
    rodar(r);
}
