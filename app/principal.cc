#include "app/principal.h"

#include "db/query.h"
#include "gui/sistemagui.h"
#include "res/icone.h"

PRINCIPAL::PRINCIPAL(QUERY* conexao)
{
    // Connecting may fail; the login window opens all the same.
    query = conexao ? conexao : new QUERY();
    icone = Gdk::Pixbuf::create_from_xpm_data(pote_de_mel);
    interface = new SISTEMAGUI(query, icone);
    janela = interface->get_janela_login();
}

PRINCIPAL::PRINCIPAL(std::shared_future<QUERY*> c) : conexao(std::move(c))
{
    icone = Gdk::Pixbuf::create_from_xpm_data(pote_de_mel);
    interface = new SISTEMAGUI(conexao, icone);
    janela = interface->get_janela_login();
}

QUERY* PRINCIPAL::get_query()
{
    if (!query && conexao.valid())
        query = conexao.get();
    return query;
}

PRINCIPAL::~PRINCIPAL()
{
    // The windows go before the connection their data-access objects use
    // (one still being made is waited for, and goes too).
    delete interface;
    delete get_query();
    icone.reset();
}
