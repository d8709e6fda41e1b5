// "Minha Conta" (id 1: the logged-in user's own data) and "Cadastro de
// Usuarios" (id 2: all users, one at a time), with the postal-code lookup
// that both run on Enter in their CEP entry.
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolbar.h>

#include "db/query.h"
#include "gui/form_usuario.h"
#include "gui/sistemagui.h"

namespace {

Gtk::Entry* nova_entry(int largura = -1, int maximo = 0)
{
    Gtk::Entry* e = Gtk::manage(new Gtk::Entry());
    if (largura > 0)
        e->set_size_request(largura, -1);
    if (maximo > 0)
        e->set_max_length(maximo);
    return e;
}

// A row of the form: label, widget, label, widget... packed left to right.
Gtk::HBox* linha(std::initializer_list<std::pair<const char*, Gtk::Widget*>> campos)
{
    Gtk::HBox* caixa = Gtk::manage(new Gtk::HBox(false, 0));
    for (const auto& campo : campos) {
        caixa->pack_start(*Gtk::manage(new Gtk::Label(campo.first)), false, false, 0);
        caixa->pack_start(*campo.second, false, false, 0);
    }
    return caixa;
}

// A titled frame holding rows one under the other.
Gtk::Frame* quadro(const char* titulo, std::initializer_list<Gtk::HBox*> linhas)
{
    Gtk::Frame* frame = Gtk::manage(new Gtk::Frame(titulo));
    Gtk::VBox* caixa = Gtk::manage(new Gtk::VBox(false, 5));
    for (Gtk::HBox* l : linhas)
        caixa->pack_start(*l, false, false, 0);
    frame->add(*caixa);
    return frame;
}

// The twelve entries both forms share (Senha is not among them).
std::vector<Gtk::Entry*> entradas(FormUsuario* f)
{
    return { f->entry_nome, f->entry_cpf,    f->entry_rg,     f->entry_oexp,
             f->entry_nasc, f->entry_rua,    f->entry_numero, f->entry_bairro,
             f->entry_cidade, f->entry_cep,  f->entry_estado, f->entry_usuario };
}

// The user's data into the entries. The postal code comes from its row:
// the CEP, the municipality and its state are shown, never read back.
void mostrar_usuario(FormUsuario* f, const USER& u)
{
    f->entry_nome->set_text(u.nome);
    f->entry_oexp->set_text(u.oexp);
    f->entry_cpf->set_text(u.cpf);
    f->entry_rg->set_text(u.rg);
    f->entry_nasc->set_text(u.nasc);
    f->entry_rua->set_text(u.endereco);
    f->entry_numero->set_text(u.numero);
    f->entry_bairro->set_text(u.bairro);
    f->entry_cidade->set_text(u.cep.municipio.nome);
    f->entry_cep->set_text(u.cep.cep);
    if (f->id == 2)
        std::cout << u.cep.id << '\n';
    f->entry_estado->set_text(u.cep.municipio.estado);
    f->entry_usuario->set_text(u.login);
}

// The typed fields over `u`; the postal code, the access level and the id
// are the caller's.
void ler_campos(FormUsuario* f, USER& u)
{
    u.nome = f->entry_nome->get_text();
    u.login = f->entry_usuario->get_text();
    u.cpf = f->entry_cpf->get_text();
    u.rg = f->entry_rg->get_text();
    u.oexp = f->entry_oexp->get_text();
    u.nasc = f->entry_nasc->get_text();
    u.endereco = f->entry_rua->get_text();
    u.numero = f->entry_numero->get_text();
    u.bairro = f->entry_bairro->get_text();
}

} // namespace

