// Widgets of the access level form ("Níveis de Acesso", id 3).
#ifndef ZUMBREL_GUI_FORM_ACESSO_H
#define ZUMBREL_GUI_FORM_ACESSO_H

#include "gui/formulario.h"

struct FormAcesso : Formulario
{
    FormAcesso() : Formulario(3) {}
};

#endif // ZUMBREL_GUI_FORM_ACESSO_H
