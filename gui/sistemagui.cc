#include "gui/sistemagui.h"

#include <algorithm>
#include <iostream>

#include <gtkmm/main.h>
#include <gtkmm/menu_elems.h>
#include <gtkmm/separatortoolitem.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolitem.h>

#include "db/query.h"
#include "gui/form_abelha.h"
#include "gui/form_acesso.h"
#include "gui/form_apiario.h"
#include "gui/form_usuario.h"

SISTEMAGUI::SISTEMAGUI(QUERY* q, Glib::RefPtr<Gdk::Pixbuf> i)
    : button_ok(Gtk::Stock::OK), button_cancelar(Gtk::Stock::CANCEL), query(q), icone(i)
{
    montar_login();
}

SISTEMAGUI::~SISTEMAGUI()
{
    for (Formulario* f : abertos)
        delete f;
}

// ---------------------------------------------------------------- login

void SISTEMAGUI::montar_login()
{
    janela_login.set_position(Gtk::WIN_POS_CENTER);
    janela_login.set_border_width(15);
    janela_login.signal_hide().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::sair), &janela_login));
    if (icone)
        janela_login.set_icon(icone);
    janela_login.set_title("Acesso ao Sistema");

    Gtk::VBox* caixa = Gtk::manage(new Gtk::VBox(false, 10));
    Gtk::HBox* linha_login = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_senha = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_botoes = Gtk::manage(new Gtk::HBox(true, 0));

    linha_login->pack_start(*Gtk::manage(new Gtk::Label("Login:\t")), false, false, 0);
    entry_login.set_size_request(200, -1);
    entry_login.set_max_length(20);
    linha_login->pack_start(entry_login, false, false, 0);
    janela_login.set_focus(entry_login);

    linha_senha->pack_start(*Gtk::manage(new Gtk::Label("Senha:\t")), false, false, 0);
    entry_senha.set_size_request(200, -1);
    entry_senha.set_max_length(16);
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
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), &janela_login, &entry_senha));
    entry_senha.signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), &janela_login, &button_ok));
    button_ok.signal_clicked().connect(sigc::mem_fun(*this, &SISTEMAGUI::verificar));
    button_cancelar.signal_clicked().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::sair), &janela_login));

    janela_login.add(*caixa);
    janela_login.show_all();
}

void SISTEMAGUI::verificar()
{
    login = entry_login.get_text();
    std::string senha = entry_senha.get_text();

    // Fresh data-access objects for every attempt.
    usuario.reset(new USUARIO(query));
    apiario.reset(new APIARIO(query));
    floradas.reset(new FLORADAS(query));
    municipio.reset(new MUNICIPIO(query));
    acesso.reset(new ACESSO(query));
    abelha.reset(new ABELHA(query));

    if (usuario->verificar_acesso(login, senha)) {
        const LISTA_USUARIOS conferido = usuario->Get_User(0);
        if (!conferido.empty()) {
            logado = true;
            std::cout << login << '\n' << "Acesso Garantido!" << '\n';
            usuario_logado = conferido.front();
            janela_login.hide();
            carregar_sistema();
            return;
        }
    }

    entry_login.set_text("");
    entry_senha.set_text("");
    janela_login.set_focus(entry_login);
    Gtk::MessageDialog dialogo(janela_login, "Verifique seu <b>Usuário</b> e <b>Senha</b>!", true,
                               Gtk::MESSAGE_ERROR, Gtk::BUTTONS_CLOSE, true);
    dialogo.run();
    dialogo.hide();
    std::cout << "Verifique seu usuário e senha!" << '\n';
    usuario.reset();
}

// ---------------------------------------------------------- main window

