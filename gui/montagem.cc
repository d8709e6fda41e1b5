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

void coluna_texto(Gtk::TreeView& lista, const char* titulo, const Gtk::TreeModelColumn<Glib::ustring>& coluna,
                  int largura)
{
    Gtk::CellRendererText* celula = Gtk::manage(new Gtk::CellRendererText());
    celula->property_ellipsize() = Pango::ELLIPSIZE_END;
    Gtk::TreeViewColumn* c = Gtk::manage(new Gtk::TreeViewColumn(titulo, *celula));
    c->add_attribute(celula->property_text(), coluna);
    c->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    c->set_fixed_width(largura);
    c->set_resizable(true);
    lista.append_column(*c);
}

void altura_fixa(Gtk::TreeView& lista, int largura)
{
    for (Gtk::TreeViewColumn* c : lista.get_columns()) {
        if (c->get_sizing() != Gtk::TREE_VIEW_COLUMN_FIXED) {
            c->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
            c->set_fixed_width(largura);
        }
    }
    lista.set_fixed_height_mode(true);
}

Gtk::ScrolledWindow* rolagem(Gtk::Widget& filho, int altura)
{
    Gtk::ScrolledWindow* r = Gtk::manage(new Gtk::ScrolledWindow());
    r->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    r->set_shadow_type(Gtk::SHADOW_IN);
    r->set_size_request(-1, altura);
    r->add(filho);
    return r;
}

Gtk::ComboBoxText* lista_de_textos(const char* const* textos, std::size_t n, bool vazio)
{
    Gtk::ComboBoxText* c = Gtk::manage(new Gtk::ComboBoxText());
    if (vazio)
        c->append("");
    for (std::size_t i = 0; i < n; ++i)
        c->append(textos[i]);
    c->set_active(0);
    return c;
}

std::string texto(const Gtk::Entry* e) { return e->get_text().raw(); }
std::string texto(const Gtk::ComboBoxText* c) { return c->get_active_text().raw(); }
