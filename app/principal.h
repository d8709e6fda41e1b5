// The application object: the one statement builder (and connection), the
// window icon and the interface object, made in this order at start.
#ifndef ZUMBREL_APP_PRINCIPAL_H
#define ZUMBREL_APP_PRINCIPAL_H

#include <future>

#include <gdkmm/pixbuf.h>
#include <gtkmm/window.h>

class QUERY;
class SISTEMAGUI;

class PRINCIPAL
{
public:
    // `conexao`, made by the caller, becomes the application's; none: it is
    // made here.
    explicit PRINCIPAL(QUERY* conexao = nullptr);
    // The connection still being made (on another thread, while the toolkit
    // starts): the login window is built and shown meanwhile, and waits for
    // it only when it is first needed.
    explicit PRINCIPAL(std::shared_future<QUERY*> conexao);
    ~PRINCIPAL();

    PRINCIPAL(const PRINCIPAL&) = delete;
    PRINCIPAL& operator=(const PRINCIPAL&) = delete;

    // The login window, on which the main loop runs.
    Gtk::Window* get_janela() const { return janela; }
    SISTEMAGUI* get_interface() const { return interface; }
    QUERY* get_query();

private:
    Gtk::Window* janela = nullptr;
    QUERY* query = nullptr;
    std::shared_future<QUERY*> conexao;
    SISTEMAGUI* interface = nullptr;
    Glib::RefPtr<Gdk::Pixbuf> icone;
};

#endif // ZUMBREL_APP_PRINCIPAL_H
