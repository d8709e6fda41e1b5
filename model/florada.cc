#include "model/florada.h"

#include "db/lista_registros.h"
#include "db/query.h"
#include "db/rastro.h"

namespace {

// A floral source has one column of its own to write.
const COLUNA<FLORADA> COLUNAS_FLORADA[] = {
    { "nome_florada", [](const BANCOPG& b, const FLORADA& f) { return b.literal(f.nome_florada); } },
};

// Where "*" puts each column: the table's order.
namespace coluna {
enum : std::size_t { ID, NOME };
} // namespace coluna

FLORADA ler_florada(const LinhaResultado& linha)
{
    FLORADA f;
    f.id_florada = linha.inteiro(coluna::ID);
    f.nome_florada = linha[coluna::NOME];
    return f;
}

} // namespace

FLORADAS::FLORADAS(QUERY* query) : DADOS(query) {}

std::string FLORADAS::inserir(FLORADA f)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.florada", { "id_florada" });
    i.inserir(COLUNAS_FLORADA, f, *query);

    RESULTADO r;
    executar(i, &r);
    return r.achou() ? r.linha(0)[0] : std::string();
}

std::vector<FLORADA> FLORADAS::listar_floradas()
{
    floradas.clear();

    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.florada", { "*" });
    i.campoorder = { "nome_florada" };

    if (RESULTADO r; !executar(i, &r) || !r.achou())
        rastro::escrever(r.mensagem + '\n');
    else
        LISTA_REGISTROS<FLORADA>(r, ler_florada).copiar(floradas);
    return floradas;
}

FLORADA FLORADAS::get_florada(std::string nome)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.florada", { "*" });
    i.condicao("nome_florada", query->literal(nome));

    RESULTADO r;
    if (executar_contando(i, &r)) {
        if (r.achou()) {
            florada = ler_florada(r.linha(0));
        } else {
            // Not found is no error: the key -1 tells the caller to keep its own.
            florada.id_florada = -1;
            florada.nome_florada = r.mensagem;
        }
    }
    return florada;
}
