#include "gui/colmeia_view.h"

#include <algorithm>

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include <gtkmm/box.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/entrycompletion.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/scrolledwindow.h>

#include "gui/apiarios_listados.h"
#include "gui/exportar_lista.h"
#include "gui/form_hoje.h"
#include "gui/janelas.h"
#include "gui/marca_cor.h"
#include "gui/montagem.h"
#include "gui/modelo_achados.h"

namespace {

// How many registry numbers the queen's entry offers as it is typed.
const int SUGESTOES_RGN = 20;

// Makes the entry with this text the active one (the first, empty entry
// when there is none).
void escolher_texto(Gtk::ComboBoxText* combo, const char* const* textos, std::size_t n, const std::string& texto)
{
    int ativo = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (texto == textos[i])
            ativo = static_cast<int>(i) + 1;
    }
    combo->set_active(ativo);
}

std::string revisoes_que_vao(int colmeia, int n)
{
    const std::string de = "A colméia " + std::to_string(colmeia);
    if (n == 0)
        return de + " não tem revisões.";
    if (n == 1)
        return de + " tem 1 revisão, que será excluída com ela.";
    return de + " tem " + std::to_string(n) + " revisões, que serão excluídas com ela.";
}

} // namespace

// The hives found, as the list shows them: key, type, status, the queen's
// RGN, the apiary, the last day of a withdrawal in force and the queen's
// marking colour, read from the rows of the search.
class ColmeiasAchadas : public Achados
{
public:
    explicit ColmeiasAchadas(LISTA_COLMEIAS l) : lista(std::move(l)) {}
    std::size_t tamanho() const override { return lista.size(); }
    int textos() const override { return 6; }
    int codigo(std::size_t i) const override { return lista.id(i); }
    const char* texto(std::size_t i, int c) const override
    {
        switch (c) {
        case 1: return lista.tipo(i);
        case 2: {
            const auto novo = status_novo.find(i);
            return novo == status_novo.end() ? lista.status(i) : novo->second.c_str();
        }
        case 3: return lista.rgn(i);
        case 5: return lista.carencia_ate(i);
        case 6: return lista.cor_rainha(i);
        default: return lista.apiario(i);
        }
    }

    // The status hive `id` has now (its newest inspection's), shown in
    // place of the one the search read; the row where it is shown, or -1.
    int mudar_status(int id, const std::string& status)
    {
        for (std::size_t i = 0; i < lista.size(); ++i) {
            if (lista.id(i) == id) {
                status_novo[i] = status;
                return static_cast<int>(i);
            }
        }
        return -1;
    }

private:
    LISTA_COLMEIAS lista;
    std::unordered_map<std::size_t, std::string> status_novo;
};

COLMEIA_VIEW::COLMEIA_VIEW(int id, Contexto& contexto)
    : FormularioCom(id, contexto), colmeias(contexto.query), revisoes(contexto.query), diario(contexto.query)
{
}

void COLMEIA_VIEW::inicializar()
{
    inicializarJanela();
    inicializarObjetosJanela();
    posicionaObjetosJanela();
}

void COLMEIA_VIEW::inicializarJanela()
{
    // The frame made it transient for its parent, centred and with its border.
    Gtk::Window& j = *janela();
    j.set_title("Cadastro de Colméias");
    j.set_size_request(650, 380);
    j.set_default_size(900, 900);
}

