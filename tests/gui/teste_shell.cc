// Start-up, the login window, the main window and its menu, and the program
// ending cleanly whatever is open.
#include <future>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <gtkmm/accelgroup.h>
#include <gtkmm/main.h>

#include "gui/sistema_teste.h"
#include "res/icone.h"

using Roteiro = teste::RoteiroTeste;
using teste::item_sair;

namespace {

class Login : public teste::SistemaTeste {};

} // namespace

TEST_F(Login, FalhaMostraODialogoLimpaOsCamposEDeixaTentarDeNovo)
{
    const char* tentativas[][2] = {
        { "admin", "errada" }, { "ninguem", "admin" }, { "' or '1'='1", "' or '1'='1" }, { "admin'--", "x" },
    };
    Roteiro r;
    for (auto& t : tentativas) {
        r.passo([this, t] {
            sistema->get_entry_login()->set_text(t[0]);
            sistema->get_entry_senha()->set_text(t[1]);
            saida.tomar();
            sistema->get_button_ok()->clicked();
        });
        r.esperar([] { return teste::dialogo_visivel() != nullptr; }, "the login dialog");
        r.passo([this] {
            Gtk::MessageDialog* d = teste::dialogo_visivel();
            EXPECT_EQ(d->property_text().get_value(), "Verifique seu <b>Usuário</b> e <b>Senha</b>!");
            EXPECT_TRUE(d->property_use_markup().get_value());
            EXPECT_TRUE(d->get_modal());
            EXPECT_EQ(sistema->get_entry_login()->get_text(), "");
            EXPECT_EQ(sistema->get_entry_senha()->get_text(), "");
            d->response(Gtk::RESPONSE_CLOSE);
        });
        r.passo([this] {
            std::string s = saida.tomar();
            EXPECT_NE(s.find("Verifique seu usuário e senha!\n"), std::string::npos) << s;
            EXPECT_EQ(s.find("Acesso Garantido!"), std::string::npos);
            EXPECT_FALSE(sistema->get_logado());
            EXPECT_TRUE(sistema->get_janela_login()->is_visible());
            EXPECT_EQ(sistema->get_janela_login()->get_focus(), sistema->get_entry_login());
        });
    }
    r.passo([this] { sistema->get_button_cancelar()->clicked(); });
    rodar(r);
    EXPECT_FALSE(sistema->get_janela_login()->is_visible());
}

TEST_F(Login, JanelaDeLoginLimitaOsCamposEEnterAvanca)
{
    Gtk::Window* j = sistema->get_janela_login();
    EXPECT_EQ(j->get_title(), "Acesso ao Sistema");
    EXPECT_EQ(sistema->get_entry_login()->get_max_length(), 20);
    EXPECT_EQ(sistema->get_entry_senha()->get_max_length(), 64);
    EXPECT_FALSE(sistema->get_entry_senha()->get_visibility());
    sistema->get_entry_login()->set_text(std::string(21, 'a'));
    EXPECT_EQ(sistema->get_entry_login()->get_text().size(), 20u);

    sistema->get_entry_login()->activate();
    EXPECT_EQ(j->get_focus(), sistema->get_entry_senha());
    sistema->get_entry_senha()->activate();
    EXPECT_EQ(j->get_focus(), sistema->get_button_ok());
    EXPECT_FALSE(sistema->get_logado());
}

// As the program starts: the login window is built and shown while the
// connection is still being made, and the login uses the connection that
// arrives.
TEST_F(Login, JanelaAbreAntesDaConexaoEOLoginUsaAQueChega)
{
    sistema.reset();
    std::promise<QUERY*> conexao;
    sistema.reset(new SISTEMAGUI(conexao.get_future().share(), Gdk::Pixbuf::create_from_xpm_data(pote_de_mel)));
    Gtk::Window* j = sistema->get_janela_login();
    EXPECT_TRUE(j->get_mapped());
    EXPECT_EQ(j->get_title(), "Acesso ao Sistema");
    EXPECT_EQ(j->get_focus(), sistema->get_entry_login());
    conexao.set_value(query.get());
    Roteiro r;
    entrar(r);
    r.passo([this] {
        EXPECT_TRUE(sistema->get_logado());
        EXPECT_EQ(sistema->get_usuario_logado().login, "admin");
        EXPECT_NE(saida.texto().find("admin\nAcesso Garantido!\n"), std::string::npos) << saida.texto();
    });
    r.passo([this] { item_sair(*sistema).activate(); });
    rodar(r);
}

