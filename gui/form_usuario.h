// Widgets of the user forms ("Minha Conta", id 1, and "Cadastro de
// Usuarios", id 2), of the user search window and of the password window.
#ifndef ZUMBREL_GUI_FORM_USUARIO_H
#define ZUMBREL_GUI_FORM_USUARIO_H

#include <string>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/formulario.h"

struct FormUsuario : Formulario
{
    explicit FormUsuario(int id_janela) : Formulario(id_janela) {}

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
    Gtk::Entry* entry_senha = nullptr;    // user form only
    Gtk::Button* button_trocar_senha = nullptr;   // my account only

    // A postal-code lookup was started since this form last loaded a record:
    // the next save takes the row that lookup found.
    bool cep_consultado = false;
};

struct FormBuscaUsuario : Formulario
{
    FormBuscaUsuario() : Formulario(21) {}

    Gtk::ComboBoxText* combo_campo = nullptr;   // "Nome" or "CPF"
    Gtk::Entry* entry_pesquisa = nullptr;
    Gtk::TreeView* treeview_usuarios = nullptr;
    Glib::RefPtr<Gtk::ListStore> lista;
    // The column the typed prefix is matched against: "u.nome" or "u.cpf".
    std::string campo_pesquisa = "u.nome";
};

struct FormSenha : Formulario
{
    FormSenha() : Formulario(7) {}

    Gtk::Entry* entry_nova = nullptr;
    Gtk::Entry* entry_repetir = nullptr;
    Gtk::Button* button_alterar = nullptr;
    Gtk::Button* button_cancelar_senha = nullptr;
};

#endif // ZUMBREL_GUI_FORM_USUARIO_H
