#include "model/apiario.h"

#include "db/query.h"
#include "db/rastro.h"
#include "util/validacao.h"

namespace {

// The columns of an apiary as insert and update write them, in this order.
// The municipality is fixed when the apiary is created.
const COLUNA<APIARIOS> COLUNAS_APIARIO[] = {
    { "nome", [](const BANCOPG& b, const APIARIOS& a) { return b.literal(a.nome); } },
    { "endereco", [](const BANCOPG& b, const APIARIOS& a) { return b.literal(a.endereco); } },
    { "distrito", [](const BANCOPG& b, const APIARIOS& a) { return b.literal(a.distrito); } },
    { "data_criacao", [](const BANCOPG& b, const APIARIOS& a) { return b.literal(a.data_criacao); } },
    { "latitude", [](const BANCOPG& b, const APIARIOS& a) { return b.literal(a.latitude); } },
    { "longitude", [](const BANCOPG& b, const APIARIOS& a) { return b.literal(a.longitude); } },
    { "obs", [](const BANCOPG& b, const APIARIOS& a) { return b.literal(a.obs); } },
    { "id_florada", [](const BANCOPG&, const APIARIOS& a) { return std::to_string(a.florada.id_florada); } },
    { "cod_cid", [](const BANCOPG&, const APIARIOS& a) { return std::to_string(a.municipio.cod_cid); }, true },
};

// The apiary, its floral source and its municipality, joined: the load and
// the search differ in the select list and in what follows the last join.
INSTRUCAO consulta_apiarios(const QUERY& query, std::vector<std::string> campos, const char* ultima_juncao)
{
    INSTRUCAO i = query.descrever(INSTRUCAO::CONSULTAR);
    i.tipojoin = INSTRUCAO::INTERNA;
    i.camporetorno = std::move(campos);
    i.tabelas = { "cadastro.apiario as a", "cadastro.municipio as m", "cadastro.florada as f" };
    i.check_join = { "a.cod_cid=m.cod_cid", ultima_juncao };
    return i;
}

// Where the load and the search put each value. Both begin with
// a.id_apiario, a.nome, a.cod_cid, a.distrito, a.id_florada and the creation
// date; the load goes on with a.obs, a.endereco, a.latitude, a.longitude,
// f.* (the floral source's key and name), m.* (the municipality's code,
// name and state) and a.xmin; the search with f.* and m.*.
enum : std::size_t { ID, NOME, COD_CID, DISTRITO, ID_FLORADA, DATA_CRIACAO };
namespace carga {
enum : std::size_t {
    OBS = DATA_CRIACAO + 1, ENDERECO, LATITUDE, LONGITUDE, FLORADA_ID, FLORADA_NOME, MUNICIPIO_ID, MUNICIPIO_NOME,
    MUNICIPIO_ESTADO, VERSAO
};
} // namespace carga
namespace busca {
enum : std::size_t { FLORADA_ID = DATA_CRIACAO + 1, FLORADA_NOME, MUNICIPIO_ID, MUNICIPIO_NOME };
} // namespace busca

// What both statements begin with and the search shows (not the district).
APIARIOS ler_comeco(const LinhaResultado& linha)
{
    APIARIOS a;
    a.id_apiario = linha.inteiro(ID);
    a.nome = linha[NOME];
    a.municipio.cod_cid = linha.inteiro(COD_CID);
    a.florada.id_florada = linha.inteiro(ID_FLORADA);
    a.data_criacao = linha[DATA_CRIACAO];
    return a;
}

// The search shows only names, dates, floral sources and places.
APIARIOS ler_apiario_achado(const LinhaResultado& linha)
{
    APIARIOS a = ler_comeco(linha);
    a.florada.nome_florada = linha[busca::FLORADA_NOME];
    a.municipio.nome = linha[busca::MUNICIPIO_NOME];
    return a;
}

APIARIOS ler_apiario(const LinhaResultado& linha)
{
    APIARIOS a = ler_comeco(linha);
    a.distrito = linha[DISTRITO];
    a.obs = linha[carga::OBS];
    a.endereco = linha[carga::ENDERECO];
    a.latitude = linha[carga::LATITUDE];
    a.longitude = linha[carga::LONGITUDE];
    a.florada.nome_florada = linha[carga::FLORADA_NOME];
    a.municipio.nome = linha[carga::MUNICIPIO_NOME];
    a.versao = linha[carga::VERSAO];
    return a;
}

} // namespace

