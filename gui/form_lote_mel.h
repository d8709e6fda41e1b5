// "Lotes de Mel": the honey lots, newest first, and the one shown with its
// code (the year's next number when left blank), extraction date, floral
// source, moisture (above 20 % the window warns), drums, destination,
// invoice and notes. Its kilos come from the harvests listed below: the
// user picks apiaries and a period, "Buscar colheitas" lists each hive's
// harvests with kilos not yet in a lot, and the user marks them and may
// lower the kilos of each; the total is their sum. A harvest taken in a
// withdrawal period cannot be marked: the window names the hive, the
// product and the end of the withdrawal. A lot with an invoice is annulled
// ("Anular", with a reason) instead of deleted; "Rastrear" opens its trace;
// its drums' labels are printed or written as a PDF.
#ifndef ZUMBREL_GUI_FORM_LOTE_MEL_H
#define ZUMBREL_GUI_FORM_LOTE_MEL_H

#include <memory>
#include <set>
#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/apiarios_listados.h"
#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/florada.h"
#include "model/lote_mel.h"
#include "relatorios/etiqueta_lote.h"

// The harvests' list: marked or not, what is shown, the kilos for the lot
// (editable), and the row of `colheitas` it shows.
struct ColunasColheita : Gtk::TreeModelColumnRecord
{
    ColunasColheita()
    {
        add(marcada);
        add(colmeia);
        add(apiario);
        add(data);
        add(origem);
        add(colhido);
        add(em_outros);
        add(disponivel);
        add(no_lote);
        add(carencia);
        add(indice);
    }
    Gtk::TreeModelColumn<bool> marcada;
    Gtk::TreeModelColumn<int> colmeia;
    Gtk::TreeModelColumn<Glib::ustring> apiario;
    Gtk::TreeModelColumn<Glib::ustring> data;
    Gtk::TreeModelColumn<Glib::ustring> origem;
    Gtk::TreeModelColumn<Glib::ustring> colhido;
    Gtk::TreeModelColumn<Glib::ustring> em_outros;
    Gtk::TreeModelColumn<Glib::ustring> disponivel;
    Gtk::TreeModelColumn<Glib::ustring> no_lote;
    Gtk::TreeModelColumn<Glib::ustring> carencia;
    Gtk::TreeModelColumn<int> indice;
};

// The apiaries to search: marked or not, the name, the key.
struct ColunasEscolha : Gtk::TreeModelColumnRecord
{
    ColunasEscolha()
    {
        add(marcada);
        add(nome);
        add(id);
    }
    Gtk::TreeModelColumn<bool> marcada;
    Gtk::TreeModelColumn<Glib::ustring> nome;
    Gtk::TreeModelColumn<int> id;
};

struct WidgetsLoteMel : BotoesForm
{
    Gtk::Entry* entry_codigo = nullptr;            // blank: the year's next number
    Gtk::Entry* entry_extracao = nullptr;
    Gtk::ComboBoxText* combo_florada = nullptr;    // an empty entry, then every floral source
    Gtk::Entry* entry_umidade = nullptr;
    Gtk::Label* label_umidade = nullptr;           // the warning above UMIDADE_MAXIMA
    Gtk::Entry* entry_tambores = nullptr;
    Gtk::Entry* entry_destino = nullptr;
    Gtk::ComboBoxText* combo_inspecao = nullptr;   // INSPECOES
    Gtk::Entry* entry_numero_inspecao = nullptr;
    Gtk::Entry* entry_nota = nullptr;
    Gtk::Entry* entry_obs = nullptr;
    Gtk::Label* label_total = nullptr;
    Gtk::Label* label_situacao = nullptr;          // an annulled lot's day and reason

    Gtk::TreeView* treeview_apiarios = nullptr;    // a check box, then the name
    Gtk::Entry* entry_de = nullptr;
    Gtk::Entry* entry_ate = nullptr;
    Gtk::Button* button_buscar_colheitas = nullptr;
    Gtk::TreeView* treeview_colheitas = nullptr;

