// The columns of a long result list laid out once, from the texts, at the
// widths the toolkit reaches after measuring every row (the widest text, or
// the title when it is wider), so that the view does not measure thousands
// of rows before and after showing them. All rows are one line high.
#ifndef ZUMBREL_GUI_COLUNAS_FIXAS_H
#define ZUMBREL_GUI_COLUNAS_FIXAS_H

#include <functional>
#include <memory>
#include <string>

#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/modelo_achados.h"

// `texto(linha, coluna)` gives the text shown in that cell, valid until the
// next call. The view's columns each have one text cell; the view must be in
// a window.
void fixar_colunas(Gtk::TreeView& lista, std::size_t linhas,
                   const std::function<const char*(std::size_t, int)>& texto);

// A search's rows shown in its view: a code (shown as "%04d") and two
// texts per row, under these three titles. The view's columns are made anew
// and laid out once from the texts, and the rows are handed to the view
// last, in a model that reads them where they are (gui/modelo_achados.h).
Glib::RefPtr<Gtk::TreeModel> mostrar_achados(Gtk::TreeView& lista, const COLUNAS& colunas,
                                             const char* const (&titulos)[3], std::shared_ptr<const Achados> achados);

#endif // ZUMBREL_GUI_COLUNAS_FIXAS_H