void COLMEIA_VIEW::inicializarObjetosJanela()
{
    w.label_tipo = rotulo("Tipo");
    w.label_status = rotulo("Status");
    w.label_rainha = rotulo("Rainha");
    w.label_apiario = rotulo("Apiario");
    w.button_salvar_colmeia = Gtk::manage(new Gtk::Button("Salvar"));
    w.button_cancelar_colmeia = Gtk::manage(new Gtk::Button("Cancelar"));
    w.button_pesquisar = Gtk::manage(new Gtk::Button("Pesquisar"));
    w.button_excluir_colmeia = Gtk::manage(new Gtk::Button("Excluir"));

    w.label_codigo = rotulo("");
    w.label_carencia = rotulo("");
    w.combo_tipo = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_status = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_status_revisao = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_tipo->append("");
    for (const char* t : TIPOS_COLMEIA)
        w.combo_tipo->append(t);
    for (Gtk::ComboBoxText* c : { w.combo_status, w.combo_status_revisao }) {
        c->append("");
        for (const char* s : STATUS_COLMEIA)
            c->append(s);
    }

    w.entry_rainha = Gtk::manage(new Gtk::Entry());
    w.entry_rainha->set_width_chars(14);
    lista_rgns = Gtk::ListStore::create(colunas);
    Glib::RefPtr<Gtk::EntryCompletion> completar = Gtk::EntryCompletion::create();
    completar->set_model(lista_rgns);
    completar->set_text_column(colunas.textos[0]);
    completar->set_minimum_key_length(1);
    w.entry_rainha->set_completion(completar);

    w.combo_apiario = Gtk::manage(new ListaTextos());
    limitar_largura(*w.combo_apiario, 30);
    w.entry_instalacao = Gtk::manage(new Gtk::Entry());
    w.entry_instalacao->set_max_length(10);
    w.entry_instalacao->set_width_chars(10);
    w.entry_obs = Gtk::manage(new Gtk::Entry());
    w.entry_obs->set_width_chars(40);

    achadas = std::make_shared<ColmeiasAchadas>(LISTA_COLMEIAS());
    lista_colmeias = modelo_achados(achadas);
    w.treeview_colmeias = Gtk::manage(new Gtk::TreeView(lista_colmeias));
    w.treeview_colmeias->append_column("Código", colunas.codigo);
    w.treeview_colmeias->get_column(0)->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    w.treeview_colmeias->get_column(0)->set_fixed_width(70);
    coluna_texto(*w.treeview_colmeias, "Tipo", colunas.textos[0], 110);
    coluna_texto(*w.treeview_colmeias, "Status", colunas.textos[1], 100);
    coluna_texto(*w.treeview_colmeias, "Rainha", colunas.textos[2], 120);
    coluna_marca(*w.treeview_colmeias, "Marcação", colunas.textos[5], colunas.textos[5], 100);
    coluna_texto(*w.treeview_colmeias, "Apiário", colunas.textos[3], 300);
    coluna_texto(*w.treeview_colmeias, "Carência", colunas.textos[4], 100);
    // Every column fixed and every row one line: the list asks only for the
    // rows it shows, however many hives there are.
    w.treeview_colmeias->set_fixed_height_mode(true);

    w.frame_revisoes = Gtk::manage(new Gtk::Frame("Revisões"));
    w.entry_data_revisao = Gtk::manage(new Gtk::Entry());
    w.entry_data_revisao->set_max_length(10);
    w.entry_data_revisao->set_width_chars(10);
    w.entry_mel = Gtk::manage(new Gtk::Entry());
    w.entry_mel->set_width_chars(8);
    w.entry_obs_revisao = Gtk::manage(new Gtk::Entry());
    w.entry_obs_revisao->set_width_chars(30);
    w.button_adicionar_revisao = Gtk::manage(new Gtk::Button("Adicionar revisão"));
    w.button_excluir_revisao = Gtk::manage(new Gtk::Button("Excluir revisão"));
    lista_revisoes = Gtk::ListStore::create(colunas);
    w.treeview_revisoes = Gtk::manage(new Gtk::TreeView(lista_revisoes));
    coluna_texto(*w.treeview_revisoes, "Data", colunas.textos[0], 100);
    coluna_texto(*w.treeview_revisoes, "Status", colunas.textos[1], 100);
    coluna_texto(*w.treeview_revisoes, "Mel (kg)", colunas.textos[2], 80);
    coluna_texto(*w.treeview_revisoes, "Observações", colunas.textos[3], 400);

    w.frame_diario = Gtk::manage(new Gtk::Frame("Diário"));
    w.combo_filtro_diario = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_filtro_diario->append("Todos");
    for (Registro r : REGISTROS)
        w.combo_filtro_diario->append(nome_do_registro(r));
    w.combo_filtro_diario->set_active(0);
    w.combo_novo_registro = Gtk::manage(new Gtk::ComboBoxText());
    // Inspections have their own frame above: every other kind, in order.
    for (std::size_t i = 1; i < sizeof REGISTROS / sizeof REGISTROS[0]; ++i)
        w.combo_novo_registro->append(nome_do_registro(REGISTROS[i]));
    w.combo_novo_registro->set_active(0);
    w.button_novo_registro = Gtk::manage(new Gtk::Button("Novo registro"));
    w.button_abrir_registro = Gtk::manage(new Gtk::Button("Abrir"));
    w.button_excluir_registro = Gtk::manage(new Gtk::Button("Excluir registro"));
    lista_diario = Gtk::ListStore::create(colunas);
    w.treeview_diario = Gtk::manage(new Gtk::TreeView(lista_diario));
    coluna_texto(*w.treeview_diario, "Data", colunas.textos[0], 100);
    coluna_texto(*w.treeview_diario, "Tipo", colunas.textos[1], 130);
    coluna_texto(*w.treeview_diario, "Resumo", colunas.textos[2], 500);
}

