// Widgets of the queen bee form ("Cadastro de Abelhas", id 5).
#ifndef ZUMBREL_GUI_FORM_ABELHA_H
#define ZUMBREL_GUI_FORM_ABELHA_H

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/radiobutton.h>

#include "gui/formulario.h"
#include "gui/lista_textos.h"
#include "model/abelha.h"

struct FormAbelha : Formulario
{
    FormAbelha() : Formulario(5) {}

    Gtk::Entry* entry_codigo = nullptr;
    Gtk::Entry* entry_rgn = nullptr;
    Gtk::Entry* entry_nascimento = nullptr;
    Gtk::RadioButton* radio_sim = nullptr;
    Gtk::RadioButton* radio_nao = nullptr;
    ListaTextos* combo_mae = nullptr;
    Gtk::Button* button_gerar = nullptr;

    // The bee picked in the "Filha de:" list; id 0 = mother unknown.
    ABELHAS mae_selecionada;
    // True while Carregar_combo empties and refills the list.
    bool preenchendo = false;

    // The "Gerar Filhas" dialog and its two entries while it is open.
    Gtk::Dialog* dialogo_filhas = nullptr;
    Gtk::Entry* entry_quantidade = nullptr;
    Gtk::Entry* entry_data_filhas = nullptr;
};

#endif // ZUMBREL_GUI_FORM_ABELHA_H
