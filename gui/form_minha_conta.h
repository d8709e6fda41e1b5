// "Minha Conta": the logged-in user's own data, edited and saved, and the
// button that opens the password change.
#ifndef ZUMBREL_GUI_FORM_MINHA_CONTA_H
#define ZUMBREL_GUI_FORM_MINHA_CONTA_H

#include "gui/form_usuario.h"

class FormMinhaConta : public FormUsuario
{
public:
    using FormUsuario::FormUsuario;
    void montar() override;

protected:
    void mudar_estado(int e) override;
    void carregar() override;
    void sensibilizar(bool navegando) override;
    FALHA salvar(bool inserir) override;
    void depois_de_salvar() override;
    // The logged-in user read again, and shown.
    void mostrar_como_esta() override;

private:
    // After the password window: the version saves are checked against
    // follows a password changed there.
    void seguir_senha_nova();
};

#endif // ZUMBREL_GUI_FORM_MINHA_CONTA_H
