#include "gui/form_lote_mel.h"

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <utility>

#include <glibmm/main.h>
#include <gtkmm/box.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/cellrenderertoggle.h>
#include <gtkmm/dialog.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/frame.h>
#include <gtkmm/printoperation.h>
#include <gtkmm/stock.h>
#include <gtkmm/table.h>

#include "gui/campos_registro.h"
#include "gui/exportar_lista.h"
#include "gui/janelas.h"
#include "gui/modelo_achados.h"
#include "gui/montagem.h"
#include "model/colmeia.h"
#include "model/empresa.h"
#include "util/validacao.h"

namespace {

const int LARGURA_ROTULO = 120;

Gtk::Entry* campo(int largura, int maximo = 0)
{
    Gtk::Entry* e = Gtk::manage(new Gtk::Entry());
    e->set_width_chars(largura);
    if (maximo > 0)
        e->set_max_length(maximo);
    return e;
}

// A check box column whose toggles go to `mudou` with the row's path.
template <class F>
void coluna_marca(Gtk::TreeView& lista, const Gtk::TreeModelColumn<bool>& coluna, F mudou)
{
    Gtk::CellRendererToggle* marca = Gtk::manage(new Gtk::CellRendererToggle());
    marca->set_activatable(true);
    Gtk::TreeViewColumn* c = Gtk::manage(new Gtk::TreeViewColumn("", *marca));
    c->add_attribute(marca->property_active(), coluna);
    lista.append_column(*c);
    marca->signal_toggled().connect(mudou);
}

// The lots as the list reads them, where they are: code, extraction,
// floral source, total, moisture (marked above the limit), destination,
// invoice and whether it was annulled; the code column holds the key.
class LotesListados : public Achados
{
public:
    explicit LotesListados(const std::vector<LOTES_MEL>& l) : lotes(l)
    {
        umidades.reserve(lotes.size());
        for (const LOTES_MEL& lote : lotes)
            umidades.push_back(lote.umidade + (aviso_de_umidade(lote.umidade).empty() ? "" : " (acima do limite)"));
    }
    std::size_t tamanho() const override { return lotes.size(); }
    int textos() const override { return 8; }
    int codigo(std::size_t i) const override { return lotes[i].id; }
    const char* texto(std::size_t i, int coluna) const override
    {
        const LOTES_MEL& l = lotes[i];
        switch (coluna) {
        case 1: return l.codigo.c_str();
        case 2: return l.extracao.c_str();
        case 3: return l.florada.c_str();
        case 4: return l.total.c_str();
        case 5: return umidades[i].c_str();
        case 6: return l.destino.c_str();
        case 7: return l.nota_fiscal.c_str();
        default: return l.anulado() ? "Anulado" : "";
        }
    }

private:
    const std::vector<LOTES_MEL>& lotes;
    std::vector<std::string> umidades;
};

// The first day of this year, as typed.
std::string inicio_do_ano()
{
    const std::string hoje = data_de_hoje();
    return "01/01/" + hoje.substr(6);
}

} // namespace

// The harvests listed, read in place by the list's model (laid out as
// ColunasColheita): each row's tick and kilos for the lot kept beside it, so
// that ticking one of thousands changes one row, not a list store's copy.
class ColheitasListadas : public Achados
{
public:
    ColheitasListadas(std::vector<COLHEITA_LOTE> lista, const LOTES_MEL& l) : colheitas(std::move(lista))
    {
        std::map<std::pair<int, int>, std::string> no_lote_de;
        for (const PARTE_LOTE& p : l.partes)
            no_lote_de[{ static_cast<int>(p.origem), p.id_colheita }] = p.quilos;
        no_lote.resize(colheitas.size());
        marcadas.resize(colheitas.size());
        carencias.reserve(colheitas.size());
        for (std::size_t i = 0; i < colheitas.size(); ++i) {
            const COLHEITA_LOTE& c = colheitas[i];
            const auto achado = no_lote_de.find({ static_cast<int>(c.origem), c.id });
            if (achado != no_lote_de.end()) {
                no_lote[i] = achado->second;
                marcadas[i] = 1;
            }
            carencias.push_back(c.em_carencia() ? c.carencia_produto + " até " + c.carencia_ate : std::string());
        }
    }

