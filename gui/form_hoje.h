// "O que fazer hoje": the steps of rearing batches due today or overdue,
// and the hives whose withdrawal ends this week. The main window opens it
// at login when there is something in it, and the menu "Manejo" at any
// time. Activating a line opens its batch in "Criação de Rainhas" or its
// hive in "Cadastro de Colméias".
#ifndef ZUMBREL_GUI_FORM_HOJE_H
#define ZUMBREL_GUI_FORM_HOJE_H

#include <vector>

#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/pendencia.h"

struct WidgetsHoje : BotoesForm
{
    Gtk::Label* label_resumo = nullptr;
    Gtk::TreeView* treeview_pendencias = nullptr;
};

class FORM_HOJE : public FormularioCom<WidgetsHoje>
{
public:
    FORM_HOJE(int id, Contexto& contexto);
    void montar() override;
    void carregar_dados(int dado) override;
    // Line i activated: its batch or hive opens over this window.
    void abrir_linha(std::size_t i);

    // The batch and the hive of the line last activated (0: none), which
    // the window opened for it shows.
    int lote_escolhido() const { return lote; }
    int colmeia_escolhida() const { return colmeia; }
    const std::vector<PENDENCIAS>& get_pendencias() const { return pendencias; }

private:
    PENDENCIA modelo;
    COLUNAS colunas;
    Glib::RefPtr<Gtk::ListStore> lista;
    std::vector<PENDENCIAS> pendencias;
    int lote = 0;
    int colmeia = 0;
};

#endif // ZUMBREL_GUI_FORM_HOJE_H
