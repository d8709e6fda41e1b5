#include "gui/sistemagui.h"

#include <algorithm>

#include <gdk/gdkkeysyms.h>
#include <gtkmm/main.h>
#include <gtkmm/menu_elems.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include "db/linhas.h"
#include "db/rastro.h"
#include "gui/dialogo_primeiro_acesso.h"
#include "gui/form_abelha.h"
#include "gui/form_acesso.h"
#include "gui/form_apiario.h"
#include "gui/form_florada.h"
#include "gui/form_pesquisa_usuario.h"
#include "gui/form_senha.h"
#include "gui/janelas.h"
#include "gui/painel.h"
#include "model/pendencia.h"

SISTEMAGUI::SISTEMAGUI(QUERY* q, Glib::RefPtr<Gdk::Pixbuf> i) : SISTEMAGUI(std::shared_future<QUERY*>(), i)
{
    contexto.query = q;
}

SISTEMAGUI::SISTEMAGUI(std::shared_future<QUERY*> c, Glib::RefPtr<Gdk::Pixbuf> i)
    : button_ok(Gtk::Stock::OK), button_cancelar(Gtk::Stock::CANCEL), conexao(std::move(c))
{
    contexto.icone = i;
    contexto.janela_login = &janela_login;
    contexto.abrir = [this](int id, Gtk::Window* pai) { carregar_cadastro(id, pai); };
    contexto.aberto = [this](int id) { return formulario_aberto(id); };
    montar_login();
    // A new database has no user yet: its administrator is made first,
    // once the login window is up.
    // Disconnected if the interface goes before the loop gets to it.
    verificacao_inicial =
        Glib::signal_idle().connect(sigc::bind_return(sigc::mem_fun(*this, &SISTEMAGUI::primeiro_acesso), false));
}

QUERY* SISTEMAGUI::conexao_feita()
{
    if (!contexto.query && conexao.valid())
        contexto.query = conexao.get();
    return contexto.query;
}

void SISTEMAGUI::primeiro_acesso()
{
    USUARIO usuario(conexao_feita());
    if (!usuario.sem_usuarios())
        return;
    DialogoPrimeiroAcesso dialogo(&janela_login, usuario);
    if (dialogo.criar()) {
        entry_login.set_text(dialogo.login());
        janela_login.set_focus(entry_login);
    }
}

SISTEMAGUI::~SISTEMAGUI()
{
    verificacao_inicial.disconnect();
}

// ---------------------------------------------------------------- login

void SISTEMAGUI::montar_login()
{
    janela_login.set_position(Gtk::WIN_POS_CENTER);
    janela_login.set_border_width(15);
    janela_login.signal_hide().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &janela_login));
    if (contexto.icone)
        janela_login.set_icon(contexto.icone);
    janela_login.set_title("Acesso ao Sistema");

    Gtk::VBox* caixa = Gtk::manage(new Gtk::VBox(false, 10));
    Gtk::HBox* linha_login = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_senha = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_botoes = Gtk::manage(new Gtk::HBox(true, 0));

    linha_login->pack_start(*Gtk::manage(new Gtk::Label("Login:\t")), false, false, 0);
    entry_login.set_size_request(200, -1);
    entry_login.set_max_length(MAXIMO_LOGIN);
    linha_login->pack_start(entry_login, false, false, 0);
    janela_login.set_focus(entry_login);

    linha_senha->pack_start(*Gtk::manage(new Gtk::Label("Senha:\t")), false, false, 0);
    entry_senha.set_size_request(200, -1);
    entry_senha.set_max_length(MAXIMO_SENHA);
    entry_senha.set_visibility(false);
    entry_senha.set_invisible_char('*');
    linha_senha->pack_start(entry_senha, false, false, 0);

    button_ok.set_size_request(100, -1);
    button_cancelar.set_size_request(100, -1);
    linha_botoes->pack_start(button_ok, false, false, 0);
    linha_botoes->pack_start(button_cancelar, false, false, 0);

    caixa->pack_start(*linha_login, false, false, 0);
    caixa->pack_start(*linha_senha, false, false, 0);
    caixa->pack_start(*linha_botoes, false, false, 0);

    entry_login.signal_activate().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::tabular), &janela_login, &entry_senha));
    entry_senha.signal_activate().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::tabular), &janela_login, &button_ok));
    button_ok.signal_clicked().connect(sigc::mem_fun(*this, &SISTEMAGUI::verificar));
    button_cancelar.signal_clicked().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &janela_login));

    janela_login.add(*caixa);
    janela_login.show_all();
}

