#include "gui/form_usuario.h"

#include <utility>

#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/messagedialog.h>

#include "db/rastro.h"
#include "gui/janelas.h"
#include "util/validacao.h"

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

} // namespace

const char* const SEM_CEP = "Nenhum CEP cadastrado foi informado: digite o CEP e tecle Enter nele para buscar o "
                            "endereço.";

Gtk::VBox* FormUsuario::montar_campos(Gtk::Toolbar* barra, Gtk::HBox*& privilegios)
{
    const int id = get_id();
    const bool conta = id == ids::MINHA_CONTA;
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    vertical->pack_start(*barra, false, false, 0);

    w.entry_nome = nova_entry(265);
    w.entry_nasc = nova_entry(100, 10);
    w.entry_cpf = nova_entry(135, 14);
    w.entry_rg = nova_entry(80);
    w.entry_oexp = nova_entry(80);
    w.entry_cep = nova_entry(110, 9);
    w.entry_rua = nova_entry(265);
    w.entry_numero = nova_entry(50);
    w.entry_bairro = nova_entry(100);
    w.entry_cidade = nova_entry(100);
    w.entry_estado = nova_entry(conta ? 40 : -1);
    // A login and a password only as long as the login window takes them.
    w.entry_usuario = nova_entry(-1, MAXIMO_LOGIN);

    vertical->pack_start(*quadro("Dados Pessoais", {
        linha({ { "Nome:\t", w.entry_nome }, { "Data Nasc:\t", w.entry_nasc } }),
        linha({ { "CPF:\t", w.entry_cpf }, { "RG:\t", w.entry_rg }, { "Org. Exp.:\t", w.entry_oexp } }),
    }), false, false, 0);
    vertical->pack_start(*quadro("Endereço", {
        linha({ { "CEP:\t", w.entry_cep } }),
        linha({ { "Rua:\t", w.entry_rua }, { "N°:\t", w.entry_numero }, { "Bairro:\t", w.entry_bairro } }),
        linha({ { "Cidade:\t", w.entry_cidade }, { conta ? "ES:\t" : "UF:\t", w.entry_estado } }),
    }), false, false, 0);

    if (conta) {
        w.button_trocar_senha = Gtk::manage(new Gtk::Button("Trocar Senha"));
        privilegios = linha({ { "Usuario:", w.entry_usuario } });
        privilegios->pack_start(*w.button_trocar_senha, true, true, 0);
    } else {
        w.entry_senha = nova_entry(-1, MAXIMO_SENHA);
        privilegios = linha({ { "Usuario:\t", w.entry_usuario }, { "Senha:\t", w.entry_senha } });
    }
    vertical->pack_start(*quadro("Privilegios ", { privilegios }), false, false, 0);

    // Masks: the date and CPF carry the form's own tag, the CEP always 1.
    w.entry_nasc->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), id, w.entry_nasc));
    w.entry_cpf->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::cpf_mascara), id, w.entry_cpf));
    w.entry_cep->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::cep_mascara), 1, w.entry_cep));

    // Enter moves on to the next field; in the CEP it looks the code up.
    const std::pair<Gtk::Entry*, Gtk::Widget*> seguintes[] = {
        { w.entry_nome, w.entry_nasc },     { w.entry_nasc, w.entry_cpf },
        { w.entry_cpf, w.entry_rg },        { w.entry_rg, w.entry_oexp },
        { w.entry_oexp, w.entry_cep },      { w.entry_rua, w.entry_numero },
        { w.entry_numero, w.entry_bairro }, { w.entry_bairro, w.entry_cidade },
        { w.entry_cidade, w.entry_estado }, { w.entry_estado, w.entry_usuario },
    };
    for (const auto& s : seguintes)
        tab(*s.first, *s.second);
    w.entry_cep->signal_activate().connect([this] { carregar_dados(ids::CEP); });

    janela()->signal_show().connect([this] { estado(1); });
    ligar_barra(w);
    return vertical;
}

