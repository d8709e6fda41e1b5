// What "Minha Conta" (gui/form_minha_conta.h) and "Cadastro de Usuarios"
// (gui/form_usuarios.h) share: the three frames of a user's data, their
// masks and Enter order, showing and reading a user, and the postal-code
// lookup that both run on Enter in their CEP entry.
#ifndef ZUMBREL_GUI_FORM_USUARIO_H
#define ZUMBREL_GUI_FORM_USUARIO_H

#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>

#include "gui/formulario.h"
#include "model/usuario.h"

// Why a user with no postal code known is not saved.
extern const char* const SEM_CEP;

struct WidgetsUsuario : BotoesForm
{
    Gtk::Entry* entry_nome = nullptr;
    Gtk::Entry* entry_nasc = nullptr;
    Gtk::Entry* entry_cpf = nullptr;
    Gtk::Entry* entry_rg = nullptr;
    Gtk::Entry* entry_oexp = nullptr;
    Gtk::Entry* entry_cep = nullptr;
    Gtk::Entry* entry_rua = nullptr;
    Gtk::Entry* entry_numero = nullptr;
    Gtk::Entry* entry_bairro = nullptr;
    Gtk::Entry* entry_cidade = nullptr;
    Gtk::Entry* entry_estado = nullptr;   // "ES:" in my account, "UF:" in the user form
    Gtk::Entry* entry_usuario = nullptr;
    Gtk::Entry* entry_senha = nullptr;            // user form only
    Gtk::Button* button_trocar_senha = nullptr;   // my account only
};

class FormUsuario : public FormularioCom<WidgetsUsuario>
{
public:
    using FormularioCom::FormularioCom;

    // Its own load, or the postal-code lookup.
    void carregar_dados(int dado) override;
    // The CEP typed, for the window that registers it.
    std::string cep_digitado() const { return w.entry_cep->get_text().raw(); }
    // A postal code just registered from this form: it fills the form as a
    // lookup does.
    void cep_cadastrado(const std::string& cep);

protected:
    // Builds the three frames under the toolbar; `privilegios` gets the
    // widgets of the last frame's row.
    Gtk::VBox* montar_campos(Gtk::Toolbar* barra, Gtk::HBox*& privilegios);
    // Loads the record the form shows.
    virtual void carregar() = 0;
    // Sets the widgets only this form has for browsing or editing.
    virtual void sensibilizar(bool navegando) = 0;
    void mudar_estado(int e) override;

    // The entries every user form has (Senha is not among them).
    std::vector<Gtk::Entry*> entradas() const;
    // The user's data into the entries. The CEP, the municipality and its
    // state come from the postal-code row: shown, never read back.
    void mostrar_usuario(const USER& u);
    // The typed fields over `u`; the postal code, the access level and the
    // id are the caller's.
    void ler_campos(USER& u) const;
    // The postal code a save takes: the row of the last lookup that found
    // one, once a lookup ran since the last load; else `proprio`.
    CEPS cep_para_salvar(const CEPS& proprio) const { return cep_consultado ? cep_atual : proprio; }
    // A load forgets the lookups made over the record shown before.
    void esquecer_cep() { cep_consultado = false; }

private:
    // Looks the typed CEP up; a whole CEP that is not there may be
    // registered at once, when `oferecer`.
    void consultar_cep(bool oferecer = true);

    // A lookup was started since this form last loaded a record; the row
    // the last lookup that found one gave (kept whatever came later).
    bool cep_consultado = false;
    CEPS cep_atual;
};

#endif // ZUMBREL_GUI_FORM_USUARIO_H
