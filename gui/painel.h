// The panel of the main window, under the menu: a line for each apiary with
// its hives by status (a small stacked bar and the counts), its honey of
// this season against the last and its last inspection (an apiary not
// visited for 30 days in red), and under it its hives in withdrawal and the
// rearing steps due. Activating a line opens its record: the apiary, the
// hive or the batch. It is read again when asked (F5 in the main window)
// and after any window saved something, once, when the program is idle
// again, however many statements the save sent.
#ifndef ZUMBREL_GUI_PAINEL_H
#define ZUMBREL_GUI_PAINEL_H

#include <vector>

#include <gdkmm/pixbuf.h>
#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/treestore.h>
#include <gtkmm/treeview.h>

#include "gui/contexto.h"
#include "model/painel.h"

// The colours of the live statuses in the bar: Ativa, Fraca, Órfã, Zanganeira.
extern const char* const CORES_STATUS[4];

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
    // The line at that path activated: its record opens over the main window.
    void abrir_linha(const Gtk::TreePath& caminho);

    // What tests and the benchmark look at.
    Gtk::TreeView* get_treeview() { return &treeview_painel; }
    Gtk::Label* get_label_resumo() { return &label_resumo; }
    Gtk::Label* get_label_acesso() { return &label_acesso; }
    const QUADRO_PAINEL& get_quadro() const { return quadro; }
    // How many times it was read.
    int leituras() const { return n_leituras; }
    // The colour a line's first text is written in ("" for the usual one).
    std::string cor_da_linha(const Gtk::TreePath& caminho);

private:
    class Colunas : public Gtk::TreeModelColumnRecord
    {
    public:
        Colunas();
        Gtk::TreeModelColumn<Glib::RefPtr<Gdk::Pixbuf>> barra;
        Gtk::TreeModelColumn<Glib::ustring> nome;
        Gtk::TreeModelColumn<Glib::ustring> colmeias;
        Gtk::TreeModelColumn<Glib::ustring> mel;
        Gtk::TreeModelColumn<Glib::ustring> revisao;
        Gtk::TreeModelColumn<Glib::ustring> cor;
        Gtk::TreeModelColumn<int> peso;
        // What the line opens (an ids::Janela, 0 for nothing) and its key.
        Gtk::TreeModelColumn<int> janela;
        Gtk::TreeModelColumn<int> chave;
    };

    // The bar of the live statuses, one pixbuf for each set of counts.
    Glib::RefPtr<Gdk::Pixbuf> barra(const RESUMO_APIARIO& r);

    Contexto& ctx;
    PAINEL modelo;
    QUADRO_PAINEL quadro;
    int n_leituras = 0;
    sigc::connection pedida;

    Gtk::VBox box_painel;
    Gtk::Label label_resumo;
    Gtk::Label label_acesso;
    Gtk::TreeView treeview_painel;
    Colunas colunas;
    Glib::RefPtr<Gtk::TreeStore> arvore;
    std::vector<std::pair<std::vector<int>, Glib::RefPtr<Gdk::Pixbuf>>> barras;
};

#endif // ZUMBREL_GUI_PAINEL_H
