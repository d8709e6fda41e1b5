#include "gui/form_apiario.h"

#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/frame.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolbar.h>

#include "db/rastro.h"
#include "gui/montagem.h"
#include "gui/janelas.h"

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

// Empties a list and puts its empty leading entry back while the form's
// handler is told to ignore the changes.
void esvaziar(Gtk::ComboBoxText* combo, bool& preenchendo)
{
    preenchendo = true;
    combo->remove_all();
    combo->append("");
    preenchendo = false;
}

} // namespace

FormApiario::FormApiario(int id, Contexto& contexto) : FormularioCom(id, contexto)
{
    // Unknown until a list selection or a shown apiary gives them a key:
    // a save refuses them rather than sending an undefined key.
    florada_atual.id_florada = -1;
    municipio_atual.cod_cid = -1;
}

void FormApiario::montar()
{
    Gtk::Window& j = *janela();
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));

    Gtk::Toolbar* barra = nova_barra();
    w.button_novo = botao(*barra, Gtk::Stock::NEW, "Novo Zumbrel");
    w.button_salvar = botao(*barra, Gtk::Stock::SAVE, "Salvar Dados");
    w.button_editar = botao(*barra, Gtk::Stock::EDIT, "Editar Zumbrel");
    w.button_cancelar = botao(*barra, Gtk::Stock::CANCEL, "Cancelar");
    w.button_buscar = botao(*barra, Gtk::Stock::FIND);
    vertical->pack_start(*barra, false, false, 0);

    j.set_title("Cadastro de Apiários");
    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Dados do Zumbrel"));
    Gtk::VBox* dados = Gtk::manage(new Gtk::VBox(false, 0));

    Gtk::HBox* linha1 = Gtk::manage(new Gtk::HBox(false, 0));
    rotulo(*linha1, "ID \t ", 0);
    w.label_id = Gtk::manage(new Gtk::Label(""));
    linha1->pack_start(*w.label_id, false, false, 15);
    rotulo(*linha1, "Nome do Apiaro:\t ", 3);
    w.entry_nome = Gtk::manage(new Gtk::Entry());
    w.entry_nome->set_size_request(375, -1);
    linha1->pack_start(*w.entry_nome, false, false, 0);
    rotulo(*linha1, "Data de Criação :\t ", 5);
    w.entry_data = Gtk::manage(new Gtk::Entry());
    w.entry_data->set_size_request(100, -1);
    w.entry_data->set_max_length(10);
    linha1->pack_start(*w.entry_data, false, false, 0);
    dados->pack_start(*linha1, false, false, 8);

    Gtk::HBox* linha2 = Gtk::manage(new Gtk::HBox(false, 0));
    rotulo(*linha2, "Endereco :\t ", 5);
    w.entry_endereco = Gtk::manage(new Gtk::Entry());
    w.entry_endereco->set_size_request(200, -1);
    linha2->pack_start(*w.entry_endereco, false, false, 10);
    rotulo(*linha2, "Região : \t", 5);
    w.combo_municipio = Gtk::manage(new Gtk::ComboBoxText());
    linha2->pack_start(*w.combo_municipio, false, false, 0);
    Carregar_combo(2, -1);
    rotulo(*linha2, "Distrito :\t ", 5);
    w.entry_distrito = Gtk::manage(new Gtk::Entry());
    w.entry_distrito->set_size_request(200, -1);
    linha2->pack_start(*w.entry_distrito, false, false, 10);
    dados->pack_start(*linha2, false, false, 8);

    Gtk::HBox* linha3 = Gtk::manage(new Gtk::HBox(false, 0));
    rotulo(*linha3, "Florada: \t", 5);
    w.combo_florada = Gtk::manage(new Gtk::ComboBoxText());
    limitar_largura(*w.combo_florada, 24);
    linha3->pack_start(*w.combo_florada, false, false, 5);
    Carregar_combo(1, -1);
    w.button_florada = Gtk::manage(new Gtk::Button("Nova Florada"));
    linha3->pack_start(*w.button_florada, false, false, 10);
    rotulo(*linha3, "Latitude :\t ", 2);
    w.entry_latitude = Gtk::manage(new Gtk::Entry());
    w.entry_latitude->set_size_request(200, -1);
    linha3->pack_start(*w.entry_latitude, false, false, 10);
    rotulo(*linha3, "Longitude :\t ", 2);
    w.entry_longitude = Gtk::manage(new Gtk::Entry());
    w.entry_longitude->set_size_request(200, -1);
    linha3->pack_start(*w.entry_longitude, false, false, 10);
    dados->pack_start(*linha3, false, false, 8);

    Gtk::Frame* quadro_obs = Gtk::manage(new Gtk::Frame("Observações:"));
    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_ALWAYS, Gtk::POLICY_ALWAYS);
    w.textview_obs = Gtk::manage(new Gtk::TextView());
    w.textview_obs->set_size_request(100, -1);
    rolagem->add(*w.textview_obs);
    quadro_obs->add(*rolagem);
    dados->pack_start(*quadro_obs, false, false, 8);

    quadro->add(*dados);
    vertical->pack_start(*quadro, false, false, 0);
    vertical->pack_start(*caixa_navegacao(w, "1 / 1"), false, false, 0);

    ligar_barra(w);
    w.button_buscar->signal_clicked().connect([this] { abrir(ids::BUSCA_APIARIO, ctx.janela_principal); });
    w.button_florada->signal_clicked().connect([this] { abrir(ids::FLORADA); });

    w.entry_data->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 1, w.entry_data));
    tab(*w.entry_nome, *w.entry_data);
    tab(*w.entry_data, *w.entry_endereco);
    tab(*w.entry_distrito, *w.entry_latitude);
    tab(*w.entry_latitude, *w.entry_longitude);

    // Last, so that filling the lists above did not run them.
    w.combo_municipio->signal_changed().connect(sigc::mem_fun(*this, &FormApiario::selecionar_municipio));
    w.combo_florada->signal_changed().connect(sigc::mem_fun(*this, &FormApiario::selecionar_florada));

    j.add(*vertical);
    estado(1);
}

