// The "Gerar Filhas" dialog of the queen bee form: how many daughters (up to
// MAXIMO) and their birth date; while they are stored, it shows how far the
// work got, and its Cancel stops it.
#ifndef ZUMBREL_GUI_DIALOGO_FILHAS_H
#define ZUMBREL_GUI_DIALOGO_FILHAS_H

#include <chrono>
#include <string>

#include <gtkmm/button.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/progressbar.h>

#include "gui/eventos.h"

struct WidgetsFilhas
{
    Gtk::Entry* entry_quantidade = nullptr;
    Gtk::Entry* entry_data = nullptr;
    Gtk::Button* button_ok = nullptr;
    Gtk::Button* button_cancelar = nullptr;   // shown while the daughters are stored
};

class DialogoFilhas : public Gtk::Dialog, public EVENTOS
{
public:
    // The most daughters one "Gerar Filhas" stores: a few seconds of work,
    // and a typo of a few digits more is refused instead of running for an
    // hour.
    static const int MAXIMO = 10000;
    // The maximum as a person writes it: "10.000".
    static std::string texto_maximo();

    // Modal over `pai` when there is one.
    explicit DialogoFilhas(Gtk::Window* pai);

    const WidgetsFilhas& widgets() const { return w; }
    // The number of daughters asked for: digits only, else 0; a number past
    // what an int holds reads as the largest one.
    int quantidade() const;
    std::string nascimento() const { return w.entry_data->get_text().raw(); }

    // The dialog stays up while `total` daughters are stored, OK and Close
    // off and Cancel on, showing how many are done.
    void comecar(int total);
    // `feitas` daughters are stored. The bar moves and the pending events
    // are handled every 100 ms, so showing progress costs next to nothing
    // beside the statements. False once Cancel was pressed (or the dialog
    // closed): the work stops.
    bool avancar(int feitas);
    bool cancelado() const { return cancelado_; }

private:
    void cancelar();

    WidgetsFilhas w;
    Gtk::ProgressBar* barra = nullptr;
    int total = 0;
    bool cancelado_ = false;
    std::chrono::steady_clock::time_point ultima;
};

#endif // ZUMBREL_GUI_DIALOGO_FILHAS_H
