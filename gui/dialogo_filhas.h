// The "Gerar Filhas" dialog of the queen bee form: how many daughters and
// their birth date; while they are stored, it shows how far the work got.
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
};

class DialogoFilhas : public Gtk::Dialog, public EVENTOS
{
public:
    // Modal over `pai` when there is one.
    explicit DialogoFilhas(Gtk::Window* pai);

    const WidgetsFilhas& widgets() const { return w; }
    // The number of daughters asked for: digits only and within an int, else 0.
    int quantidade() const;
    std::string nascimento() const { return w.entry_data->get_text().raw(); }

    // The dialog stays up while `total` daughters are stored, its buttons
    // off, showing how many are done.
    void comecar(int total);
    // `feitas` daughters are stored. The bar moves and the pending events
    // are handled every 100 ms, so showing progress costs next to nothing
    // beside the statements.
    void avancar(int feitas);

private:
    WidgetsFilhas w;
    Gtk::ProgressBar* barra = nullptr;
    int total = 0;
    std::chrono::steady_clock::time_point ultima;
};

#endif // ZUMBREL_GUI_DIALOGO_FILHAS_H