void SISTEMAGUI::verificar()
{
    login = entry_login.get_text();
    std::string senha = entry_senha.get_text();

    // Fresh data-access objects for every attempt.
    QUERY* query = conexao_feita();
    contexto.usuario.reset(new USUARIO(query));
    contexto.apiario.reset(new APIARIO(query));
    contexto.floradas.reset(new FLORADAS(query));
    contexto.municipio.reset(new MUNICIPIO(query));
    contexto.acesso.reset(new ACESSO(query));
    contexto.abelha.reset(new ABELHA(query));

    if (contexto.usuario->verificar_acesso(login, senha)) {
        const LISTA_USUARIOS conferido = contexto.usuario->Get_User(0);
        if (!conferido.empty()) {
            logado = true;
            rastrear(login, '\n', "Acesso Garantido!", '\n');
            contexto.usuario_logado = conferido.front();
            contexto.administrador = contexto.acesso->administrador(contexto.usuario_logado.acesso.nivel);
            contexto.senha_de_exemplo = login == "admin" && senha == "admin";
            janela_login.hide();
            carregar_sistema();
            return;
        }
    }

    // A login refused for a while says until when; any other failure is
    // the same to whoever tries, known login or not.
    const bool bloqueado = contexto.usuario->bloqueado();
    const std::string motivo = contexto.usuario->get_mensagem();
    entry_login.set_text("");
    entry_senha.set_text("");
    janela_login.set_focus(entry_login);
    Gtk::MessageDialog dialogo(janela_login, "Verifique seu <b>Usuário</b> e <b>Senha</b>!", true,
                               Gtk::MESSAGE_ERROR, Gtk::BUTTONS_CLOSE, true);
    if (bloqueado)
        dialogo.set_message(motivo);
    dialogo.run();
    dialogo.hide();
    rastrear("Verifique seu usuário e senha!", '\n');
    contexto.usuario.reset();
}

// ---------------------------------------------------------- main window

