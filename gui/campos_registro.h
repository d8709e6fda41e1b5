// The fields of one kind of journal entry (a treatment, a feeding, a
// weight, a move, a health finding or a harvest), laid out in a box, filled from a
// stored entry and read back into its record. The batch windows and the
// entry dialog of the hive window are built from the same set.
#ifndef ZUMBREL_GUI_CAMPOS_REGISTRO_H
#define ZUMBREL_GUI_CAMPOS_REGISTRO_H

#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

#include "gui/eventos.h"
#include "gui/lista_textos.h"
#include "model/diario.h"
#include "model/produto.h"

class QUERY;

// The fields a kind has; the others stay null.
struct WidgetsCampos
{
    // Treatments: medicines and other inputs; feedings: feeds.
    Gtk::ComboBoxText* combo_produto = nullptr;
    Gtk::Entry* entry_data = nullptr;
    Gtk::Entry* entry_inicio = nullptr;
    Gtk::Entry* entry_fim = nullptr;
    Gtk::Entry* entry_dose = nullptr;
    Gtk::Entry* entry_quantidade = nullptr;
    Gtk::ComboBoxText* combo_unidade = nullptr;   // an empty entry, then UNIDADES
    Gtk::Entry* entry_lote = nullptr;
    Gtk::Entry* entry_peso = nullptr;             // a weight's, or a harvest's kilos of honey
    ListaTextos* combo_destino = nullptr;         // an empty entry, then every apiary
    Gtk::Entry* entry_gta = nullptr;
    Gtk::ComboBoxText* combo_finalidade = nullptr;
    Gtk::ComboBoxText* combo_doenca = nullptr;    // an empty entry, then DOENCAS
    Gtk::Entry* entry_outra = nullptr;            // the finding's name, for "Outra" only
    Gtk::Label* label_notificacao = nullptr;
    Gtk::Entry* entry_quadros = nullptr;
    Gtk::ComboBoxText* combo_nivel = nullptr;     // an empty entry, then NIVEIS_OCORRENCIA
    Gtk::Entry* entry_obs = nullptr;
};

class CamposRegistro : public Gtk::VBox, public EVENTOS
{
public:
    // The fields of kind `tipo`, with the products and apiaries stored now.
    CamposRegistro(Registro tipo, QUERY* query);

    Registro tipo() const { return tipo_; }
    const WidgetsCampos& widgets() const { return w; }

    // Empties every field; dates get today.
    void limpar();
    // Shows a stored entry.
    void mostrar(const TRATAMENTOS& t);
    void mostrar(const ALIMENTACOES& a);
    void mostrar(const PESAGENS& p);
    void mostrar(const COLHEITAS& c);
    void mostrar(const MOVIMENTACOES& m);
    void mostrar(const OCORRENCIAS& o);
    // What is typed, into the fields of the record that the fields hold
    // (its key, hive and version are left as they are).
    void ler(TRATAMENTOS& t) const;
    void ler(ALIMENTACOES& a) const;
    void ler(PESAGENS& p) const;
    void ler(COLHEITAS& c) const;
    void ler(MOVIMENTACOES& m) const;
    void ler(OCORRENCIAS& o) const;
    // Fields that can be looked at but not changed.
    void so_leitura();

private:
    void linha_de(const char* texto, Gtk::Widget& campo);
    void data(Gtk::Entry*& entry, const char* texto, int tag);
    void carregar_produtos(QUERY* query);
    void carregar_apiarios(QUERY* query);
    // The unit of the product chosen, when none is chosen yet.
    void produto_escolhido();
    void doenca_escolhida();
    int produto() const;
    void escolher_produto(int id, const std::string& nome);

    Registro tipo_;
    WidgetsCampos w;
    std::vector<PRODUTOS> produtos;   // in the order of combo_produto, after its empty entry
    std::vector<int> ids_apiarios;    // in the order of combo_destino, after its empty entry
};

// Today as "DD/MM/AAAA".
std::string data_de_hoje();
// "1 colméia", "3 colméias".
std::string colmeias_n(int n);
// Makes the entry with that text the active one (the first, empty one when
// none has it, or the first of all when there is no empty one).
void escolher_texto(Gtk::ComboBoxText& combo, const std::string& texto);
// Asks, over `pai`, whether `n` hives that go to an apiary of another
// municipality may go without a transit guide: true for OK.
bool confirmar_sem_gta(Gtk::Window& pai, int n);
// Tells, over `pai`, that the finding just saved must be notified at once.
void avisar_notificacao_imediata(Gtk::Window& pai);
// A refusal of the model, over `pai`: the reason, below the shared text when
// the database refused it.
void avisar_recusa(Gtk::Window& pai, const FALHA& falha);
// A plain message over `pai`.
void avisar(Gtk::Window& pai, const std::string& texto, Gtk::MessageType tipo,
            const std::string& detalhe = std::string());

#endif // ZUMBREL_GUI_CAMPOS_REGISTRO_H