void SISTEMAGUI::carregar_sistema()
{
    cep_atual = CEPS();
    primeiro_acesso_usuarios = false;
    primeiro_acesso_apiarios = false;
    primeiro_acesso_abelhas = false;

    janela_principal.reset(new Gtk::Window());
    Gtk::Window& janela = *janela_principal;
    if (icone)
        janela.set_icon(icone);

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
    itens.push_back(MenuElem("_Minha Conta", Gtk::AccelKey("<control>M", ""), abrir(1)));
    itens.push_back(SeparatorElem());
    itens.push_back(MenuElem("Cadastro de _Usuários", Gtk::AccelKey("<control>U", ""), abrir(2)));
    itens.push_back(MenuElem("_Níveis de Acesso", Gtk::AccelKey("<control>N", ""), abrir(3)));
    itens.push_back(MenuElem("Cadastro de A_piários", Gtk::AccelKey("<control>P", ""), abrir(4)));
    itens.push_back(MenuElem("Cadastro de A_belhas", Gtk::AccelKey("<control>B", ""), abrir(5)));
    itens.push_back(MenuElem("Cadastro de Co_lméias", Gtk::AccelKey("<control>L", ""), abrir(6)));
    itens.push_back(SeparatorElem());
    itens.push_back(MenuElem("_Sair", Gtk::AccelKey("<alt>F4", ""),
                             sigc::bind(sigc::mem_fun(*this, &EVENTOS::sair), &janela)));

    janela.set_title("Sistema de Controle de Zumbrel");
    janela.signal_hide().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::sair), &janela));
    // Closing the main window ends the program, whatever is open over it.
    janela.signal_hide().connect(sigc::mem_fun(*this, &SISTEMAGUI::fechar_tudo));

    horizontal->pack_start(*menubar, false, false, 0);
    vertical->pack_start(*horizontal, false, false, 0);
    janela.add(*vertical);

    janela.maximize();
    janela.show_all();
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

// ------------------------------------------------------------ the frame

Formulario* SISTEMAGUI::formulario_aberto(int id) const
{
    for (auto it = abertos.rbegin(); it != abertos.rend(); ++it) {
        if ((*it)->id == id)
            return *it;
    }
    return nullptr;
}

Formulario* SISTEMAGUI::form_de(int id) const
{
    if (atual && atual->id == id)
        return atual;
    return formulario_aberto(id);
}

sigc::slot<void> SISTEMAGUI::em(Formulario* f, const sigc::slot<void>& acao)
{
    return [this, f, acao]() {
        Atuando atuando(*this, f);
        acao();
    };
}

int SISTEMAGUI::mensagem(const Glib::ustring& primeiro, const Glib::ustring& texto, Gtk::MessageType tipo)
{
    Gtk::MessageDialog dialogo(janela_login, primeiro, true, tipo, Gtk::BUTTONS_CLOSE, true);
    dialogo.set_message(texto, true);
    int resposta = dialogo.run();
    dialogo.hide();
    return resposta;
}

Gtk::Toolbar* SISTEMAGUI::nova_barra()
{
    Gtk::Toolbar* barra = Gtk::manage(new Gtk::Toolbar());
    barra->set_show_arrow(false);
    return barra;
}

Gtk::ToolButton* SISTEMAGUI::botao(Gtk::Toolbar& barra, const Gtk::StockID& stock, const Glib::ustring& dica)
{
    Gtk::ToolButton* b = Gtk::manage(new Gtk::ToolButton(stock));
    if (!dica.empty())
        b->set_tooltip_text(dica);
    barra.append(*b);
    return b;
}

void SISTEMAGUI::botoes_navegacao(Formulario* f, const Glib::ustring& contador)
{
    f->button_primeiro = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::GOTO_FIRST));
    f->button_anterior = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::GO_BACK));
    f->button_proximo = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::GO_FORWARD));
    f->button_ultimo = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::GOTO_LAST));
    f->label_contador = Gtk::manage(new Gtk::Label(contador));
    Gtk::ToolButton* botoes[4] = { f->button_primeiro, f->button_anterior, f->button_proximo, f->button_ultimo };
    for (int direcao = 0; direcao < 4; ++direcao) {
        botoes[direcao]->signal_clicked().connect(
            em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::navegar), direcao, f->id)));
    }
}

Gtk::Toolbar* SISTEMAGUI::barra_navegacao(Formulario* f, const Glib::ustring& contador)
{
    botoes_navegacao(f, contador);
    Gtk::Toolbar* barra = nova_barra();
    Gtk::ToolItem* item = Gtk::manage(new Gtk::ToolItem());
    item->add(*f->label_contador);
    barra->append(*f->button_primeiro);
    barra->append(*f->button_anterior);
    barra->append(*item);
    barra->append(*f->button_proximo);
    barra->append(*f->button_ultimo);
    return barra;
}

Gtk::HBox* SISTEMAGUI::caixa_navegacao(Formulario* f, const Glib::ustring& contador)
{
    botoes_navegacao(f, contador);
    Gtk::HBox* caixa = Gtk::manage(new Gtk::HBox(false, 0));
    caixa->pack_start(*f->button_primeiro, false, false, 0);
    caixa->pack_start(*f->button_anterior, false, false, 0);
    caixa->pack_start(*f->label_contador, false, false, 5);
    caixa->pack_start(*f->button_proximo, false, false, 0);
    caixa->pack_start(*f->button_ultimo, false, false, 0);
    return caixa;
}