    std::size_t tamanho() const override { return colheitas.size(); }
    int codigo(std::size_t i) const override { return static_cast<int>(i); }
    bool marcado(std::size_t i) const override { return marcadas[i] != 0; }
    int numero(std::size_t i, int coluna) const override
    {
        if (coluna == c.marcada.index())
            return marcadas[i];
        if (coluna == c.colmeia.index())
            return colheitas[i].id_colmeia;
        return coluna == c.indice.index() ? static_cast<int>(i) : 0;
    }
    const char* texto(std::size_t i, int coluna) const override
    {
        const COLHEITA_LOTE& h = colheitas[i];
        if (coluna == c.apiario.index())
            return h.apiario.c_str();
        if (coluna == c.data.index())
            return h.data.c_str();
        if (coluna == c.origem.index())
            return nome_da_origem(h.origem);
        if (coluna == c.colhido.index())
            return h.colhido.c_str();
        if (coluna == c.em_outros.index())
            return h.em_outros_lotes.c_str();
        if (coluna == c.disponivel.index())
            return h.disponivel.c_str();
        if (coluna == c.no_lote.index())
            return no_lote[i].c_str();
        if (coluna == c.carencia.index())
            return carencias[i].c_str();
        return "";
    }

    const COLHEITA_LOTE& colheita(std::size_t i) const { return colheitas[i]; }
    const std::vector<COLHEITA_LOTE>& todas() const { return colheitas; }
    const std::string& quilos(std::size_t i) const { return no_lote[i]; }
    // Ticks row i or takes its tick off, with those kilos for the lot.
    void marcar(std::size_t i, bool sim, const std::string& quilos)
    {
        marcadas[i] = sim ? 1 : 0;
        no_lote[i] = sim ? quilos : std::string();
    }

private:
    ColunasColheita c;
    std::vector<COLHEITA_LOTE> colheitas;
    std::vector<std::string> no_lote;   // as typed, "" when not ticked
    std::vector<char> marcadas;
    std::vector<std::string> carencias;
};

FORM_LOTE_MEL::FORM_LOTE_MEL(int id, Contexto& contexto)
    : FormularioCom(id, contexto), lotes(contexto.query), floradas(contexto.query)
{
}