void COLMEIA_VIEW::posicionaObjetosJanela()
{
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    // In the window from the start, so that the apiary list has its style
    // (a scrolled list) before it is filled.
    janela()->add(*vertical);

    Gtk::HBox* codigo = linha_com(*rotulo("Código"));
    codigo->pack_start(*w.label_codigo, false, false, 0);
    codigo->pack_start(*w.label_carencia, false, false, 20);
    vertical->pack_start(*codigo, false, false, 2);
    const std::pair<Gtk::Label*, Gtk::Widget*> campos[] = {
        { w.label_tipo, w.combo_tipo },
        { w.label_status, w.combo_status },
        { w.label_rainha, w.entry_rainha },
        { w.label_apiario, w.combo_apiario },
    };
    for (const auto& campo : campos) {
        Gtk::HBox* l = linha_com(*campo.first);
        l->pack_start(*campo.second, false, false, 0);
        vertical->pack_start(*l, false, false, 2);
    }
    Gtk::HBox* mais = linha_com(*rotulo("Instalação"));
    mais->pack_start(*w.entry_instalacao, false, false, 0);
    mais->pack_start(*rotulo("Observações"), false, false, 10);
    mais->pack_start(*w.entry_obs, true, true, 0);
    vertical->pack_start(*mais, false, false, 2);

    Gtk::Frame* quadro_lista = Gtk::manage(new Gtk::Frame("Colméias"));
    quadro_lista->add(*rolagem(*w.treeview_colmeias, 140));
    vertical->pack_start(*quadro_lista, true, true, 5);

    Gtk::VBox* dentro = Gtk::manage(new Gtk::VBox(false, 2));
    Gtk::HBox* nova = Gtk::manage(new Gtk::HBox(false, 0));
    nova->pack_start(*rotulo("Data"), false, false, 5);
    nova->pack_start(*w.entry_data_revisao, false, false, 0);
    nova->pack_start(*rotulo("Status visto"), false, false, 5);
    nova->pack_start(*w.combo_status_revisao, false, false, 0);
    nova->pack_start(*rotulo("Mel (kg)"), false, false, 5);
    nova->pack_start(*w.entry_mel, false, false, 0);
    nova->pack_start(*rotulo("Observações"), false, false, 5);
    nova->pack_start(*w.entry_obs_revisao, true, true, 0);
    nova->pack_start(*w.button_adicionar_revisao, false, false, 5);
    dentro->pack_start(*nova, false, false, 0);
    dentro->pack_start(*rolagem(*w.treeview_revisoes, 100), true, true, 0);
    Gtk::HBox* baixo = Gtk::manage(new Gtk::HBox(false, 0));
    baixo->pack_end(*w.button_excluir_revisao, false, false, 5);
    dentro->pack_start(*baixo, false, false, 0);
    w.frame_revisoes->add(*dentro);
    vertical->pack_start(*w.frame_revisoes, true, true, 5);

    Gtk::VBox* diario_dentro = Gtk::manage(new Gtk::VBox(false, 2));
    Gtk::HBox* filtro = Gtk::manage(new Gtk::HBox(false, 0));
    filtro->pack_start(*rotulo("Mostrar"), false, false, 5);
    filtro->pack_start(*w.combo_filtro_diario, false, false, 0);
    filtro->pack_end(*w.button_novo_registro, false, false, 5);
    filtro->pack_end(*w.combo_novo_registro, false, false, 0);
    diario_dentro->pack_start(*filtro, false, false, 0);
    diario_dentro->pack_start(*rolagem(*w.treeview_diario, 120), true, true, 0);
    Gtk::HBox* baixo_diario = Gtk::manage(new Gtk::HBox(false, 0));
    baixo_diario->pack_end(*w.button_excluir_registro, false, false, 5);
    baixo_diario->pack_end(*w.button_abrir_registro, false, false, 5);
    w.button_exportar_diario = Gtk::manage(new Gtk::Button("Exportar CSV"));
    baixo_diario->pack_start(*w.button_exportar_diario, false, false, 5);
    diario_dentro->pack_start(*baixo_diario, false, false, 0);
    w.frame_diario->add(*diario_dentro);
    vertical->pack_start(*w.frame_diario, true, true, 5);

    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::Button* ordem[] = { w.button_salvar_colmeia, w.button_pesquisar, w.button_cancelar_colmeia,
                             w.button_excluir_colmeia };
    for (Gtk::Button* b : ordem) {
        b->set_size_request(100, -1);
        botoes->pack_start(*b, false, false, 10);
    }
    vertical->pack_end(*botoes, false, false, 0);

    w.entry_instalacao->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 1, w.entry_instalacao));
    w.entry_data_revisao->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 2, w.entry_data_revisao));
    w.entry_rainha->signal_changed().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::carregar_rgns));
    tab(*w.entry_instalacao, *w.entry_obs);
    tab(*w.entry_data_revisao, *w.combo_status_revisao);
    tab(*w.entry_mel, *w.entry_obs_revisao);
    tab(*w.entry_obs_revisao, *w.button_adicionar_revisao);

    w.button_salvar_colmeia->signal_clicked().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::salvar_colmeia));
    w.button_pesquisar->signal_clicked().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::pesquisar));
    w.button_cancelar_colmeia->signal_clicked().connect([this] { estado(0); });
    w.button_excluir_colmeia->signal_clicked().connect([this] {
        if (mostrada.id == 0)
            avisar("Nenhuma colméia exibida: escolha na lista a colméia a excluir.", Gtk::MESSAGE_WARNING);
        else
            excluir_dados(janela());
    });
    w.button_adicionar_revisao->signal_clicked().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::adicionar_revisao));
    w.button_excluir_revisao->signal_clicked().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::excluir_revisao));
    w.combo_filtro_diario->signal_changed().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::carregar_diario));
    w.button_novo_registro->signal_clicked().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::novo_registro));
    w.button_abrir_registro->signal_clicked().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::abrir_registro));
    w.button_excluir_registro->signal_clicked().connect(sigc::mem_fun(*this, &COLMEIA_VIEW::excluir_registro));
    w.button_exportar_diario->signal_clicked().connect(
        [this] { exportar_lista(*w.treeview_diario, *janela(), "Diário da colméia", "diario.csv"); });
    w.treeview_diario->signal_row_activated().connect(
        [this](const Gtk::TreePath&, Gtk::TreeViewColumn*) { abrir_registro(); });
    w.treeview_colmeias->get_selection()->signal_changed().connect([this] {
        if (preenchendo)
            return;
        Gtk::TreeModel::iterator it = w.treeview_colmeias->get_selection()->get_selected();
        if (it)
            mostrar_colmeia((*it)[colunas.codigo]);
    });

    janela()->signal_show().connect([this] {
        estado(1);
        // Opened from the list of what to do today: its hive is shown.
        if (const FORM_HOJE* hoje = dynamic_cast<const FORM_HOJE*>(origem()); hoje && hoje->colmeia_escolhida())
            mostrar_colmeia(hoje->colmeia_escolhida());
    });
}

