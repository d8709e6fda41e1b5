// " Trocar de Senha ": the logged-in user types a new password twice; opened
// by "Trocar Senha" in "Minha Conta", whose widgets it leaves alone.
#ifndef ZUMBREL_GUI_FORM_SENHA_H
#define ZUMBREL_GUI_FORM_SENHA_H

#include <gtkmm/button.h>
#include <gtkmm/entry.h>

#include "gui/formulario.h"

struct WidgetsSenha : BotoesForm
{
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
    // "Alterar": checks the two texts and stores the new password of the
    // logged-in user (0 is the only value callers pass).
    void atualizar_senha(int quem);
};

#endif // ZUMBREL_GUI_FORM_SENHA_H
