#include "gui/form_manejo_lote.h"

#include <gtkmm/box.h>
#include <gtkmm/cellrenderertoggle.h>
#include <gtkmm/frame.h>

#include <cstdlib>

#include "gui/apiarios_listados.h"
#include "gui/janelas.h"
#include "gui/modelo_achados.h"
#include "gui/montagem.h"

namespace {

const char* titulo(Registro r)
{
    switch (r) {
    case Registro::MOVIMENTACAO: return "Movimentação de Colméias";
    case Registro::ALIMENTACAO: return "Alimentação em Lote";
    case Registro::PESAGEM: return "Pesagem em Lote";
    case Registro::COLHEITA: return "Colheita em Lote";
    default: return "Tratamento em Lote";
    }
}

// What the window says once the entry is stored for `n` hives.
std::string gravado(Registro r, int n)
{
    const std::string quantas = colmeias_n(n);
    switch (r) {
    case Registro::MOVIMENTACAO: return (n == 1 ? quantas + " movida." : quantas + " movidas.");
    case Registro::ALIMENTACAO: return "Alimentação registrada em " + quantas + ".";
    case Registro::PESAGEM: return "Pesagem registrada em " + quantas + ".";
    case Registro::COLHEITA: return "Colheita registrada em " + quantas + ".";
    default: return "Tratamento registrado em " + quantas + ".";
    }
}

} // namespace

// The hives listed, read in place by the list's model (laid out as
// ColunasLote), each with its tick beside it: ten thousand hives cost their
// records, not a list store's copy of each.
class ColmeiasDoLote : public Achados
{
public:
    explicit ColmeiasDoLote(const LISTA_COLMEIAS& achadas)
    {
        for (const COLMEIAS& c : achadas) {
            // A hive that ended takes no new entry.
            if (!colmeia_encerrada(c.status))
                colmeias.push_back(c);
        }
        marcadas.resize(colmeias.size());
    }

    std::size_t tamanho() const override { return colmeias.size(); }
    int codigo(std::size_t i) const override { return colmeias[i].id; }
    bool marcado(std::size_t i) const override { return marcadas[i] != 0; }
    int numero(std::size_t i, int coluna) const override
    {
        if (coluna == c.marcada.index())
            return marcadas[i];
        if (coluna == c.codigo.index())
            return colmeias[i].id;
        return coluna == c.id_apiario.index() ? colmeias[i].id_apiario : 0;
    }
    const char* texto(std::size_t i, int coluna) const override
    {
        const COLMEIAS& h = colmeias[i];
        if (coluna == c.tipo.index())
            return h.tipo.c_str();
        if (coluna == c.status.index())
            return h.status.c_str();
        if (coluna == c.apiario.index())
            return h.apiario.c_str();
        return coluna == c.carencia.index() ? h.carencia_ate.c_str() : "";
    }

    int apiario(std::size_t i) const { return colmeias[i].id_apiario; }
    void marcar(std::size_t i, bool sim) { marcadas[i] = sim ? 1 : 0; }

private:
    ColunasLote c;
    std::vector<COLMEIAS> colmeias;
    std::vector<char> marcadas;
};

Registro registro_do_lote(int id)
{
    switch (id) {
    case ids::MOVIMENTACAO: return Registro::MOVIMENTACAO;
    case ids::ALIMENTACAO_LOTE: return Registro::ALIMENTACAO;
    case ids::PESAGEM_LOTE: return Registro::PESAGEM;
    case ids::COLHEITA_LOTE: return Registro::COLHEITA;
    default: return Registro::TRATAMENTO;
    }
}

FORM_MANEJO_LOTE::FORM_MANEJO_LOTE(int id, Contexto& contexto)
    : FormularioCom(id, contexto), tipo_(registro_do_lote(id)), colmeias(contexto.query), diario(contexto.query)
{
}

