// "Genealogia", opened by the tool of that name in the queen bee form: the
// shown bee's mothers up to the first unknown one and, below the bee, her
// daughters and their descendants as a tree (RGN, birth date, breeding
// queen, marking), and her father's side where it is known. Activating a
// row shows that bee in the queen bee form.
#ifndef ZUMBREL_GUI_FORM_GENEALOGIA_H
#define ZUMBREL_GUI_FORM_GENEALOGIA_H

#include <cstddef>
#include <vector>

#include <gtkmm/label.h>
#include <gtkmm/treestore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/abelha.h"

struct WidgetsGenealogia : BotoesForm
{
    Gtk::Label* label_abelha = nullptr;
    // The father's side of the bee, where known: the queens her drones came from.
    Gtk::Label* label_pai = nullptr;
    Gtk::TreeView* treeview_genealogia = nullptr;
};

class FormGenealogia : public FormularioCom<WidgetsGenealogia>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override;
    // The tree of the bee the queen bee form shows.
    void carregar_dados(int dado) override;
    // A row activated: the queen bee form shows that bee.
    void selecionar_abelha(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna);

    int get_abelha() const { return abelha; }
    Glib::RefPtr<Gtk::TreeStore> get_arvore() const { return arvore; }
    // The path of the bee the tree is of.
    const Gtk::TreePath& get_caminho_abelha() const { return caminho_abelha; }

private:
    // Adds row i of the lineage under `pai` (null: at the top), with a
    // stand-in child when it has daughters not yet added.
    void inserir(std::size_t i, GtkTreeIter* pai, GtkTreeIter* onde, bool com_filhas);
    // Adds the daughters of the row at `it` in place of its stand-in, if
    // they are not there yet (a row about to be opened).
    void abrir_filhas(const Gtk::TreeModel::iterator& it);

    COLUNAS colunas;
    // The rows found, and for each the rows under it (its daughters, or the
    // next in the line of mothers), those of row i from primeira[i] to
    // primeira[i + 1] in `filhas`.
    LISTA_GENEALOGIA linhagem;
    std::vector<std::size_t> primeira;
    std::vector<std::size_t> filhas;
    Glib::RefPtr<Gtk::TreeStore> arvore;
    Gtk::TreePath caminho_abelha;
    int abelha = 0;
};

#endif // ZUMBREL_GUI_FORM_GENEALOGIA_H
