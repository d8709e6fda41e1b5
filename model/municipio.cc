#include "model/municipio.h"

#include "db/lista_registros.h"
#include "db/query.h"
#include "db/rastro.h"

namespace {

// Where "*" puts each column: the table's order.
namespace coluna {
enum : std::size_t { COD_CID, NOME, ESTADO };
} // namespace coluna

MUNICIPIOS ler_municipio(const LinhaResultado& linha)
{
    MUNICIPIOS m;
    m.cod_cid = linha.inteiro(coluna::COD_CID);
    m.nome = linha[coluna::NOME];
    m.estado = linha[coluna::ESTADO];
    return m;
}

} // namespace

MUNICIPIO::MUNICIPIO(QUERY* query) : DADOS(query) {}

std::vector<MUNICIPIOS> MUNICIPIO::listar_todos()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.municipio", { "*" });
    i.campoorder = { "estado", "nome" };
    std::vector<MUNICIPIOS> todos;
    if (RESULTADO r; !executar(i, &r) || !r.achou())
        rastro::escrever(r.mensagem + '\n');
    else
        LISTA_REGISTROS<MUNICIPIOS>(r, ler_municipio).copiar(todos);
    return todos;
}

std::vector<MUNICIPIOS> MUNICIPIO::listar_municipio()
{
    municipios.clear();

    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.municipio", { "*" });
    i.condicao("estado", "'MS'");
    i.campoorder = { "nome" };

    if (RESULTADO r; !executar(i, &r) || !r.achou())
        rastro::escrever(r.mensagem + '\n');
    else
        LISTA_REGISTROS<MUNICIPIOS>(r, ler_municipio).copiar(municipios);
    return municipios;
}

MUNICIPIOS MUNICIPIO::get_municipio(std::string nome)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.municipio", { "*" });
    i.condicao("nome", query->literal(nome));
    i.condicao("estado", "'MS'");

    RESULTADO r;
    if (executar_contando(i, &r)) {
        if (r.achou()) {
            municipio = ler_municipio(r.linha(0));
        } else {
            // Not found is no error: the key -1 tells the caller to keep its own.
            municipio.cod_cid = -1;
            municipio.nome = r.mensagem;
        }
    }
    return municipio;
}

std::vector<MUNICIPIOS> MUNICIPIO::listar_municipio(const std::string& estado)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.municipio", { "*" });
    i.condicao("estado", query->literal(estado));
    i.campoorder = { "nome" };

    std::vector<MUNICIPIOS> lista;
    if (RESULTADO r; executar_contando(i, &r))
        LISTA_REGISTROS<MUNICIPIOS>(r, ler_municipio).copiar(lista);
    return lista;
}

std::vector<std::string> MUNICIPIO::listar_estados()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.municipio", { "distinct estado" });
    i.campoorder = { "estado" };

    std::vector<std::string> estados;
    RESULTADO r;
    executar_contando(i, &r);
    for (int k = 0; k < r.registros(); ++k)
        estados.push_back(r.linha(k)[0]);
    return estados;
}