void SISTEMAGUI::carregar_sistema()
{
    contexto.usuarios = Lembranca();
    contexto.apiarios = Lembranca();
    contexto.abelhas = Lembranca();

    // The panel goes with the window it is packed in.
    painel.reset();
    janela_principal.reset(new Gtk::Window());
    Gtk::Window& janela = *janela_principal;
    contexto.janela_principal = &janela;
    if (contexto.icone)
        janela.set_icon(contexto.icone);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::HBox* horizontal = Gtk::manage(new Gtk::HBox(false, 0));
    menubar = Gtk::manage(new Gtk::MenuBar());
    menu = Gtk::manage(new Gtk::Menu());

    using Gtk::Menu_Helpers::MenuElem;
    using Gtk::Menu_Helpers::SeparatorElem;
    menubar->items().push_back(MenuElem("_Sistema", Gtk::AccelKey("<alt>S", ""), *menu));

    auto abrir = [this](int id) {
        return sigc::slot<void>([this, id] { carregar_cadastro(id, janela_principal.get()); });
    };
    Gtk::Menu::MenuList& itens = menu->items();
    itens.push_back(MenuElem("_Minha Conta", Gtk::AccelKey("<control>M", ""), abrir(ids::MINHA_CONTA)));
    itens.push_back(SeparatorElem());
    itens.push_back(MenuElem("Cadastro de _Usuários", Gtk::AccelKey("<control>U", ""), abrir(ids::USUARIOS)));
    itens.push_back(MenuElem("_Níveis de Acesso", Gtk::AccelKey("<control>N", ""), abrir(ids::NIVEIS)));
    itens.push_back(MenuElem("Cadastro de A_piários", Gtk::AccelKey("<control>P", ""), abrir(ids::APIARIOS)));
    itens.push_back(MenuElem("Cadastro de A_belhas", Gtk::AccelKey("<control>B", ""), abrir(ids::ABELHAS)));
    itens.push_back(MenuElem("Cadastro de Co_lméias", Gtk::AccelKey("<control>L", ""), abrir(ids::COLMEIAS)));
    itens.push_back(MenuElem("Dados da _Empresa", abrir(ids::EMPRESA)));
    itens.push_back(MenuElem("_Importar Planilha", abrir(ids::IMPORTAR)));
    itens.push_back(SeparatorElem());
    itens.push_back(MenuElem("_Sair", Gtk::AccelKey("<alt>F4", ""),
                             sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &janela)));
    // Users and access levels are for administrators only.
    itens[2].set_sensitive(contexto.administrador);
    itens[3].set_sensitive(contexto.administrador);
    // So is the company's data.
    itens[ITEM_EMPRESA].set_sensitive(contexto.administrador);
    // And the import of records from a spreadsheet.
    itens[ITEM_IMPORTAR].set_sensitive(contexto.administrador);

    menu_manejo = Gtk::manage(new Gtk::Menu());
    menubar->items().push_back(MenuElem("_Manejo", *menu_manejo));
    Gtk::Menu::MenuList& manejo = menu_manejo->items();
    manejo.push_back(MenuElem("Cadastro de _Produtos", abrir(ids::PRODUTOS)));
    manejo.push_back(SeparatorElem());
    manejo.push_back(MenuElem("_Movimentação de Colméias", abrir(ids::MOVIMENTACAO)));
    manejo.push_back(MenuElem("_Tratamento em Lote", abrir(ids::TRATAMENTO_LOTE)));
    manejo.push_back(MenuElem("_Alimentação em Lote", abrir(ids::ALIMENTACAO_LOTE)));
    manejo.push_back(MenuElem("P_esagem em Lote", abrir(ids::PESAGEM_LOTE)));
    // Queen rearing.
    manejo.push_back(SeparatorElem());
    manejo.push_back(MenuElem("_Criação de Rainhas", abrir(ids::CRIACAO_RAINHAS)));
    manejo.push_back(MenuElem("O que _fazer hoje", abrir(ids::HOJE)));
    manejo.push_back(MenuElem("_Desempenho das Matrizes", abrir(ids::MATRIZES)));

    menu_producao = Gtk::manage(new Gtk::Menu());
    menubar->items().push_back(MenuElem("_Produção", *menu_producao));
    Gtk::Menu::MenuList& producao = menu_producao->items();
    producao.push_back(MenuElem("_Lotes de Mel", abrir(ids::LOTES_MEL)));
    producao.push_back(MenuElem("_Colheita em Lote", abrir(ids::COLHEITA_LOTE)));
    producao.push_back(MenuElem("_Rastreabilidade", abrir(ids::RASTREABILIDADE)));

    menu_relatorios = Gtk::manage(new Gtk::Menu());
    menubar->items().push_back(MenuElem("_Relatórios", *menu_relatorios));
    menu_relatorios->items().push_back(MenuElem("_Emitir Relatório", abrir(ids::RELATORIOS)));

    janela.set_title("Sistema de Controle de Zumbrel");
    janela.signal_hide().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &janela));
    // Closing the main window ends the program, whatever is open over it.
    janela.signal_hide().connect(sigc::mem_fun(*this, &SISTEMAGUI::fechar_tudo));

    horizontal->pack_start(*menubar, false, false, 0);
    vertical->pack_start(*horizontal, false, false, 0);
    // Under the menu, the panel of the apiaries; F5 reads it again.
    painel.reset(new PAINEL_PRINCIPAL(contexto));
    painel->set_coberto([this] { return !abertos.empty(); });
    vertical->pack_start(painel->caixa(), true, true, 0);
    // Back to the main window: what was saved meanwhile shows in the panel.
    janela.signal_focus_in_event().connect([this](GdkEventFocus*) {
        if (painel)
            painel->visto();
        return false;
    });
    janela.signal_key_press_event().connect([this](GdkEventKey* tecla) {
        if (tecla->keyval != GDK_F5 || !painel)
            return false;
        painel->atualizar();
        return true;
    }, false);
    janela.add(*vertical);

    janela.maximize();
    janela.show_all();
    painel->atualizar();
    // The sample password protects nothing: the password window asks for a
    // new one right away (and again at every login until it is changed).
    if (contexto.senha_de_exemplo) {
        carregar_cadastro(ids::SENHA, &janela);
        contexto.senha_de_exemplo = false;
    }
    // Queen rearing: what is due today opens by itself when there is any.
    if (!PENDENCIA(contexto.query).listar().empty())
        carregar_cadastro(ids::HOJE, &janela);
    rodar(janela);
}

