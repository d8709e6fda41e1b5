// The items of the main window's "_Sistema" and "_Manejo" menus, found by the window each
// one opens: the window tests and the benchmark open windows as a person
// does, from the menu.
#ifndef ZUMBREL_ROTEIRO_MENU_H
#define ZUMBREL_ROTEIRO_MENU_H

#include <gtkmm/menuitem.h>

#include "gui/janelas.h"

class SISTEMAGUI;

namespace teste {

// The item that opens window id, one of ids::MINHA_CONTA to ids::COLMEIAS
// (menu "_Sistema") or ids::PRODUTOS to ids::PESAGEM_LOTE (menu "_Manejo").
Gtk::MenuItem& item_menu(SISTEMAGUI& s, ids::Janela id);
// The item "_Sair".
Gtk::MenuItem& item_sair(SISTEMAGUI& s);

} // namespace teste

#endif // ZUMBREL_ROTEIRO_MENU_H
