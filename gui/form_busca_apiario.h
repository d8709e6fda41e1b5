// "Buscar Apiario": the apiaries with the typed key ("ID", digits only),
// whose name ("Nome") or whose municipality's name ("Região") begins with
// the typed text, listed again at every keystroke. Activating a found row
// shows that apiary in the apiary form and closes the search.
#ifndef ZUMBREL_GUI_FORM_BUSCA_APIARIO_H
#define ZUMBREL_GUI_FORM_BUSCA_APIARIO_H

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"

struct WidgetsBuscaApiario : BotoesForm
{
    Gtk::ComboBoxText* combo_opcoes = nullptr;
    Gtk::Entry* entry_pesquisa = nullptr;
    Gtk::TreeView* treeview_resultado = nullptr;
    Gtk::Button* button_exportar_csv = nullptr;
};

class FormBuscaApiario : public FormularioCom<WidgetsBuscaApiario>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override;
    // Lists the apiaries matching the typed text.
    void carregar_dados(int dado) override;
    // The search option changed: the list follows it.
    void sel_pesquisa();
    // A found row activated: the apiary form shows that apiary.
    void selecionar_apiario(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna);

    Glib::RefPtr<Gtk::TreeModel> get_store_resultado() const { return store_resultado; }

private:
    COLUNAS colunas;
    Glib::RefPtr<Gtk::TreeModel> store_resultado;
};

#endif // ZUMBREL_GUI_FORM_BUSCA_APIARIO_H
