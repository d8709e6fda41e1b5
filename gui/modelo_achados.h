// The rows a search found, shown by a list view straight from where they
// are: a tree model that reads each cell from the search's own rows when the
// view draws it, instead of a list store holding a copy of every row. A view
// with fixed-height rows asks only for the rows it shows, so a search that
// finds 100,000 rows costs what drawing twenty of them costs.
//
// Its columns are laid out as those of the COLUNAS record (gui/colunas.h):
// the code in `codigo`, text k (1, 2...) in `textos[k - 1]`; the other
// columns read as 0 or "".
#ifndef ZUMBREL_GUI_MODELO_ACHADOS_H
#define ZUMBREL_GUI_MODELO_ACHADOS_H

#include <cstddef>
#include <memory>

#include <gtkmm/treemodel.h>

// What a search found: how many rows, and row i's code and texts (1 to
// textos()), in the order they are shown. It keeps the rows it reads from.
class Achados
{
public:
    virtual ~Achados() = default;
    virtual std::size_t tamanho() const = 0;
    virtual int textos() const { return 2; }
    virtual int codigo(std::size_t i) const = 0;
    // Valid as long as this object lives.
    virtual const char* texto(std::size_t i, int coluna) const = 0;
    // Whether row i is ticked (lists of rows to choose from).
    virtual bool marcado(std::size_t) const { return false; }
    // For a model laid out by a column record of its own (modelo_registro):
    // an int or bool column c of row i; a text column c is read by texto(i, c).
    virtual int numero(std::size_t, int) const { return 0; }
};

// A new model over the rows; the model keeps them.
Glib::RefPtr<Gtk::TreeModel> modelo_achados(std::shared_ptr<const Achados> achados);
// The same with one column only, a string: text 1 of each row (the one
// column a drop-down list of texts reads).
Glib::RefPtr<Gtk::TreeModel> modelo_textos(std::shared_ptr<const Achados> achados);
// The same with three columns, a tick to choose rows by: whether row i is
// ticked (bool), its text 1 (string) and its code (int).
Glib::RefPtr<Gtk::TreeModel> modelo_marcas(std::shared_ptr<const Achados> achados);
// The same laid out by `registro`, a column record of the caller's: a text
// column c of row i reads texto(i, c), an int or bool column numero(i, c).
Glib::RefPtr<Gtk::TreeModel> modelo_registro(std::shared_ptr<const Achados> achados,
                                             const Gtk::TreeModelColumnRecord& registro);
// Tells the views of a model made here that row i changed (its tick), so
// that they draw it again.
void linha_mudou(const Glib::RefPtr<Gtk::TreeModel>& modelo, std::size_t i);

#endif // ZUMBREL_GUI_MODELO_ACHADOS_H