void FORM_LOTE_MEL::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Lotes de Mel");
    j.set_default_size(980, 760);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Toolbar* barra = barra_registro(w, Depois::EXCLUIR);
    vertical->pack_start(*barra, false, false, 0);

    // The lot's fields, in two columns.
    w.entry_codigo = campo(14, 40);
    w.entry_extracao = campo(10, 10);
    w.combo_florada = Gtk::manage(new Gtk::ComboBoxText());
    limitar_largura(*w.combo_florada, 30);
    w.combo_florada->append("");
    lista_floradas = floradas.listar_floradas();
    for (const FLORADA& f : lista_floradas)
        w.combo_florada->append(f.nome_florada);
    w.combo_florada->set_active(0);
    w.entry_umidade = campo(6, 6);
    w.label_umidade = rotulo("");
    w.entry_tambores = campo(6, 4);
    w.entry_destino = campo(30);
    w.combo_inspecao = lista_de_textos(INSPECOES, 4, false);
    w.entry_numero_inspecao = campo(12);
    w.entry_nota = campo(20);
    w.entry_obs = campo(40);
    w.label_total = rotulo("");
    w.label_situacao = rotulo("");

    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Lote"));
    Gtk::HBox* colunas_lote = Gtk::manage(new Gtk::HBox(false, 10));
    Gtk::VBox* esquerda = Gtk::manage(new Gtk::VBox(false, 4));
    Gtk::VBox* direita = Gtk::manage(new Gtk::VBox(false, 4));
    Gtk::HBox* l = linha(*esquerda, "Código", *w.entry_codigo, 10, LARGURA_ROTULO);
    l->pack_start(*rotulo("em branco: o próximo número do ano"), false, false, 5);
    linha(*esquerda, "Extração", *w.entry_extracao, 10, LARGURA_ROTULO);
    linha(*esquerda, "Florada", *w.combo_florada, 10, LARGURA_ROTULO);
    l = linha(*esquerda, "Umidade (%)", *w.entry_umidade, 10, LARGURA_ROTULO);
    l->pack_start(*w.label_umidade, false, false, 5);
    linha(*esquerda, "Tambores", *w.entry_tambores, 10, LARGURA_ROTULO);
    linha(*esquerda, "Total (kg)", *w.label_total, 10, LARGURA_ROTULO);
    linha(*direita, "Destino", *w.entry_destino, 10, LARGURA_ROTULO);
    l = linha(*direita, "Inspeção", *w.combo_inspecao, 10, LARGURA_ROTULO);
    l->pack_start(*rotulo("número"), false, false, 5);
    l->pack_start(*w.entry_numero_inspecao, false, false, 0);
    linha(*direita, "Nota fiscal", *w.entry_nota, 10, LARGURA_ROTULO);
    linha(*direita, "Observações", *w.entry_obs, 10, LARGURA_ROTULO);
    direita->pack_start(*linha_com(*w.label_situacao), false, false, 0);
    colunas_lote->pack_start(*esquerda, false, false, 0);
    colunas_lote->pack_start(*direita, true, true, 0);
    quadro->add(*colunas_lote);
    vertical->pack_start(*quadro, false, false, 5);

    // Where the kilos come from.
    // Every apiary, read in place; the ticks are kept beside the rows, so
    // that a search of harvests takes them without going through a list of
    // thousands.
    apiarios_listados = std::make_shared<ApiariosListados>(COLMEIA(ctx.query).apiarios());
    lista_apiarios = modelo_marcas(apiarios_listados);
    w.treeview_apiarios = Gtk::manage(new Gtk::TreeView(lista_apiarios));
    coluna_marca(*w.treeview_apiarios, colunas_apiario.marcada, [this](const Glib::ustring& caminho) {
        const Gtk::TreePath linha(caminho);
        if (linha.empty() || linha[0] < 0 || static_cast<std::size_t>(linha[0]) >= apiarios_listados->tamanho())
            return;
        const std::size_t i = static_cast<std::size_t>(linha[0]);
        apiarios_listados->marcar(i, !apiarios_listados->marcado(i));
        linha_mudou(lista_apiarios, i);
    });
    coluna_texto(*w.treeview_apiarios, "Apiário", colunas_apiario.nome, 200);
    altura_fixa(*w.treeview_apiarios, 30);
    w.entry_de = campo(10, 10);
    w.entry_ate = campo(10, 10);
    w.entry_de->set_text(inicio_do_ano());
    w.entry_ate->set_text(data_de_hoje());
    w.button_buscar_colheitas = Gtk::manage(new Gtk::Button("Buscar colheitas"));

    colheitas_listadas = std::make_shared<ColheitasListadas>(std::vector<COLHEITA_LOTE>(), LOTES_MEL());
    lista_colheitas = modelo_registro(colheitas_listadas, colunas_colheita);
    w.treeview_colheitas = Gtk::manage(new Gtk::TreeView(lista_colheitas));
    coluna_marca(*w.treeview_colheitas, colunas_colheita.marcada, [this](const Glib::ustring& caminho) {
        const int i = std::atoi(caminho.c_str());
        marcar(i, !colheitas_listadas->marcado(static_cast<std::size_t>(i)));
    });
    w.treeview_colheitas->append_column("Colméia", colunas_colheita.colmeia);
    w.treeview_colheitas->get_column(1)->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    w.treeview_colheitas->get_column(1)->set_fixed_width(60);
    coluna_texto(*w.treeview_colheitas, "Apiário", colunas_colheita.apiario, 150);
    coluna_texto(*w.treeview_colheitas, "Data", colunas_colheita.data, 85);
    coluna_texto(*w.treeview_colheitas, "Origem", colunas_colheita.origem, 70);
    coluna_texto(*w.treeview_colheitas, "Colhido", colunas_colheita.colhido, 65);
    coluna_texto(*w.treeview_colheitas, "Em outros lotes", colunas_colheita.em_outros, 70);
    coluna_texto(*w.treeview_colheitas, "Disponível", colunas_colheita.disponivel, 70);
    // The kilos for the lot are typed in the list.
    Gtk::CellRendererText* quilos = Gtk::manage(new Gtk::CellRendererText());
    quilos->property_editable() = true;
    Gtk::TreeViewColumn* coluna_quilos = Gtk::manage(new Gtk::TreeViewColumn("No lote (kg)", *quilos));
    coluna_quilos->add_attribute(quilos->property_text(), colunas_colheita.no_lote);
    coluna_quilos->set_fixed_width(85);
    w.treeview_colheitas->append_column(*coluna_quilos);
    quilos->signal_edited().connect([this](const Glib::ustring& caminho, const Glib::ustring& novo) {
        quilos_no_lote(std::atoi(caminho.c_str()), novo.raw());
    });
    coluna_texto(*w.treeview_colheitas, "Carência", colunas_colheita.carencia, 260);
    altura_fixa(*w.treeview_colheitas, 30);

    Gtk::Frame* quadro_colheitas = Gtk::manage(new Gtk::Frame("Colheitas"));
    Gtk::HBox* dentro = Gtk::manage(new Gtk::HBox(false, 6));
    Gtk::VBox* busca = Gtk::manage(new Gtk::VBox(false, 4));
    busca->pack_start(*rolagem(*w.treeview_apiarios, 120), true, true, 0);
    Gtk::HBox* periodo = linha_com(*rotulo("De"));
    periodo->pack_start(*w.entry_de, false, false, 0);
    periodo->pack_start(*rotulo("até"), false, false, 5);
    periodo->pack_start(*w.entry_ate, false, false, 0);
    busca->pack_start(*periodo, false, false, 0);
    busca->pack_start(*w.button_buscar_colheitas, false, false, 0);
    dentro->pack_start(*busca, false, false, 0);
    dentro->pack_start(*rolagem(*w.treeview_colheitas, 200), true, true, 0);
    quadro_colheitas->add(*dentro);
    vertical->pack_start(*quadro_colheitas, true, true, 5);

    // The lots.
    w.button_anular = Gtk::manage(new Gtk::Button("Anular"));
    w.button_rastrear = Gtk::manage(new Gtk::Button("Rastrear"));
    w.button_imprimir_etiquetas = Gtk::manage(new Gtk::Button("Imprimir etiquetas"));
    w.button_etiquetas_pdf = Gtk::manage(new Gtk::Button("Etiquetas em PDF"));
    lista_lotes = modelo_achados(std::make_shared<LotesListados>(lotes_listados));
    w.treeview_lotes = Gtk::manage(new Gtk::TreeView(lista_lotes));
    coluna_texto(*w.treeview_lotes, "Código", colunas.textos[0], 100);
    coluna_texto(*w.treeview_lotes, "Extração", colunas.textos[1], 85);
    coluna_texto(*w.treeview_lotes, "Florada", colunas.textos[2], 130);
    coluna_texto(*w.treeview_lotes, "Total (kg)", colunas.textos[3], 80);
    coluna_texto(*w.treeview_lotes, "Umidade (%)", colunas.textos[4], 80);
    coluna_texto(*w.treeview_lotes, "Destino", colunas.textos[5], 160);
    coluna_texto(*w.treeview_lotes, "Nota fiscal", colunas.textos[6], 100);
    coluna_texto(*w.treeview_lotes, "Situação", colunas.textos[7], 100);
    altura_fixa(*w.treeview_lotes);
    Gtk::Frame* quadro_lotes = Gtk::manage(new Gtk::Frame("Lotes"));
    Gtk::VBox* caixa_lotes = Gtk::manage(new Gtk::VBox(false, 4));
    caixa_lotes->pack_start(*rolagem(*w.treeview_lotes, 150), true, true, 0);
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    for (Gtk::Button* b : { w.button_anular, w.button_rastrear, w.button_imprimir_etiquetas, w.button_etiquetas_pdf }) {
        b->set_size_request(100, -1);
        botoes->pack_start(*b, false, false, 5);
    }
    w.button_exportar_csv = Gtk::manage(new Gtk::Button("Exportar CSV"));
    botoes->pack_end(*w.button_exportar_csv, false, false, 5);
    caixa_lotes->pack_start(*botoes, false, false, 0);
    quadro_lotes->add(*caixa_lotes);
    vertical->pack_start(*quadro_lotes, true, true, 5);
    j.add(*vertical);

    for (Gtk::Entry* e : { w.entry_extracao, w.entry_de, w.entry_ate })
        e->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 1, e));
    w.entry_tambores->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_tambores, 2));
    w.entry_umidade->signal_changed().connect(sigc::mem_fun(*this, &FORM_LOTE_MEL::umidade_mudou));
    w.button_buscar_colheitas->signal_clicked().connect(sigc::mem_fun(*this, &FORM_LOTE_MEL::buscar_colheitas));
    w.button_anular->signal_clicked().connect([this] { anular(); });
    w.button_rastrear->signal_clicked().connect([this] {
        if (atual.id != 0)
            abrir_com_escolha(ids::RASTREABILIDADE, atual.id);
    });
    w.button_imprimir_etiquetas->signal_clicked().connect(sigc::mem_fun(*this, &FORM_LOTE_MEL::imprimir_etiquetas));
    w.button_etiquetas_pdf->signal_clicked().connect([this] { exportar_etiquetas(); });
    w.button_exportar_csv->signal_clicked().connect(
        [this] { exportar_lista(*w.treeview_lotes, *janela(), "Lotes de mel", "lotes.csv"); });
    w.treeview_lotes->get_selection()->signal_changed().connect(sigc::mem_fun(*this, &FORM_LOTE_MEL::escolhido));
    ligar_barra(w);
    j.signal_show().connect([this] { estado(1); });
}

