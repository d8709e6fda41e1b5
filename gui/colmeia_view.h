// The beehive window: the layout of a beehive record (four labels and four
// buttons) with nothing behind it yet.
#ifndef ZUMBREL_GUI_COLMEIA_VIEW_H
#define ZUMBREL_GUI_COLMEIA_VIEW_H

#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include "gui/eventos.h"

class COLMEIA_VIEW : private EVENTOS
{
public:
    COLMEIA_VIEW();
    explicit COLMEIA_VIEW(Gtk::Window* pai);
    virtual ~COLMEIA_VIEW();

    COLMEIA_VIEW(const COLMEIA_VIEW&) = delete;
    COLMEIA_VIEW& operator=(const COLMEIA_VIEW&) = delete;

    void inicializar();
    void inicializarJanela();
    void inicializarObjetosJanela();
    void posicionaObjetosJanela();
    // Shows the window and returns once it is hidden.
    void exibeJanela();

    Gtk::Window* get_janela() const { return janela; }

private:
    Gtk::Window* pai;
    Gtk::Window* janela;
    Gtk::Label* label_tipo;
    Gtk::Label* label_status;
    Gtk::Label* label_rainha;
    Gtk::Label* label_apiario;
    Gtk::Button* button_salvar;
    Gtk::Button* button_cancelar;
    Gtk::Button* button_pesquisar;
    Gtk::Button* button_excluir;
};

#endif // ZUMBREL_GUI_COLMEIA_VIEW_H