void FORM_MANEJO_LOTE::montar()
{
    Gtk::Window& j = *janela();
    j.set_title(titulo(tipo_));
    j.set_default_size(760, 640);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 4));
    j.add(*vertical);

    w.combo_apiario = Gtk::manage(new ListaTextos());
    limitar_largura(*w.combo_apiario, 30);
    w.button_marcar = Gtk::manage(new Gtk::Button("Marcar todas do apiário"));
    w.button_desmarcar = Gtk::manage(new Gtk::Button("Desmarcar todas"));
    Gtk::HBox* escolha = linha_com(*rotulo("Apiário"));
    escolha->pack_start(*w.combo_apiario, false, false, 0);
    escolha->pack_start(*w.button_marcar, false, false, 10);
    escolha->pack_start(*w.button_desmarcar, false, false, 0);

    colmeias_listadas = std::make_shared<ColmeiasDoLote>(LISTA_COLMEIAS());
    lista = modelo_registro(colmeias_listadas, colunas);
    w.treeview_colmeias = Gtk::manage(new Gtk::TreeView(lista));
    Gtk::CellRendererToggle* marca = Gtk::manage(new Gtk::CellRendererToggle());
    marca->set_activatable(true);
    Gtk::TreeViewColumn* coluna_marca = Gtk::manage(new Gtk::TreeViewColumn("", *marca));
    coluna_marca->add_attribute(marca->property_active(), colunas.marcada);
    w.treeview_colmeias->append_column(*coluna_marca);
    marca->signal_toggled().connect([this](const Glib::ustring& caminho) {
        const int i = std::atoi(caminho.c_str());
        if (i < 0 || static_cast<std::size_t>(i) >= colmeias_listadas->tamanho())
            return;
        colmeias_listadas->marcar(i, !colmeias_listadas->marcado(i));
        linha_mudou(lista, i);
        contar();
    });
    w.treeview_colmeias->append_column("Código", colunas.codigo);
    coluna_texto(*w.treeview_colmeias, "Tipo", colunas.tipo, 110);
    coluna_texto(*w.treeview_colmeias, "Status", colunas.status, 100);
    coluna_texto(*w.treeview_colmeias, "Apiário", colunas.apiario, 260);
    coluna_texto(*w.treeview_colmeias, "Carência", colunas.carencia, 100);
    // Rows of one height and columns of fixed widths: the list of ten
    // thousand hives is not measured row by row after it is shown.
    w.treeview_colmeias->get_column(1)->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    w.treeview_colmeias->get_column(1)->set_fixed_width(70);
    altura_fixa(*w.treeview_colmeias, 30);
    w.label_marcadas = rotulo("");

    Gtk::Frame* quadro_colmeias = Gtk::manage(new Gtk::Frame("Colméias"));
    Gtk::VBox* dentro = Gtk::manage(new Gtk::VBox(false, 4));
    dentro->pack_start(*escolha, false, false, 0);
    dentro->pack_start(*rolagem(*w.treeview_colmeias, 200), true, true, 0);
    Gtk::HBox* contagem = linha_com(*w.label_marcadas);
    dentro->pack_start(*contagem, false, false, 0);
    quadro_colmeias->add(*dentro);
    vertical->pack_start(*quadro_colmeias, true, true, 0);
    // Filled in its window, read in place: 100,000 apiaries make no menu
    // item each.
    w.combo_apiario->preencher(nomes_de_apiarios(colmeias.apiarios(), "Todos", &ids_apiarios));
    w.combo_apiario->set_active(0);

    w.campos = Gtk::manage(new CamposRegistro(tipo_, ctx.query));
    Gtk::Frame* quadro_campos = Gtk::manage(new Gtk::Frame(nome_do_registro(tipo_)));
    quadro_campos->add(*w.campos);
    vertical->pack_start(*quadro_campos, false, false, 0);

    w.button_salvar_lote = Gtk::manage(new Gtk::Button("Salvar"));
    w.button_fechar = Gtk::manage(new Gtk::Button("Fechar"));
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    for (Gtk::Button* b : { w.button_salvar_lote, w.button_fechar }) {
        b->set_size_request(100, -1);
        botoes->pack_start(*b, false, false, 10);
    }
    vertical->pack_end(*botoes, false, false, 0);

    w.button_marcar->signal_clicked().connect([this] {
        const int i = w.combo_apiario->get_active_row_number();
        const int apiario = i > 0 && static_cast<std::size_t>(i) <= ids_apiarios.size() ? ids_apiarios[i - 1] : 0;
        for (std::size_t k = 0; k < colmeias_listadas->tamanho(); ++k) {
            if (apiario == 0 || colmeias_listadas->apiario(k) == apiario)
                colmeias_listadas->marcar(k, true);
        }
        // Every row may have changed: the list draws again what it shows.
        w.treeview_colmeias->queue_draw();
        contar();
    });
    w.button_desmarcar->signal_clicked().connect([this] {
        for (std::size_t k = 0; k < colmeias_listadas->tamanho(); ++k)
            colmeias_listadas->marcar(k, false);
        w.treeview_colmeias->queue_draw();
        contar();
    });
    w.button_salvar_lote->signal_clicked().connect(sigc::mem_fun(*this, &FORM_MANEJO_LOTE::salvar_lote));
    w.button_fechar->signal_clicked().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &j));
    j.signal_show().connect([this] { carregar_dados(get_id()); });
}

