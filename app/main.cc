#include <gtkmm/main.h>

#include "app/principal.h"
#include "util/saida.h"

int main(int argc, char** argv)
{
    Gtk::Main kit(argc, argv, true);
    saida_em_blocos();
    PRINCIPAL* principal = new PRINCIPAL();
    Gtk::Main::run(*principal->get_janela());
    delete principal;
    return 0;
}
