// The interface object: the login window, the main window with its menu, and
// the operations on the record forms, each a short forward to the open form
// of that window id (the forms are classes of their own, gui/janelas.h).
#ifndef ZUMBREL_GUI_SISTEMAGUI_H
#define ZUMBREL_GUI_SISTEMAGUI_H

#include <future>
#include <memory>
#include <string>
#include <vector>

#include <gdkmm/pixbuf.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/menu.h>
#include <gtkmm/menubar.h>
#include <gtkmm/treepath.h>
#include <gtkmm/treeviewcolumn.h>
#include <gtkmm/window.h>
#include <sigc++/connection.h>

#include "gui/contexto.h"
#include "gui/eventos.h"
#include "gui/formulario.h"

class PAINEL_PRINCIPAL;
class QUERY;

class SISTEMAGUI : public EVENTOS
{
public:
    SISTEMAGUI(QUERY* query, Glib::RefPtr<Gdk::Pixbuf> icone);
    // With the connection still being made: it is waited for when first
    // needed (the first-access check, once the login window is drawn, or the
    // login itself).
    SISTEMAGUI(std::shared_future<QUERY*> conexao, Glib::RefPtr<Gdk::Pixbuf> icone);
    ~SISTEMAGUI();

    SISTEMAGUI(const SISTEMAGUI&) = delete;
    SISTEMAGUI& operator=(const SISTEMAGUI&) = delete;

    // Login and main window.
    void verificar();
    void carregar_sistema();

    // Opens the window of that id over `pai` and returns once it is closed.
    void carregar_cadastro(int id, Gtk::Window* pai);
    // The frame's operations on the open form of that id.
    void estado(int id, int estado);
    void inserir_dados(int id);
    void editar_dados(int id);
    void salvar_dados(int id);
    void navegar(int direcao, int id);
    void carregar_dados(int id);
    void excluir_dados(int id, Gtk::Window* pai);
    void Carregar_combo(int qual, int selecionado);

    // The operations of single windows, forwarded to the open one.
    void carregar_pesquisa(int id, Gtk::Window* pai);
    void sel_pesquisa();
    void selecionar_usuario(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna);
    void atualizar_senha(int quem);
    void selecionar_nivel(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna);
    void selecionar_florada();
    void selecionar_municipio();
    void Cadastrar_Florada();
    void selecionar_abelha();
    void gerar_filhas(Gtk::Window* janela);

    // What tests and the benchmark look at.
    Gtk::Window* get_janela_login() { return &janela_login; }
    Gtk::Window* get_janela_principal() { return janela_principal.get(); }
    Gtk::Entry* get_entry_login() { return &entry_login; }
    Gtk::Entry* get_entry_senha() { return &entry_senha; }
    Gtk::Button* get_button_ok() { return &button_ok; }
    Gtk::Button* get_button_cancelar() { return &button_cancelar; }
    Gtk::MenuBar* get_menubar() { return menubar; }
    Gtk::Menu* get_menu() { return menu; }
    // Where "Dados da _Empresa", "_Importar Planilha" and "_Sair" stand in
    // the menu "_Sistema".
    static constexpr int ITEM_EMPRESA = 7;
    static constexpr int ITEM_IMPORTAR = 8;
    static constexpr int ITEM_SAIR = 10;
    // The menu "Manejo": products and the batch windows of the journal.
    Gtk::Menu* get_menu_manejo() { return menu_manejo; }
    // The menu "Produção".
    Gtk::Menu* get_menu_producao() { return menu_producao; }
    // The menu "Relatórios".
    Gtk::Menu* get_menu_relatorios() { return menu_relatorios; }
    // The panel under the menu (null before the main window is built).
    PAINEL_PRINCIPAL* get_painel() { return painel.get(); }
    bool get_logado() const { return logado; }
    const USER& get_usuario_logado() const { return contexto.usuario_logado; }
    // The newest open form with that id, or null.
    Formulario* formulario_aberto(int id) const;
    const std::vector<Formulario*>& formularios_abertos() const { return abertos; }
    Gtk::Window* get_janela_cadastro() const { return janela_cadastro; }
    Posicao get_posicao_usuario() const { return contexto.usuarios.posicao; }
    Posicao get_posicao_apiario() const { return contexto.apiarios.posicao; }
    Posicao get_posicao_abelha() const { return contexto.abelhas.posicao; }

private:
    // The connection, waited for if it is still being made.
    QUERY* conexao_feita();
    void montar_login();
    // Asks for the first administrator of a database without users.
    void primeiro_acesso();
    void fechar_tudo();
    // Runs a nested loop until the window is hidden.
    void rodar(Gtk::Window& janela);
    // The open form of that window id of class F, or null.
    template <class F>
    F* aberto_como(int id) const;

    // Login window.
    Gtk::Window janela_login;
    Gtk::Entry entry_login;
    Gtk::Entry entry_senha;
    Gtk::Button button_ok;
    Gtk::Button button_cancelar;

    std::string login;
    bool logado = false;
    // What the forms are given: the data-access objects, the logged-in
    // user, the icon, and the positions that outlive a closed form.
    Contexto contexto;
    std::shared_future<QUERY*> conexao;
    sigc::connection verificacao_inicial;

    // Main window and its menu (the menu widgets belong to the toolkit).
    std::unique_ptr<Gtk::Window> janela_principal;
    Gtk::MenuBar* menubar = nullptr;
    Gtk::Menu* menu = nullptr;
    Gtk::Menu* menu_manejo = nullptr;
    Gtk::Menu* menu_producao = nullptr;
    Gtk::Menu* menu_relatorios = nullptr;
    std::unique_ptr<PAINEL_PRINCIPAL> painel;

    // Open forms, oldest first.
    std::vector<Formulario*> abertos;
    Gtk::Window* janela_cadastro = nullptr;
};

#endif // ZUMBREL_GUI_SISTEMAGUI_H
