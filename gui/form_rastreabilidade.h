// "Rastreabilidade": where a honey lot came from, and where a hive's or an
// apiary's honey went. For a lot: each harvest with the apiary its hive
// stood in (municipality, state, coordinates) and the queen heading it on
// that day, and every treatment, finding and move of those hives in the
// months before the extraction (12 unless changed). For a hive or an
// apiary: the lots its honey went into. Choosing a line ("Abrir", or a
// double click) opens its record.
#ifndef ZUMBREL_GUI_FORM_RASTREABILIDADE_H
#define ZUMBREL_GUI_FORM_RASTREABILIDADE_H

#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/radiobutton.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/lote_mel.h"

struct WidgetsRastreabilidade : BotoesForm
{
    Gtk::RadioButton* radio_lote = nullptr;
    Gtk::RadioButton* radio_colmeia = nullptr;
    Gtk::RadioButton* radio_apiario = nullptr;
    Gtk::Entry* entry_lote = nullptr;              // a lot's code
    Gtk::Entry* entry_meses = nullptr;             // months before the extraction
    Gtk::Entry* entry_colmeia = nullptr;           // a hive's code
    Gtk::TreeView* treeview_apiarios = nullptr;    // every apiary by name, one chosen
    Gtk::Button* button_rastrear = nullptr;
    Gtk::Label* label_resumo = nullptr;
    Gtk::TreeView* treeview_rastro = nullptr;      // hive, kind, date, what it says
    Gtk::Button* button_abrir = nullptr;
    Gtk::Button* button_fechar = nullptr;
};

class FORM_RASTREABILIDADE : public FormularioCom<WidgetsRastreabilidade>
{
public:
    FORM_RASTREABILIDADE(int id, Contexto& contexto);
    void montar() override;
    // The lots window hands over a lot to trace.
    bool receber_escolha(int de_onde, int chave) override;

    // "Rastrear", as chosen in the window.
    void rastrear();
    // The lines shown, in order.
    const std::vector<LINHA_RASTRO>& get_linhas() const { return linhas; }
    // Opens the record of line `i`.
    void abrir_linha(std::size_t i);

private:
    void mostrar(const std::vector<LINHA_RASTRO>& l, const std::string& resumo);
    void escolher_lote(int id);
    // The apiary chosen in the list (0 for none).
    int apiario_escolhido() const;

    LOTE_MEL lotes;
    COLUNAS colunas;
    // The lines, and the list's model that reads them where they are.
    std::vector<LINHA_RASTRO> linhas;
    Glib::RefPtr<Gtk::TreeModel> lista;
    COLUNAS colunas_apiario;
    Glib::RefPtr<Gtk::TreeModel> lista_apiarios;
};

#endif // ZUMBREL_GUI_FORM_RASTREABILIDADE_H
