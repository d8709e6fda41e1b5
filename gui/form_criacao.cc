#include "gui/form_criacao.h"

#include <algorithm>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/cellrenderertoggle.h>
#include <gtkmm/frame.h>
#include <gtkmm/table.h>

#include "gui/form_hoje.h"
#include "gui/janelas.h"
#include "gui/modelo_achados.h"
#include "gui/montagem.h"

namespace {

const int LARGURA_ROTULO = 150;

Gtk::Entry* campo(int largura, int maximo)
{
    Gtk::Entry* e = Gtk::manage(new Gtk::Entry());
    e->set_width_chars(largura);
    if (maximo > 0)
        e->set_max_length(maximo);
    return e;
}

std::string prevista(const std::string& data) { return data.empty() ? std::string() : "prevista " + data; }

// What the list says of a batch's progress: its next step and when it is
// due, or that it is done.
std::string andamento(const CRIACOES& c)
{
    const std::size_t k = proxima_etapa(c);
    if (k == ETAPAS_CRIACAO)
        return "concluído";
    return std::string(NOMES_ETAPAS[k]) + " em " + datas_previstas(c)[k];
}

// The batches as the list reads them, where they are: the code, the breeder
// queen, the grafting day, the larvae and the progress.
class CriacoesListadas : public Achados
{
public:
    // The progress of a batch is worked out when its row is first drawn:
    // a list of thousands draws a few dozen.
    explicit CriacoesListadas(const std::vector<CRIACOES>& l) : lotes(l), andamentos(l.size()), feitos(l.size()) {}
    std::size_t tamanho() const override { return lotes.size(); }
    int textos() const override { return 4; }
    int codigo(std::size_t i) const override { return lotes[i].id; }
    const char* texto(std::size_t i, int coluna) const override
    {
        switch (coluna) {
        case 1: return lotes[i].rgn_matriz.c_str();
        case 2: return lotes[i].enxertia.c_str();
        case 3: return lotes[i].larvas.c_str();
        default:
            if (!feitos[i]) {
                andamentos[i] = andamento(lotes[i]);
                feitos[i] = 1;
            }
            return andamentos[i].c_str();
        }
    }

private:
    const std::vector<CRIACOES>& lotes;   // the window's, replaced only with the model
    mutable std::vector<std::string> andamentos;
    mutable std::vector<char> feitos;
};

} // namespace

FORM_CRIACAO::FORM_CRIACAO(int id, Contexto& contexto) : FormularioCom(id, contexto), criacoes(contexto.query) {}