    Gtk::Button* button_anular = nullptr;
    Gtk::Button* button_rastrear = nullptr;
    Gtk::Button* button_imprimir_etiquetas = nullptr;
    Gtk::Button* button_etiquetas_pdf = nullptr;
    Gtk::Button* button_exportar_csv = nullptr;   // the lots listed, as shown
    Gtk::TreeView* treeview_lotes = nullptr;
};

// The harvests listed, with the ticks and kilos given to them.
class ColheitasListadas;

class FORM_LOTE_MEL : public FormularioCom<WidgetsLoteMel>
{
public:
    FORM_LOTE_MEL(int id, Contexto& contexto);
    void montar() override;
    // Lists the lots again and shows the one shown, as stored now.
    void carregar_dados(int dado) override;
    // The trace window hands over a lot to show.
    bool receber_escolha(int de_onde, int chave) override;

    const LOTES_MEL& get_lote_atual() const { return atual; }
    Glib::RefPtr<Gtk::TreeModel> get_colheitas() const { return lista_colheitas; }
    const std::vector<LOTES_MEL>& get_lotes() const { return lotes_listados; }

    // Shows the lot of that key (false when there is none).
    bool mostrar_lote(int id);
    // "Buscar colheitas": the harvests of the apiaries marked (all when none
    // is) in the period, those of the lot shown marked with their kilos.
    void buscar_colheitas();
    // Marks harvest row `linha` of the list, or takes its mark off; a harvest
    // in withdrawal is refused with the reason (false).
    bool marcar(int linha, bool sim);
    // Writes the kilos of row `linha` for the lot, as typed there.
    void quilos_no_lote(int linha, const std::string& quilos);
    // Marks apiary `id` in the search list; false when it is not listed.
    bool marcar_apiario(int id, bool sim);
    // "Anular", with the reason asked in a dialog (or given, for tests).
    void anular(const std::string* motivo = nullptr);
    // The sum of the kilos marked, as shown.
    std::string total() const;
    // The drum labels of the lot shown, one a drum.
    std::vector<ETIQUETA_LOTE> etiquetas();
    // "Imprimir etiquetas": the toolkit's print dialog, eight labels a page.
    void imprimir_etiquetas();
    // "Etiquetas em PDF": to the file chosen in a dialog (or given, for tests).
    void exportar_etiquetas(const std::string* caminho = nullptr);

protected:
    void mudar_estado(int e) override;
    FALHA salvar(bool inserir) override;
    FALHA excluir() override;
    std::string detalhe_exclusao() override;
    bool pode_excluir() const override;

private:
    void mostrar(const LOTES_MEL& l);
    void limpar();
    void escolhido();
    void editaveis(bool sim);
    void umidade_mudou();
    void contar();
    // The parts of the lot shown, as the harvest list holds them.
    std::vector<PARTE_LOTE> partes() const;
    void mostrar_partes(const LOTES_MEL& l);
    void encher_colheitas(std::vector<COLHEITA_LOTE> lista, const LOTES_MEL& l);

    LOTE_MEL lotes;
    FLORADAS floradas;
    std::vector<FLORADA> lista_floradas;   // in the order of combo_florada, after its empty entry
    COLUNAS colunas;
    ColunasColheita colunas_colheita;
    ColunasEscolha colunas_apiario;
    Glib::RefPtr<Gtk::TreeModel> lista_lotes;   // reads lotes_listados where they are
    // The harvests as the list was last filled, with their ticks and kilos,
    // and the list's model of them.
    std::shared_ptr<ColheitasListadas> colheitas_listadas;
    Glib::RefPtr<Gtk::TreeModel> lista_colheitas;
    // Every apiary, with the ticks given to them, and the list's model of it.
    std::shared_ptr<ApiariosListados> apiarios_listados;
    Glib::RefPtr<Gtk::TreeModel> lista_apiarios;
    std::vector<LOTES_MEL> lotes_listados;
    LOTES_MEL atual;
    bool preenchendo = false;
};

#endif // ZUMBREL_GUI_FORM_LOTE_MEL_H
