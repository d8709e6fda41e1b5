// The batch windows of the journal: "Movimentação de Colméias", "Tratamento
// em Lote", "Alimentação em Lote", "Pesagem em Lote" and "Colheita em Lote",
// one class whose kind comes from its window id. The user marks hives in the
// list of those that
// have not ended (all of an apiary's at once with one button), types the
// entry once and "Salvar" stores it for every hive marked, all of them or
// none; a move to an apiary of another municipality without a transit
// guide is asked about first.
#ifndef ZUMBREL_GUI_FORM_MANEJO_LOTE_H
#define ZUMBREL_GUI_FORM_MANEJO_LOTE_H

#include <memory>
#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/label.h>
#include <gtkmm/treemodel.h>
#include <gtkmm/treeview.h>

#include "gui/campos_registro.h"
#include "gui/formulario.h"
#include "gui/lista_textos.h"
#include "model/colmeia.h"
#include "model/diario.h"

// The list of hives: marked or not, the key, what is shown, the apiary's key.
struct ColunasLote : Gtk::TreeModelColumnRecord
{
    ColunasLote()
    {
        add(marcada);
        add(codigo);
        add(tipo);
        add(status);
        add(apiario);
        add(carencia);
        add(id_apiario);
    }
    Gtk::TreeModelColumn<bool> marcada;
    Gtk::TreeModelColumn<int> codigo;
    Gtk::TreeModelColumn<Glib::ustring> tipo;
    Gtk::TreeModelColumn<Glib::ustring> status;
    Gtk::TreeModelColumn<Glib::ustring> apiario;
    Gtk::TreeModelColumn<Glib::ustring> carencia;
    Gtk::TreeModelColumn<int> id_apiario;
};

struct WidgetsManejoLote : BotoesForm
{
    ListaTextos* combo_apiario = nullptr;         // "Todos", then every apiary by name
    Gtk::Button* button_marcar = nullptr;         // marks every hive of the apiary chosen
    Gtk::Button* button_desmarcar = nullptr;
    Gtk::TreeView* treeview_colmeias = nullptr;   // a check box, then code, type, status, apiary
    Gtk::Label* label_marcadas = nullptr;
    CamposRegistro* campos = nullptr;
    Gtk::Button* button_salvar_lote = nullptr;
    Gtk::Button* button_fechar = nullptr;
};

// The hives listed, with the ticks given to them.
class ColmeiasDoLote;

class FORM_MANEJO_LOTE : public FormularioCom<WidgetsManejoLote>
{
public:
    FORM_MANEJO_LOTE(int id, Contexto& contexto);
    void montar() override;
    // Lists the hives of the apiary chosen again, none marked.
    void carregar_dados(int dado) override;

    // The kind of entry this window stores.
    Registro tipo() const { return tipo_; }
    // The keys of the hives marked, in the order listed.
    std::vector<int> marcadas() const;
    // Marks hive `id` (listed) or takes its mark off; false when it is not listed.
    bool marcar(int id, bool sim);
    Glib::RefPtr<Gtk::TreeModel> get_lista() const { return lista; }

    // "Salvar".
    void salvar_lote();

private:
    void contar();
    bool gravar(const std::vector<int>& ids);

    Registro tipo_;
    COLMEIA colmeias;
    DIARIO diario;
    ColunasLote colunas;
    // The hives listed with their ticks, and the list's model of them.
    std::shared_ptr<ColmeiasDoLote> colmeias_listadas;
    Glib::RefPtr<Gtk::TreeModel> lista;
    std::vector<int> ids_apiarios;   // in the order of combo_apiario, after "Todos"
};

// The kind of entry of a batch window id (TRATAMENTO for an id that is none).
Registro registro_do_lote(int id);

#endif // ZUMBREL_GUI_FORM_MANEJO_LOTE_H
