#include "gui/form_genealogia.h"

#include <unordered_map>

#include <gtk/gtk.h>
#include <gtkmm/box.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/scrolledwindow.h>

#include "gui/form_abelha.h"
#include "gui/janelas.h"
#include "gui/marca_cor.h"
#include "model/abelha.h"
#include "model/fecundacao.h"

namespace {

// Trees up to this size open whole; larger ones open down to the bee's
// daughters, and a row's daughters are added when it is opened (the line of
// the first bee may hold most of the bees there are).
const std::size_t ABRIR_TUDO_ATE = 2000;

// A tree row's lineage row is kept as its index plus one; a stand-in row,
// which holds the place of daughters not yet added, keeps 0.
const int SEM_LINHA = 0;

} // namespace

void FormGenealogia::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Genealogia");
    j.set_default_size(480, 520);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 5));
    w.label_abelha = Gtk::manage(new Gtk::Label(""));
    w.label_abelha->set_alignment(0, 0.5);
    vertical->pack_start(*w.label_abelha, false, false, 0);
    w.label_pai = Gtk::manage(new Gtk::Label(""));
    w.label_pai->set_alignment(0, 0.5);
    w.label_pai->set_line_wrap(true);
    vertical->pack_start(*w.label_pai, false, false, 0);

    w.treeview_genealogia = Gtk::manage(new Gtk::TreeView());
    // The bee herself in bold.
    const char* const titulos[3] = { "RGN", "Nascimento", "Matriz" };
    for (int c = 0; c < 3; ++c) {
        Gtk::CellRendererText* celula = Gtk::manage(new Gtk::CellRendererText());
        Gtk::TreeViewColumn* coluna = Gtk::manage(new Gtk::TreeViewColumn(titulos[c], *celula));
        coluna->add_attribute(celula->property_text(), colunas.textos[c]);
        coluna->add_attribute(celula->property_weight(), colunas.inteiros[0]);
        w.treeview_genealogia->append_column(*coluna);
    }
    // The marking: the mark drawn in her colour, its name, and a clipped wing.
    coluna_marca(*w.treeview_genealogia, "Marcação", colunas.textos[3], colunas.textos[4], 170);
    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    rolagem->set_shadow_type(Gtk::SHADOW_IN);
    rolagem->add(*w.treeview_genealogia);
    vertical->pack_start(*rolagem, true, true, 0);
    j.add(*vertical);

    w.treeview_genealogia->signal_row_activated().connect(sigc::mem_fun(*this, &FormGenealogia::selecionar_abelha));
    w.treeview_genealogia->signal_test_expand_row().connect([this](const Gtk::TreeModel::iterator& it,
                                                                   const Gtk::TreeModel::Path&) {
        abrir_filhas(it);
        return false;
    });
    if (FormAbelha* a = dynamic_cast<FormAbelha*>(origem()))
        abelha = a->abelha_mostrada();
    carregar_dados(get_id());
}