void SISTEMAGUI::carregar_cadastro(int id, Gtk::Window* pai)
{
    if (id == 6) {
        abrir_colmeias(pai);
        return;
    }

    Formulario* f;
    switch (id) {
    case 1:
    case 2: f = new FormUsuario(id); break;
    case 3: f = new FormAcesso(); break;
    case 4: f = new FormApiario(); break;
    case 5: f = new FormAbelha(); break;
    case 7: f = new FormSenha(); break;
    case 8: f = new FormFlorada(); break;
    case 20: f = new FormBuscaApiario(); break;
    default: f = new Formulario(id); break;
    }
    for (Formulario* aberto : abertos) {
        if (pai && aberto->janela.get() == pai)
            f->origem = aberto;
    }

    Gtk::Window& janela = *f->janela;
    janela_cadastro = &janela;
    if (pai)
        janela.set_transient_for(*pai);
    janela.set_position(Gtk::WIN_POS_CENTER);
    janela.set_border_width(15);
    if (icone)
        janela.set_icon(icone);
    janela.signal_hide().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::sair), &janela));
    abertos.push_back(f);

    {
        Atuando atuando(*this, f);
        switch (id) {
        case 1:
        case 2: montar_usuario(static_cast<FormUsuario*>(f)); break;
        case 3: montar_acesso(static_cast<FormAcesso*>(f)); break;
        case 4: montar_apiario(static_cast<FormApiario*>(f)); break;
        case 5: montar_abelha(static_cast<FormAbelha*>(f)); break;
        case 7: montar_senha(static_cast<FormSenha*>(f)); break;
        case 8: montar_florada(static_cast<FormFlorada*>(f)); break;
        case 20: montar_busca_apiario(static_cast<FormBuscaApiario*>(f)); break;
        default: break;
        }
    }

    janela.show_all();
    rodar(janela);

    abertos.erase(std::find(abertos.begin(), abertos.end(), f));
    if (janela_cadastro == &janela)
        janela_cadastro = abertos.empty() ? nullptr : abertos.back()->janela.get();
    delete f;

    // A list no open form browses is given back: every opening loads it
    // again, and its position stays.
    if (!formulario_aberto(id)) {
        if (id == 2)
            usuarios = LISTA_USUARIOS();
        else if (id == 4)
            apiarios = LISTA_APIARIOS();
        else if (id == 5)
            std::vector<ABELHAS>().swap(abelhas);
    }
}

void SISTEMAGUI::estado(int id, int e)
{
    std::cout << id << " - " << e << '\n';
    switch (id) {
    case 1:
    case 2: estado_usuario(static_cast<FormUsuario*>(form_de(id)), e); break;
    case 3: estado_acesso(static_cast<FormAcesso*>(form_de(id)), e); break;
    case 4: estado_apiario(static_cast<FormApiario*>(form_de(id)), e); break;
    case 5: estado_abelha(static_cast<FormAbelha*>(form_de(id)), e); break;
    default: break;
    }
}

void SISTEMAGUI::inserir_dados(int id)
{
    if (Formulario* f = form_de(id)) {
        f->inserindo = true;
        f->editando = false;
    }
    estado(id, 0);
}

void SISTEMAGUI::editar_dados(int id)
{
    if (Formulario* f = form_de(id)) {
        f->editando = true;
        f->inserindo = false;
    }
    estado(id, 2);
}

void SISTEMAGUI::salvar_dados(int id)
{
    Formulario* f = form_de(id);
    bool inserindo = f && f->inserindo;
    bool editando = f && f->editando;
    std::cout << (inserindo ? 1 : 0) << '\n' << (editando ? 1 : 0) << '\n';

    bool ok = false;
    if (inserindo || editando) {
        f->inserindo = false;
        f->editando = false;
        switch (id) {
        case 1:
        case 2: ok = salvar_usuario(static_cast<FormUsuario*>(f), inserindo); break;
        case 3: ok = salvar_acesso(static_cast<FormAcesso*>(f), inserindo); break;
        case 4: ok = salvar_apiario(static_cast<FormApiario*>(f), inserindo); break;
        case 5: ok = salvar_abelha(static_cast<FormAbelha*>(f), inserindo); break;
        default: break;
        }
    } else {
        mensagem("Atenção", "Edite primeiro", Gtk::MESSAGE_WARNING);
    }

    if (!ok) {
        mensagem("Erro!", "Verifique as informações digitadas !", Gtk::MESSAGE_ERROR);
        return;
    }
    if (id == 1) {
        const LISTA_USUARIOS recarregado = usuario->Get_User(usuario_logado.id);
        if (!recarregado.empty())
            usuario_logado = recarregado.front();
    }
    if (id == 5)
        Carregar_combo(3, -1);
    estado(id, 1);
}

