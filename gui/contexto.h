// What a form window is given to work with: the data-access objects, the
// logged-in user, the icon, the windows its dialogs go over, the positions
// that outlive a closed form, and a way to open another window.
#ifndef ZUMBREL_GUI_CONTEXTO_H
#define ZUMBREL_GUI_CONTEXTO_H

#include <functional>
#include <memory>

#include <gdkmm/pixbuf.h>
#include <gtkmm/window.h>

#include "model/abelha.h"
#include "model/acesso.h"
#include "model/apiario.h"
#include "model/florada.h"
#include "model/municipio.h"
#include "model/usuario.h"
#include "util/navegacao.h"

class Formulario;
class QUERY;

// Where a browsable list stood: its 1-based position and whether it was
// loaded since the main window was built. Closing a form keeps both, so the
// form reopens on the record it showed.
struct Lembranca
{
    Posicao posicao = 1;
    bool primeiro_acesso = false;
};

struct Contexto
{
    QUERY* query = nullptr;
    std::unique_ptr<USUARIO> usuario;
    std::unique_ptr<APIARIO> apiario;
    std::unique_ptr<FLORADAS> floradas;
    std::unique_ptr<MUNICIPIO> municipio;
    std::unique_ptr<ACESSO> acesso;
    std::unique_ptr<ABELHA> abelha;

    USER usuario_logado;
    // Whether the logged-in user is an administrator (model/acesso.h), as
    // at the login: only administrators open the user and access-level
    // forms.
    bool administrador = false;
    // The sample administrator logged in with the sample password: the
    // password window opens by itself, saying why, once the main window is up.
    bool senha_de_exemplo = false;
    Glib::RefPtr<Gdk::Pixbuf> icone;
    // The message dialogs of the saves go over the login window; the apiary
    // search opens over the main window.
    Gtk::Window* janela_login = nullptr;
    Gtk::Window* janela_principal = nullptr;

    Lembranca usuarios;
    Lembranca apiarios;
    Lembranca abelhas;

    // Opens the window of that id over a window and returns once it is
    // closed; the newest open window of an id (null when none is open).
    std::function<void(int, Gtk::Window*)> abrir;
    std::function<Formulario*(int)> aberto;
};

#endif // ZUMBREL_GUI_CONTEXTO_H
