// "Primeiro Acesso": a new database has no user, and its first administrator
// is made here before anyone logs in (the name, the login, and the password
// twice). A refusal is said in the dialog, which keeps what was typed.
#ifndef ZUMBREL_GUI_DIALOGO_PRIMEIRO_ACESSO_H
#define ZUMBREL_GUI_DIALOGO_PRIMEIRO_ACESSO_H

#include <string>

#include <gtkmm/button.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>

#include "gui/eventos.h"

class USUARIO;

struct WidgetsPrimeiroAcesso
{
    Gtk::Entry* entry_nome = nullptr;
    Gtk::Entry* entry_login = nullptr;
    Gtk::Entry* entry_senha = nullptr;
    Gtk::Entry* entry_repetir = nullptr;
    Gtk::Label* label_aviso = nullptr;
    Gtk::Button* button_criar = nullptr;
};

class DialogoPrimeiroAcesso : public Gtk::Dialog, public EVENTOS
{
public:
    DialogoPrimeiroAcesso(Gtk::Window* pai, USUARIO& usuario);

    const WidgetsPrimeiroAcesso& widgets() const { return w; }
    // Runs until the administrator is made (true) or the dialog is closed.
    bool criar();
    std::string login() const { return w.entry_login->get_text().raw(); }

private:
    // What is wrong with the fields, or "" when the administrator was made.
    std::string tentar();

    WidgetsPrimeiroAcesso w;
    USUARIO& usuario;
};

#endif // ZUMBREL_GUI_DIALOGO_PRIMEIRO_ACESSO_H