void FORM_CRIACAO::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Criação de Rainhas");
    j.set_default_size(820, 700);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    vertical->pack_start(*barra_registro(w, Depois::EXCLUIR), false, false, 0);

    w.label_codigo = rotulo("");
    w.entry_matriz = campo(14, 24);
    w.entry_recria = campo(8, 9);
    w.entry_enxertia = campo(10, 10);
    w.entry_larvas = campo(6, 5);
    w.entry_obs = campo(50, 0);

    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Lote"));
    Gtk::VBox* caixa = Gtk::manage(new Gtk::VBox(false, 4));
    linha(*caixa, "Código", *w.label_codigo, 10, LARGURA_ROTULO);
    linha(*caixa, "Matriz (RGN)", *w.entry_matriz, 10, LARGURA_ROTULO);
    linha(*caixa, "Recria (colméia)", *w.entry_recria, 10, LARGURA_ROTULO);
    linha(*caixa, "Enxertia", *w.entry_enxertia, 10, LARGURA_ROTULO);
    linha(*caixa, "Larvas enxertadas", *w.entry_larvas, 10, LARGURA_ROTULO);

    // One row per step: its name, the timetable's day, the date proposed,
    // and the date and count recorded.
    Gtk::Table* etapas = Gtk::manage(new Gtk::Table(ETAPAS_CRIACAO + 1, 5, false));
    etapas->set_col_spacings(8);
    etapas->set_row_spacings(3);
    const char* const titulos[5] = { "Etapa", "Dia", "", "Data", "Quantidade" };
    for (int c = 0; c < 5; ++c)
        etapas->attach(*rotulo(titulos[c]), c, c + 1, 0, 1, Gtk::FILL, Gtk::FILL);
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        Gtk::Label* nome = rotulo(NOMES_ETAPAS[k]);
        nome->set_alignment(0, 0.5);
        w.entry_dias[k] = campo(4, 3);
        w.label_prevista[k] = rotulo("");
        w.label_prevista[k]->set_size_request(140, -1);
        w.entry_data[k] = campo(10, 10);
        w.entry_quantidade[k] = campo(6, 5);
        const guint l = static_cast<guint>(k) + 1;
        etapas->attach(*nome, 0, 1, l, l + 1, Gtk::FILL, Gtk::FILL);
        etapas->attach(*w.entry_dias[k], 1, 2, l, l + 1, Gtk::FILL, Gtk::FILL);
        etapas->attach(*w.label_prevista[k], 2, 3, l, l + 1, Gtk::FILL, Gtk::FILL);
        etapas->attach(*w.entry_data[k], 3, 4, l, l + 1, Gtk::FILL, Gtk::FILL);
        etapas->attach(*w.entry_quantidade[k], 4, 5, l, l + 1, Gtk::FILL, Gtk::FILL);
    }
    Gtk::Frame* quadro_etapas = Gtk::manage(new Gtk::Frame("Etapas (dia: dias após a enxertia)"));
    quadro_etapas->add(*etapas);
    caixa->pack_start(*quadro_etapas, false, false, 4);

    lista_nucleos = Gtk::ListStore::create(colunas);
    w.treeview_nucleos = Gtk::manage(new Gtk::TreeView(lista_nucleos));
    Gtk::CellRendererToggle* marca = Gtk::manage(new Gtk::CellRendererToggle());
    Gtk::TreeViewColumn* coluna_marca = Gtk::manage(new Gtk::TreeViewColumn("Recebeu células", *marca));
    coluna_marca->set_cell_data_func(*marca, [this, marca](Gtk::CellRenderer*, const Gtk::TreeModel::iterator& it) {
        marca->set_active((*it)[colunas.inteiros[0]] != 0);
    });
    w.treeview_nucleos->append_column(*coluna_marca);
    w.treeview_nucleos->append_column("Núcleo", colunas.codigo);
    coluna_texto(*w.treeview_nucleos, "Apiário", colunas.textos[0], 260);
    coluna_texto(*w.treeview_nucleos, "Rainha", colunas.textos[1], 110);
    Gtk::CellRendererToggle* postura = Gtk::manage(new Gtk::CellRendererToggle());
    Gtk::TreeViewColumn* coluna_postura = Gtk::manage(new Gtk::TreeViewColumn("Em postura", *postura));
    coluna_postura->set_cell_data_func(*postura, [this, postura](Gtk::CellRenderer*, const Gtk::TreeModel::iterator& it) {
        // Only a nucleus of the batch that has not given its queen yet.
        const bool pode = (*it)[colunas.inteiros[0]] != 0 && Glib::ustring((*it)[colunas.textos[1]]).empty();
        postura->property_visible() = pode;
        postura->set_active((*it)[colunas.inteiros[1]] != 0);
    });
    w.treeview_nucleos->append_column(*coluna_postura);
    // Rows of one height and columns of fixed widths: every mating nucleus
    // of a large breeder is not measured row by row at each opening.
    const int larguras[] = { 110, 70, 260, 110, 90 };
    for (int c = 0; c < 5; ++c) {
        w.treeview_nucleos->get_column(c)->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
        w.treeview_nucleos->get_column(c)->set_fixed_width(larguras[c]);
    }
    altura_fixa(*w.treeview_nucleos);
    marca->signal_toggled().connect([this](const Glib::ustring& caminho) {
        Gtk::TreeModel::iterator it = lista_nucleos->get_iter(caminho);
        if (it && (inserindo() || editando()))
            marcar_nucleo((*it)[colunas.codigo], (*it)[colunas.inteiros[0]] == 0);
    });
    postura->signal_toggled().connect([this](const Glib::ustring& caminho) {
        Gtk::TreeModel::iterator it = lista_nucleos->get_iter(caminho);
        if (it && !inserindo() && !editando())
            marcar_nucleo((*it)[colunas.codigo], (*it)[colunas.inteiros[1]] == 0);
    });
    w.button_rainhas = Gtk::manage(new Gtk::Button("Cadastrar Rainhas"));
    Gtk::VBox* caixa_nucleos = Gtk::manage(new Gtk::VBox(false, 3));
    caixa_nucleos->pack_start(*rolagem(*w.treeview_nucleos, 110), true, true, 0);
    Gtk::HBox* linha_rainhas = Gtk::manage(new Gtk::HBox(false, 0));
    linha_rainhas->pack_end(*w.button_rainhas, false, false, 5);
    caixa_nucleos->pack_start(*linha_rainhas, false, false, 0);
    Gtk::Frame* quadro_nucleos = Gtk::manage(new Gtk::Frame("Núcleos de fecundação"));
    quadro_nucleos->add(*caixa_nucleos);
    caixa->pack_start(*quadro_nucleos, false, false, 4);
    linha(*caixa, "Observações", *w.entry_obs, 10, LARGURA_ROTULO);
    quadro->add(*caixa);
    vertical->pack_start(*quadro, false, false, 5);

    w.treeview_lotes = Gtk::manage(new Gtk::TreeView());
    w.treeview_lotes->append_column("Código", colunas.codigo);
    coluna_texto(*w.treeview_lotes, "Matriz", colunas.textos[0], 110);
    coluna_texto(*w.treeview_lotes, "Enxertia", colunas.textos[1], 90);
    coluna_texto(*w.treeview_lotes, "Larvas", colunas.textos[2], 60);
    coluna_texto(*w.treeview_lotes, "Próxima etapa", colunas.textos[3], 330);
    // Rows of one height: thousands of batches are not measured row by row.
    w.treeview_lotes->get_column(0)->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    w.treeview_lotes->get_column(0)->set_fixed_width(70);
    altura_fixa(*w.treeview_lotes);
    Gtk::Frame* quadro_lista = Gtk::manage(new Gtk::Frame("Lotes"));
    quadro_lista->add(*rolagem(*w.treeview_lotes, 150));
    vertical->pack_start(*quadro_lista, true, true, 5);
    j.add(*vertical);

    w.entry_enxertia->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 1, w.entry_enxertia));
    w.entry_enxertia->signal_changed().connect(sigc::mem_fun(*this, &FORM_CRIACAO::propor));
    w.entry_larvas->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_larvas, 2));
    w.entry_recria->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_recria, 2));
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        w.entry_dias[k]->signal_changed().connect(
            sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_dias[k], 2));
        w.entry_dias[k]->signal_changed().connect(sigc::mem_fun(*this, &FORM_CRIACAO::propor));
        w.entry_data[k]->signal_changed().connect(
            sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 1, w.entry_data[k]));
        w.entry_quantidade[k]->signal_changed().connect(
            sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_quantidade[k], 2));
        w.entry_quantidade[k]->signal_changed().connect(
            sigc::bind(sigc::mem_fun(*this, &FORM_CRIACAO::quantidade_digitada), k));
        tab(*w.entry_data[k], *w.entry_quantidade[k]);
        if (k + 1 < ETAPAS_CRIACAO)
            tab(*w.entry_quantidade[k], *w.entry_data[k + 1]);
    }
    tab(*w.entry_matriz, *w.entry_recria);
    tab(*w.entry_recria, *w.entry_enxertia);
    tab(*w.entry_enxertia, *w.entry_larvas);
    tab(*w.entry_larvas, *w.entry_data[0]);
    w.treeview_lotes->get_selection()->signal_changed().connect(sigc::mem_fun(*this, &FORM_CRIACAO::escolhido));
    w.button_rainhas->signal_clicked().connect(sigc::mem_fun(*this, &FORM_CRIACAO::registrar_rainhas));
    ligar_barra(w);
    // Opened from the list of what to do today: its batch is the one shown.
    if (const FORM_HOJE* hoje = dynamic_cast<const FORM_HOJE*>(origem()))
        atual.id = hoje->lote_escolhido();
    j.signal_show().connect([this] { estado(1); });
}

