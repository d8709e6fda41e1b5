#include "model/municipio.h"

#include <iostream>

#include "db/query.h"

namespace {

MUNICIPIOS ler_municipio(const LINHA& linha)
{
    MUNICIPIOS m;
    m.cod_cid = inteiro(linha, 0);
    m.nome = coluna(linha, 1);
    m.estado = coluna(linha, 2);
    return m;
}

} // namespace

MUNICIPIO::MUNICIPIO(QUERY* query) : query(query) {}

std::vector<MUNICIPIOS> MUNICIPIO::listar_municipio()
{
    municipios.clear();

    query->set_tipoquery(2);
    query->add_camporetorno("*");
    query->add_tabelas("cadastro.municipio");
    query->add_campoconsulta("estado");
    query->add_dadosconsulta("'MS'");
    query->add_campoorder("nome");

    if (!query->ativar() || query->get_registros() == 0) {
        std::cout << query->get_mensagem() << '\n';
    } else {
        for (const LINHA& linha : query->ver_consulta())
            municipios.push_back(ler_municipio(linha));
    }
    return municipios;
}

MUNICIPIOS MUNICIPIO::get_municipio(std::string nome)
{
    query->set_tipoquery(2);
    query->add_camporetorno("*");
    query->add_tabelas("cadastro.municipio");
    query->add_campoconsulta("nome");
    query->add_dadosconsulta(query->literal(nome));
    query->add_campoconsulta("estado");
    query->add_dadosconsulta("'MS'");

    if (!query->ativar()) {
        std::cout << query->get_mensagem() << '\n';
    } else if (query->get_registros() == 0 || query->ver_consulta().empty()) {
        // Not found is no error: the key -1 tells the caller to keep its own.
        municipio.cod_cid = -1;
        municipio.nome = query->get_mensagem();
    } else {
        municipio = ler_municipio(query->ver_consulta().front());
    }
    return municipio;
}
