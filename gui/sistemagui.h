// The whole user interface in one object: the login window, the main window
// with its menu, and the record forms. The frame of the forms (opening,
// display states, save, navigation, load and delete dispatch) lives in
// gui/sistemagui.cc; each form's widgets and code live in their own files.
#ifndef ZUMBREL_GUI_SISTEMAGUI_H
#define ZUMBREL_GUI_SISTEMAGUI_H

#include <memory>
#include <string>
#include <vector>

#include <gdkmm/pixbuf.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/menu.h>
#include <gtkmm/menubar.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/treepath.h>
#include <gtkmm/treeviewcolumn.h>
#include <gtkmm/window.h>

#include "gui/formulario.h"
#include "model/abelha.h"
#include "model/acesso.h"
#include "model/apiario.h"
#include "model/florada.h"
#include "model/municipio.h"
#include "model/usuario.h"
#include "gui/colunas.h"
#include "gui/eventos.h"
#include "util/navegacao.h"

class QUERY;
struct FormUsuario;
struct FormBuscaUsuario;
struct FormSenha;
struct FormAcesso;
struct FormApiario;
struct FormBuscaApiario;
struct FormFlorada;
struct FormAbelha;

class SISTEMAGUI : public EVENTOS
{
public:
    SISTEMAGUI(QUERY* query, Glib::RefPtr<Gdk::Pixbuf> icone);
    ~SISTEMAGUI();

    SISTEMAGUI(const SISTEMAGUI&) = delete;
    SISTEMAGUI& operator=(const SISTEMAGUI&) = delete;

    // Login and main window.
    void verificar();
    void carregar_sistema();

    // The frame of the record forms.
    void carregar_cadastro(int id, Gtk::Window* pai);
    void estado(int id, int estado);
    void inserir_dados(int id);
    void editar_dados(int id);
    void salvar_dados(int id);
    void navegar(int direcao, int id);
    void carregar_dados(int id);
    void excluir_dados(int id, Gtk::Window* pai);

    // User forms, user search and postal-code lookup.
    void carregar_pesquisa(int id, Gtk::Window* pai);
    void sel_pesquisa();
    void selecionar_usuario(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna);
    // Password change.
    void atualizar_senha(int quem);
    // Access levels.
    void selecionar_nivel(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna);
    // Drop-down lists, floral sources and municipalities.
    void Carregar_combo(int qual, int selecionado);
    void selecionar_florada();
    void selecionar_municipio();
    void Cadastrar_Florada();
    // Queen bees.
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
    bool get_logado() const { return logado; }
    const USER& get_usuario_logado() const { return usuario_logado; }
    // The newest open form with that id, or null.
    Formulario* formulario_aberto(int id) const;
    const std::vector<Formulario*>& formularios_abertos() const { return abertos; }
    Gtk::Window* get_janela_cadastro() const { return janela_cadastro; }
    Posicao get_posicao_usuario() const { return posicao_usuario; }
    Posicao get_posicao_apiario() const { return posicao_apiario; }
    Posicao get_posicao_abelha() const { return posicao_abelha; }

private:
    friend class Atuando;

    // --- frame (gui/sistemagui.cc) ---
    void montar_login();
    void fechar_tudo();
    // Runs a nested loop until the window is hidden.
    void rodar(Gtk::Window& janela);
    // The form that the handlers of window id act on: the one whose handler
    // runs now, else the newest open form with that id.
    Formulario* form_de(int id) const;
    // A slot that runs `acao` with `f` as the acting form.
    sigc::slot<void> em(Formulario* f, const sigc::slot<void>& acao);
    // A message dialog over the login window, created with `primeiro` and
    // then showing `texto` (markup): the save and password dialogs.
    int mensagem(const Glib::ustring& primeiro, const Glib::ustring& texto, Gtk::MessageType tipo);
    // Toolbar and navigation building blocks. A form's toolbar never hides
    // tools behind an overflow arrow: the window is as wide as its tools.
    static Gtk::Toolbar* nova_barra();
    Gtk::ToolButton* botao(Gtk::Toolbar& barra, const Gtk::StockID& stock,
                           const Glib::ustring& dica = Glib::ustring());
    void botoes_navegacao(Formulario* f, const Glib::ustring& contador);
    Gtk::Toolbar* barra_navegacao(Formulario* f, const Glib::ustring& contador);
    Gtk::HBox* caixa_navegacao(Formulario* f, const Glib::ustring& contador);
    // Shared steps of the three browsable lists after a reload: false when
    // the list is empty; else the first-opening line, the position clamped
    // into the list and the counter.
    bool posicionar(std::size_t tamanho, bool& primeiro_acesso, Posicao& posicao, Gtk::Label* contador);