void FORM_LOTE_MEL::editaveis(bool sim)
{
    for (Gtk::Entry* e : { w.entry_codigo, w.entry_extracao, w.entry_umidade, w.entry_tambores, w.entry_destino,
                           w.entry_numero_inspecao, w.entry_nota, w.entry_obs })
        e->set_editable(sim);
    w.combo_florada->set_sensitive(sim);
    w.combo_inspecao->set_sensitive(sim);
    // The harvests are picked while a lot is new or edited.
    w.treeview_colheitas->set_sensitive(sim);
    w.button_buscar_colheitas->set_sensitive(sim);
    // A pending New or Edit stays on the lot it began with.
    w.treeview_lotes->set_sensitive(!sim);
}

void FORM_LOTE_MEL::mudar_estado(int e)
{
    const bool navegando = e == 1;
    editaveis(!navegando);
    w.button_salvar->set_sensitive(!navegando);
    w.button_cancelar->set_sensitive(!navegando);
    w.button_novo->set_sensitive(navegando);
    if (navegando) {
        carregar_dados(get_id());
    } else if (e == 0) {
        limpar();
        w.entry_extracao->set_text(data_de_hoje());
        focar(*w.entry_codigo);
    } else {
        focar(*w.entry_extracao);
    }
    const bool mostra = navegando && atual.id != 0;
    w.button_editar->set_sensitive(mostra && !atual.anulado());
    w.button_excluir->set_sensitive(mostra && !atual.anulado());
    w.button_anular->set_sensitive(mostra && !atual.anulado());
    w.button_rastrear->set_sensitive(mostra);
    w.button_imprimir_etiquetas->set_sensitive(mostra);
    w.button_etiquetas_pdf->set_sensitive(mostra);
}

