#include "model/florada.h"

#include <iostream>

#include "db/lista_registros.h"
#include "db/query.h"

namespace {

// A floral source has one column of its own to write.
const COLUNA<FLORADA> COLUNAS_FLORADA[] = {
    { "nome_florada", [](const BANCOPG& b, const FLORADA& f) { return b.literal(f.nome_florada); } },
};

// id_florada, nome_florada, in table order.
FLORADA ler_florada(const LinhaResultado& linha)
{
    FLORADA f;
    f.id_florada = linha.inteiro(0);
    f.nome_florada = linha[1];
    return f;
}

} // namespace

FLORADAS::FLORADAS(QUERY* query) : query(query) {}

std::string FLORADAS::inserir(FLORADA f)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR);
    i.inserir(COLUNAS_FLORADA, f, *query);
    i.tabelas = { "cadastro.florada" };
    i.camporetorno = { "id_florada" };

    const RESULTADO r = query->ativar(i);
    return r.achou() ? r.linha(0)[0] : std::string();
}

std::vector<FLORADA> FLORADAS::listar_floradas()
{
    floradas.clear();

    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "*" };
    i.tabelas = { "cadastro.florada" };
    i.campoorder = { "nome_florada" };

    if (const RESULTADO r = query->ativar(i); !r.achou())
        std::cout << r.mensagem << '\n';
    else
        LISTA_REGISTROS<FLORADA>(r, ler_florada).copiar(floradas);
    return floradas;
}

FLORADA FLORADAS::get_florada(std::string nome)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "*" };
    i.tabelas = { "cadastro.florada" };
    i.condicao("nome_florada", query->literal(nome));

    const RESULTADO r = query->ativar(i);
    if (!r.ok) {
        std::cout << r.mensagem << '\n';
    } else if (!r.achou()) {
        // Not found is no error: the key -1 tells the caller to keep its own.
        florada.id_florada = -1;
        florada.nome_florada = r.mensagem;
    } else {
        florada = ler_florada(r.linha(0));
    }
    return florada;
}