void SISTEMAGUI::navegar(int direcao, int id)
{
    static const char* palavras[4] = { "INICIO", "ANTERIOR", "PROXIMO", "FIM" };
    Posicao* posicao = nullptr;
    std::size_t tamanho = 0;
    switch (id) {
    case 2: posicao = &posicao_usuario; tamanho = usuarios.size(); break;
    case 4: posicao = &posicao_apiario; tamanho = apiarios.size(); break;
    case 5:
        posicao = &posicao_abelha;
        tamanho = abelhas.size();
        std::cout << posicao_abelha << '\n';
        break;
    default: break;
    }

    if (posicao && direcao >= 0 && direcao <= 3) {
        bool agiu = false;
        *posicao = mover_posicao(*posicao, tamanho, direcao, agiu);
        if (agiu) {
            // The first text of the record now at the position, when there is one.
            std::string texto;
            if (*posicao >= 1 && *posicao <= tamanho) {
                std::size_t i = *posicao - 1;
                texto = id == 2 ? usuarios.nome(i) : id == 4 ? apiarios.nome(i) : abelhas[i].rgn;
            }
            std::cout << '\n' << palavras[direcao] << '\n' << texto << '\n';
        }
    }
    carregar_dados(id);
}

bool SISTEMAGUI::posicionar(std::size_t tamanho, bool& primeiro_acesso, Posicao& posicao, Gtk::Label* contador)
{
    if (tamanho == 0)
        return false;
    if (!primeiro_acesso) {
        std::cout << " Primeiro acesso à janela " << '\n';
        primeiro_acesso = true;
        posicao = 1;
    }
    posicao = posicao_valida(posicao, tamanho);
    if (contador)
        contador->set_text(texto_contador(posicao, tamanho));
    return true;
}

void SISTEMAGUI::carregar_dados(int id)
{
    switch (id) {
    case 1: carregar_minha_conta(static_cast<FormUsuario*>(form_de(1))); break;
    case 2: carregar_usuarios(static_cast<FormUsuario*>(form_de(2))); break;
    case 3: carregar_acessos(static_cast<FormAcesso*>(form_de(3))); break;
    case 4: carregar_apiarios(static_cast<FormApiario*>(form_de(4))); break;
    case 5: carregar_abelhas(static_cast<FormAbelha*>(form_de(5))); break;
    case 20: pesquisar_apiarios(static_cast<FormBuscaApiario*>(form_de(20))); break;
    case 21: pesquisar_usuarios(dynamic_cast<FormBuscaUsuario*>(atual)); break;
    case 121: consultar_cep(dynamic_cast<FormUsuario*>(atual)); break;
    default: break;
    }
}

void SISTEMAGUI::excluir_dados(int id, Gtk::Window* pai)
{
    Gtk::Window& sobre = pai ? *pai : janela_login;
    Gtk::MessageDialog pergunta(sobre, "Exclusão de Item", false, Gtk::MESSAGE_INFO, Gtk::BUTTONS_OK_CANCEL, false);
    pergunta.set_message("Deseja realmente excluir esse item?");
    int resposta = pergunta.run();
    pergunta.hide();

    if (resposta != Gtk::RESPONSE_CANCEL) {
        bool ok = false;
        if (resposta == Gtk::RESPONSE_OK) {
            if (id == 3)
                ok = excluir_acesso(static_cast<FormAcesso*>(form_de(3)));
            else if (id == 5)
                ok = excluir_abelha(static_cast<FormAbelha*>(form_de(5)));
        }
        Gtk::MessageDialog resultado(sobre, ok ? "Excluído com Sucesso!" : "Erro ao Excluir!", false,
                                     ok ? Gtk::MESSAGE_INFO : Gtk::MESSAGE_ERROR, Gtk::BUTTONS_OK, false);
        resultado.run();
        resultado.hide();
    }
    estado(id, 1);
}
