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
    bool salvar(bool inserir) override;
    void depois_de_salvar() override;
};

#endif // ZUMBREL_GUI_FORM_MINHA_CONTA_H