void SISTEMAGUI::fechar_tudo()
{
    // Hiding a window ends its nested loop (forms, searches, dialogs); the
    // loops then unwind down to the one of the main window.
    std::vector<Gtk::Window*> janelas = Gtk::Window::list_toplevels();
    for (Gtk::Window* j : janelas) {
        if (j != janela_principal.get() && j->is_visible())
            j->hide();
    }
}

void SISTEMAGUI::rodar(Gtk::Window& janela)
{
    while (janela.is_visible())
        Gtk::Main::iteration();
}

// ------------------------------------------------------------ the forms

void SISTEMAGUI::carregar_cadastro(int id, Gtk::Window* pai)
{
    // Users and access levels are for administrators only, however the
    // window is asked for, and as the user is now (demoted or deleted by
    // another administrator since the login, he is no longer one).
    const bool so_administradores =
        id == ids::USUARIOS || id == ids::NIVEIS || id == ids::BUSCA_USUARIO || id == ids::EMPRESA ||
        id == ids::IMPORTAR;
    if (so_administradores && contexto.administrador && contexto.acesso) {
        contexto.administrador = contexto.acesso->ainda_administrador(contexto.usuario_logado.id);
        if (menu && !contexto.administrador) {
            menu->items()[2].set_sensitive(false);
            menu->items()[3].set_sensitive(false);
            menu->items()[ITEM_EMPRESA].set_sensitive(false);
            menu->items()[ITEM_IMPORTAR].set_sensitive(false);
        }
    }
    if (so_administradores && !contexto.administrador) {
        rastrear("Acesso negado à janela ", id, '\n');
        Gtk::Window& sobre = pai ? *pai : janela_principal ? *janela_principal : janela_login;
        Gtk::MessageDialog aviso(sobre, "Somente administradores podem abrir esta janela.", false,
                                 Gtk::MESSAGE_ERROR, Gtk::BUTTONS_CLOSE, true);
        aviso.run();
        aviso.hide();
        return;
    }

    std::unique_ptr<Formulario> dono = criar_formulario(id, contexto);
    Formulario* f = dono.get();
    for (Formulario* aberto : abertos) {
        if (pai && aberto->janela() == pai)
            f->set_origem(aberto);
    }

    Gtk::Window& janela = *f->janela();
    janela_cadastro = &janela;
    if (pai)
        janela.set_transient_for(*pai);
    janela.set_position(Gtk::WIN_POS_CENTER);
    janela.set_border_width(15);
    if (contexto.icone)
        janela.set_icon(contexto.icone);
    janela.signal_hide().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &janela));
    abertos.push_back(f);

    f->montar();
    janela.show_all();
    rodar(janela);

    abertos.erase(std::find(abertos.begin(), abertos.end(), f));
    if (janela_cadastro == &janela)
        janela_cadastro = abertos.empty() ? nullptr : abertos.back()->janela();
    // The last window over the main one closed: the panel is in sight, and
    // the memory its lists used goes back to the system.
    if (abertos.empty()) {
        LINHAS::soltar_guardados();
        if (painel)
            painel->visto();
    }
}

