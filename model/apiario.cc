#include "model/apiario.h"

#include <iostream>

#include "db/query.h"

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

// An apiary from a row of the load: a.id_apiario, a.nome, a.cod_cid,
// a.distrito, a.id_florada, the creation date, a.obs, a.endereco,
// a.latitude, a.longitude, f.* (10 and 11), m.* (12 to 14) and a.xmin.
APIARIOS ler_apiario(const LinhaResultado& linha)
{
    APIARIOS a;
    a.id_apiario = linha.inteiro(0);
    a.nome = linha[1];
    a.municipio.cod_cid = linha.inteiro(2);
    a.distrito = linha[3];
    a.florada.id_florada = linha.inteiro(4);
    a.data_criacao = linha[5];
    a.obs = linha[6];
    a.endereco = linha[7];
    a.latitude = linha[8];
    a.longitude = linha[9];
    a.florada.nome_florada = linha[11];
    a.municipio.nome = linha[13];
    a.versao = linha[15];
    return a;
}

// An apiary from a row of the search: a.id_apiario, a.nome, a.cod_cid,
// a.distrito, a.id_florada, the creation date, f.* (6 and 7) and m.* (8 on).
// The search shows only names, dates, floral sources and places.
APIARIOS ler_apiario_achado(const LinhaResultado& linha)
{
    APIARIOS a;
    a.id_apiario = linha.inteiro(0);
    a.nome = linha[1];
    a.municipio.cod_cid = linha.inteiro(2);
    a.florada.id_florada = linha.inteiro(4);
    a.data_criacao = linha[5];
    a.florada.nome_florada = linha[7];
    a.municipio.nome = linha[9];
    return a;
}

} // namespace

const char* LISTA_APIARIOS::municipio(std::size_t i) const
{
    // The load and the search put it in different places.
    return linha(i).c_str(leitor(i) == ler_apiario_achado ? 9 : 13);
}

APIARIO::APIARIO(QUERY* query) : query(query) {}

bool APIARIO::Cadastrar_Apiario(APIARIOS* a)
{
    std::cout << "\n---------------------------- Cadastrar Apiario ----------------------------\n";

    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR);
    i.camporetorno = { "id_apiario" };
    i.inserir(COLUNAS_APIARIO, *a, *query);
    i.tabelas = { "cadastro.apiario" };

    const RESULTADO r = query->ativar(i);
    if (!r.ok)
        return false;
    if (r.achou())
        a->id_apiario = r.linha(0).inteiro(0);
    return true;
}

bool APIARIO::Atualizar_Apiario(APIARIOS* a)
{
    std::cout << "\n---------------------------- Atualizar Apiario ----------------------------\n";

    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR);
    std::cout << "\nUPDATE APIARIO \n";
    i.atualizar(COLUNAS_APIARIO, *a, *query);
    i.condicao("id_apiario", std::to_string(a->id_apiario));
    if (!a->versao.empty())
        i.condicao("xmin", query->literal(a->versao));
    i.tabelas = { "cadastro.Apiario" };
    return query->ativar(i).ok;
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
    lista->acrescentar(query->ativar(i), ler_apiario);
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
        i.colunas_guardadas = { 0, 1, 9 };

    const RESULTADO r = query->ativar(i);
    if (!r.achou()) {
        std::cout << r.mensagem << '\n';
        return LISTA_APIARIOS();
    }
    // A line per apiary found, made here and written at once.
    std::string nomes;
    for (int k = 0; k < r.registros; ++k) {
        nomes += "\nNOME:";
        nomes += r.linha(k).c_str(1);
    }
    std::cout.write(nomes.data(), static_cast<std::streamsize>(nomes.size()));
    return LISTA_APIARIOS(r, ler_apiario_achado);
}
