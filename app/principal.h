// The application object: the one statement builder (and connection), the
// window icon and the interface object, made in this order at start.
#ifndef ZUMBREL_APP_PRINCIPAL_H
#define ZUMBREL_APP_PRINCIPAL_H

#include <gdkmm/pixbuf.h>
#include <gtkmm/window.h>

class QUERY;
class SISTEMAGUI;

class PRINCIPAL
{
public:
    // `conexao`, made by the caller (who may make it while the toolkit
    // starts), becomes the application's; none: it is made here.
    explicit PRINCIPAL(QUERY* conexao = nullptr);
    ~PRINCIPAL();

    PRINCIPAL(const PRINCIPAL&) = delete;
    PRINCIPAL& operator=(const PRINCIPAL&) = delete;

    // The login window, on which the main loop runs.
    Gtk::Window* get_janela() const { return janela; }
    SISTEMAGUI* get_interface() const { return interface; }
    QUERY* get_query() const { return query; }

private:
    Gtk::Window* janela = nullptr;
    QUERY* query = nullptr;
    SISTEMAGUI* interface = nullptr;
    Glib::RefPtr<Gdk::Pixbuf> icone;
};

#endif // ZUMBREL_APP_PRINCIPAL_H
