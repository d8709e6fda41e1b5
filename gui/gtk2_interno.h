// The one place the program reads a field of a GTK 2 structure instead of
// calling the toolkit: revisit it when moving to another version of GTK.
#ifndef ZUMBREL_GUI_GTK2_INTERNO_H
#define ZUMBREL_GUI_GTK2_INTERNO_H

#include <gtk/gtk.h>

// The button that shows a list column's title. GTK 2 has no call that gives
// it, and the column layout of long lists (gui/colunas_fixas.cc) asks it its
// size, as the toolkit itself does, to lay the column out without measuring
// every row.
GtkWidget* botao_do_titulo(GtkTreeViewColumn* coluna);

#endif // ZUMBREL_GUI_GTK2_INTERNO_H