void FormGenealogia::carregar_dados(int)
{
    w.treeview_genealogia->unset_model();
    arvore.reset();
    linhagem = ctx.abelha->genealogia(abelha);
    const std::size_t n = linhagem.size();

    // What sits under each row: a mother, or the bee herself, under the one
    // before; a descendant under her mother, who always comes first.
    const std::size_t NENHUMA = static_cast<std::size_t>(-1);
    std::vector<std::size_t> acima(n, NENHUMA);
    {
        std::unordered_map<int, std::size_t> onde;
        onde.reserve(n);
        std::size_t anterior = NENHUMA;
        for (std::size_t i = 0; i < n; ++i) {
            const int geracao = linhagem.geracao(i);
            if (geracao > 0) {
                auto m = onde.find(linhagem.mae(i));
                if (m != onde.end())
                    acima[i] = m->second;
            } else {
                acima[i] = anterior;
                anterior = i;
            }
            onde[linhagem.id(i)] = i;
        }
    }
    primeira.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (acima[i] != NENHUMA)
            ++primeira[acima[i] + 1];
    }
    for (std::size_t i = 0; i < n; ++i)
        primeira[i + 1] += primeira[i];
    filhas.assign(primeira[n], 0);
    {
        std::vector<std::size_t> proxima(primeira.begin(), primeira.end() - 1);
        for (std::size_t i = 0; i < n; ++i) {
            if (acima[i] != NENHUMA)
                filhas[proxima[acima[i]]++] = i;
        }
    }

    // Made apart and handed to the view whole. A small tree goes in whole;
    // a large one gets the line of mothers, the bee and her daughters, the
    // rest as each row is opened.
    arvore = Gtk::TreeStore::create(colunas);
    const bool inteira = n <= ABRIR_TUDO_ATE;
    GtkTreeIter da_abelha {};
    bool achou = false;
    std::vector<std::pair<std::size_t, GtkTreeIter>> pendentes;
    for (std::size_t i = 0; i < n; ++i) {
        if (acima[i] != NENHUMA)
            continue;
        // A row at the top: the eldest mother known (or the bee herself).
        GtkTreeIter it;
        inserir(i, nullptr, &it, inteira || linhagem.geracao(i) <= 0);
        pendentes.emplace_back(i, it);
    }
    while (!pendentes.empty()) {
        auto [i, it] = pendentes.back();
        pendentes.pop_back();
        if (linhagem.geracao(i) == 0) {
            da_abelha = it;
            achou = true;
        }
        // The rows under it go in now when the tree goes in whole, or when
        // it is in the line down to the bee or is the bee.
        if (!inteira && linhagem.geracao(i) > 0)
            continue;
        for (std::size_t k = primeira[i]; k < primeira[i + 1]; ++k) {
            GtkTreeIter filha;
            const std::size_t f = filhas[k];
            const bool aberta = inteira || linhagem.geracao(f) <= 0;
            inserir(f, &it, &filha, aberta);
            pendentes.emplace_back(f, filha);
        }
    }

    caminho_abelha = achou ? arvore->get_path(Gtk::TreeModel::iterator(GTK_TREE_MODEL(arvore->gobj()), &da_abelha))
                           : Gtk::TreePath();
    w.treeview_genealogia->set_model(arvore);

    if (!achou) {
        w.label_abelha->set_text("Nenhuma abelha exibida.");
        w.label_pai->set_text("");
        return;
    }
    std::string pais;
    for (const std::string& rgn : FECUNDACAO(ctx.query).pais(abelha))
        pais += (pais.empty() ? "" : ", ") + rgn;
    w.label_pai->set_text(pais.empty() ? "Lado do pai: não conhecido."
                                       : "Lado do pai: zangões das rainhas " + pais + ".");
    const Glib::ustring nome = (*arvore->get_iter(caminho_abelha))[colunas.textos[0]];
    w.label_abelha->set_text("Mães e descendentes de " + nome);
    if (inteira) {
        w.treeview_genealogia->expand_all();
    } else {
        w.treeview_genealogia->expand_to_path(caminho_abelha);
        w.treeview_genealogia->expand_row(caminho_abelha, false);
    }
    w.treeview_genealogia->get_selection()->select(caminho_abelha);
    w.treeview_genealogia->scroll_to_row(caminho_abelha);
}

void FormGenealogia::selecionar_abelha(const Gtk::TreePath& caminho, Gtk::TreeViewColumn*)
{
    if (!arvore)
        return;
    Gtk::TreeModel::iterator it = arvore->get_iter(caminho);
    if (!it)
        return;
    const int id = (*it)[colunas.codigo];
    if (id <= 0)
        return;
    Formulario* abelhas = origem() && origem()->get_id() == ids::ABELHAS ? origem() : ctx.aberto(ids::ABELHAS);
    if (abelhas)
        abelhas->receber_escolha(get_id(), id);
}

void FormGenealogia::inserir(std::size_t i, GtkTreeIter* pai, GtkTreeIter* onde, bool com_filhas)
{
    GtkTreeStore* loja = arvore->gobj();
    const std::string cor = linhagem.cor(i);
    const std::string marcacao = linhagem.asa_cortada(i) ? (cor.empty() ? "asa cortada" : cor + ", asa cortada") : cor;
    gtk_tree_store_insert_with_values(
        loja, onde, pai, -1, colunas.codigo.index(), linhagem.id(i), colunas.textos[0].index(), linhagem.rgn(i),
        colunas.textos[1].index(), linhagem.nascimento(i), colunas.textos[2].index(),
        linhagem.matriz(i) ? "Sim" : "Não", colunas.textos[3].index(), cor.c_str(), colunas.textos[4].index(),
        marcacao.c_str(), colunas.inteiros[0].index(),
        linhagem.geracao(i) == 0 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL, colunas.inteiros[1].index(),
        static_cast<int>(i) + 1, -1);
    if (!com_filhas && primeira[i + 1] > primeira[i]) {
        GtkTreeIter vaga;
        gtk_tree_store_insert_with_values(loja, &vaga, onde, -1, colunas.inteiros[1].index(), SEM_LINHA, -1);
    }
}

void FormGenealogia::abrir_filhas(const Gtk::TreeModel::iterator& it)
{
    if (!arvore || !it)
        return;
    Gtk::TreeModel::iterator vaga = it->children().begin();
    if (!vaga || (*vaga)[colunas.inteiros[1]] != SEM_LINHA)
        return;
    const int linha = (*it)[colunas.inteiros[1]];
    if (linha <= 0 || static_cast<std::size_t>(linha) > linhagem.size())
        return;
    const std::size_t i = static_cast<std::size_t>(linha) - 1;
    arvore->erase(vaga);
    GtkTreeIter pai = *it->gobj();
    for (std::size_t k = primeira[i]; k < primeira[i + 1]; ++k) {
        GtkTreeIter filha;
        inserir(filhas[k], &pai, &filha, false);
    }
}
