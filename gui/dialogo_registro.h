// The dialog of one journal entry of one hive, new or opened from the
// hive window's journal: a treatment, a feeding, a health finding, a weight,
// a harvest (all of them editable), a move or a colony event (stored once,
// then only shown). "Salvar" stores it; a refusal keeps the dialog open with
// what was typed and says why.
#ifndef ZUMBREL_GUI_DIALOGO_REGISTRO_H
#define ZUMBREL_GUI_DIALOGO_REGISTRO_H

#include <string>
#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>

#include "gui/campos_registro.h"
#include "model/colmeia.h"
#include "model/diario.h"

struct WidgetsRegistro
{
    // Every kind but the colony events.
    CamposRegistro* campos = nullptr;

    // Colony events.
    Gtk::ComboBoxText* combo_evento = nullptr;      // TIPOS_EVENTO
    Gtk::Entry* entry_data_evento = nullptr;
    Gtk::ComboBoxText* combo_tipo_nova = nullptr;   // a split's or a swarm's new hive: TIPOS_COLMEIA
    Gtk::CheckButton* check_com_rainha = nullptr;   // a split made with a queen
    Gtk::Entry* entry_rgn = nullptr;                // her RGN
    Gtk::ComboBoxText* combo_juncao = nullptr;      // a union: the apiary's other hives
    Gtk::Entry* entry_local = nullptr;              // where a swarm was captured
    Gtk::ComboBoxText* combo_motivo = nullptr;      // a loss: an empty entry, then MOTIVOS_PERDA
    Gtk::Entry* entry_obs_evento = nullptr;

    Gtk::Button* button_salvar = nullptr;           // null when the entry is only shown
    Gtk::Button* button_fechar = nullptr;
};

class DialogoRegistro : public Gtk::Dialog, public EVENTOS
{
public:
    // An entry of kind `tipo` for `colmeia`: a new one, or the stored one
    // of key `id`. Modal over `pai`.
    DialogoRegistro(Gtk::Window& pai, QUERY* query, Registro tipo, const COLMEIAS& colmeia, int id = 0);

    const WidgetsRegistro& widgets() const { return w; }
    Registro tipo() const { return tipo_; }
    // Only shown: a stored move or event.
    bool so_leitura() const { return w.button_salvar == nullptr; }

    // Shows the dialog until an entry is stored or it is closed: true when
    // something was stored.
    bool executar();
    // The hive a split or a captured swarm made (0 for none).
    int nova_colmeia() const { return nova_; }

private:
    void montar_evento();
    void evento_escolhido();
    void carregar();
    bool salvar();
    bool salvar_evento();
    bool recusado(const DADOS& dados);

    Registro tipo_;
    int id_;
    COLMEIAS colmeia_;
    DIARIO diario;
    COLMEIA colmeias;
    WidgetsRegistro w;
    // The version of the entry as it was read (an update goes on from it).
    std::string versao_;
    std::vector<int> ids_juncao;   // in the order of combo_juncao, after its empty entry
    // The rows of the event fields, each shown for some types of event.
    std::vector<std::pair<Gtk::Widget*, std::vector<std::string>>> linhas_evento;
    int nova_ = 0;
};

#endif // ZUMBREL_GUI_DIALOGO_REGISTRO_H
