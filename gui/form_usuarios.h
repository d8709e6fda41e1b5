// "Cadastro de Usuarios": every user, one at a time, browsed, created,
// edited and found by name or CPF in the user search.
#ifndef ZUMBREL_GUI_FORM_USUARIOS_H
#define ZUMBREL_GUI_FORM_USUARIOS_H

#include "gui/form_usuario.h"

class FormUsuarios : public FormUsuario
{
public:
    using FormUsuario::FormUsuario;
    // The users' rows go with the window.
    ~FormUsuarios() override;
    void montar() override;
    // The user chosen in the search is shown.
    bool receber_escolha(int de_onde, int chave) override;

protected:
    void carregar() override;
    void sensibilizar(bool navegando) override;
    FALHA salvar(bool inserir) override;
    Lembranca* lembranca() override { return &ctx.usuarios; }
    std::size_t tamanho() const override { return usuarios.size(); }
    std::string texto_registro(std::size_t i) const override { return usuarios.nome(i); }
    int chave_registro(std::size_t i) const override { return usuarios.id(i); }

private:
    // 1-based position of the user with that id in the list, or 0.
    Posicao posicao_de(int id) const;

    LISTA_USUARIOS usuarios;
};

#endif // ZUMBREL_GUI_FORM_USUARIOS_H
