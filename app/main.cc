#include <gtkmm/main.h>

#include "app/principal.h"

int main(int argc, char** argv)
{
    Gtk::Main kit(argc, argv, true);
    PRINCIPAL* principal = new PRINCIPAL();
    Gtk::Main::run(*principal->get_janela());
    delete principal;
    return 0;
}
