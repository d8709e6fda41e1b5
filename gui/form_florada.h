// "Cadastro Florada": adds a floral source without leaving the apiary form
// it was opened over, which then lists it and makes it its current one.
#ifndef ZUMBREL_GUI_FORM_FLORADA_H
#define ZUMBREL_GUI_FORM_FLORADA_H

#include <gtkmm/button.h>
#include <gtkmm/entry.h>

#include "gui/formulario.h"

struct WidgetsFlorada : BotoesForm
{
    Gtk::Entry* entry_florada = nullptr;
    Gtk::Button* button_cadastrar = nullptr;
    Gtk::Button* button_cancelar_florada = nullptr;
};

class FormFlorada : public FormularioCom<WidgetsFlorada>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override;
    // "Cadastrar": stores the typed name as a new floral source.
    void Cadastrar_Florada();
};

#endif // ZUMBREL_GUI_FORM_FLORADA_H