const char* LISTA_APIARIOS::municipio(std::size_t i) const
{
    // Each list knows by its reader which statement made its rows.
    const std::size_t coluna = leitor(i) == ler_apiario_achado ? std::size_t(busca::MUNICIPIO_NOME) : std::size_t(carga::MUNICIPIO_NOME);
    return linha(i).c_str(coluna);
}

APIARIO::APIARIO(QUERY* query) : DADOS(query) {}

bool APIARIO::Cadastrar_Apiario(APIARIOS* a)
{
    rastro::escrever("\n---------------------------- Cadastrar Apiario ----------------------------\n");

    RESULTADO r;
    if (!executar(insercao(*a), &r))
        return false;
    if (r.achou())
        a->id_apiario = r.linha(0).inteiro(0);
    return true;
}

INSTRUCAO APIARIO::insercao(const APIARIOS& a) const
{
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.apiario", { "id_apiario" });
    i.inserir(COLUNAS_APIARIO, a, *query);
    return i;
}

bool APIARIO::Atualizar_Apiario(APIARIOS* a)
{
    rastro::escrever("\n---------------------------- Atualizar Apiario ----------------------------\n");

    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR);
    rastro::escrever("\nUPDATE APIARIO \n");
    i.atualizar(COLUNAS_APIARIO, *a, *query);
    i.condicao("id_apiario", std::to_string(a->id_apiario));
    if (!a->versao.empty())
        i.condicao("xmin", query->literal(a->versao));
    i.tabelas = { "cadastro.Apiario" };
    return executar(i);
}

void APIARIO::Get_Apiarios(LISTA_APIARIOS* lista)
{
    if (!lista)
        return;
    const INSTRUCAO i = consulta_apiarios(
        *query,
        { "a.id_apiario", "a.nome", "a.cod_cid", "a.distrito", "a.id_florada", "to_char(a.data_criacao,'DD/MM/YYYY')",
          "a.obs", "a.endereco", "a.latitude", "a.longitude", "f.*", "m.*", "a.xmin" },
        "a.id_florada=f.id_florada  order by a.id_apiario asc");
    RESULTADO r;
    executar(i, &r);
    lista->acrescentar(r, ler_apiario);
}

LISTA_APIARIOS APIARIO::Pesquisar_Apiario(std::string filtro, Detalhe detalhe)
{
    INSTRUCAO i = consulta_apiarios(*query,
                                    { "a.id_apiario", "a.nome", "a.cod_cid", "a.distrito", "a.id_florada",
                                      "to_char(a.data_criacao,'DD/MM/YYYY')", "f.*", "m.*" },
                                    "a.id_florada=f.id_florada ");
    i.filtroconsulta = filtro;
    // A search list shows the key, the name and the municipality's name.
    if (detalhe == Detalhe::RESUMO)
        i.colunas_guardadas = { ID, NOME, busca::MUNICIPIO_NOME };

    RESULTADO r;
    executar(i, &r);
    if (!r.achou()) {
        rastro::escrever(r.mensagem + '\n');
        return LISTA_APIARIOS();
    }
    // A line per apiary found, written a block at a time.
    std::string nomes;
    nomes.reserve(rastro::BLOCO + 256);
    for (int k = 0; k < r.registros(); ++k) {
        nomes += "\nNOME:";
        nomes += r.linha(k).c_str(NOME);
        if (nomes.size() >= rastro::BLOCO) {
            rastro::escrever(nomes);
            nomes.clear();
        }
    }
    rastro::escrever(nomes);
    return LISTA_APIARIOS(r, ler_apiario_achado);
}

LISTA_APIARIOS APIARIO::Pesquisar_Apiario(const FILTRO_APIARIOS& filtro)
{
    const std::string& texto = filtro.texto;
    std::string condicao;
    if (filtro.campo == FILTRO_APIARIOS::ID) {
        // A key is digits only, and at most as long as the largest key;
        // any other text is no apiary's key. Nothing typed lists them all.
        const std::size_t zeros = texto.find_first_not_of('0');
        const std::string chave = zeros == std::string::npos ? (texto.empty() ? "" : "0") : texto.substr(zeros);
        if (texto.find_first_not_of("0123456789") != std::string::npos || chave.size() > 10) {
            falha_ = FALHA();
            return LISTA_APIARIOS();
        }
        condicao = chave.empty() ? " a.id_apiario is not null" : " a.id_apiario = " + chave;
    } else {
        // The typed text matches as it is: "like" takes no wildcard from it.
        condicao = (filtro.campo == FILTRO_APIARIOS::REGIAO ? " m.nome like " : " a.nome like ") +
                   query->literal(inicio_de_padrao(texto));
    }
    return Pesquisar_Apiario(condicao, Detalhe::RESUMO);
}