void FormApiario::mudar_estado(int e)
{
    const bool editavel = e != 1;
    w.button_salvar->set_sensitive(editavel);
    w.button_cancelar->set_sensitive(editavel);
    w.button_novo->set_sensitive(e != 0);
    w.button_editar->set_sensitive(e == 1);
    w.button_buscar->set_sensitive(e == 1);

    Gtk::Widget* campos[] = { w.entry_nome, w.entry_endereco, w.entry_data, w.entry_distrito,
                              w.entry_latitude, w.entry_longitude, w.combo_municipio,
                              w.combo_florada, w.button_florada };
    for (Gtk::Widget* c : campos)
        c->set_sensitive(editavel);
    w.textview_obs->set_editable(editavel);

    Gtk::Widget* navegacao[] = { w.button_primeiro, w.button_anterior, w.button_proximo, w.button_ultimo };
    for (Gtk::Widget* b : navegacao)
        b->set_sensitive(!editavel);

    if (e == 1) {
        carregar_dados(get_id());
    } else if (e == 0) {
        w.entry_nome->set_text("");
        w.entry_endereco->set_text("");
        w.entry_data->set_text("");
        w.label_id->set_text("");
        // The empty first entries are no floral source or municipality: the
        // current ones stay those of the apiary shown before.
        w.combo_florada->set_active(0);
        w.combo_municipio->set_active(0);
        w.textview_obs->get_buffer()->set_text("");
        w.entry_latitude->set_text("");
        w.entry_longitude->set_text("");
        w.entry_distrito->set_text("");
        w.entry_nome->grab_focus();
    }
}

void FormApiario::carregar_dados(int)
{
    // The old list goes before the new one is read: never two at once.
    apiarios = LISTA_APIARIOS();
    ctx.apiario->Get_Apiarios(&apiarios);
    if (!posicionar(apiarios.size()))
        return;

    const APIARIOS r = apiarios[ctx.apiarios.posicao - 1];
    w.label_id->set_text(std::to_string(r.id_apiario));
    w.entry_nome->set_text(r.nome);
    w.entry_endereco->set_text(r.endereco);
    w.entry_data->set_text(r.data_criacao);
    ativar_texto(w.combo_florada, r.florada.nome_florada);
    ativar_texto(w.combo_municipio, r.municipio.nome);
    // The lists' handlers follow the change, but a list already showing the
    // name fires none: the shown apiary's own keys are the current ones.
    florada_atual.id_florada = r.florada.id_florada;
    florada_atual.nome_florada = r.florada.nome_florada;
    municipio_atual.cod_cid = r.municipio.cod_cid;
    municipio_atual.nome = r.municipio.nome;
    w.textview_obs->get_buffer()->set_text(r.obs);
    w.entry_distrito->set_text(r.distrito);
    w.entry_latitude->set_text(r.latitude);
    w.entry_longitude->set_text(r.longitude);
}