void FORM_CRIACAO::editaveis(bool sim)
{
    Gtk::Entry* entradas[] = { w.entry_matriz, w.entry_recria, w.entry_enxertia, w.entry_larvas, w.entry_obs };
    for (Gtk::Entry* e : entradas)
        e->set_editable(sim);
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        w.entry_dias[k]->set_editable(sim);
        w.entry_data[k]->set_editable(sim);
        w.entry_quantidade[k]->set_editable(sim);
    }
    // A pending New or Edit stays on the batch it began with.
    w.treeview_lotes->set_sensitive(!sim);
}

void FORM_CRIACAO::mudar_estado(int e)
{
    const bool navegando = e == 1;
    editaveis(!navegando);
    w.button_salvar->set_sensitive(!navegando);
    w.button_cancelar->set_sensitive(!navegando);
    w.button_novo->set_sensitive(navegando);
    w.button_editar->set_sensitive(navegando && atual.id != 0);
    w.button_excluir->set_sensitive(navegando && atual.id != 0);
    w.button_rainhas->set_sensitive(navegando && atual.id != 0);
    if (navegando) {
        carregar_dados(get_id());
        return;
    }
    if (e == 0)
        limpar();
    focar(*w.entry_matriz);
}

void FORM_CRIACAO::carregar_dados(int)
{
    // The list lets go of the rows it reads before they are read anew.
    preenchendo = true;
    w.treeview_lotes->unset_model();
    lista.reset();
    criacoes.listar().copiar(listados);
    int linha_atual = -1;
    for (std::size_t i = 0; i < listados.size(); ++i) {
        if (atual.id != 0 && listados[i].id == atual.id)
            linha_atual = static_cast<int>(i);
    }
    lista = modelo_achados(std::make_shared<CriacoesListadas>(listados));
    w.treeview_lotes->set_model(lista);
    preenchendo = false;
    if (linha_atual >= 0) {
        // Read whole, nuclei included, as stored now.
        mostrar(criacoes.get_criacao(atual.id));
        preenchendo = true;
        Gtk::TreePath caminho;
        caminho.push_back(linha_atual);
        w.treeview_lotes->get_selection()->select(caminho);
        preenchendo = false;
    } else {
        limpar();
    }
    w.button_editar->set_sensitive(atual.id != 0 && !inserindo() && !editando());
    w.button_excluir->set_sensitive(atual.id != 0 && !inserindo() && !editando());
    w.button_rainhas->set_sensitive(atual.id != 0 && !inserindo() && !editando());
}