void FORM_LOTE_MEL::carregar_dados(int)
{
    preenchendo = true;
    // The list lets go of the lots before they change.
    w.treeview_lotes->unset_model();
    lista_lotes.reset();
    lotes_listados = lotes.listar();
    int linha_atual = -1;
    for (std::size_t i = 0; i < lotes_listados.size(); ++i) {
        if (atual.id != 0 && lotes_listados[i].id == atual.id)
            linha_atual = static_cast<int>(i);
    }
    lista_lotes = modelo_achados(std::make_shared<LotesListados>(lotes_listados));
    w.treeview_lotes->set_model(lista_lotes);
    if (linha_atual >= 0) {
        Gtk::TreePath caminho;
        caminho.push_back(linha_atual);
        w.treeview_lotes->get_selection()->select(caminho);
        preenchendo = false;
        mostrar_lote(atual.id);
    } else {
        limpar();
    }
    preenchendo = false;
}

bool FORM_LOTE_MEL::receber_escolha(int de_onde, int chave)
{
    if (de_onde != ids::RASTREABILIDADE)
        return false;
    esquecer_acao();
    atual.id = chave;
    estado(1);
    return atual.id == chave;
}

void FORM_LOTE_MEL::escolhido()
{
    if (preenchendo || inserindo() || editando())
        return;
    Gtk::TreeModel::iterator it = w.treeview_lotes->get_selection()->get_selected();
    if (!it)
        return;
    mostrar_lote((*it)[colunas.codigo]);
}

bool FORM_LOTE_MEL::mostrar_lote(int id)
{
    const LOTES_MEL l = lotes.get_lote(id);
    if (l.id == 0) {
        limpar();
        return false;
    }
    mostrar(l);
    const bool navegando = !inserindo() && !editando();
    w.button_editar->set_sensitive(navegando && !l.anulado());
    w.button_excluir->set_sensitive(navegando && !l.anulado());
    w.button_anular->set_sensitive(navegando && !l.anulado());
    w.button_rastrear->set_sensitive(navegando);
    w.button_imprimir_etiquetas->set_sensitive(navegando);
    w.button_etiquetas_pdf->set_sensitive(navegando);
    return true;
}

void FORM_LOTE_MEL::mostrar(const LOTES_MEL& l)
{
    atual = l;
    w.entry_codigo->set_text(l.codigo);
    w.entry_extracao->set_text(l.extracao);
    w.combo_florada->set_active(0);
    for (std::size_t i = 0; i < lista_floradas.size(); ++i) {
        if (l.id_florada == lista_floradas[i].id_florada)
            w.combo_florada->set_active(static_cast<int>(i) + 1);
    }
    w.entry_umidade->set_text(l.umidade);
    w.entry_tambores->set_text(l.tambores);
    w.entry_destino->set_text(l.destino);
    escolher_texto(*w.combo_inspecao, l.inspecao);
    w.entry_numero_inspecao->set_text(l.numero_inspecao);
    w.entry_nota->set_text(l.nota_fiscal);
    w.entry_obs->set_text(l.obs);
    w.label_situacao->set_text(l.anulado() ? "Anulado em " + l.anulado_em + ": " + l.motivo_anulacao : "");
    mostrar_partes(l);
}

