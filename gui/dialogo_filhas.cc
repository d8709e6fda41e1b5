#include "gui/dialogo_filhas.h"

#include <climits>

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/main.h>
#include <gtkmm/stock.h>

std::string DialogoFilhas::texto_maximo()
{
    std::string t = std::to_string(MAXIMO);
    for (int i = static_cast<int>(t.size()) - 3; i > 0; i -= 3)
        t.insert(static_cast<std::size_t>(i), ".");
    return t;
}

DialogoFilhas::DialogoFilhas(Gtk::Window* pai) : Gtk::Dialog("Gerar Filhas")
{
    if (pai) {
        set_transient_for(*pai);
        set_modal(true);
    }
    w.button_ok = add_button(Gtk::Stock::OK, Gtk::RESPONSE_OK);
    add_button(Gtk::Stock::CLOSE, Gtk::RESPONSE_CLOSE);
    w.button_cancelar = add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    w.button_cancelar->hide();
    w.button_cancelar->set_no_show_all(true);
    w.button_cancelar->signal_clicked().connect(sigc::mem_fun(*this, &DialogoFilhas::cancelar));
    // Closed while working: as Cancel, and the dialog stays until the work
    // has stopped.
    signal_delete_event().connect([this](GdkEventAny*) {
        if (!barra)
            return false;
        cancelar();
        return true;
    });

    Gtk::HBox* linha_qtd = Gtk::manage(new Gtk::HBox(false, 0));
    linha_qtd->pack_start(*Gtk::manage(new Gtk::Label("Quantidade:\t")), false, false, 0);
    w.entry_quantidade = Gtk::manage(new Gtk::Entry());
    linha_qtd->pack_start(*w.entry_quantidade, false, false, 0);
    linha_qtd->pack_start(*Gtk::manage(new Gtk::Label("  (até " + texto_maximo() + ")")), false, false, 0);
    Gtk::HBox* linha_data = Gtk::manage(new Gtk::HBox(false, 0));
    linha_data->pack_start(*Gtk::manage(new Gtk::Label("Data Nascimento:\t")), false, false, 0);
    w.entry_data = Gtk::manage(new Gtk::Entry());
    w.entry_data->set_max_length(10);
    linha_data->pack_start(*w.entry_data, false, false, 0);
    get_vbox()->pack_start(*linha_qtd, false, false, 0);
    get_vbox()->pack_start(*linha_data, false, false, 0);

    w.entry_quantidade->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_quantidade, 2));
    w.entry_data->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 3, w.entry_data));
    w.entry_quantidade->signal_activate().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::tabular), this, w.entry_data));
    w.entry_data->signal_activate().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::tabular), this, w.button_ok));
}

int DialogoFilhas::quantidade() const
{
    const std::string texto = w.entry_quantidade->get_text().raw();
    if (texto.empty() || texto.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    long long n = 0;
    for (char c : texto) {
        n = n * 10 + (c - '0');
        if (n > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(n);
}

void DialogoFilhas::cancelar()
{
    cancelado_ = true;
    w.button_cancelar->set_sensitive(false);
}

void DialogoFilhas::comecar(int n)
{
    // Since the dialog is modal and its buttons are off, nothing else takes
    // input until the work is done; the windows keep being drawn.
    total = n;
    ultima = std::chrono::steady_clock::now();
    set_response_sensitive(Gtk::RESPONSE_OK, false);
    set_response_sensitive(Gtk::RESPONSE_CLOSE, false);
    w.button_cancelar->show();
    barra = Gtk::manage(new Gtk::ProgressBar());
    get_vbox()->pack_start(*barra, false, false, 5);
    avancar(1);
}

bool DialogoFilhas::avancar(int feitas)
{
    if (!barra)
        return !cancelado_;
    const auto agora = std::chrono::steady_clock::now();
    if (feitas > 1 && feitas < total && agora - ultima < std::chrono::milliseconds(100))
        return !cancelado_;
    ultima = agora;
    barra->set_fraction(static_cast<double>(feitas) / total);
    barra->set_text("Filhas cadastradas: " + std::to_string(feitas) + " de " + std::to_string(total));
    if (feitas == 1)
        barra->show();
    // A bounded turn of the loop: a handler that keeps itself pending must
    // not hold the work up.
    for (int i = 0; i < 200 && Gtk::Main::events_pending(); ++i)
        Gtk::Main::iteration(false);
    return !cancelado_;
}
