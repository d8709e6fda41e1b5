#include "gui/gtk2_interno.h"

GtkWidget* botao_do_titulo(GtkTreeViewColumn* coluna)
{
    return coluna ? coluna->button : nullptr;
}
