#include "gui/montagem.h"

#include <gtkmm/cellrenderertext.h>

Gtk::Label* rotulo(const char* texto)
{
    return Gtk::manage(new Gtk::Label(texto));
}

void rotulo(Gtk::Box& linha, const char* texto, guint espaco)
{
    linha.pack_start(*rotulo(texto), false, false, espaco);
}

Gtk::HBox* linha_com(Gtk::Widget& primeiro)
{
    Gtk::HBox* l = Gtk::manage(new Gtk::HBox(false, 0));
    l->pack_start(primeiro, false, false, 10);
    return l;
}

Gtk::HBox* linha(Gtk::VBox& caixa, const char* texto, Gtk::Widget& campo, guint espaco, int largura)
{
    Gtk::HBox* l = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::Label* r = rotulo(texto);
    if (largura > 0) {
        r->set_size_request(largura, -1);
        r->set_alignment(0, 0.5);
    }
    l->pack_start(*r, false, false, espaco);
    l->pack_start(campo, false, false, largura > 0 ? 0 : espaco);
    caixa.pack_start(*l, false, false, 0);
    return l;
}

void limitar_largura(Gtk::CellLayout& lista, int caracteres)
{
    for (Gtk::CellRenderer* c : lista.get_cells()) {
        if (Gtk::CellRendererText* texto = dynamic_cast<Gtk::CellRendererText*>(c)) {
            texto->property_ellipsize() = Pango::ELLIPSIZE_END;
            texto->property_width_chars() = caracteres;
        }
    }
}