void COLMEIA_VIEW::mudar_estado(int e)
{
    if (e == 1) {
        carregar_dados(get_id());
    } else if (e == 0) {
        limpar();
        listar(FILTRO_COLMEIAS());
        w.combo_tipo->grab_focus();
    }
}

void COLMEIA_VIEW::carregar_dados(int)
{
    carregar_apiarios();
    listar(FILTRO_COLMEIAS());
    const COLMEIAS c = mostrada.id != 0 ? colmeias.get_colmeia(mostrada.id) : COLMEIAS();
    if (c.id != 0)
        mostrar(c);
    else
        limpar();
}

void COLMEIA_VIEW::carregar_apiarios()
{
    // The apiary chosen stays chosen wherever the new list puts it.
    const int ativo = w.combo_apiario->get_active_row_number();
    const int escolhido =
        ativo > 0 && static_cast<std::size_t>(ativo) < ids_apiarios.size() ? ids_apiarios[ativo] : 0;
    const LISTA_APIARIOS lista = colmeias.apiarios();
    ids_apiarios.assign(1, 0);
    std::vector<std::string> nomes = nomes_de_apiarios(lista, "", &ids_apiarios);
    const auto achado = std::find(ids_apiarios.begin() + 1, ids_apiarios.end(), escolhido);
    const int novo =
        escolhido != 0 && achado != ids_apiarios.end() ? static_cast<int>(achado - ids_apiarios.begin()) : 0;
    if (w.combo_apiario->preencher(std::move(nomes)) || novo != ativo)
        w.combo_apiario->set_active(novo);
}

