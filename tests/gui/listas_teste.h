// Small helpers for the tests of the apiary and queen bee forms: the texts
// of a drop-down list, choosing an entry by its text, typing into an entry.
#ifndef ZUMBREL_TESTS_GUI_LISTAS_TESTE_H
#define ZUMBREL_TESTS_GUI_LISTAS_TESTE_H

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/toolbutton.h>
#include <gtkmm/treemodel.h>

#include "gui/widgets_teste.h"

namespace teste {

inline std::vector<std::string> textos_lista(Gtk::ComboBoxText* combo)
{
    std::vector<std::string> textos;
    Glib::RefPtr<Gtk::TreeModel> modelo = combo->get_model();
    for (Gtk::TreeModel::iterator it = modelo->children().begin(); it != modelo->children().end(); ++it) {
        Glib::ustring t;
        it->get_value(0, t);
        textos.push_back(t.raw());
    }
    return textos;
}

// Makes the entry with that text active, as a click in the list does;
// false when the list has no such entry.
inline bool escolher(Gtk::ComboBoxText* combo, const std::string& texto)
{
    std::vector<std::string> textos = textos_lista(combo);
    for (std::size_t i = 0; i < textos.size(); ++i) {
        if (textos[i] == texto) {
            combo->set_active(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

// Types the text one key at a time at the end of the entry.
inline void digitar(Gtk::Entry* entry, const std::string& texto)
{
    for (char c : texto)
        entry->set_text(entry->get_text().raw() + c);
}

// A click as the user can make it: only on a sensitive button (tool
// buttons: gui/widgets_teste.h).
inline void clicar(Gtk::Button* b)
{
    if (!b->is_sensitive()) {
        ADD_FAILURE() << "clicking an insensitive button";
        return;
    }
    b->clicked();
}

// A click that may not be possible: false, and no failure, when the button
// is not sensitive.
inline bool apertar(Gtk::Button* b)
{
    if (!b->is_sensitive())
        return false;
    b->clicked();
    return true;
}

} // namespace teste

#endif // ZUMBREL_TESTS_GUI_LISTAS_TESTE_H