void FORM_CRIACAO::escolhido()
{
    if (preenchendo || inserindo() || editando())
        return;
    Gtk::TreeModel::iterator it = w.treeview_lotes->get_selection()->get_selected();
    if (!it)
        return;
    const int id = (*it)[colunas.codigo];
    mostrar(criacoes.get_criacao(id));
    w.button_editar->set_sensitive(atual.id != 0);
    w.button_excluir->set_sensitive(atual.id != 0);
    w.button_rainhas->set_sensitive(atual.id != 0);
}

bool FORM_CRIACAO::receber_escolha(int, int chave)
{
    const CRIACOES c = criacoes.get_criacao(chave);
    if (c.id == 0)
        return false;
    esquecer_acao();
    atual = c;
    estado(1);
    return true;
}

void FORM_CRIACAO::carregar_nucleos()
{
    // The list away from its view while it is filled: a breeder's thousands
    // of nuclei are not told to the view one by one.
    w.treeview_nucleos->unset_model();
    lista_nucleos->clear();
    std::vector<NUCLEO> nucleos = criacoes.nucleos();
    // A nucleus of the batch that ended since is still shown as its own.
    for (int id : atual.nucleos) {
        if (std::none_of(nucleos.begin(), nucleos.end(), [id](const NUCLEO& n) { return n.id == id; }))
            nucleos.push_back(NUCLEO { id, std::string() });
    }
    // One call a row.
    for (const NUCLEO& n : nucleos) {
        const auto onde = std::find(atual.nucleos.begin(), atual.nucleos.end(), n.id);
        const std::size_t i = static_cast<std::size_t>(onde - atual.nucleos.begin());
        const char* rainha = i < atual.rainhas.size() ? atual.rainhas[i].c_str() : "";
        gtk_list_store_insert_with_values(lista_nucleos->gobj(), nullptr, -1, colunas.codigo.index(), n.id,
                                          colunas.textos[0].index(), n.apiario.c_str(), colunas.inteiros[0].index(),
                                          onde != atual.nucleos.end() ? 1 : 0, colunas.textos[1].index(), rainha,
                                          colunas.inteiros[1].index(), 0, -1);
    }
    w.treeview_nucleos->set_model(lista_nucleos);
}

void FORM_CRIACAO::marcar_nucleo(int id, bool marcado)
{
    const bool editavel = inserindo() || editando();
    for (Gtk::TreeModel::Row linha : lista_nucleos->children()) {
        if (linha[colunas.codigo] != id)
            continue;
        if (editavel)
            linha[colunas.inteiros[0]] = marcado ? 1 : 0;
        else if (linha[colunas.inteiros[0]] != 0 && Glib::ustring(linha[colunas.textos[1]]).empty())
            linha[colunas.inteiros[1]] = marcado ? 1 : 0;
    }
}

void FORM_CRIACAO::registrar_rainhas()
{
    if (atual.id == 0 || inserindo() || editando())
        return;
    std::vector<int> escolhidos;
    for (Gtk::TreeModel::Row linha : lista_nucleos->children()) {
        if (linha[colunas.inteiros[1]] != 0)
            escolhidos.push_back(linha[colunas.codigo]);
    }
    CRIACOES c = atual;
    if (!criacoes.registrar_rainhas(&c, escolhidos)) {
        const FALHA& falha = criacoes.falha();
        mensagem("Atenção", "Nenhuma rainha foi cadastrada.", Gtk::MESSAGE_WARNING, falha.motivo());
        if (falha.conflito())
            estado(1);
        return;
    }
    std::string rgns;
    for (std::size_t k = 0; k < c.nucleos.size(); ++k) {
        if (std::find(escolhidos.begin(), escolhidos.end(), c.nucleos[k]) != escolhidos.end())
            rgns += (rgns.empty() ? "" : ", ") + c.rainhas[k] + " (núcleo " + std::to_string(c.nucleos[k]) + ")";
    }
    const std::size_t n = escolhidos.size();
    mensagem("Cadastrar Rainhas",
             n == 1 ? "1 rainha cadastrada" : std::to_string(n) + " rainhas cadastradas", Gtk::MESSAGE_INFO, rgns);
    atual = c;
    estado(1);
}

