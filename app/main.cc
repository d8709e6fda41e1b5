#include <gtkmm/main.h>
#include <pango/pangocairo.h>

#include <clocale>
#include <cstdlib>
#include <future>
#include <iostream>
#include <string>
#include <vector>

#include "app/ajustes.h"
#include "app/principal.h"
#include "db/query.h"
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
    // The trace is buffered before anything is written to it.
    saida_em_blocos();
    // The database connection (the server starts a process for it and
    // checks the password) is made while the toolkit starts, instead of
    // after it: the login window shows sooner.
    // The locale (which the toolkit would set itself) and the environment
    // are settled first, so that the two never change under each other.
    std::setlocale(LC_ALL, "");
    unsetenv("PGDATESTYLE");
    std::shared_future<QUERY*> conexao = std::async(std::launch::async, [] { return new QUERY(); }).share();
    Gtk::Main kit(argc, argv, false);
    // The font list is read in the background meanwhile too, instead of
    // when the login window first draws text.
    pango_cairo_font_map_get_default();
    // The login window is built and drawn while the connection is made.
    PRINCIPAL* principal = new PRINCIPAL(conexao);
    Gtk::Main::run(*principal->get_janela());
    delete principal;
    return 0;
}
