#include "gui/form_genealogia.h"

#include <unordered_map>

#include <gtk/gtk.h>
#include <gtkmm/box.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/scrolledwindow.h>

#include "gui/form_abelha.h"
#include "gui/janelas.h"
#include "model/abelha.h"

namespace {

// Trees up to this size open whole; larger ones open down to the bee's
// daughters, the rest a click away.
const std::size_t ABRIR_TUDO_ATE = 2000;

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
    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    rolagem->set_shadow_type(Gtk::SHADOW_IN);
    rolagem->add(*w.treeview_genealogia);
    vertical->pack_start(*rolagem, true, true, 0);
    j.add(*vertical);

    w.treeview_genealogia->signal_row_activated().connect(sigc::mem_fun(*this, &FormGenealogia::selecionar_abelha));
    if (FormAbelha* a = dynamic_cast<FormAbelha*>(origem()))
        abelha = a->abelha_mostrada();
    carregar_dados(get_id());
}

void FormGenealogia::carregar_dados(int)
{
    const LISTA_GENEALOGIA linhagem = ctx.abelha->genealogia(abelha);
    // Made apart and handed to the view whole; a row is added with all its
    // values in one call, read in place from the rows found (the line of a
    // bee may hold most of the bees there are).
    w.treeview_genealogia->unset_model();
    arvore = Gtk::TreeStore::create(colunas);
    GtkTreeStore* loja = arvore->gobj();
    const int codigo = colunas.codigo.index();
    const int rgn = colunas.textos[0].index();
    const int nascimento = colunas.textos[1].index();
    const int matriz = colunas.textos[2].index();
    const int peso = colunas.inteiros[0].index();
    std::unordered_map<int, GtkTreeIter> onde;
    onde.reserve(linhagem.size());
    GtkTreeIter acima {};
    bool ha_acima = false;
    GtkTreeIter da_abelha {};
    bool achou = false;
    for (std::size_t i = 0; i < linhagem.size(); ++i) {
        const int geracao = linhagem.geracao(i);
        // A mother, or the bee herself, under the one before; a descendant
        // under her mother, who always comes first.
        GtkTreeIter* mae = nullptr;
        if (geracao > 0) {
            auto m = onde.find(linhagem.mae(i));
            if (m != onde.end())
                mae = &m->second;
        } else if (ha_acima) {
            mae = &acima;
        }
        GtkTreeIter it;
        gtk_tree_store_insert_with_values(loja, &it, mae, -1, codigo, linhagem.id(i), rgn, linhagem.rgn(i),
                                          nascimento, linhagem.nascimento(i), matriz,
                                          linhagem.matriz(i) ? "Sim" : "Não", peso,
                                          geracao == 0 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL, -1);
        onde[linhagem.id(i)] = it;
        if (geracao <= 0) {
            acima = it;
            ha_acima = true;
        }
        if (geracao == 0) {
            da_abelha = it;
            achou = true;
        }
    }
    caminho_abelha = achou ? arvore->get_path(Gtk::TreeModel::iterator(GTK_TREE_MODEL(loja), &da_abelha))
                           : Gtk::TreePath();
    w.treeview_genealogia->set_model(arvore);

    if (!achou) {
        w.label_abelha->set_text("Nenhuma abelha exibida.");
        return;
    }
    const Glib::ustring nome = (*arvore->get_iter(caminho_abelha))[colunas.textos[0]];
    w.label_abelha->set_text("Mães e descendentes de " + nome);
    if (linhagem.size() <= ABRIR_TUDO_ATE) {
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
    Formulario* abelhas = origem() && origem()->get_id() == ids::ABELHAS ? origem() : ctx.aberto(ids::ABELHAS);
    if (abelhas)
        abelhas->receber_escolha(get_id(), id);
}
