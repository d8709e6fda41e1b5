// Widgets of the queen bee form ("Cadastro de Abelhas", id 5).
#ifndef ZUMBREL_GUI_FORM_ABELHA_H
#define ZUMBREL_GUI_FORM_ABELHA_H

#include "gui/formulario.h"

struct FormAbelha : Formulario
{
    FormAbelha() : Formulario(5) {}
};

#endif // ZUMBREL_GUI_FORM_ABELHA_H