void COLMEIA_VIEW::carregar_rgns()
{
    lista_rgns->clear();
    const std::string texto = w.entry_rainha->get_text().raw();
    if (texto.empty())
        return;
    for (const std::string& rgn : ctx.abelha->rgns_comecando(texto, SUGESTOES_RGN))
        (*lista_rgns->append())[colunas.textos[0]] = rgn;
}

void COLMEIA_VIEW::listar(const FILTRO_COLMEIAS& filtro)
{
    filtro_atual = filtro;
    mostrar_achadas(colmeias.pesquisar(filtro));
}

void COLMEIA_VIEW::mostrar_achadas(LISTA_COLMEIAS lista)
{
    achadas = std::make_shared<ColmeiasAchadas>(std::move(lista));
    preenchendo = true;
    w.treeview_colmeias->unset_model();
    lista_colmeias = modelo_achados(achadas);
    w.treeview_colmeias->set_model(lista_colmeias);
    for (std::size_t i = 0; mostrada.id != 0 && i < achadas->tamanho(); ++i) {
        if (achadas->codigo(i) == mostrada.id) {
            Gtk::TreePath linha;
            linha.push_back(static_cast<int>(i));
            w.treeview_colmeias->get_selection()->select(linha);
            break;
        }
    }
    preenchendo = false;
}

void COLMEIA_VIEW::carregar_revisoes()
{
    w.treeview_revisoes->unset_model();
    lista_revisoes = Gtk::ListStore::create(colunas);
    if (mostrada.id != 0) {
        for (const REVISOES& r : revisoes.listar(mostrada.id)) {
            Gtk::TreeModel::iterator it = lista_revisoes->append();
            (*it)[colunas.codigo] = r.id;
            (*it)[colunas.textos[0]] = r.data;
            (*it)[colunas.textos[1]] = r.status;
            (*it)[colunas.textos[2]] = r.mel;
            (*it)[colunas.textos[3]] = r.obs;
        }
    }
    w.treeview_revisoes->set_model(lista_revisoes);
}

void COLMEIA_VIEW::mostrar(const COLMEIAS& c)
{
    mostrada = c;
    w.label_codigo->set_text(std::to_string(c.id));
    escolher_texto(w.combo_tipo, TIPOS_COLMEIA, 4, c.tipo);
    escolher_texto(w.combo_status, STATUS_COLMEIA, 8, c.status);
    w.entry_rainha->set_text(c.rgn);
    lista_rgns->clear();
    std::size_t apiario = 0;
    for (std::size_t i = 0; i < ids_apiarios.size() && apiario == 0; ++i) {
        if (ids_apiarios[i] == c.id_apiario)
            apiario = i;
    }
    if (apiario == 0 && c.id_apiario != 0) {
        // An apiary added since the list was filled.
        carregar_apiarios();
        for (std::size_t i = 0; i < ids_apiarios.size() && apiario == 0; ++i) {
            if (ids_apiarios[i] == c.id_apiario)
                apiario = i;
        }
    }
    w.combo_apiario->set_active(static_cast<int>(apiario));
    w.entry_instalacao->set_text(c.instalacao);
    w.entry_obs->set_text(c.obs);
    w.frame_revisoes->set_sensitive(true);
    carregar_revisoes();
    mostrar_carencia(c.carencia_ate);
    w.frame_diario->set_sensitive(true);
    carregar_diario();
}

void COLMEIA_VIEW::mostrar_carencia(const std::string& ate)
{
    w.label_carencia->set_text(ate.empty() ? std::string() : em_carencia(ate));
}