void SISTEMAGUI::montar_usuario(FormUsuario* f)
{
    const int id = f->id;
    const bool conta = id == 1;
    Gtk::Window* janela = f->janela.get();
    janela->set_title(conta ? "Minha Conta" : "Cadastro de Usuarios");

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Toolbar* barra = nova_barra();
    if (conta) {
        f->button_editar = botao(*barra, Gtk::Stock::EDIT, "Editar Informações");
        f->button_salvar = botao(*barra, Gtk::Stock::SAVE, "Salvar Alterações");
        f->button_cancelar = botao(*barra, Gtk::Stock::CANCEL, "Cancelar ação atual");
    } else {
        f->button_novo = botao(*barra, Gtk::Stock::NEW);
        f->button_editar = botao(*barra, Gtk::Stock::EDIT);
        f->button_salvar = botao(*barra, Gtk::Stock::SAVE);
        f->button_cancelar = botao(*barra, Gtk::Stock::CANCEL);
        f->button_buscar = botao(*barra, Gtk::Stock::FIND);
    }
    vertical->pack_start(*barra, false, false, 0);

    f->entry_nome = nova_entry(265);
    f->entry_nasc = nova_entry(100, 10);
    f->entry_cpf = nova_entry(135, 14);
    f->entry_rg = nova_entry(80);
    f->entry_oexp = nova_entry(80);
    f->entry_cep = nova_entry(110, 9);
    f->entry_rua = nova_entry(265);
    f->entry_numero = nova_entry(50);
    f->entry_bairro = nova_entry(100);
    f->entry_cidade = nova_entry(100);
    f->entry_estado = nova_entry(conta ? 40 : -1);
    f->entry_usuario = nova_entry();

    vertical->pack_start(*quadro("Dados Pessoais", {
        linha({ { "Nome:\t", f->entry_nome }, { "Data Nasc:\t", f->entry_nasc } }),
        linha({ { "CPF:\t", f->entry_cpf }, { "RG:\t", f->entry_rg }, { "Org. Exp.:\t", f->entry_oexp } }),
    }), false, false, 0);
    vertical->pack_start(*quadro("Endereço", {
        linha({ { "CEP:\t", f->entry_cep } }),
        linha({ { "Rua:\t", f->entry_rua }, { "N°:\t", f->entry_numero }, { "Bairro:\t", f->entry_bairro } }),
        linha({ { "Cidade:\t", f->entry_cidade }, { conta ? "ES:\t" : "UF:\t", f->entry_estado } }),
    }), false, false, 0);

    Gtk::HBox* privilegios;
    if (conta) {
        f->button_trocar_senha = Gtk::manage(new Gtk::Button("Trocar Senha"));
        privilegios = linha({ { "Usuario:", f->entry_usuario } });
        privilegios->pack_start(*f->button_trocar_senha, true, true, 0);
    } else {
        f->entry_senha = nova_entry();
        privilegios = linha({ { "Usuario:\t", f->entry_usuario }, { "Senha:\t", f->entry_senha } });
    }
    vertical->pack_start(*quadro("Privilegios ", { privilegios }), false, false, 0);

    if (!conta)
        vertical->pack_start(*barra_navegacao(f, "1/1"), false, false, 0);
    janela->add(*vertical);

    // Masks: the date and CPF carry the form's own tag, the CEP always 1.
    f->entry_nasc->signal_changed().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::data_mascara), id, f->entry_nasc));
    f->entry_cpf->signal_changed().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::cpf_mascara), id, f->entry_cpf));
    f->entry_cep->signal_changed().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::cep_mascara), 1, f->entry_cep));

    // Enter moves on to the next field; in the CEP it looks the code up.
    const std::pair<Gtk::Entry*, Gtk::Widget*> seguintes[] = {
        { f->entry_nome, f->entry_nasc },     { f->entry_nasc, f->entry_cpf },
        { f->entry_cpf, f->entry_rg },        { f->entry_rg, f->entry_oexp },
        { f->entry_oexp, f->entry_cep },      { f->entry_rua, f->entry_numero },
        { f->entry_numero, f->entry_bairro }, { f->entry_bairro, f->entry_cidade },
        { f->entry_cidade, f->entry_estado }, { f->entry_estado, f->entry_usuario },
    };
    for (const auto& s : seguintes)
        s.first->signal_activate().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), janela, s.second));
    f->entry_cep->signal_activate().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::carregar_dados), 121)));

    janela->signal_show().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::estado), id, 1)));
    f->button_editar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::editar_dados), id)));
    f->button_salvar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::salvar_dados), id)));
    f->button_cancelar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::estado), id, 1)));
    if (conta) {
        f->button_trocar_senha->signal_clicked().connect(
            em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::carregar_cadastro), 7, janela)));
    } else {
        f->button_novo->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::inserir_dados), id)));
        f->button_buscar->signal_clicked().connect(
            em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::carregar_pesquisa), 21, janela)));
    }
}

