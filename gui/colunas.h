// The one column record from which every list store of the program is made.
#ifndef ZUMBREL_GUI_COLUNAS_H
#define ZUMBREL_GUI_COLUNAS_H

#include <glibmm/ustring.h>
#include <gtkmm/treemodelcolumn.h>

class COLUNAS : public Gtk::TreeModelColumnRecord
{
public:
    COLUNAS();
    ~COLUNAS() override = default;

    Gtk::TreeModelColumn<int> codigo;
    Gtk::TreeModelColumn<int> inteiros[10];
    Gtk::TreeModelColumn<float> reais[10];
    Gtk::TreeModelColumn<Glib::ustring> textos[10];
};

#endif // ZUMBREL_GUI_COLUNAS_H
