// Widgets of the access level form ("Níveis de Acesso", id 3).
#ifndef ZUMBREL_GUI_FORM_ACESSO_H
#define ZUMBREL_GUI_FORM_ACESSO_H

#include <gtkmm/entry.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/formulario.h"
#include "model/acesso.h"

struct FormAcesso : Formulario
{
    FormAcesso() : Formulario(3) {}

    Gtk::Entry* entry_codigo = nullptr;
    Gtk::Entry* entry_descricao = nullptr;
    Gtk::Entry* entry_nivel = nullptr;
    Gtk::TreeView* treeview_niveis = nullptr;
    Glib::RefPtr<Gtk::ListStore> lista;
    // The level last picked in the list: what Save after Edit, and Delete,
    // act on.
    ACESS nivel_atual;
};

#endif // ZUMBREL_GUI_FORM_ACESSO_H