void COLMEIA_VIEW::limpar()
{
    mostrada = COLMEIAS();
    w.label_codigo->set_text("");
    w.combo_tipo->set_active(0);
    w.combo_status->set_active(0);
    w.entry_rainha->set_text("");
    lista_rgns->clear();
    w.combo_apiario->set_active(0);
    w.entry_instalacao->set_text("");
    w.entry_obs->set_text("");
    preenchendo = true;
    w.treeview_colmeias->get_selection()->unselect_all();
    preenchendo = false;
    w.entry_data_revisao->set_text("");
    w.combo_status_revisao->set_active(0);
    w.entry_mel->set_text("");
    w.entry_obs_revisao->set_text("");
    carregar_revisoes();
    w.frame_revisoes->set_sensitive(false);
    mostrar_carencia(std::string());
    carregar_diario();
    w.frame_diario->set_sensitive(false);
}

void COLMEIA_VIEW::mostrar_colmeia(int id)
{
    const COLMEIAS c = colmeias.get_colmeia(id);
    if (c.id == 0) {
        avisar("A colméia " + std::to_string(id) + " não existe mais.", Gtk::MESSAGE_WARNING);
        listar(FILTRO_COLMEIAS());
        return;
    }
    mostrar(c);
}

bool COLMEIA_VIEW::receber_escolha(int de_onde, int chave)
{
    if (de_onde != ids::RASTREABILIDADE && de_onde != ids::PAINEL)
        return false;
    mostrar_colmeia(chave);
    return mostrada.id == chave;
}

void COLMEIA_VIEW::salvar_colmeia()
{
    COLMEIAS c;
    c.id = mostrada.id;
    c.tipo = w.combo_tipo->get_active_text().raw();
    c.status = w.combo_status->get_active_text().raw();
    c.rgn = w.entry_rainha->get_text().raw();
    const int apiario = w.combo_apiario->get_active_row_number();
    c.id_apiario = apiario > 0 && static_cast<std::size_t>(apiario) < ids_apiarios.size() ? ids_apiarios[apiario] : 0;
    c.instalacao = w.entry_instalacao->get_text().raw();
    c.obs = w.entry_obs->get_text().raw();

    c.versao = mostrada.versao;

    const bool ok = c.id == 0 ? colmeias.inserir(&c) : colmeias.atualizar(&c);
    if (!ok) {
        avisar_recusa(colmeias.falha());
        // Another computer changed or deleted the hive since it was shown:
        // it is shown as it now is, to be edited again.
        if (colmeias.falha().conflito())
            mostrar_como_esta();
        return;
    }
    mostrada = c;
    estado(1);
}

void COLMEIA_VIEW::pesquisar()
{
    FILTRO_COLMEIAS filtro;
    filtro.tipo = w.combo_tipo->get_active_text().raw();
    filtro.status = w.combo_status->get_active_text().raw();
    const int apiario = w.combo_apiario->get_active_row_number();
    if (apiario > 0 && static_cast<std::size_t>(apiario) < ids_apiarios.size())
        filtro.id_apiario = ids_apiarios[apiario];
    const std::string rgn = w.entry_rainha->get_text().raw();
    if (!rgn.empty()) {
        filtro.id_abelha = ctx.abelha->get_abelha(rgn).id;
        // No bee has that number: no hive has her.
        if (filtro.id_abelha == 0) {
            mostrar_achadas(LISTA_COLMEIAS());
            return;
        }
    }
    listar(filtro);
}

FALHA COLMEIA_VIEW::excluir()
{
    if (mostrada.id == 0)
        return FALHA::recusa(std::string());
    if (!colmeias.deletar(mostrada.id, mostrada.versao))
        return desfecho(false, colmeias);
    mostrada = COLMEIAS();
    return FALHA();
}

std::string COLMEIA_VIEW::detalhe_exclusao()
{
    const int n = revisoes.contar(mostrada.id);
    return n < 0 ? std::string() : revisoes_que_vao(mostrada.id, n);
}

