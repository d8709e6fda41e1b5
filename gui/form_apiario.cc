// The apiary form ("Cadastro de Apiários", id 4): one apiary at a time, with
// its floral source and municipality lists, browsing, insert and update.
#include <iostream>
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/frame.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolbar.h>

#include "gui/form_apiario.h"
#include "gui/sistemagui.h"

namespace {

// Makes the entry with this text the active one; false when there is none.
bool ativar_texto(Gtk::ComboBoxText* combo, const std::string& texto)
{
    Glib::RefPtr<Gtk::TreeModel> modelo = combo->get_model();
    if (!modelo)
        return false;
    for (Gtk::TreeModel::iterator it = modelo->children().begin(); it != modelo->children().end(); ++it) {
        Glib::ustring valor;
        it->get_value(0, valor);
        if (valor.raw() == texto) {
            combo->set_active(it);
            return true;
        }
    }
    return false;
}

// Floral source names are typed by users and may be of any length: the list
// shows a long one cut short with an ellipsis instead of growing the form
// wider than the X server can draw, which would end the program.
void limitar_largura(Gtk::ComboBoxText* combo)
{
    std::vector<Gtk::CellRenderer*> celulas = combo->get_cells();
    for (Gtk::CellRenderer* c : celulas) {
        if (Gtk::CellRendererText* texto = dynamic_cast<Gtk::CellRendererText*>(c)) {
            texto->property_ellipsize() = Pango::ELLIPSIZE_END;
            texto->property_width_chars() = 24;
        }
    }
}

// A label packed from the left of a row, not expanding.
void rotulo(Gtk::HBox* linha, const char* texto, guint espaco)
{
    linha->pack_start(*Gtk::manage(new Gtk::Label(texto)), false, false, espaco);
}

} // namespace