void FORM_CRIACAO::mostrar(const CRIACOES& c)
{
    preenchendo = true;
    atual = c;
    w.label_codigo->set_text(c.id != 0 ? std::to_string(c.id) : std::string());
    w.entry_matriz->set_text(c.rgn_matriz);
    w.entry_recria->set_text(c.recria);
    w.entry_enxertia->set_text(c.enxertia);
    w.entry_larvas->set_text(c.larvas);
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        w.entry_dias[k]->set_text(std::to_string(c.dias[k]));
        w.entry_data[k]->set_text(c.etapas[k].data);
        w.entry_quantidade[k]->set_text(c.etapas[k].quantidade);
    }
    w.entry_obs->set_text(c.obs);
    carregar_nucleos();
    preenchendo = false;
    propor();
}

void FORM_CRIACAO::limpar()
{
    mostrar(CRIACOES());
    preenchendo = true;
    w.treeview_lotes->get_selection()->unselect_all();
    preenchendo = false;
}

CRIACOES FORM_CRIACAO::ler() const
{
    CRIACOES c;
    c.rgn_matriz = w.entry_matriz->get_text().raw();
    c.recria = w.entry_recria->get_text().raw();
    c.enxertia = w.entry_enxertia->get_text().raw();
    c.larvas = w.entry_larvas->get_text().raw();
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        const std::string dias = w.entry_dias[k]->get_text().raw();
        // A day emptied or not written in digits is none: the timetable's
        // check refuses it.
        const bool numero = !dias.empty() && dias.size() <= 3 && dias.find_first_not_of("0123456789") == std::string::npos;
        c.dias[k] = numero ? std::stoi(dias) : -1;
        c.etapas[k].data = w.entry_data[k]->get_text().raw();
        c.etapas[k].quantidade = w.entry_quantidade[k]->get_text().raw();
    }
    for (Gtk::TreeModel::Row linha : lista_nucleos->children()) {
        if (linha[colunas.inteiros[0]] != 0)
            c.nucleos.push_back(linha[colunas.codigo]);
    }
    c.obs = w.entry_obs->get_text().raw();
    return c;
}

void FORM_CRIACAO::propor()
{
    if (preenchendo || !w.label_prevista[ETAPAS_CRIACAO - 1])
        return;
    const CRIACOES c = ler();
    const std::vector<std::string> datas = datas_previstas(c);
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k)
        w.label_prevista[k]->set_text(c.dias[k] >= 0 ? prevista(datas[k]) : std::string());
}

void FORM_CRIACAO::quantidade_digitada(std::size_t k)
{
    if (preenchendo || !(inserindo() || editando()) || !w.entry_data[k]->get_text().empty() ||
        w.entry_quantidade[k]->get_text().empty())
        return;
    const CRIACOES c = ler();
    if (c.dias[k] >= 0)
        w.entry_data[k]->set_text(datas_previstas(c)[k]);
}

FALHA FORM_CRIACAO::salvar(bool inserir)
{
    CRIACOES c = ler();
    if (inserir) {
        if (!criacoes.inserir(&c))
            return desfecho(false, criacoes);
    } else {
        if (atual.id == 0)
            return FALHA::recusa("Escolha na lista o lote a alterar.");
        c.id = atual.id;
        c.versao = atual.versao;
        if (!criacoes.atualizar(&c))
            return desfecho(false, criacoes);
    }
    // Browsing again shows the batch saved, as stored.
    atual.id = c.id;
    return FALHA();
}

FALHA FORM_CRIACAO::excluir()
{
    if (atual.id == 0)
        return FALHA::recusa("Escolha na lista o lote a excluir.");
    if (!criacoes.deletar(atual.id, atual.versao))
        return desfecho(false, criacoes);
    atual = CRIACOES();
    return FALHA();
}

std::string FORM_CRIACAO::detalhe_exclusao()
{
    return "Lote " + std::to_string(atual.id) + " da matriz " + atual.rgn_matriz + ", enxertia em " + atual.enxertia +
           ".";
}