void SISTEMAGUI::estado_usuario(FormUsuario* f, int e)
{
    if (!f || (e != 0 && e != 1 && e != 2))
        return;
    // My account has no New.
    if (f->id == 1 && e == 0)
        return;

    const bool navegando = e == 1;
    std::vector<Gtk::Entry*> campos = entradas(f);
    if (f->entry_senha)
        campos.push_back(f->entry_senha);
    for (Gtk::Entry* c : campos)
        c->set_editable(!navegando);

    f->button_editar->set_sensitive(navegando);
    f->button_salvar->set_sensitive(!navegando);
    f->button_cancelar->set_sensitive(!navegando);
    if (f->id == 1) {
        f->button_trocar_senha->set_sensitive(!navegando);
    } else {
        Gtk::Widget* navegacao[] = { f->button_novo, f->button_buscar, f->button_primeiro,
                                     f->button_anterior, f->button_proximo, f->button_ultimo };
        for (Gtk::Widget* w : navegacao)
            w->set_sensitive(navegando);
    }

    if (e == 0) {
        for (Gtk::Entry* c : campos)
            c->set_text("");
        f->janela->set_focus(*f->entry_nome);
        return;
    }
    f->janela->set_focus(*f->entry_nome);
    if (f->id == 1)
        carregar_minha_conta(f);
    else
        carregar_usuarios(f);
}

void SISTEMAGUI::carregar_minha_conta(FormUsuario* f)
{
    if (!f)
        return;
    f->cep_consultado = false;
    mostrar_usuario(f, usuario_logado);
}

void SISTEMAGUI::carregar_usuarios(FormUsuario* f)
{
    if (!f)
        return;
    f->cep_consultado = false;
    // All users again; the rows of the previous load go first, unless
    // nothing is found and they are kept.
    usuarios = LISTA_USUARIOS();
    usuarios = usuario->Get_User(-1);
    if (!posicionar(usuarios.size(), primeiro_acesso_usuarios, posicao_usuario, f->label_contador))
        return;
    mostrar_usuario(f, usuarios[posicao_usuario - 1]);
}

void SISTEMAGUI::consultar_cep(FormUsuario* f)
{
    if (!f)
        return;
    // Marked whatever the outcome: a save after a failed lookup takes the
    // row of the last lookup that found one.
    f->cep_consultado = true;

    CEPS achado;
    if (!usuario->buscar_cep(f->entry_cep->get_text(), achado))
        return;
    cep_atual = achado;

    f->entry_rua->set_text(achado.tipo_logradouro + " " + achado.logradouro);
    f->entry_bairro->set_text(achado.bairro);
    f->entry_estado->set_text(achado.municipio.estado);
    f->entry_cidade->set_text(achado.municipio.nome);
    f->janela->set_focus(*f->entry_rua);
}

bool SISTEMAGUI::salvar_usuario(FormUsuario* f, bool inserir)
{
    if (!f)
        return false;
    USER u;
    if (f->id == 2 && inserir) {
        ler_campos(f, u);
        u.senha = f->entry_senha->get_text();
        u.cep = f->cep_consultado ? cep_atual : usuario_logado.cep;
        u.acesso = usuario_logado.acesso;
    } else if (f->id == 1 && !inserir) {
        u.id = usuario_logado.id;
        ler_campos(f, u);
        u.cep = f->cep_consultado ? cep_atual : usuario_logado.cep;
        u.acesso = usuario_logado.acesso;
    } else if (f->id == 2) {
        if (posicao_usuario < 1 || posicao_usuario > usuarios.size())
            return false;
        u = usuarios[posicao_usuario - 1];
        std::cout << u.id << '\n';
        ler_campos(f, u);
        std::cout << u.cep.id << '\n';
        if (f->cep_consultado)
            u.cep = cep_atual;
    } else {
        return false;
    }

    // No postal code known (no lookup ever found one and there is none to
    // fall back on): the key would point nowhere, so the save is refused.
    if (u.cep.id <= 0)
        return false;
    return inserir ? usuario->inserir_usuario(&u) : usuario->atualizar_usuario(&u);
}