void SISTEMAGUI::montar_apiario(FormApiario* f)
{
    Gtk::Window& janela = *f->janela;
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));

    Gtk::Toolbar* barra = nova_barra();
    f->button_novo = botao(*barra, Gtk::Stock::NEW, "Novo Zumbrel");
    f->button_salvar = botao(*barra, Gtk::Stock::SAVE, "Salvar Dados");
    f->button_editar = botao(*barra, Gtk::Stock::EDIT, "Editar Zumbrel");
    f->button_cancelar = botao(*barra, Gtk::Stock::CANCEL, "Cancelar");
    f->button_buscar = botao(*barra, Gtk::Stock::FIND);
    vertical->pack_start(*barra, false, false, 0);

    janela.set_title("Cadastro de Apiários");
    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Dados do Zumbrel"));
    Gtk::VBox* dados = Gtk::manage(new Gtk::VBox(false, 0));

    Gtk::HBox* linha1 = Gtk::manage(new Gtk::HBox(false, 0));
    rotulo(linha1, "ID \t ", 0);
    f->label_id = Gtk::manage(new Gtk::Label(""));
    linha1->pack_start(*f->label_id, false, false, 15);
    rotulo(linha1, "Nome do Apiaro:\t ", 3);
    f->entry_nome = Gtk::manage(new Gtk::Entry());
    f->entry_nome->set_size_request(375, -1);
    linha1->pack_start(*f->entry_nome, false, false, 0);
    rotulo(linha1, "Data de Criação :\t ", 5);
    f->entry_data = Gtk::manage(new Gtk::Entry());
    f->entry_data->set_size_request(100, -1);
    f->entry_data->set_max_length(10);
    linha1->pack_start(*f->entry_data, false, false, 0);
    dados->pack_start(*linha1, false, false, 8);

    Gtk::HBox* linha2 = Gtk::manage(new Gtk::HBox(false, 0));
    rotulo(linha2, "Endereco :\t ", 5);
    f->entry_endereco = Gtk::manage(new Gtk::Entry());
    f->entry_endereco->set_size_request(200, -1);
    linha2->pack_start(*f->entry_endereco, false, false, 10);
    rotulo(linha2, "Região : \t", 5);
    f->combo_municipio = Gtk::manage(new Gtk::ComboBoxText());
    linha2->pack_start(*f->combo_municipio, false, false, 0);
    Carregar_combo(2, -1);
    rotulo(linha2, "Distrito :\t ", 5);
    f->entry_distrito = Gtk::manage(new Gtk::Entry());
    f->entry_distrito->set_size_request(200, -1);
    linha2->pack_start(*f->entry_distrito, false, false, 10);
    dados->pack_start(*linha2, false, false, 8);

    Gtk::HBox* linha3 = Gtk::manage(new Gtk::HBox(false, 0));
    rotulo(linha3, "Florada: \t", 5);
    f->combo_florada = Gtk::manage(new Gtk::ComboBoxText());
    limitar_largura(f->combo_florada);
    linha3->pack_start(*f->combo_florada, false, false, 5);
    Carregar_combo(1, -1);
    f->button_florada = Gtk::manage(new Gtk::Button("Nova Florada"));
    linha3->pack_start(*f->button_florada, false, false, 10);
    rotulo(linha3, "Latitude :\t ", 2);
    f->entry_latitude = Gtk::manage(new Gtk::Entry());
    f->entry_latitude->set_size_request(200, -1);
    linha3->pack_start(*f->entry_latitude, false, false, 10);
    rotulo(linha3, "Longitude :\t ", 2);
    f->entry_longitude = Gtk::manage(new Gtk::Entry());
    f->entry_longitude->set_size_request(200, -1);
    linha3->pack_start(*f->entry_longitude, false, false, 10);
    dados->pack_start(*linha3, false, false, 8);

    Gtk::Frame* quadro_obs = Gtk::manage(new Gtk::Frame("Observações:"));
    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_ALWAYS, Gtk::POLICY_ALWAYS);
    f->textview_obs = Gtk::manage(new Gtk::TextView());
    f->textview_obs->set_size_request(100, -1);
    rolagem->add(*f->textview_obs);
    quadro_obs->add(*rolagem);
    dados->pack_start(*quadro_obs, false, false, 8);

    quadro->add(*dados);
    vertical->pack_start(*quadro, false, false, 0);
    vertical->pack_start(*caixa_navegacao(f, "1 / 1"), false, false, 0);

    f->button_novo->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::inserir_dados), 4)));
    f->button_editar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::editar_dados), 4)));
    f->button_salvar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::salvar_dados), 4)));
    f->button_cancelar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::estado), 4, 1)));
    f->button_buscar->signal_clicked().connect(em(f, [this] { carregar_cadastro(20, janela_principal.get()); }));
    f->button_florada->signal_clicked().connect(em(f, [this, f] { carregar_cadastro(8, f->janela.get()); }));

    f->entry_data->signal_changed().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::data_mascara), 1, f->entry_data));
    f->entry_nome->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), &janela, f->entry_data));
    f->entry_data->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), &janela, f->entry_endereco));
    f->entry_distrito->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), &janela, f->entry_latitude));
    f->entry_latitude->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), &janela, f->entry_longitude));

    // Last, so that filling the lists above did not run them.
    f->combo_municipio->signal_changed().connect(em(f, sigc::mem_fun(*this, &SISTEMAGUI::selecionar_municipio)));
    f->combo_florada->signal_changed().connect(em(f, sigc::mem_fun(*this, &SISTEMAGUI::selecionar_florada)));

    janela.add(*vertical);
    estado(4, 1);
}