TEST_F(Login, SucessoAbreAJanelaPrincipalComOMenu)
{
    Roteiro r;
    entrar(r);
    r.passo([this] {
        std::string s = saida.texto();
        EXPECT_NE(s.find("admin\nAcesso Garantido!\n"), std::string::npos) << s;
        EXPECT_TRUE(sistema->get_logado());
        EXPECT_EQ(sistema->get_usuario_logado().login, "admin");
        EXPECT_EQ(sistema->get_usuario_logado().id, 1);
        EXPECT_FALSE(sistema->get_janela_login()->is_visible());
        Gtk::Window* p = sistema->get_janela_principal();
        EXPECT_EQ(p->get_title(), "Sistema de Controle de Zumbrel");

        Gtk::MenuBar* barra = sistema->get_menubar();
        // Each menu of the bar and its items ("" for a separator).
        const std::vector<std::pair<std::string, std::vector<std::string>>> menus = {
            { "_Sistema",
              { "_Minha Conta", "", "Cadastro de _Usuários", "_Níveis de Acesso", "Cadastro de A_piários",
                "Cadastro de A_belhas", "Cadastro de Co_lméias", "Dados da _Empresa", "_Importar Planilha", "", "_Sair" } },
            { "_Manejo",
              { "Cadastro de _Produtos", "", "_Movimentação de Colméias", "_Tratamento em Lote",
                "_Alimentação em Lote", "P_esagem em Lote", "", "_Criação de Rainhas", "O que _fazer hoje",
                "_Desempenho das Matrizes" } },
            { "_Produção", { "_Lotes de Mel", "_Colheita em Lote", "_Rastreabilidade" } },
            { "_Relatórios", { "_Emitir Relatório" } },
        };
        ASSERT_EQ(barra->items().size(), menus.size());
        Gtk::Menu* submenus[] = { sistema->get_menu(), sistema->get_menu_manejo(), sistema->get_menu_producao(),
                                  sistema->get_menu_relatorios() };
        for (std::size_t m = 0; m < menus.size(); ++m) {
            Gtk::Label* titulo = dynamic_cast<Gtk::Label*>(barra->items()[m].get_child());
            ASSERT_NE(titulo, nullptr);
            EXPECT_EQ(titulo->get_label(), menus[m].first);
            EXPECT_EQ(barra->items()[m].get_submenu(), submenus[m]);
            Gtk::Menu::MenuList& itens = submenus[m]->items();
            const std::vector<std::string>& rotulos = menus[m].second;
            ASSERT_EQ(itens.size(), rotulos.size()) << menus[m].first;
            for (std::size_t i = 0; i < rotulos.size(); ++i) {
                Gtk::Label* rotulo = dynamic_cast<Gtk::Label*>(itens[i].get_child());
                if (rotulos[i].empty()) {
                    EXPECT_EQ(rotulo, nullptr) << "item " << i << " should be a separator";
                } else {
                    ASSERT_NE(rotulo, nullptr) << "item " << i;
                    EXPECT_EQ(rotulo->get_label(), rotulos[i]);
                }
            }
        }
    });
    r.passo([this] { item_sair(*sistema).activate(); });
    rodar(r);
    EXPECT_FALSE(sistema->get_janela_principal()->is_visible());
}

namespace {

// Activates an accelerator on a window as if its keys were pressed.
bool acelerar(Gtk::Window& janela, const char* acelerador)
{
    guint tecla = 0;
    GdkModifierType mods = GdkModifierType(0);
    gtk_accelerator_parse(acelerador, &tecla, &mods);
    return gtk_accel_groups_activate(G_OBJECT(janela.gobj()), tecla, mods);
}

} // namespace

TEST_F(Login, AtalhosAbremCadaJanelaEAltF4Fecha)
{
    struct Atalho { const char* teclas; ids::Janela id; const char* titulo; };
    const Atalho atalhos[] = {
        { "<control>M", ids::MINHA_CONTA, "Minha Conta" }, { "<control>U", ids::USUARIOS, "Cadastro de Usuarios" },
        { "<control>N", ids::NIVEIS, "Níveis de Acesso" }, { "<control>P", ids::APIARIOS, "Cadastro de Apiários" },
        { "<control>B", ids::ABELHAS, "Cadastro de Abelhas" },
    };
    Roteiro r;
    entrar(r);
    for (const Atalho& a : atalhos) {
        r.passo([this, a] { EXPECT_TRUE(acelerar(*sistema->get_janela_principal(), a.teclas)) << a.teclas; });
        esperar_aberto(r, a.id, a.titulo);
        r.passo([this, a] {
            Formulario* f = sistema->formulario_aberto(a.id);
            EXPECT_EQ(f->janela()->get_title(), a.titulo);
            EXPECT_EQ(f->janela()->get_transient_for(), sistema->get_janela_principal());
            EXPECT_EQ(sistema->get_janela_cadastro(), f->janela());
            f->janela()->hide();
        });
        esperar_fechado(r, a.id, "the form to close");
    }
    r.passo([this] { EXPECT_TRUE(acelerar(*sistema->get_janela_principal(), "<alt>F4")); });
    rodar(r);
    EXPECT_FALSE(sistema->get_janela_principal()->is_visible());
    EXPECT_TRUE(sistema->formularios_abertos().empty());
}

TEST_F(Login, FecharAPrincipalComFormulariosEDialogoAbertosEncerraTudo)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    abrir(r, ids::APIARIOS);
    abrir(r, ids::USUARIOS);
    // A dialog over everything: Save with nothing pending.
    r.passo([this] { sistema->salvar_dados(ids::NIVEIS); });
    r.esperar([] { return teste::dialogo_visivel() != nullptr; }, "the warning");
    r.passo([this] {
        EXPECT_EQ(sistema->formularios_abertos().size(), 3u);
        sistema->get_janela_principal()->hide();
    });
    // The warning closed with the rest, and Save then ends as it always
    // does, with its second dialog; that one is the last window left.
    r.responder("Verifique as informações digitadas !", Gtk::RESPONSE_CLOSE);
    r.passo([] { EXPECT_TRUE(teste::janelas_visiveis().empty()); });
    rodar(r);
    EXPECT_TRUE(sistema->formularios_abertos().empty());
    EXPECT_TRUE(teste::janelas_visiveis().empty());
}