FALHA FormApiario::salvar(bool inserir)
{
    APIARIOS a;
    if (!inserir) {
        const Posicao p = ctx.apiarios.posicao;
        if (p < 1 || p > apiarios.size()) {
            return FALHA::recusa("Nenhum apiário está sendo mostrado para ser alterado.");
        }
        a = apiarios[p - 1];
        rastrear(a.id_apiario, '\n');
    }
    a.nome = w.entry_nome->get_text();
    a.endereco = w.entry_endereco->get_text();
    a.data_criacao = w.entry_data->get_text();
    a.florada.id_florada = florada_atual.id_florada;
    a.municipio.cod_cid = municipio_atual.cod_cid;
    a.distrito = w.entry_distrito->get_text();
    a.latitude = w.entry_latitude->get_text();
    a.longitude = w.entry_longitude->get_text();
    a.obs = w.textview_obs->get_buffer()->get_text();

    // Nothing chosen or shown yet gave them a key.
    if (a.florada.id_florada == -1 || a.municipio.cod_cid == -1) {
        return FALHA::recusa("Escolha a florada e a região do apiário.");
    }

    return desfecho(inserir ? ctx.apiario->Cadastrar_Apiario(&a) : ctx.apiario->Atualizar_Apiario(&a), *ctx.apiario);
}

void FormApiario::Carregar_combo(int qual, int selecionado)
{
    int sel = 0;
    if (qual == 1 && w.combo_florada) {
        esvaziar(w.combo_florada, preenchendo);
        std::vector<FLORADA> lista = ctx.floradas->listar_floradas();
        for (std::size_t k = 0; k < lista.size(); ++k) {
            w.combo_florada->append(lista[k].nome_florada);
            if (selecionado != -1 && lista[k].id_florada == selecionado)
                sel = static_cast<int>(k) + 1;
        }
        rastrear(sel, '\n');
        w.combo_florada->set_active(sel);
    } else if (qual == 2 && w.combo_municipio) {
        esvaziar(w.combo_municipio, preenchendo);
        std::vector<MUNICIPIOS> lista = ctx.municipio->listar_municipio();
        for (std::size_t k = 0; k < lista.size(); ++k) {
            w.combo_municipio->append(lista[k].nome);
            const bool escolhido = selecionado == -1 ? lista[k].nome == "Dourados" : lista[k].cod_cid == selecionado;
            if (escolhido)
                sel = static_cast<int>(k) + 1;
        }
        rastrear(sel, '\n');
        w.combo_municipio->set_active(sel);
    }
}

void FormApiario::selecionar_florada()
{
    if (preenchendo || !w.combo_florada)
        return;
    const std::string texto = w.combo_florada->get_active_text().raw();
    FLORADA achada = ctx.floradas->get_florada(texto);
    // Not found (the empty entry) or a failed lookup keeps the current one.
    if (achada.id_florada != -1 && achada.nome_florada == texto)
        florada_atual = achada;
}

void FormApiario::selecionar_municipio()
{
    if (preenchendo || !w.combo_municipio)
        return;
    const std::string texto = w.combo_municipio->get_active_text().raw();
    MUNICIPIOS achado = ctx.municipio->get_municipio(texto);
    if (achado.cod_cid != -1 && achado.nome == texto)
        municipio_atual = achado;
}

bool FormApiario::receber_escolha(int de_onde, int chave)
{
    // A search, a trace line that names it, or its line in the main window's panel.
    if (de_onde != ids::BUSCA_APIARIO && de_onde != ids::RASTREABILIDADE && de_onde != ids::PAINEL)
        return false;
    auto posicao_de = [this, chave]() -> Posicao {
        for (std::size_t i = 0; i < apiarios.size(); ++i) {
            if (apiarios.id(i) == chave)
                return i + 1;
        }
        return 0;
    };
    // The list as stored now: the apiary may have been added or deleted
    // since this form loaded it.
    apiarios = LISTA_APIARIOS();
    ctx.apiario->Get_Apiarios(&apiarios);
    const Posicao p = posicao_de();
    if (p == 0)
        return false;
    ctx.apiarios.posicao = p;
    // Whatever was being typed gives way to the apiary chosen.
    esquecer_acao();
    estado(1);
    return true;
}
