#include "model/florada.h"

#include <iostream>

#include "db/query.h"

namespace {

FLORADA ler_florada(const LINHA& linha)
{
    FLORADA f;
    f.id_florada = inteiro(linha, 0);
    f.nome_florada = coluna(linha, 1);
    return f;
}

} // namespace

FLORADAS::FLORADAS(QUERY* query) : query(query) {}

std::string FLORADAS::inserir(FLORADA f)
{
    std::string chave;

    query->set_tipoquery(1);
    query->add_campoinsert("nome_florada");
    query->add_dadosinsert(query->literal(f.nome_florada));
    query->add_tabelas("cadastro.florada");
    query->add_camporetorno("id_florada");

    if (query->ativar() && query->get_registros() != 0 && !query->ver_consulta().empty())
        chave = coluna(query->ver_consulta().front(), 0);
    return chave;
}

std::vector<FLORADA> FLORADAS::listar_floradas()
{
    floradas.clear();

    query->set_tipoquery(2);
    query->add_camporetorno("*");
    query->add_tabelas("cadastro.florada");
    query->add_campoorder("nome_florada");

    if (!query->ativar() || query->get_registros() == 0) {
        std::cout << query->get_mensagem() << '\n';
    } else {
        for (const LINHA& linha : query->ver_consulta())
            floradas.push_back(ler_florada(linha));
    }
    return floradas;
}

FLORADA FLORADAS::get_florada(std::string nome)
{
    query->set_tipoquery(2);
    query->add_camporetorno("*");
    query->add_tabelas("cadastro.florada");
    query->add_campoconsulta("nome_florada");
    query->add_dadosconsulta(query->literal(nome));

    if (!query->ativar()) {
        std::cout << query->get_mensagem() << '\n';
    } else if (query->get_registros() == 0 || query->ver_consulta().empty()) {
        // Not found is no error: the key -1 tells the caller to keep its own.
        florada.id_florada = -1;
        florada.nome_florada = query->get_mensagem();
    } else {
        florada = ler_florada(query->ver_consulta().front());
    }
    return florada;
}
