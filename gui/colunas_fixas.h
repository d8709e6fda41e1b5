// The columns of a long result list laid out once, from the texts, at the
// widths the toolkit reaches after measuring every row (the widest text, or
// the title when it is wider), so that the view does not measure thousands
// of rows before and after showing them. All rows are one line high.
#ifndef ZUMBREL_GUI_COLUNAS_FIXAS_H
#define ZUMBREL_GUI_COLUNAS_FIXAS_H

#include <functional>
#include <string>

#include <gtkmm/treeview.h>

// `texto(linha, coluna)` gives the text shown in that cell. The view's
// columns each have one text cell; the view must be in a window.
void fixar_colunas(Gtk::TreeView& lista, std::size_t linhas,
                   const std::function<std::string(std::size_t, int)>& texto);

#endif // ZUMBREL_GUI_COLUNAS_FIXAS_H
