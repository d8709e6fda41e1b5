// "Níveis de Acesso": every access level in a list sorted by description;
// the level picked in the list is shown in three fields and can be edited
// or deleted.
#ifndef ZUMBREL_GUI_FORM_ACESSO_H
#define ZUMBREL_GUI_FORM_ACESSO_H

#include <vector>

#include <gtkmm/entry.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/acesso.h"

struct WidgetsAcesso : BotoesForm
{
    Gtk::Entry* entry_codigo = nullptr;
    Gtk::Entry* entry_descricao = nullptr;
    Gtk::Entry* entry_nivel = nullptr;
    Gtk::TreeView* treeview_niveis = nullptr;
};

class FormAcesso : public FormularioCom<WidgetsAcesso>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override;
    void carregar_dados(int dado) override;
    // A row activated in the list becomes the level shown.
    void selecionar_nivel(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna);

    const ACESS& get_nivel_atual() const { return nivel_atual; }
    Glib::RefPtr<Gtk::ListStore> get_lista() const { return lista; }

protected:
    void mudar_estado(int e) override;
    FALHA salvar(bool inserir) override;
    FALHA excluir() override;
    // The list again, and the level that was picked, as it now is.
    void mostrar_como_esta() override;

private:
    // Shows a level in the three fields and offers Edit and Delete.
    void mostrar_nivel(const ACESS& a);

    COLUNAS colunas;
    Glib::RefPtr<Gtk::ListStore> lista;
    // The levels as the list was last loaded, with their versions.
    std::vector<ACESS> niveis;
    // The level last picked in the list: what Save after Edit, and Delete,
    // act on.
    ACESS nivel_atual;
};

#endif // ZUMBREL_GUI_FORM_ACESSO_H
