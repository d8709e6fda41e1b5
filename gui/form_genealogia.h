// "Genealogia", opened by the tool of that name in the queen bee form: the
// shown bee's mothers up to the first unknown one and, below the bee, her
// daughters and their descendants as a tree (RGN, birth date, breeding
// queen). Activating a row shows that bee in the queen bee form.
#ifndef ZUMBREL_GUI_FORM_GENEALOGIA_H
#define ZUMBREL_GUI_FORM_GENEALOGIA_H

#include <gtkmm/label.h>
#include <gtkmm/treestore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"

struct WidgetsGenealogia : BotoesForm
{
    Gtk::Label* label_abelha = nullptr;
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
    COLUNAS colunas;
    Glib::RefPtr<Gtk::TreeStore> arvore;
    Gtk::TreePath caminho_abelha;
    int abelha = 0;
};

#endif // ZUMBREL_GUI_FORM_GENEALOGIA_H
