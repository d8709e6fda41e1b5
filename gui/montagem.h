// Small building blocks the windows are laid out with: labels, rows that
// start with one, and lists that cut long texts short.
#ifndef ZUMBREL_GUI_MONTAGEM_H
#define ZUMBREL_GUI_MONTAGEM_H

#include <cstddef>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/celllayout.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treeview.h>

// A label with that text, managed by the toolkit.
Gtk::Label* rotulo(const char* texto);
// Packs a label with that text at the start of the row, not expanding,
// `espaco` pixels around it.
void rotulo(Gtk::Box& linha, const char* texto, guint espaco);
// A new row that starts with the widget, 10 pixels around it.
Gtk::HBox* linha_com(Gtk::Widget& primeiro);
// A new row at the end of `caixa` that starts with a label of that text
// (`largura` pixels wide and aligned left, when given) and then the field.
Gtk::HBox* linha(Gtk::VBox& caixa, const char* texto, Gtk::Widget& campo, guint espaco = 10, int largura = -1);
// Texts typed by users may be of any length: a list shows a long one cut
// short with an ellipsis at that many characters, so that the window never
// grows wider than the X server can draw (which would end the program).
void limitar_largura(Gtk::CellLayout& lista, int caracteres);
// A text column of a list view, as wide as given and cut short with an
// ellipsis.
void coluna_texto(Gtk::TreeView& lista, const char* titulo, const Gtk::TreeModelColumn<Glib::ustring>& coluna,
                  int largura);
// Every column of the list fixed (those not fixed yet `largura` pixels
// wide) and every row one line high: the list then measures only the rows
// it shows, however many it has.
void altura_fixa(Gtk::TreeView& lista, int largura = 60);
// A scrolled window around `filho`, `altura` pixels high at least.
Gtk::ScrolledWindow* rolagem(Gtk::Widget& filho, int altura);

// A drop-down list of the texts (after an empty entry when `vazio`), the
// first entry chosen.
Gtk::ComboBoxText* lista_de_textos(const char* const* textos, std::size_t n, bool vazio);
// What an entry holds, and the text chosen in a list, as typed bytes.
std::string texto(const Gtk::Entry* e);
std::string texto(const Gtk::ComboBoxText* c);

#endif // ZUMBREL_GUI_MONTAGEM_H
