// Widgets of the user forms ("Minha Conta", id 1, and "Cadastro de
// Usuarios", id 2), of the user search window and of the password window.
#ifndef ZUMBREL_GUI_FORM_USUARIO_H
#define ZUMBREL_GUI_FORM_USUARIO_H

#include "gui/formulario.h"

struct FormUsuario : Formulario
{
    explicit FormUsuario(int id_janela) : Formulario(id_janela) {}
};

struct FormBuscaUsuario : Formulario
{
    FormBuscaUsuario() : Formulario(21) {}
};

struct FormSenha : Formulario
{
    FormSenha() : Formulario(7) {}
};

#endif // ZUMBREL_GUI_FORM_USUARIO_H
