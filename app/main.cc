#include <gtkmm/main.h>
#include <pango/pangocairo.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/principal.h"
#include "app/ajustes.h"
#include "relatorios/linha_comando.h"

int main(int argc, char** argv)
{
    // "zumbrel relatorio ...": the report straight to a file, with no window.
    if (argc >= 2 && std::string(argv[1]) == "relatorio") {
        const char* chamada = std::getenv("ZUMBREL_PASTA_CHAMADA");
        return rodar_relatorio(std::vector<std::string>(argv + 2, argv + argc), "conf/db.conf", chamada ? chamada : "",
                               std::cout, std::cerr);
    }
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
