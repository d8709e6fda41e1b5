#include <gtkmm/main.h>
#include <pango/pangocairo.h>

#include "app/principal.h"
#include "app/ajustes.h"

int main(int argc, char** argv)
{
    memoria_devolvida();
    Gtk::Main kit(argc, argv, true);
    saida_em_blocos();
    // The font list is read in the background while the database connection
    // is made, instead of after it, when the login window first draws text.
    pango_cairo_font_map_get_default();
    PRINCIPAL* principal = new PRINCIPAL();
    Gtk::Main::run(*principal->get_janela());
    delete principal;
    return 0;
}
