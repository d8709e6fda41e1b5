// " Trocar de Senha ": the logged-in user types the current password and a
// new one twice; opened by "Trocar Senha" in "Minha Conta", whose widgets it
// leaves alone, and right after a login with the sample password.
#ifndef ZUMBREL_GUI_FORM_SENHA_H
#define ZUMBREL_GUI_FORM_SENHA_H

#include <gtkmm/button.h>
#include <gtkmm/entry.h>

#include "gui/formulario.h"

struct WidgetsSenha : BotoesForm
{
    Gtk::Entry* entry_atual = nullptr;
    Gtk::Entry* entry_nova = nullptr;
    Gtk::Entry* entry_repetir = nullptr;
    Gtk::Button* button_alterar = nullptr;
    Gtk::Button* button_cancelar_senha = nullptr;
};

class FormSenha : public FormularioCom<WidgetsSenha>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override;
    // "Alterar": checks the two texts and the current password, and stores
    // the new password of the logged-in user (0 is the only value callers
    // pass).
    void atualizar_senha(int quem);
};

#endif // ZUMBREL_GUI_FORM_SENHA_H
