// "Cadastro de CEP": registers a postal code that the lookup of the user
// forms did not find (the form it was opened over), which the lookup then
// fills in as if it had been there.
#ifndef ZUMBREL_GUI_FORM_CEP_H
#define ZUMBREL_GUI_FORM_CEP_H

#include <string>
#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>

#include "gui/formulario.h"
#include "gui/lista_textos.h"
#include "model/municipio.h"

struct WidgetsCep : BotoesForm
{
    Gtk::Entry* entry_cep = nullptr;
    Gtk::ComboBoxText* combo_tipo_logradouro = nullptr;   // common kinds, or any typed one
    Gtk::Entry* entry_logradouro = nullptr;
    Gtk::Entry* entry_bairro = nullptr;
    Gtk::ComboBoxText* combo_estado = nullptr;
    ListaTextos* combo_municipio = nullptr;               // an empty entry, then the state's municipalities
    Gtk::Button* button_salvar_cep = nullptr;
    Gtk::Button* button_cancelar_cep = nullptr;
};

class FormCep : public FormularioCom<WidgetsCep>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override;
    // The state chosen: its municipalities in the list.
    void selecionar_estado();
    // "Salvar": stores the postal code and hands it to the user form.
    void salvar_cep();

private:
    std::vector<MUNICIPIOS> municipios;
};

#endif // ZUMBREL_GUI_FORM_CEP_H