void FORM_LOTE_MEL::mostrar_partes(const LOTES_MEL& l)
{
    // The lot's own harvests, as the list shows harvests.
    std::vector<COLHEITA_LOTE> suas;
    for (const PARTE_LOTE& p : l.partes) {
        COLHEITA_LOTE c;
        c.origem = p.origem;
        c.id = p.id_colheita;
        c.id_colmeia = p.id_colmeia;
        c.data = p.data;
        c.disponivel = p.quilos;
        suas.push_back(c);
    }
    encher_colheitas(std::move(suas), l);
}

void FORM_LOTE_MEL::encher_colheitas(std::vector<COLHEITA_LOTE> lista, const LOTES_MEL& l)
{
    colheitas_listadas = std::make_shared<ColheitasListadas>(std::move(lista), l);
    lista_colheitas = modelo_registro(colheitas_listadas, colunas_colheita);
    w.treeview_colheitas->set_model(lista_colheitas);
    contar();
}

void FORM_LOTE_MEL::limpar()
{
    atual = LOTES_MEL();
    for (Gtk::Entry* e : { w.entry_codigo, w.entry_extracao, w.entry_umidade, w.entry_destino,
                           w.entry_numero_inspecao, w.entry_nota, w.entry_obs })
        e->set_text("");
    w.entry_tambores->set_text("1");
    w.combo_florada->set_active(0);
    w.combo_inspecao->set_active(0);
    w.label_situacao->set_text("");
    preenchendo = true;
    w.treeview_lotes->get_selection()->unselect_all();
    preenchendo = false;
    encher_colheitas({}, atual);
}

void FORM_LOTE_MEL::buscar_colheitas()
{
    FILTRO_COLHEITAS f;
    for (std::size_t i : apiarios_listados->marcados())
        f.apiarios.push_back(apiarios_listados->codigo(i));
    f.de = texto(w.entry_de);
    f.ate = texto(w.entry_ate);
    if (!f.de.empty() && !data_valida(f.de)) {
        avisar(*janela(), "A data inicial não existe: escreva-a como DD/MM/AAAA.", Gtk::MESSAGE_WARNING);
        return;
    }
    if (!f.ate.empty() && !data_valida(f.ate)) {
        avisar(*janela(), "A data final não existe: escreva-a como DD/MM/AAAA.", Gtk::MESSAGE_WARNING);
        return;
    }
    f.id_lote = inserindo() ? 0 : atual.id;
    // What is marked now stays marked, with its kilos, when it is listed again.
    LOTES_MEL marcado = atual;
    marcado.partes = partes();
    std::vector<COLHEITA_LOTE> achadas = lotes.colheitas(f);
    if (lotes.falha().houve) {
        avisar_recusa(*janela(), lotes.falha());
        return;
    }
    // Harvests marked before stay listed even out of the period searched.
    std::set<std::pair<int, int>> listadas;
    for (const COLHEITA_LOTE& c : achadas)
        listadas.insert({ static_cast<int>(c.origem), c.id });
    for (const PARTE_LOTE& p : marcado.partes) {
        if (listadas.count({ static_cast<int>(p.origem), p.id_colheita }))
            continue;
        for (const COLHEITA_LOTE& c : colheitas_listadas->todas()) {
            if (c.origem == p.origem && c.id == p.id_colheita)
                achadas.push_back(c);
        }
    }
    const bool nenhuma = achadas.empty();
    encher_colheitas(std::move(achadas), marcado);
    if (nenhuma)
        avisar(*janela(), "Nenhuma colheita com mel fora de lotes nos apiários e no período escolhidos.",
               Gtk::MESSAGE_INFO);
}

bool FORM_LOTE_MEL::marcar(int indice, bool sim)
{
    if (indice < 0 || static_cast<std::size_t>(indice) >= colheitas_listadas->tamanho())
        return false;
    const std::size_t i = static_cast<std::size_t>(indice);
    const COLHEITA_LOTE& c = colheitas_listadas->colheita(i);
    if (sim && c.em_carencia()) {
        avisar(*janela(), explicar_carencia(c), Gtk::MESSAGE_WARNING,
               "O mel colhido durante a carência de um tratamento não pode ser vendido.");
        return false;
    }
    // Marked, it gives all it has left; unmarked, nothing.
    colheitas_listadas->marcar(i, sim, c.disponivel);
    linha_mudou(lista_colheitas, i);
    contar();
    return true;
}

