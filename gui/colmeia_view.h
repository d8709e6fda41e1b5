// The beehive window: the layout of a beehive record (four labels and four
// buttons) with nothing behind it yet.
#ifndef ZUMBREL_GUI_COLMEIA_VIEW_H
#define ZUMBREL_GUI_COLMEIA_VIEW_H

#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include "gui/formulario.h"

struct WidgetsColmeia : BotoesForm
{
    Gtk::Label* label_tipo = nullptr;
    Gtk::Label* label_status = nullptr;
    Gtk::Label* label_rainha = nullptr;
    Gtk::Label* label_apiario = nullptr;
    Gtk::Button* button_salvar_colmeia = nullptr;
    Gtk::Button* button_cancelar_colmeia = nullptr;
    Gtk::Button* button_pesquisar = nullptr;
    Gtk::Button* button_excluir_colmeia = nullptr;
};

class COLMEIA_VIEW : public FormularioCom<WidgetsColmeia>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override { inicializar(); }

    void inicializar();
    void inicializarJanela();
    void inicializarObjetosJanela();
    void posicionaObjetosJanela();
};

#endif // ZUMBREL_GUI_COLMEIA_VIEW_H