void COLMEIA_VIEW::adicionar_revisao()
{
    REVISOES r;
    r.id_colmeia = mostrada.id;
    r.data = w.entry_data_revisao->get_text().raw();
    r.status = w.combo_status_revisao->get_active_text().raw();
    r.mel = w.entry_mel->get_text().raw();
    r.obs = w.entry_obs_revisao->get_text().raw();
    if (!revisoes.inserir(&r)) {
        avisar_recusa(revisoes.falha());
        return;
    }
    w.entry_data_revisao->set_text("");
    w.combo_status_revisao->set_active(0);
    w.entry_mel->set_text("");
    w.entry_obs_revisao->set_text("");
    carregar_revisoes();
    carregar_diario();
    // The hive's status follows the newest inspection: the field and the
    // list show it as stored; the other fields keep what is typed in them.
    const COLMEIAS c = colmeias.get_colmeia(mostrada.id);
    if (c.id != 0) {
        // The inspection changed the hive's row: a later save goes on from
        // its new version.
        mostrada.status = c.status;
        mostrada.versao = c.versao;
        escolher_texto(w.combo_status, STATUS_COLMEIA, 8, c.status);
        const int i = achadas->mudar_status(c.id, c.status);
        if (i >= 0) {
            Gtk::TreePath linha;
            linha.push_back(i);
            lista_colmeias->row_changed(linha, lista_colmeias->get_iter(linha));
        }
    }
}

void COLMEIA_VIEW::excluir_revisao()
{
    Gtk::TreeModel::iterator it = w.treeview_revisoes->get_selection()->get_selected();
    if (!it) {
        avisar("Escolha na lista a revisão a excluir.", Gtk::MESSAGE_WARNING);
        return;
    }
    const int id = (*it)[colunas.codigo];
    const Glib::ustring data = (*it)[colunas.textos[0]];
    Gtk::MessageDialog pergunta(*janela(), "Deseja realmente excluir essa revisão?", false, Gtk::MESSAGE_QUESTION,
                                Gtk::BUTTONS_OK_CANCEL, true);
    pergunta.set_secondary_text("Revisão de " + data.raw() + " da colméia " + std::to_string(mostrada.id) + ".");
    const int resposta = pergunta.run();
    pergunta.hide();
    if (resposta != Gtk::RESPONSE_OK)
        return;
    if (!revisoes.deletar(id))
        avisar("Erro ao Excluir!", Gtk::MESSAGE_ERROR);
    carregar_revisoes();
    carregar_diario();
}

void COLMEIA_VIEW::avisar_recusa(const FALHA& falha)
{
    // A refusal by the database gives the reason every form gives.
    if (falha.do_banco())
        avisar("Verifique as informações digitadas !", Gtk::MESSAGE_ERROR, falha.motivo());
    else
        avisar(falha.motivo(), Gtk::MESSAGE_WARNING);
}

void COLMEIA_VIEW::avisar(const std::string& texto, Gtk::MessageType tipo, const std::string& detalhe)
{
    Gtk::MessageDialog dialogo(*janela(), texto, false, tipo, Gtk::BUTTONS_CLOSE, true);
    if (!detalhe.empty())
        dialogo.set_secondary_text(detalhe);
    dialogo.run();
    dialogo.hide();
}

void COLMEIA_VIEW::carregar_diario()
{
    w.treeview_diario->unset_model();
    lista_diario = Gtk::ListStore::create(colunas);
    if (mostrada.id != 0) {
        const int filtro = w.combo_filtro_diario->get_active_row_number();
        Registro so = Registro::REVISAO;
        const Registro* p = nullptr;
        if (filtro > 0 && static_cast<std::size_t>(filtro) <= sizeof REGISTROS / sizeof REGISTROS[0]) {
            so = REGISTROS[filtro - 1];
            p = &so;
        }
        for (const ENTRADA_DIARIO& e : diario.listar(mostrada.id, p)) {
            Gtk::TreeModel::iterator it = lista_diario->append();
            (*it)[colunas.codigo] = e.id;
            (*it)[colunas.inteiros[0]] = static_cast<int>(e.registro);
            (*it)[colunas.textos[0]] = e.data;
            (*it)[colunas.textos[1]] = e.tipo;
            (*it)[colunas.textos[2]] = e.resumo;
            // Not shown: a delete made from this list is refused once
            // another desktop changed the entry.
            (*it)[colunas.textos[3]] = e.versao;
        }
    }
    w.treeview_diario->set_model(lista_diario);
}