void FormUsuario::mudar_estado(int e)
{
    const bool navegando = e == 1;
    std::vector<Gtk::Entry*> campos = entradas();
    if (w.entry_senha)
        campos.push_back(w.entry_senha);
    for (Gtk::Entry* c : campos)
        c->set_editable(!navegando);

    w.button_editar->set_sensitive(navegando);
    w.button_salvar->set_sensitive(!navegando);
    w.button_cancelar->set_sensitive(!navegando);
    sensibilizar(navegando);

    focar(*w.entry_nome);
    if (e == 0) {
        for (Gtk::Entry* c : campos)
            c->set_text("");
        return;
    }
    carregar();
}

void FormUsuario::carregar_dados(int dado)
{
    if (dado == ids::CEP)
        consultar_cep();
    else
        carregar();
}

std::vector<Gtk::Entry*> FormUsuario::entradas() const
{
    return { w.entry_nome, w.entry_cpf,    w.entry_rg,     w.entry_oexp,
             w.entry_nasc, w.entry_rua,    w.entry_numero, w.entry_bairro,
             w.entry_cidade, w.entry_cep,  w.entry_estado, w.entry_usuario };
}

void FormUsuario::mostrar_usuario(const USER& u)
{
    w.entry_nome->set_text(u.nome);
    w.entry_oexp->set_text(u.oexp);
    w.entry_cpf->set_text(u.cpf);
    w.entry_rg->set_text(u.rg);
    w.entry_nasc->set_text(u.nasc);
    w.entry_rua->set_text(u.endereco);
    w.entry_numero->set_text(u.numero);
    w.entry_bairro->set_text(u.bairro);
    w.entry_cidade->set_text(u.cep.municipio.nome);
    w.entry_cep->set_text(u.cep.cep);
    if (get_id() == ids::USUARIOS)
        rastrear(u.cep.id, '\n');
    w.entry_estado->set_text(u.cep.municipio.estado);
    w.entry_usuario->set_text(u.login);
}

void FormUsuario::ler_campos(USER& u) const
{
    u.nome = w.entry_nome->get_text();
    u.login = w.entry_usuario->get_text();
    u.cpf = w.entry_cpf->get_text();
    u.rg = w.entry_rg->get_text();
    u.oexp = w.entry_oexp->get_text();
    u.nasc = w.entry_nasc->get_text();
    u.endereco = w.entry_rua->get_text();
    u.numero = w.entry_numero->get_text();
    u.bairro = w.entry_bairro->get_text();
}

void FormUsuario::consultar_cep(bool oferecer)
{
    // Marked whatever the outcome: a save after a failed lookup takes the
    // row of the last lookup that found one.
    cep_consultado = true;
    CEPS achado;
    const std::string cep = w.entry_cep->get_text().raw();
    if (!ctx.usuario->buscar_cep(cep, achado)) {
        // A whole CEP the database answered it does not have.
        if (oferecer && !ctx.usuario->falha().houve && cep_completo(cep)) {
            Gtk::MessageDialog pergunta(*janela(), "CEP não encontrado. Deseja cadastrá-lo?", false,
                                        Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO, true);
            const int resposta = pergunta.run();
            pergunta.hide();
            if (resposta == Gtk::RESPONSE_YES)
                abrir(ids::CADASTRO_CEP);
        }
        return;
    }
    cep_atual = achado;

    w.entry_rua->set_text(achado.tipo_logradouro + " " + achado.logradouro);
    w.entry_bairro->set_text(achado.bairro);
    w.entry_estado->set_text(achado.municipio.estado);
    w.entry_cidade->set_text(achado.municipio.nome);
    focar(*w.entry_rua);
}

void FormUsuario::cep_cadastrado(const std::string& cep)
{
    w.entry_cep->set_text(cep);
    consultar_cep(false);
}
