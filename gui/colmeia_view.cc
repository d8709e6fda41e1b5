// The beehive window (id 6 of the main menu).
#include "gui/colmeia_view.h"

#include <gtkmm/box.h>
#include <gtkmm/main.h>

#include "gui/sistemagui.h"

COLMEIA_VIEW::COLMEIA_VIEW() : COLMEIA_VIEW(nullptr) {}

COLMEIA_VIEW::COLMEIA_VIEW(Gtk::Window* p)
    : pai(p), janela(nullptr), label_tipo(nullptr), label_status(nullptr), label_rainha(nullptr),
      label_apiario(nullptr), button_salvar(nullptr), button_cancelar(nullptr), button_pesquisar(nullptr),
      button_excluir(nullptr)
{
}

COLMEIA_VIEW::~COLMEIA_VIEW()
{
    // The labels and buttons belong to the window.
    delete janela;
}

void COLMEIA_VIEW::inicializar()
{
    inicializarJanela();
    inicializarObjetosJanela();
    posicionaObjetosJanela();
}

void COLMEIA_VIEW::inicializarJanela()
{
    delete janela;
    janela = new Gtk::Window();
    if (pai)
        janela->set_transient_for(*pai);
    janela->set_position(Gtk::WIN_POS_CENTER);
    janela->set_size_request(650, 380);
    janela->set_border_width(15);
}

void COLMEIA_VIEW::inicializarObjetosJanela()
{
    label_tipo = Gtk::manage(new Gtk::Label("Tipo"));
    label_status = Gtk::manage(new Gtk::Label("Status"));
    label_rainha = Gtk::manage(new Gtk::Label("Rainha"));
    label_apiario = Gtk::manage(new Gtk::Label("Apiario"));
    button_salvar = Gtk::manage(new Gtk::Button("Salvar"));
    button_cancelar = Gtk::manage(new Gtk::Button("Cancelar"));
    button_pesquisar = Gtk::manage(new Gtk::Button("Pesquisar"));
    button_excluir = Gtk::manage(new Gtk::Button("Excluir"));
}

void COLMEIA_VIEW::posicionaObjetosJanela()
{
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Label* rotulos[] = { label_tipo, label_status, label_rainha, label_apiario };
    for (Gtk::Label* rotulo : rotulos) {
        Gtk::HBox* linha = Gtk::manage(new Gtk::HBox(false, 0));
        linha->pack_start(*rotulo, false, false, 10);
        vertical->pack_start(*linha, false, false, 0);
    }
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::Button* ordem[] = { button_salvar, button_pesquisar, button_cancelar, button_excluir };
    for (Gtk::Button* b : ordem) {
        b->set_size_request(100, -1);
        botoes->pack_start(*b, false, false, 10);
    }
    vertical->pack_end(*botoes, false, false, 0);
    janela->add(*vertical);
}

void COLMEIA_VIEW::exibeJanela()
{
    if (!janela)
        return;
    janela->show_all();
    // Hiding the window, by its close box or by the program closing every
    // window, ends the loop.
    while (janela->is_visible())
        Gtk::Main::iteration();
}

void SISTEMAGUI::abrir_colmeias(Gtk::Window* pai)
{
    COLMEIA_VIEW colmeias(pai);
    colmeias.inicializar();
    colmeias.exibeJanela();
}
