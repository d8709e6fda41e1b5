#include "gui/marca_cor.h"

#include <cstdlib>
#include <map>

#include <gtkmm/cellrendererpixbuf.h>
#include <gtkmm/cellrenderertext.h>

#include "util/marcacao.h"

namespace {

const int LADO = 14;

// "#rrggbb" as the 0xRRGGBBAA that Gdk::Pixbuf::fill takes.
guint32 rgba(const char* rgb) { return static_cast<guint32>(std::strtoul(rgb + 1, nullptr, 16)) << 8 | 0xff; }

} // namespace

Glib::RefPtr<Gdk::Pixbuf> marca_da_cor(const std::string& cor)
{
    // One pixbuf per colour for the whole program: a list of thousands of
    // queens draws the same six.
    static std::map<std::string, Glib::RefPtr<Gdk::Pixbuf>> feitas;
    const std::string chave = cor_de_marcacao(cor) ? cor : std::string();
    Glib::RefPtr<Gdk::Pixbuf>& marca = feitas[chave];
    if (!marca) {
        marca = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, LADO, LADO);
        if (chave.empty()) {
            marca->fill(0x00000000);
        } else {
            marca->fill(0x303030ff);
            Gdk::Pixbuf::create_subpixbuf(marca, 1, 1, LADO - 2, LADO - 2)->fill(rgba(rgb_da_cor(chave)));
        }
    }
    return marca;
}

void coluna_marca(Gtk::TreeView& lista, const char* titulo, const Gtk::TreeModelColumn<Glib::ustring>& cor,
                  const Gtk::TreeModelColumn<Glib::ustring>& texto, int largura)
{
    Gtk::TreeViewColumn* coluna = Gtk::manage(new Gtk::TreeViewColumn(titulo));
    Gtk::CellRendererPixbuf* marca = Gtk::manage(new Gtk::CellRendererPixbuf());
    coluna->pack_start(*marca, false);
    coluna->set_cell_data_func(*marca, [marca, &cor](Gtk::CellRenderer*, const Gtk::TreeModel::iterator& it) {
        const Glib::ustring nome = (*it)[cor];
        marca->property_pixbuf() = marca_da_cor(nome.raw());
    });
    Gtk::CellRendererText* nome = Gtk::manage(new Gtk::CellRendererText());
    nome->property_ellipsize() = Pango::ELLIPSIZE_END;
    coluna->pack_start(*nome, true);
    coluna->add_attribute(nome->property_text(), texto);
    coluna->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    coluna->set_fixed_width(largura);
    coluna->set_resizable(true);
    lista.append_column(*coluna);
}
