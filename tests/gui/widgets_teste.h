// Reading what a form window shows: its labels and fields in order, the
// items of its toolbar, the text a list cell renders, a dialog's progress.
#ifndef ZUMBREL_TESTS_GUI_WIDGETS_TESTE_H
#define ZUMBREL_TESTS_GUI_WIDGETS_TESTE_H

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtkmm/button.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/dialog.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/toolbutton.h>
#include <gtkmm/treeview.h>

namespace teste {

// Walks the widgets from `w` down, in packing order: `visitar` sees each one
// and tells whether to go on into its children.
inline void percorrer(Gtk::Widget* w, const std::function<bool(Gtk::Widget*)>& visitar)
{
    if (!visitar(w))
        return;
    if (Gtk::Container* c = dynamic_cast<Gtk::Container*>(w)) {
        for (Gtk::Widget* filho : c->get_children())
            percorrer(filho, visitar);
    }
}

// The window's content top to bottom, left to right: "[title]" for a frame,
// a label's text, "<label>" for a button, the given name for a named widget
// ("?" for any other entry). Toolbars are left out.
inline std::vector<std::string> conteudo(Gtk::Widget* w, const std::map<Gtk::Widget*, std::string>& nomes)
{
    std::vector<std::string> saida;
    std::function<bool(Gtk::Widget*)> visitar = [&](Gtk::Widget* x) {
        auto nome = nomes.find(x);
        if (nome != nomes.end()) {
            saida.push_back("{" + nome->second + "}");
            return false;
        }
        if (dynamic_cast<Gtk::Toolbar*>(x))
            return false;
        if (Gtk::Button* b = dynamic_cast<Gtk::Button*>(x)) {
            saida.push_back("<" + b->get_label() + ">");
            return false;
        }
        if (Gtk::Label* l = dynamic_cast<Gtk::Label*>(x)) {
            saida.push_back(l->get_label());
            return false;
        }
        if (dynamic_cast<Gtk::Entry*>(x)) {
            saida.push_back("?");
            return false;
        }
        // A frame: its title once, then what it holds.
        if (Gtk::Frame* f = dynamic_cast<Gtk::Frame*>(x)) {
            saida.push_back("[" + f->get_label() + "]");
            if (f->get_child())
                percorrer(f->get_child(), visitar);
            return false;
        }
        return true;
    };
    percorrer(w, visitar);
    return saida;
}

// The progress bar among a dialog's rows, or null.
inline Gtk::ProgressBar* barra_de_progresso(Gtk::Dialog& d)
{
    for (Gtk::Widget* w : d.get_vbox()->get_children()) {
        if (Gtk::ProgressBar* barra = dynamic_cast<Gtk::ProgressBar*>(w))
            return barra;
    }
    return nullptr;
}

// The items of the toolbar that holds `item`, in order.
inline std::vector<Gtk::ToolItem*> itens_da_barra(Gtk::ToolItem* item)
{
    std::vector<Gtk::ToolItem*> itens;
    Gtk::Toolbar* barra = dynamic_cast<Gtk::Toolbar*>(item->get_parent());
    if (!barra)
        return itens;
    for (int i = 0; i < barra->get_n_items(); ++i)
        itens.push_back(barra->get_nth_item(i));
    return itens;
}

// The text the list shows in a cell (after the column's format): that of
// its first text renderer (a mark drawn before it shows no text).
inline std::string celula(Gtk::TreeView* v, int coluna, int linha)
{
    Gtk::TreeViewColumn* c = v->get_column(coluna);
    Glib::RefPtr<Gtk::TreeModel> modelo = v->get_model();
    Gtk::TreeModel::iterator it = modelo->children()[linha];
    c->cell_set_cell_data(modelo, it, false, false);
    for (Gtk::CellRenderer* celula : c->get_cell_renderers()) {
        if (Gtk::CellRendererText* r = dynamic_cast<Gtk::CellRendererText*>(celula))
            return r->property_text().get_value();
    }
    return std::string();
}

// Clicks a toolbar item as the user would: only when it can be clicked
// (clicking one that cannot be is a failure, and false).
inline bool clicar(Gtk::ToolButton* item)
{
    Gtk::Button* b = dynamic_cast<Gtk::Button*>(item->get_child());
    if (!b || !item->is_sensitive()) {
        ADD_FAILURE() << "clicking an insensitive tool button";
        return false;
    }
    b->clicked();
    return true;
}

// Column titles of a list.
inline std::vector<std::string> titulos(Gtk::TreeView* v)
{
    std::vector<std::string> t;
    for (Gtk::TreeViewColumn* c : v->get_columns())
        t.push_back(c->get_title());
    return t;
}

// Every row of a list as the texts its columns show.
inline std::vector<std::vector<std::string>> linhas(Gtk::TreeView* v)
{
    std::vector<std::vector<std::string>> t;
    if (!v->get_model())
        return t;
    int n = v->get_model()->children().size();
    for (int i = 0; i < n; ++i) {
        std::vector<std::string> l;
        for (int c = 0; c < int(v->get_columns().size()); ++c)
            l.push_back(celula(v, c, i));
        t.push_back(l);
    }
    return t;
}

} // namespace teste

#endif // ZUMBREL_TESTS_GUI_WIDGETS_TESTE_H
