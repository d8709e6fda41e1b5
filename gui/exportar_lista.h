// "Exportar CSV" of a list window: the rows of a list view as it shows
// them, its column titles first, written as the reports' CSV is.
#ifndef ZUMBREL_GUI_EXPORTAR_LISTA_H
#define ZUMBREL_GUI_EXPORTAR_LISTA_H

#include <string>

#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

// Writes the list's texts, as its cells show them, to that file; false
// with *erro naming the file when it cannot be written.
bool lista_para_csv(Gtk::TreeView& lista, const std::string& titulo, const std::string& caminho, std::string* erro);

// Asks where to write it (`nome` suggested), writes it and says how it went.
void exportar_lista(Gtk::TreeView& lista, Gtk::Window& pai, const std::string& titulo, const std::string& nome);

#endif // ZUMBREL_GUI_EXPORTAR_LISTA_H