void FORM_LOTE_MEL::quilos_no_lote(int indice, const std::string& quilos)
{
    if (indice < 0 || static_cast<std::size_t>(indice) >= colheitas_listadas->tamanho())
        return;
    const std::size_t i = static_cast<std::size_t>(indice);
    if (quilos.find_first_not_of(" \t") == std::string::npos)
        colheitas_listadas->marcar(i, false, std::string());
    else if (colheitas_listadas->marcado(i) || marcar(indice, true))
        colheitas_listadas->marcar(i, true, quilos);
    linha_mudou(lista_colheitas, i);
    contar();
}

bool FORM_LOTE_MEL::marcar_apiario(int id, bool sim)
{
    std::size_t i = 0;
    if (!apiarios_listados->linha_de(id, &i))
        return false;
    apiarios_listados->marcar(i, sim);
    linha_mudou(lista_apiarios, i);
    return true;
}

std::vector<PARTE_LOTE> FORM_LOTE_MEL::partes() const
{
    std::vector<PARTE_LOTE> lista;
    for (std::size_t i = 0; i < colheitas_listadas->tamanho(); ++i) {
        if (!colheitas_listadas->marcado(i))
            continue;
        const COLHEITA_LOTE& c = colheitas_listadas->colheita(i);
        PARTE_LOTE p;
        p.origem = c.origem;
        p.id_colheita = c.id;
        p.id_colmeia = c.id_colmeia;
        p.data = c.data;
        p.quilos = colheitas_listadas->quilos(i);
        lista.push_back(p);
    }
    return lista;
}

std::string FORM_LOTE_MEL::total() const
{
    long long g = 0;
    for (const PARTE_LOTE& p : partes())
        g += gramas(p.quilos);
    return quilos(g);
}

void FORM_LOTE_MEL::contar()
{
    const std::size_t n = partes().size();
    w.label_total->set_text(total() + " kg, de " + std::to_string(n) + (n == 1 ? " colheita" : " colheitas"));
}

void FORM_LOTE_MEL::umidade_mudou()
{
    const std::string aviso = aviso_de_umidade(texto(w.entry_umidade));
    w.label_umidade->set_markup(aviso.empty() ? "" : "<span foreground=\"#b00000\">" +
                                                         Glib::Markup::escape_text(aviso) + "</span>");
}

FALHA FORM_LOTE_MEL::salvar(bool inserir)
{
    LOTES_MEL l;
    l.codigo = texto(w.entry_codigo);
    l.extracao = texto(w.entry_extracao);
    const int florada = w.combo_florada->get_active_row_number();
    l.id_florada = florada > 0 && static_cast<std::size_t>(florada) <= lista_floradas.size()
                       ? lista_floradas[florada - 1].id_florada
                       : 0;
    l.umidade = texto(w.entry_umidade);
    l.tambores = texto(w.entry_tambores);
    l.destino = texto(w.entry_destino);
    l.inspecao = texto(w.combo_inspecao);
    l.numero_inspecao = texto(w.entry_numero_inspecao);
    l.nota_fiscal = texto(w.entry_nota);
    l.obs = texto(w.entry_obs);
    l.partes = partes();
    if (inserir) {
        if (!lotes.inserir(&l))
            return desfecho(false, lotes);
    } else {
        if (atual.id == 0)
            return FALHA::recusa("Escolha na lista o lote a alterar.");
        l.id = atual.id;
        l.versao = atual.versao;
        if (!lotes.atualizar(&l))
            return desfecho(false, lotes);
    }
    // Browsing again shows the lot saved, as stored.
    atual.id = l.id;
    return FALHA();
}

bool FORM_LOTE_MEL::pode_excluir() const
{
    if (atual.id == 0 || atual.anulado())
        return false;
    if (atual.nota_fiscal.find_first_not_of(" \t") != std::string::npos) {
        Gtk::MessageDialog aviso(*janela(), "Este lote tem nota fiscal: ele não pode ser excluído.", false,
                                 Gtk::MESSAGE_WARNING, Gtk::BUTTONS_CLOSE, true);
        aviso.set_secondary_text("Anule-o, dizendo o motivo: ele continua nos relatórios, marcado como anulado.");
        aviso.run();
        aviso.hide();
        return false;
    }
    return true;
}

FALHA FORM_LOTE_MEL::excluir()
{
    if (atual.id == 0)
        return FALHA::recusa("Escolha na lista o lote a excluir.");
    if (!lotes.deletar(atual.id, atual.versao))
        return desfecho(false, lotes);
    atual = LOTES_MEL();
    return FALHA();
}

