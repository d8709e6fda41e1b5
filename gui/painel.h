// The panel of the main window, under the menu: a line for each apiary with
// its hives by status (a small stacked bar and the counts), its honey of
// this season against the last and its last inspection (an apiary not
// visited for 30 days in red), and after it its hives in withdrawal and the
// rearing steps due. The view reads each line where the panel keeps it
// (thousands of apiaries cost what the few lines drawn cost). Activating a line opens its record: the apiary, the
// hive or the batch. It is read again when asked (F5 in the main window)
// and after any window saved something, once, however many statements the
// save sent (and after the transaction it was part of): when the program is
// idle again if no window of the program is open over it, else once it is
// looked at again (the main window takes the focus, or the last window over
// it closes), so a save in a form never waits for the panel's read.
#ifndef ZUMBREL_GUI_PAINEL_H
#define ZUMBREL_GUI_PAINEL_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gdkmm/pixbuf.h>
#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/contexto.h"
#include "model/painel.h"

// The colours of the live statuses in the bar: Ativa, Fraca, Órfã, Zanganeira.
extern const char* const CORES_STATUS[4];

// One line of the panel: an apiary, or a hive or batch under it.
struct LINHA_PAINEL
{
    int janela = 0;    // what it opens (an ids::Janela; 0 for nothing)
    int chave = 0;
    // Name (or what the line says), hives, honey, last inspection.
    std::string textos[4];
    bool alerta = false;
    // The apiary it shows, in the panel read (-1 for a line under one).
    int apiario = -1;
};

class PAINEL_PRINCIPAL
{
public:
    explicit PAINEL_PRINCIPAL(Contexto& contexto);
    ~PAINEL_PRINCIPAL();
    PAINEL_PRINCIPAL(const PAINEL_PRINCIPAL&) = delete;
    PAINEL_PRINCIPAL& operator=(const PAINEL_PRINCIPAL&) = delete;

    // What the main window packs under its menu.
    Gtk::Widget& caixa() { return box_painel; }

    // Reads the panel and shows it now.
    void atualizar();
    // Reads it once the program is idle; asked again before then, still once.
    void pedir_atualizacao();
    // The panel is in sight again: a read a save left pending is asked for.
    void visto();
    // Whether a window of the program is open over the panel now (a save
    // then leaves the read for when it is seen again).
    void set_coberto(std::function<bool()> f) { coberto = std::move(f); }
    // Whether a save left a read for when the panel is seen again.
    bool pendente() const { return espera_vista; }
    // Line i activated: its record opens over the main window.
    void abrir_linha(std::size_t i);

    // What tests and the benchmark look at.
    Gtk::TreeView* get_treeview() { return &treeview_painel; }
    Gtk::Label* get_label_resumo() { return &label_resumo; }
    Gtk::Label* get_label_acesso() { return &label_acesso; }
    const QUADRO_PAINEL& get_quadro() const { return quadro; }
    const std::vector<LINHA_PAINEL>& get_linhas() const { return *linhas; }
    // How many times it was read.
    int leituras() const { return n_leituras; }

private:
    // Whether a transaction of some window is open on the connection.
    bool em_transacao() const;
    // The bar of the live statuses, one pixbuf for each set of counts.
    Glib::RefPtr<Gdk::Pixbuf> barra(const RESUMO_APIARIO& r);
    // The line a row of the view shows.
    const LINHA_PAINEL* linha(const Gtk::TreeModel::iterator& it) const;

    Contexto& ctx;
    PAINEL modelo;
    QUADRO_PAINEL quadro;
    std::shared_ptr<std::vector<LINHA_PAINEL>> linhas;
    int n_leituras = 0;
    std::function<bool()> coberto;
    bool espera_vista = false;
    sigc::connection pedida;
    sigc::connection adiada;

    Gtk::VBox box_painel;
    Gtk::Label label_resumo;
    Gtk::Label label_acesso;
    Gtk::TreeView treeview_painel;
    COLUNAS colunas;
    std::vector<std::pair<std::vector<int>, Glib::RefPtr<Gdk::Pixbuf>>> barras;
};

#endif // ZUMBREL_GUI_PAINEL_H
