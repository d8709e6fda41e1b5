#include "gui/form_cep.h"

#include <gtkmm/box.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/messagedialog.h>

#include "gui/montagem.h"
#include "gui/form_empresa.h"
#include "gui/form_usuario.h"
#include "model/usuario.h"

namespace {

// The state a new postal code is most likely in: that of the apiaries.
const char* const ESTADO_PADRAO = "MS";

const char* const TIPOS_LOGRADOURO[] = { "Rua", "Avenida", "Travessa", "Alameda", "Praça", "Rodovia", "Estrada",
                                         "Linha" };

} // namespace

void FormCep::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Cadastro de CEP");
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    // In the window from the start, so that the municipality list has its
    // style (a scrolled list) before it is filled.
    j.add(*vertical);

    w.entry_cep = Gtk::manage(new Gtk::Entry());
    w.entry_cep->set_max_length(9);
    w.entry_cep->set_width_chars(10);
    w.combo_tipo_logradouro = Gtk::manage(new Gtk::ComboBoxText(true));
    for (const char* t : TIPOS_LOGRADOURO)
        w.combo_tipo_logradouro->append(t);
    w.entry_logradouro = Gtk::manage(new Gtk::Entry());
    w.entry_logradouro->set_width_chars(35);
    w.entry_bairro = Gtk::manage(new Gtk::Entry());
    w.entry_bairro->set_width_chars(25);
    w.combo_estado = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_municipio = Gtk::manage(new ListaTextos());

    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Novo CEP"));
    Gtk::VBox* dentro = Gtk::manage(new Gtk::VBox(false, 5));
    linha(*dentro, "CEP:", *w.entry_cep, 5, 150);
    linha(*dentro, "Tipo de logradouro:", *w.combo_tipo_logradouro, 5, 150);
    linha(*dentro, "Logradouro:", *w.entry_logradouro, 5, 150);
    linha(*dentro, "Bairro:", *w.entry_bairro, 5, 150);
    linha(*dentro, "UF:", *w.combo_estado, 5, 150);
    linha(*dentro, "Município:", *w.combo_municipio, 5, 150);
    quadro->add(*dentro);
    vertical->pack_start(*quadro, false, false, 0);

    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    w.button_salvar_cep = Gtk::manage(new Gtk::Button("Salvar"));
    w.button_cancelar_cep = Gtk::manage(new Gtk::Button("Cancelar"));
    w.button_salvar_cep->set_size_request(100, -1);
    w.button_cancelar_cep->set_size_request(100, -1);
    botoes->pack_start(*w.button_salvar_cep, false, false, 5);
    botoes->pack_start(*w.button_cancelar_cep, false, false, 5);
    vertical->pack_start(*botoes, false, false, 5);

    // The CEP the user form looked up, with the mask of every CEP entry.
    w.entry_cep->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::cep_mascara), 1, w.entry_cep));
    if (FormUsuario* u = dynamic_cast<FormUsuario*>(origem()))
        w.entry_cep->set_text(u->cep_digitado());
    else if (FormEmpresa* e = dynamic_cast<FormEmpresa*>(origem()))
        w.entry_cep->set_text(e->cep_digitado());

    int padrao = 0;
    const std::vector<std::string> estados = ctx.municipio->listar_estados();
    for (std::size_t i = 0; i < estados.size(); ++i) {
        w.combo_estado->append(estados[i]);
        if (estados[i] == ESTADO_PADRAO)
            padrao = static_cast<int>(i);
    }
    w.combo_estado->signal_changed().connect(sigc::mem_fun(*this, &FormCep::selecionar_estado));
    w.combo_estado->set_active(padrao);

    tab(*w.entry_cep, *w.combo_tipo_logradouro);
    tab(*w.combo_tipo_logradouro->get_entry(), *w.entry_logradouro);
    tab(*w.entry_logradouro, *w.entry_bairro);
    tab(*w.entry_bairro, *w.combo_estado);
    w.button_salvar_cep->signal_clicked().connect(sigc::mem_fun(*this, &FormCep::salvar_cep));
    w.button_cancelar_cep->signal_clicked().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &j));
    focar(*w.combo_tipo_logradouro->get_entry());
}

void FormCep::selecionar_estado()
{
    municipios = ctx.municipio->listar_municipio(w.combo_estado->get_active_text().raw());
    std::vector<std::string> nomes { "" };
    nomes.reserve(municipios.size() + 1);
    for (const MUNICIPIOS& m : municipios)
        nomes.push_back(m.nome);
    w.combo_municipio->preencher(std::move(nomes));
    w.combo_municipio->set_active(0);
}

void FormCep::salvar_cep()
{
    CEPS novo;
    novo.cep = w.entry_cep->get_text().raw();
    novo.tipo_logradouro = w.combo_tipo_logradouro->get_entry()->get_text().raw();
    novo.logradouro = w.entry_logradouro->get_text().raw();
    novo.bairro = w.entry_bairro->get_text().raw();
    const int m = w.combo_municipio->get_active_row_number();
    if (m > 0 && static_cast<std::size_t>(m) <= municipios.size())
        novo.municipio = municipios[m - 1];
    else
        novo.municipio.cod_cid = 0;

    if (!ctx.usuario->cadastrar_cep(&novo)) {
        Gtk::MessageDialog aviso(*janela(), ctx.usuario->falha().motivo(), false, Gtk::MESSAGE_WARNING,
                                 Gtk::BUTTONS_CLOSE, true);
        aviso.run();
        aviso.hide();
        return;
    }
    janela()->hide();
    if (FormUsuario* u = dynamic_cast<FormUsuario*>(origem()))
        u->cep_cadastrado(novo.cep);
    else if (FormEmpresa* e = dynamic_cast<FormEmpresa*>(origem()))
        e->cep_cadastrado(novo.cep);
}
