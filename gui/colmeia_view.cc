// Placeholder until the beehive window is built.
#include "gui/sistemagui.h"

void SISTEMAGUI::abrir_colmeias(Gtk::Window*) {}