    // --- user forms (gui/form_usuario.cc, gui/form_pesquisa_usuario.cc) ---
    void montar_usuario(FormUsuario* f);
    void estado_usuario(FormUsuario* f, int estado);
    void carregar_minha_conta(FormUsuario* f);
    void carregar_usuarios(FormUsuario* f);
    bool salvar_usuario(FormUsuario* f, bool inserir);
    void consultar_cep(FormUsuario* f);
    void pesquisar_usuarios(FormBuscaUsuario* f);
    // --- password change (gui/form_senha.cc) ---
    void montar_senha(FormSenha* f);
    // --- access levels (gui/form_acesso.cc) ---
    void montar_acesso(FormAcesso* f);
    void estado_acesso(FormAcesso* f, int estado);
    void carregar_acessos(FormAcesso* f);
    bool salvar_acesso(FormAcesso* f, bool inserir);
    bool excluir_acesso(FormAcesso* f);
    // --- apiaries, apiary search, floral sources (gui/form_apiario.cc,
    //     gui/form_busca_apiario.cc, gui/form_florada.cc) ---
    void montar_apiario(FormApiario* f);
    void estado_apiario(FormApiario* f, int estado);
    void carregar_apiarios(FormApiario* f);
    bool salvar_apiario(FormApiario* f, bool inserir);
    void montar_busca_apiario(FormBuscaApiario* f);
    void pesquisar_apiarios(FormBuscaApiario* f);
    void montar_florada(FormFlorada* f);
    // --- queen bees (gui/form_abelha.cc) ---
    void montar_abelha(FormAbelha* f);
    void estado_abelha(FormAbelha* f, int estado);
    void carregar_abelhas(FormAbelha* f);
    bool salvar_abelha(FormAbelha* f, bool inserir);
    bool excluir_abelha(FormAbelha* f);
    // --- beehive window (gui/colmeia_view.cc) ---
    void abrir_colmeias(Gtk::Window* pai);

    // Login window.
    Gtk::Window janela_login;
    Gtk::Entry entry_login;
    Gtk::Entry entry_senha;
    Gtk::Button button_ok;
    Gtk::Button button_cancelar;

    QUERY* query;
    Glib::RefPtr<Gdk::Pixbuf> icone;
    std::string login;
    bool logado = false;
    USER usuario_logado;

    std::unique_ptr<USUARIO> usuario;
    std::unique_ptr<APIARIO> apiario;
    std::unique_ptr<FLORADAS> floradas;
    std::unique_ptr<MUNICIPIO> municipio;
    std::unique_ptr<ACESSO> acesso;
    std::unique_ptr<ABELHA> abelha;

    // Main window and its menu (the menu widgets belong to the toolkit).
    std::unique_ptr<Gtk::Window> janela_principal;
    Gtk::MenuBar* menubar = nullptr;
    Gtk::Menu* menu = nullptr;

    // Scratch record of the last postal code found by a lookup.
    CEPS cep_atual;

    // Record lists browsed by the forms, with 1-based positions; they and the
    // first-opening flags outlive the form windows.
    LISTA_USUARIOS usuarios;
    Posicao posicao_usuario = 1;
    LISTA_APIARIOS apiarios;
    Posicao posicao_apiario = 1;
    std::vector<ABELHAS> abelhas;
    Posicao posicao_abelha = 1;
    bool primeiro_acesso_usuarios = false;
    bool primeiro_acesso_apiarios = false;
    bool primeiro_acesso_abelhas = false;

    COLUNAS colunas;

    // Open forms, oldest first, and the one whose handler runs now.
    std::vector<Formulario*> abertos;
    Formulario* atual = nullptr;
    Gtk::Window* janela_cadastro = nullptr;
};

// Makes a form the acting one while it lives (handlers of nested windows
// restore the previous one when they end).
class Atuando
{
public:
    Atuando(SISTEMAGUI& s, Formulario* f) : sistema(s), antes(s.atual) { s.atual = f; }
    ~Atuando() { sistema.atual = antes; }
    Atuando(const Atuando&) = delete;
    Atuando& operator=(const Atuando&) = delete;

private:
    SISTEMAGUI& sistema;
    Formulario* antes;
};

#endif // ZUMBREL_GUI_SISTEMAGUI_H
