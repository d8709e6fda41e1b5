// The coloured mark of a queen bee, as the queen bee form, the genealogy
// and the hive list draw it: a small square of her marking colour with a
// dark edge (so that a white mark shows on a white window).
#ifndef ZUMBREL_GUI_MARCA_COR_H
#define ZUMBREL_GUI_MARCA_COR_H

#include <string>

#include <gdkmm/pixbuf.h>
#include <gtkmm/treeview.h>

// The mark of a colour of util/marcacao.h; for no colour, an empty square
// of the same size, so that rows with and without one line up.
Glib::RefPtr<Gdk::Pixbuf> marca_da_cor(const std::string& cor);

// A column of a list view with the mark of the colour named in `cor` and,
// beside it, the text of `texto` (the colour's name, or more), as wide as
// given.
void coluna_marca(Gtk::TreeView& lista, const char* titulo, const Gtk::TreeModelColumn<Glib::ustring>& cor,
                  const Gtk::TreeModelColumn<Glib::ustring>& texto, int largura);

#endif // ZUMBREL_GUI_MARCA_COR_H
