// Widgets of the apiary form (id 4), the apiary search (id 20) and the
// floral source window (id 8).
#ifndef ZUMBREL_GUI_FORM_APIARIO_H
#define ZUMBREL_GUI_FORM_APIARIO_H

#include <glibmm/refptr.h>
#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/textview.h>
#include <gtkmm/treeview.h>

#include "gui/formulario.h"
#include "model/florada.h"
#include "model/municipio.h"

struct FormApiario : Formulario
{
    FormApiario() : Formulario(4)
    {
        // Unknown until a list selection or a shown apiary gives them a key:
        // a save refuses them rather than sending an undefined key.
        florada_atual.id_florada = -1;
        municipio_atual.cod_cid = -1;
    }

    Gtk::Label* label_id = nullptr;
    Gtk::Entry* entry_nome = nullptr;
    Gtk::Entry* entry_data = nullptr;
    Gtk::Entry* entry_endereco = nullptr;
    Gtk::ComboBoxText* combo_municipio = nullptr;
    Gtk::Entry* entry_distrito = nullptr;
    Gtk::ComboBoxText* combo_florada = nullptr;
    Gtk::Button* button_florada = nullptr;
    Gtk::Entry* entry_latitude = nullptr;
    Gtk::Entry* entry_longitude = nullptr;
    Gtk::TextView* textview_obs = nullptr;

    // The floral source and municipality a save of this form uses; they
    // follow the two lists and the shown apiary.
    FLORADA florada_atual;
    MUNICIPIOS municipio_atual;
    // True while Carregar_combo empties and refills a list, so the list
    // handlers ignore the changes of the emptying.
    bool preenchendo = false;
};

struct FormBuscaApiario : Formulario
{
    FormBuscaApiario() : Formulario(20) {}

    Gtk::ComboBoxText* combo_opcoes = nullptr;
    Gtk::Entry* entry_pesquisa = nullptr;
    Gtk::TreeView* treeview_resultado = nullptr;
    Glib::RefPtr<Gtk::ListStore> store_resultado;
};

struct FormFlorada : Formulario
{
    FormFlorada() : Formulario(8) {}

    Gtk::Entry* entry_florada = nullptr;
    Gtk::Button* button_cadastrar = nullptr;
    Gtk::Button* button_cancelar_florada = nullptr;
};

#endif // ZUMBREL_GUI_FORM_APIARIO_H
