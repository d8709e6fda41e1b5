// The "Fecundação" dialog of the queen bee form: how the shown queen was
// mated. Natural, at an apiary of the business or at a mating station,
// with the codes of the hives her drones came from when known; or
// instrumental insemination on a date, with the registry numbers of the
// queens whose drones were used. It shows what is recorded and hands back
// what was typed.
#ifndef ZUMBREL_GUI_DIALOGO_FECUNDACAO_H
#define ZUMBREL_GUI_DIALOGO_FECUNDACAO_H

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>

#include "gui/eventos.h"
#include "gui/lista_textos.h"
#include "model/apiario.h"
#include "model/fecundacao.h"

struct WidgetsFecundacao
{
    Gtk::ComboBoxText* combo_tipo = nullptr;      // an empty entry, then TIPOS_FECUNDACAO
    Gtk::Entry* entry_data = nullptr;
    ListaTextos* combo_apiario = nullptr;         // an empty entry, then every apiary by name
    Gtk::Entry* entry_estacao = nullptr;
    Gtk::Label* label_zangoes = nullptr;          // says what the sources are for the way chosen
    Gtk::Entry* entry_zangoes = nullptr;
    Gtk::Entry* entry_obs = nullptr;
    Gtk::Button* button_ok = nullptr;
};

class DialogoFecundacao : public Gtk::Dialog, public EVENTOS
{
public:
    // Modal over `pai` when there is one; `apiarios` are those offered.
    DialogoFecundacao(Gtk::Window* pai, const LISTA_APIARIOS& apiarios, const FECUNDACOES& gravada);

    const WidgetsFecundacao& widgets() const { return w; }
    // What is typed, for the queen of the record shown.
    FECUNDACOES fecundacao() const;

private:
    // The fields that belong to the way chosen are the ones that can be typed.
    void mudar_tipo();

    WidgetsFecundacao w;
    LISTA_APIARIOS apiarios;
    int id_abelha;
};

#endif // ZUMBREL_GUI_DIALOGO_FECUNDACAO_H
