#include "gui/colmeia_view.h"

#include <gtkmm/box.h>

void COLMEIA_VIEW::inicializar()
{
    inicializarJanela();
    inicializarObjetosJanela();
    posicionaObjetosJanela();
}

void COLMEIA_VIEW::inicializarJanela()
{
    // The frame made it transient for its parent, centred and with its border.
    janela()->set_size_request(650, 380);
}

void COLMEIA_VIEW::inicializarObjetosJanela()
{
    w.label_tipo = Gtk::manage(new Gtk::Label("Tipo"));
    w.label_status = Gtk::manage(new Gtk::Label("Status"));
    w.label_rainha = Gtk::manage(new Gtk::Label("Rainha"));
    w.label_apiario = Gtk::manage(new Gtk::Label("Apiario"));
    w.button_salvar_colmeia = Gtk::manage(new Gtk::Button("Salvar"));
    w.button_cancelar_colmeia = Gtk::manage(new Gtk::Button("Cancelar"));
    w.button_pesquisar = Gtk::manage(new Gtk::Button("Pesquisar"));
    w.button_excluir_colmeia = Gtk::manage(new Gtk::Button("Excluir"));
}

void COLMEIA_VIEW::posicionaObjetosJanela()
{
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Label* rotulos[] = { w.label_tipo, w.label_status, w.label_rainha, w.label_apiario };
    for (Gtk::Label* rotulo : rotulos) {
        Gtk::HBox* linha = Gtk::manage(new Gtk::HBox(false, 0));
        linha->pack_start(*rotulo, false, false, 10);
        vertical->pack_start(*linha, false, false, 0);
    }
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::Button* ordem[] = { w.button_salvar_colmeia, w.button_pesquisar, w.button_cancelar_colmeia,
                             w.button_excluir_colmeia };
    for (Gtk::Button* b : ordem) {
        b->set_size_request(100, -1);
        botoes->pack_start(*b, false, false, 10);
    }
    vertical->pack_end(*botoes, false, false, 0);
    janela()->add(*vertical);
}