void SISTEMAGUI::estado_apiario(FormApiario* f, int e)
{
    if (!f || (e != 0 && e != 1 && e != 2))
        return;

    const bool editavel = e != 1;
    f->button_salvar->set_sensitive(editavel);
    f->button_cancelar->set_sensitive(editavel);
    f->button_novo->set_sensitive(e != 0);
    f->button_editar->set_sensitive(e == 1);
    f->button_buscar->set_sensitive(e == 1);

    Gtk::Widget* campos[] = { f->entry_nome, f->entry_endereco, f->entry_data, f->entry_distrito,
                              f->entry_latitude, f->entry_longitude, f->combo_municipio,
                              f->combo_florada, f->button_florada };
    for (Gtk::Widget* w : campos)
        w->set_sensitive(editavel);
    f->textview_obs->set_editable(editavel);

    Gtk::Widget* navegacao[] = { f->button_primeiro, f->button_anterior, f->button_proximo, f->button_ultimo };
    for (Gtk::Widget* w : navegacao)
        w->set_sensitive(!editavel);

    if (e == 1) {
        carregar_dados(4);
    } else if (e == 0) {
        f->entry_nome->set_text("");
        f->entry_endereco->set_text("");
        f->entry_data->set_text("");
        f->label_id->set_text("");
        // The empty first entries are no floral source or municipality: the
        // current ones stay those of the apiary shown before.
        f->combo_florada->set_active(0);
        f->combo_municipio->set_active(0);
        f->textview_obs->get_buffer()->set_text("");
        f->entry_latitude->set_text("");
        f->entry_longitude->set_text("");
        f->entry_distrito->set_text("");
        f->entry_nome->grab_focus();
    }
}

void SISTEMAGUI::carregar_apiarios(FormApiario* f)
{
    // The old list goes before the new one is read: never two at once.
    apiarios = LISTA_APIARIOS();
    apiario->Get_Apiarios(&apiarios);
    if (!posicionar(apiarios.size(), primeiro_acesso_apiarios, posicao_apiario, f ? f->label_contador : nullptr))
        return;
    if (!f)
        return;

    const APIARIOS r = apiarios[posicao_apiario - 1];
    f->label_id->set_text(std::to_string(r.id_apiario));
    f->entry_nome->set_text(r.nome);
    f->entry_endereco->set_text(r.endereco);
    f->entry_data->set_text(r.data_criacao);
    ativar_texto(f->combo_florada, r.florada.nome_florada);
    ativar_texto(f->combo_municipio, r.municipio.nome);
    // The lists' handlers follow the change, but a list already showing the
    // name fires none: the shown apiary's own keys are the current ones.
    f->florada_atual.id_florada = r.florada.id_florada;
    f->florada_atual.nome_florada = r.florada.nome_florada;
    f->municipio_atual.cod_cid = r.municipio.cod_cid;
    f->municipio_atual.nome = r.municipio.nome;
    f->textview_obs->get_buffer()->set_text(r.obs);
    f->entry_distrito->set_text(r.distrito);
    f->entry_latitude->set_text(r.latitude);
    f->entry_longitude->set_text(r.longitude);
}

bool SISTEMAGUI::salvar_apiario(FormApiario* f, bool inserir)
{
    if (!f)
        return false;

    APIARIOS a;
    if (!inserir) {
        if (posicao_apiario < 1 || posicao_apiario > apiarios.size())
            return false;
        a = apiarios[posicao_apiario - 1];
        std::cout << a.id_apiario << '\n';
    }
    a.nome = f->entry_nome->get_text();
    a.endereco = f->entry_endereco->get_text();
    a.data_criacao = f->entry_data->get_text();
    a.florada.id_florada = f->florada_atual.id_florada;
    a.municipio.cod_cid = f->municipio_atual.cod_cid;
    a.distrito = f->entry_distrito->get_text();
    a.latitude = f->entry_latitude->get_text();
    a.longitude = f->entry_longitude->get_text();
    a.obs = f->textview_obs->get_buffer()->get_text();

    // Nothing chosen or shown yet gave them a key.
    if (a.florada.id_florada == -1 || a.municipio.cod_cid == -1)
        return false;

    return inserir ? apiario->Cadastrar_Apiario(&a) : apiario->Atualizar_Apiario(&a);
}