Formulario* SISTEMAGUI::formulario_aberto(int id) const
{
    for (auto it = abertos.rbegin(); it != abertos.rend(); ++it) {
        if ((*it)->get_id() == id)
            return *it;
    }
    return nullptr;
}

template <class F>
F* SISTEMAGUI::aberto_como(int id) const
{
    return dynamic_cast<F*>(formulario_aberto(id));
}

void SISTEMAGUI::estado(int id, int e)
{
    if (Formulario* f = formulario_aberto(id))
        f->estado(e);
    else
        rastrear(id, " - ", e, '\n');
}

void SISTEMAGUI::inserir_dados(int id)
{
    if (Formulario* f = formulario_aberto(id))
        f->inserir_dados();
}

void SISTEMAGUI::editar_dados(int id)
{
    if (Formulario* f = formulario_aberto(id))
        f->editar_dados();
}

void SISTEMAGUI::salvar_dados(int id)
{
    if (Formulario* f = formulario_aberto(id)) {
        f->salvar_dados();
        return;
    }
    // A window of that id that is not open has nothing pending: the save
    // says so as any form's does.
    criar_formulario(id, contexto)->salvar_dados();
}

void SISTEMAGUI::navegar(int direcao, int id)
{
    if (Formulario* f = formulario_aberto(id))
        f->navegar(direcao);
}

void SISTEMAGUI::carregar_dados(int id)
{
    // The postal-code lookup belongs to the newest open user form.
    Formulario* f = nullptr;
    if (id == ids::CEP) {
        for (auto it = abertos.rbegin(); it != abertos.rend() && !f; ++it) {
            if ((*it)->get_id() == ids::MINHA_CONTA || (*it)->get_id() == ids::USUARIOS)
                f = *it;
        }
    } else {
        f = formulario_aberto(id);
    }
    if (f)
        f->carregar_dados(id);
}

void SISTEMAGUI::excluir_dados(int id, Gtk::Window* pai)
{
    if (Formulario* f = formulario_aberto(id))
        f->excluir_dados(pai);
}

void SISTEMAGUI::Carregar_combo(int qual, int selecionado)
{
    if (Formulario* f = formulario_aberto(qual == 3 ? ids::ABELHAS : ids::APIARIOS))
        f->Carregar_combo(qual, selecionado);
}

void SISTEMAGUI::carregar_pesquisa(int id, Gtk::Window* pai)
{
    carregar_cadastro(id, pai);
}

void SISTEMAGUI::sel_pesquisa()
{
    if (auto* f = aberto_como<FormPesquisaUsuario>(ids::BUSCA_USUARIO))
        f->sel_pesquisa();
}

void SISTEMAGUI::selecionar_usuario(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna)
{
    if (auto* f = aberto_como<FormPesquisaUsuario>(ids::BUSCA_USUARIO))
        f->selecionar_usuario(caminho, coluna);
}

void SISTEMAGUI::atualizar_senha(int quem)
{
    if (auto* f = aberto_como<FormSenha>(ids::SENHA))
        f->atualizar_senha(quem);
}

void SISTEMAGUI::selecionar_nivel(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna)
{
    if (auto* f = aberto_como<FormAcesso>(ids::NIVEIS))
        f->selecionar_nivel(caminho, coluna);
}

void SISTEMAGUI::selecionar_florada()
{
    if (auto* f = aberto_como<FormApiario>(ids::APIARIOS))
        f->selecionar_florada();
}

void SISTEMAGUI::selecionar_municipio()
{
    if (auto* f = aberto_como<FormApiario>(ids::APIARIOS))
        f->selecionar_municipio();
}

void SISTEMAGUI::Cadastrar_Florada()
{
    if (auto* f = aberto_como<FormFlorada>(ids::FLORADA))
        f->Cadastrar_Florada();
}

void SISTEMAGUI::selecionar_abelha()
{
    if (auto* f = aberto_como<FormAbelha>(ids::ABELHAS))
        f->selecionar_abelha();
}

void SISTEMAGUI::gerar_filhas(Gtk::Window* janela)
{
    if (auto* f = aberto_como<FormAbelha>(ids::ABELHAS))
        f->gerar_filhas(janela);
}