std::string FORM_LOTE_MEL::detalhe_exclusao()
{
    return "Lote " + atual.codigo + ", " + atual.total + " kg. Os quilos voltam a ficar disponíveis para outros lotes.";
}

void FORM_LOTE_MEL::anular(const std::string* dado)
{
    if (atual.id == 0 || atual.anulado())
        return;
    std::string motivo;
    if (dado) {
        motivo = *dado;
    } else {
        Gtk::Dialog pergunta("Anular o lote " + atual.codigo, *janela(), true);
        pergunta.set_border_width(10);
        Gtk::Label explica("O lote anulado não pode mais ser alterado nem excluído; ele continua nos relatórios, "
                           "marcado como anulado, e seus quilos podem entrar em outro lote.");
        explica.set_line_wrap(true);
        Gtk::Entry entrada;
        entrada.set_width_chars(50);
        Gtk::HBox caixa(false, 5);
        Gtk::Label rotulo_motivo("Motivo");
        caixa.pack_start(rotulo_motivo, false, false, 0);
        caixa.pack_start(entrada, true, true, 0);
        pergunta.get_vbox()->pack_start(explica, false, false, 5);
        pergunta.get_vbox()->pack_start(caixa, false, false, 5);
        pergunta.add_button("Anular", Gtk::RESPONSE_OK);
        pergunta.add_button("Cancelar", Gtk::RESPONSE_CANCEL);
        pergunta.show_all();
        const int resposta = pergunta.run();
        motivo = entrada.get_text().raw();
        pergunta.hide();
        if (resposta != Gtk::RESPONSE_OK)
            return;
    }
    if (!lotes.anular(atual.id, motivo, atual.versao)) {
        avisar_recusa(*janela(), lotes.falha());
        if (!lotes.falha().conflito())
            return;
    }
    estado(1);
}

std::vector<ETIQUETA_LOTE> FORM_LOTE_MEL::etiquetas()
{
    if (atual.id == 0)
        return {};
    return etiquetas_do_lote(atual, lotes.municipios(atual.id), EMPRESA(ctx.query).ler());
}

void FORM_LOTE_MEL::imprimir_etiquetas()
{
    const std::vector<ETIQUETA_LOTE> todas = etiquetas();
    if (todas.empty()) {
        avisar(*janela(), "Escolha na lista o lote das etiquetas.", Gtk::MESSAGE_WARNING);
        return;
    }
    // Whole A4 pages in points, as the PDF draws them.
    Glib::RefPtr<Gtk::PrintOperation> impressao = Gtk::PrintOperation::create();
    impressao->set_job_name("Etiquetas do lote " + atual.codigo);
    impressao->set_n_pages(paginas_de_etiquetas(todas.size()));
    impressao->set_unit(Gtk::UNIT_POINTS);
    impressao->set_use_full_page(true);
    impressao->signal_draw_page().connect(
        [todas](const Glib::RefPtr<Gtk::PrintContext>& contexto, int pagina) {
            desenhar_etiquetas(contexto->get_cairo_context(), todas, pagina);
        });
    try {
        impressao->run(Gtk::PRINT_OPERATION_ACTION_PRINT_DIALOG, *janela());
    } catch (const Glib::Error& e) {
        avisar(*janela(), "Não foi possível imprimir as etiquetas.", Gtk::MESSAGE_ERROR, e.what());
    }
}

void FORM_LOTE_MEL::exportar_etiquetas(const std::string* dado)
{
    const std::vector<ETIQUETA_LOTE> todas = etiquetas();
    if (todas.empty()) {
        avisar(*janela(), "Escolha na lista o lote das etiquetas.", Gtk::MESSAGE_WARNING);
        return;
    }
    std::string caminho;
    if (dado) {
        caminho = *dado;
    } else {
        Gtk::FileChooserDialog escolha(*janela(), "Etiquetas em PDF", Gtk::FILE_CHOOSER_ACTION_SAVE);
        escolha.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
        escolha.add_button(Gtk::Stock::SAVE, Gtk::RESPONSE_OK);
        escolha.set_do_overwrite_confirmation(true);
        escolha.set_current_name("etiquetas-" + atual.codigo + ".pdf");
        if (escolha.run() != Gtk::RESPONSE_OK)
            return;
        caminho = escolha.get_filename();
    }
    std::string erro;
    if (!exportar_etiquetas_pdf(todas, caminho, &erro))
        avisar(*janela(), "As etiquetas não foram gravadas.", Gtk::MESSAGE_ERROR, erro);
    else
        avisar(*janela(), "Etiquetas gravadas em " + caminho + ".", Gtk::MESSAGE_INFO);
}
