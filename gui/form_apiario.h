// Widgets of the apiary form (id 4), the apiary search (id 20) and the
// floral source window (id 8).
#ifndef ZUMBREL_GUI_FORM_APIARIO_H
#define ZUMBREL_GUI_FORM_APIARIO_H

#include "gui/formulario.h"

struct FormApiario : Formulario
{
    FormApiario() : Formulario(4) {}
};

struct FormBuscaApiario : Formulario
{
    FormBuscaApiario() : Formulario(20) {}
};

struct FormFlorada : Formulario
{
    FormFlorada() : Formulario(8) {}
};

#endif // ZUMBREL_GUI_FORM_APIARIO_H