void FORM_MANEJO_LOTE::carregar_dados(int)
{
    colmeias_listadas = std::make_shared<ColmeiasDoLote>(colmeias.pesquisar(FILTRO_COLMEIAS()));
    lista = modelo_registro(colmeias_listadas, colunas);
    w.treeview_colmeias->set_model(lista);
    contar();
}

std::vector<int> FORM_MANEJO_LOTE::marcadas() const
{
    std::vector<int> ids;
    for (std::size_t i = 0; i < colmeias_listadas->tamanho(); ++i) {
        if (colmeias_listadas->marcado(i))
            ids.push_back(colmeias_listadas->codigo(i));
    }
    return ids;
}

bool FORM_MANEJO_LOTE::marcar(int id, bool sim)
{
    for (std::size_t i = 0; i < colmeias_listadas->tamanho(); ++i) {
        if (colmeias_listadas->codigo(i) == id) {
            colmeias_listadas->marcar(i, sim);
            linha_mudou(lista, i);
            contar();
            return true;
        }
    }
    return false;
}

void FORM_MANEJO_LOTE::contar()
{
    const std::size_t n = marcadas().size();
    w.label_marcadas->set_text(n == 0 ? "Nenhuma colméia marcada."
                                      : colmeias_n(static_cast<int>(n)) + (n == 1 ? " marcada." : " marcadas."));
}

void FORM_MANEJO_LOTE::salvar_lote()
{
    const std::vector<int> ids = marcadas();
    if (ids.empty()) {
        avisar(*janela(), "Marque na lista as colméias que recebem o registro.", Gtk::MESSAGE_WARNING);
        return;
    }
    if (!gravar(ids))
        return;
    avisar(*janela(), gravado(tipo_, static_cast<int>(ids.size())), Gtk::MESSAGE_INFO);
    // What was typed stays for the next hives; the list shows the hives as
    // they are now (a move changed their apiary), none marked.
    carregar_dados(get_id());
}

bool FORM_MANEJO_LOTE::gravar(const std::vector<int>& ids)
{
    bool ok = false;
    switch (tipo_) {
    case Registro::MOVIMENTACAO: {
        MOVIMENTACOES m;
        w.campos->ler(m);
        if (m.gta.find_first_not_of(" \t") == std::string::npos && m.id_destino != 0) {
            const int fora = diario.para_outro_municipio(m, ids);
            if (fora > 0 && !confirmar_sem_gta(*janela(), fora))
                return false;
        }
        ok = diario.mover(m, ids);
        break;
    }
    case Registro::ALIMENTACAO: {
        ALIMENTACOES a;
        w.campos->ler(a);
        ok = diario.alimentar(a, ids);
        break;
    }
    case Registro::PESAGEM: {
        PESAGENS p;
        w.campos->ler(p);
        ok = diario.pesar(p, ids);
        break;
    }
    case Registro::COLHEITA: {
        // The same kilos for every hive marked, each on its own journal.
        COLHEITAS c;
        w.campos->ler(c);
        ok = diario.colher(c, ids);
        break;
    }
    default: {
        TRATAMENTOS t;
        w.campos->ler(t);
        ok = diario.tratar(t, ids);
        break;
    }
    }
    if (!ok)
        avisar_recusa(*janela(), diario.falha());
    return ok;
}