void COLMEIA_VIEW::novo_registro()
{
    // The kinds offered are those of REGISTROS after the inspection.
    const int escolhido = w.combo_novo_registro->get_active_row_number();
    const int tipos = static_cast<int>(sizeof REGISTROS / sizeof REGISTROS[0]);
    if (mostrada.id == 0 || escolhido < 0 || escolhido + 1 >= tipos)
        return;
    const Registro r = REGISTROS[escolhido + 1];
    // An ended hive keeps its history and takes no new entry: said before
    // anything is typed.
    if (colmeia_encerrada(mostrada.status)) {
        avisar("A colméia " + std::to_string(mostrada.id) + " está encerrada (" + mostrada.status +
                   "): ela não recebe novos registros.",
               Gtk::MESSAGE_WARNING);
        return;
    }
    dialogo(r, 0);
}

bool COLMEIA_VIEW::dialogo(Registro r, int id)
{
    DialogoRegistro d(*janela(), ctx.query, r, mostrada, id);
    dialogo_registro = &d;
    const bool gravou = d.executar();
    dialogo_registro = nullptr;
    if (gravou)
        diario_mudou();
    return gravou;
}

void COLMEIA_VIEW::abrir_registro()
{
    Gtk::TreeModel::iterator it = w.treeview_diario->get_selection()->get_selected();
    if (!it) {
        avisar("Escolha no diário o registro a abrir.", Gtk::MESSAGE_WARNING);
        return;
    }
    const int id = (*it)[colunas.codigo];
    const Registro r = static_cast<Registro>(static_cast<int>((*it)[colunas.inteiros[0]]));
    if (r != Registro::REVISAO) {
        dialogo(r, id);
        return;
    }
    // An inspection is the one chosen in the list of inspections.
    for (const Gtk::TreeModel::Row& linha : lista_revisoes->children()) {
        if (linha[colunas.codigo] == id) {
            w.treeview_revisoes->get_selection()->select(linha);
            w.treeview_revisoes->scroll_to_row(lista_revisoes->get_path(linha));
        }
    }
}

void COLMEIA_VIEW::excluir_registro()
{
    Gtk::TreeModel::iterator it = w.treeview_diario->get_selection()->get_selected();
    if (!it) {
        avisar("Escolha no diário o registro a excluir.", Gtk::MESSAGE_WARNING);
        return;
    }
    const int id = (*it)[colunas.codigo];
    const Registro r = static_cast<Registro>(static_cast<int>((*it)[colunas.inteiros[0]]));
    const Glib::ustring tipo = (*it)[colunas.textos[1]];
    const Glib::ustring data = (*it)[colunas.textos[0]];
    Gtk::MessageDialog pergunta(*janela(), "Deseja realmente excluir esse registro?", false, Gtk::MESSAGE_QUESTION,
                                Gtk::BUTTONS_OK_CANCEL, true);
    pergunta.set_secondary_text(tipo.raw() + " de " + data.raw() + " da colméia " + std::to_string(mostrada.id) + ".");
    const int resposta = pergunta.run();
    pergunta.hide();
    if (resposta != Gtk::RESPONSE_OK)
        return;
    const Glib::ustring versao = (*it)[colunas.textos[3]];
    if (!diario.deletar(r, id, versao.raw()))
        avisar_recusa(diario.falha());
    diario_mudou();
}

void COLMEIA_VIEW::diario_mudou()
{
    carregar_diario();
    carregar_revisoes();
    const COLMEIAS c = colmeias.get_colmeia(mostrada.id);
    if (c.id != 0) {
        // The entries change the hive's status, apiary and row; the other
        // fields keep what is typed in them.
        mostrada.status = c.status;
        mostrada.id_apiario = c.id_apiario;
        mostrada.apiario = c.apiario;
        mostrada.carencia_ate = c.carencia_ate;
        mostrada.versao = c.versao;
        escolher_texto(w.combo_status, STATUS_COLMEIA, 8, c.status);
        for (std::size_t i = 0; i < ids_apiarios.size(); ++i) {
            if (ids_apiarios[i] == c.id_apiario)
                w.combo_apiario->set_active(static_cast<int>(i));
        }
        mostrar_carencia(c.carencia_ate);
    }
    // A split or a swarm made a new hive: listed with the others.
    listar(filtro_atual);
}
