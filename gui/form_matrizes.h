// "Desempenho das Matrizes" (menu "Manejo"): how each breeder queen does,
// one line each (model/desempenho.h), sorted by any column by clicking its
// title.
#ifndef ZUMBREL_GUI_FORM_MATRIZES_H
#define ZUMBREL_GUI_FORM_MATRIZES_H

#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/desempenho.h"

struct WidgetsMatrizes : BotoesForm
{
    Gtk::TreeView* treeview_matrizes = nullptr;
};

class FORM_MATRIZES : public FormularioCom<WidgetsMatrizes>
{
public:
    FORM_MATRIZES(int id, Contexto& contexto);
    void montar() override;
    void carregar_dados(int dado) override;
    Glib::RefPtr<Gtk::ListStore> get_lista() const { return lista; }

private:
    DESEMPENHO modelo;
    COLUNAS colunas;
    Glib::RefPtr<Gtk::ListStore> lista;
};

#endif // ZUMBREL_GUI_FORM_MATRIZES_H
