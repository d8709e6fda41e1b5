#include "model/municipio.h"

#include <iostream>

#include "db/lista_registros.h"
#include "db/query.h"

namespace {

// cod_cid, nome, estado, in table order.
MUNICIPIOS ler_municipio(const LinhaResultado& linha)
{
    MUNICIPIOS m;
    m.cod_cid = linha.inteiro(0);
    m.nome = linha[1];
    m.estado = linha[2];
    return m;
}

} // namespace

MUNICIPIO::MUNICIPIO(QUERY* query) : query(query) {}

std::vector<MUNICIPIOS> MUNICIPIO::listar_municipio()
{
    municipios.clear();

    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "*" };
    i.tabelas = { "cadastro.municipio" };
    i.condicao("estado", "'MS'");
    i.campoorder = { "nome" };

    if (const RESULTADO r = query->ativar(i); !r.achou())
        std::cout << r.mensagem << '\n';
    else
        LISTA_REGISTROS<MUNICIPIOS>(r, ler_municipio).copiar(municipios);
    return municipios;
}

MUNICIPIOS MUNICIPIO::get_municipio(std::string nome)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "*" };
    i.tabelas = { "cadastro.municipio" };
    i.condicao("nome", query->literal(nome));
    i.condicao("estado", "'MS'");

    const RESULTADO r = query->ativar(i);
    if (!r.ok) {
        std::cout << r.mensagem << '\n';
    } else if (!r.achou()) {
        // Not found is no error: the key -1 tells the caller to keep its own.
        municipio.cod_cid = -1;
        municipio.nome = r.mensagem;
    } else {
        municipio = ler_municipio(r.linha(0));
    }
    return municipio;
}

std::vector<MUNICIPIOS> MUNICIPIO::listar_municipio(const std::string& estado)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "*" };
    i.tabelas = { "cadastro.municipio" };
    i.condicao("estado", query->literal(estado));
    i.campoorder = { "nome" };

    std::vector<MUNICIPIOS> lista;
    if (const RESULTADO r = query->ativar(i); !r.ok)
        std::cout << r.mensagem << '\n';
    else
        LISTA_REGISTROS<MUNICIPIOS>(r, ler_municipio).copiar(lista);
    return lista;
}

std::vector<std::string> MUNICIPIO::listar_estados()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "distinct estado" };
    i.tabelas = { "cadastro.municipio" };
    i.campoorder = { "estado" };

    std::vector<std::string> estados;
    const RESULTADO r = query->ativar(i);
    if (!r.ok)
        std::cout << r.mensagem << '\n';
    for (int k = 0; k < r.registros; ++k)
        estados.push_back(r.linha(k)[0]);
    return estados;
}
