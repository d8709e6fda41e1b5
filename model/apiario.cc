#include "model/apiario.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "db/query.h"

namespace {

// A value of a result row by position; "" when the row is shorter than
// expected, so a table laid out differently cannot crash the program.
std::string coluna(const LinhaResultado& linha, std::size_t i)
{
    return linha[i];
}

int inteiro(const LinhaResultado& linha, std::size_t i)
{
    return std::atoi(linha.c_str(i));
}

// The apiary, its floral source and its municipality, joined; both
// listings share it and differ in the select list and what follows.
void juntar_tabelas(QUERY* query)
{
    query->add_tabelas("cadastro.apiario as a");
    query->add_tabelas("cadastro.municipio as m");
    query->add_tabelas("cadastro.florada as f");
    query->add_check_join("a.cod_cid=m.cod_cid");
}

// An apiary from a row of the load: a.id_apiario, a.nome, a.cod_cid,
// a.distrito, a.id_florada, the creation date, a.obs, a.endereco,
// a.latitude, a.longitude, f.* (10 and 11) and m.* (12 on).
APIARIOS ler_apiario(const LinhaResultado& linha)
{
    APIARIOS a;
    a.id_apiario = inteiro(linha, 0);
    a.nome = coluna(linha, 1);
    a.municipio.cod_cid = inteiro(linha, 2);
    a.distrito = coluna(linha, 3);
    a.florada.id_florada = inteiro(linha, 4);
    a.data_criacao = coluna(linha, 5);
    a.obs = coluna(linha, 6);
    a.endereco = coluna(linha, 7);
    a.latitude = coluna(linha, 8);
    a.longitude = coluna(linha, 9);
    a.florada.nome_florada = coluna(linha, 11);
    a.municipio.nome = coluna(linha, 13);
    return a;
}

} // namespace

APIARIO::APIARIO(QUERY* query) : query(query) {}

bool APIARIO::Cadastrar_Apiario(APIARIOS* a)
{
    std::cout << "\n---------------------------- Cadastrar Apiario ----------------------------\n";

    query->set_tipoquery(1);
    query->add_camporetorno("id_apiario");
    query->add_campoinsert("nome");
    query->add_dadosinsert(query->literal(a->nome));
    query->add_campoinsert("endereco");
    query->add_dadosinsert(query->literal(a->endereco));
    query->add_campoinsert("distrito");
    query->add_dadosinsert(query->literal(a->distrito));
    query->add_campoinsert("data_criacao");
    query->add_dadosinsert(query->literal(a->data_criacao));
    query->add_campoinsert("latitude");
    query->add_dadosinsert(query->literal(a->latitude));
    query->add_campoinsert("longitude");
    query->add_dadosinsert(query->literal(a->longitude));
    query->add_campoinsert("obs");
    query->add_dadosinsert(query->literal(a->obs));
    query->add_campoinsert("id_florada");
    query->add_dadosinsert(std::to_string(a->florada.id_florada));
    query->add_campoinsert("cod_cid");
    query->add_dadosinsert(std::to_string(a->municipio.cod_cid));
    query->add_tabelas("cadastro.apiario");

    if (!query->ativar())
        return false;
    if (query->get_registros() != 0 && query->linhas_consulta() != 0)
        a->id_apiario = inteiro(query->linha_consulta(0), 0);
    return true;
}

bool APIARIO::Atualizar_Apiario(APIARIOS* a)
{
    std::cout << "\n---------------------------- Atualizar Apiario ----------------------------\n";

    query->set_tipoquery(3);
    std::cout << "\nUPDATE APIARIO \n";
    // The municipality is fixed when the apiary is created.
    query->add_campoupdate("nome");
    query->add_dadosupdate(query->literal(a->nome));
    query->add_campoupdate("endereco");
    query->add_dadosupdate(query->literal(a->endereco));
    query->add_campoupdate("distrito");
    query->add_dadosupdate(query->literal(a->distrito));
    query->add_campoupdate("data_criacao");
    query->add_dadosupdate(query->literal(a->data_criacao));
    query->add_campoupdate("latitude");
    query->add_dadosupdate(query->literal(a->latitude));
    query->add_campoupdate("longitude");
    query->add_dadosupdate(query->literal(a->longitude));
    query->add_campoupdate("obs");
    query->add_dadosupdate(query->literal(a->obs));
    query->add_campoupdate("id_florada");
    query->add_dadosupdate(std::to_string(a->florada.id_florada));
    query->add_campoconsulta("id_apiario");
    query->add_dadosconsulta(std::to_string(a->id_apiario));
    query->add_tabelas("cadastro.Apiario");

    return query->ativar();
}

LISTA_APIARIOS::LISTA_APIARIOS(std::shared_ptr<LINHAS> l, int n)
    : linhas(std::move(l)), quantos(linhas ? static_cast<std::size_t>(std::max(0, std::min(n, linhas->ntuples())))
                                           : 0)
{
}

APIARIOS LISTA_APIARIOS::operator[](std::size_t i) const
{
    if (i >= quantos)
        return APIARIOS();
    return ler_apiario(LinhaResultado(linhas.get(), static_cast<int>(i), linhas->nfields()));
}

std::string LISTA_APIARIOS::nome(std::size_t i) const
{
    if (i >= quantos)
        return std::string();
    return coluna(LinhaResultado(linhas.get(), static_cast<int>(i), linhas->nfields()), 1);
}

LISTA_APIARIOS APIARIO::Get_Lista()
{
    query->set_tipoquery(2);
    query->set_tipojoin(2);
    static const char* const campos[] = {
        "a.id_apiario", "a.nome", "a.cod_cid", "a.distrito", "a.id_florada",
        "to_char(a.data_criacao,'DD/MM/YYYY')", "a.obs", "a.endereco", "a.latitude",
        "a.longitude", "f.*", "m.*",
    };
    for (const char* campo : campos)
        query->add_camporetorno(campo);
    juntar_tabelas(query);
    query->add_check_join("a.id_florada=f.id_florada  order by a.id_apiario asc");

    if (!query->ativar() || query->get_registros() == 0)
        return LISTA_APIARIOS();
    LISTA_APIARIOS lista(query->resultado_linhas(), query->linhas_consulta());
    query->soltar_consulta();
    return lista;
}

void APIARIO::Get_Apiarios(std::vector<APIARIOS>* lista)
{
    if (!lista)
        return;
    const LISTA_APIARIOS lidos = Get_Lista();
    lista->reserve(lista->size() + lidos.size());
    for (std::size_t i = 0; i < lidos.size(); ++i)
        lista->push_back(lidos[i]);
}

bool APIARIO::pesquisar(const std::string& filtro, std::vector<int> guardadas)
{
    query->set_tipoquery(2);
    query->set_tipojoin(2);
    static const char* const campos[] = {
        "a.id_apiario", "a.nome", "a.cod_cid", "a.distrito", "a.id_florada",
        "to_char(a.data_criacao,'DD/MM/YYYY')", "f.*", "m.*",
    };
    for (const char* campo : campos)
        query->add_camporetorno(campo);
    juntar_tabelas(query);
    query->add_check_join("a.id_florada=f.id_florada ");
    query->add_filtroconsulta(filtro);
    query->guardar_so_colunas(std::move(guardadas));

    if (!query->ativar() || query->get_registros() == 0) {
        std::cout << query->get_mensagem() << '\n';
        return false;
    }
    for (int i = 0; i < query->linhas_consulta(); ++i)
        std::cout << "\nNOME:" << query->linha_consulta(i).c_str(1);
    return true;
}

std::vector<APIARIOS> APIARIO::Pesquisar_Apiario(std::string filtro)
{
    std::vector<APIARIOS> lista;
    if (!pesquisar(filtro))
        return lista;

    lista.reserve(query->linhas_consulta());
    for (int i = 0; i < query->linhas_consulta(); ++i) {
        const LinhaResultado linha = query->linha_consulta(i);
        // The search shows only names, dates, floral sources and places.
        APIARIOS a;
        a.id_apiario = inteiro(linha, 0);
        a.nome = coluna(linha, 1);
        a.municipio.cod_cid = inteiro(linha, 2);
        a.florada.id_florada = inteiro(linha, 4);
        a.data_criacao = coluna(linha, 5);
        a.florada.nome_florada = coluna(linha, 7);
        a.municipio.nome = coluna(linha, 9);
        lista.push_back(std::move(a));
    }
    query->soltar_consulta();
    return lista;
}

std::vector<APIARIO::Resumo> APIARIO::Pesquisar_Resumo(std::string filtro)
{
    std::vector<Resumo> lista;
    // Of every apiary found, only the code, the name and the municipality.
    if (!pesquisar(filtro, { 0, 1, 9 }))
        return lista;

    lista.reserve(query->linhas_consulta());
    for (int i = 0; i < query->linhas_consulta(); ++i) {
        const LinhaResultado linha = query->linha_consulta(i);
        Resumo a;
        a.id_apiario = inteiro(linha, 0);
        a.nome = coluna(linha, 1);
        a.municipio = coluna(linha, 9);
        lista.push_back(std::move(a));
    }
    query->soltar_consulta();
    return lista;
}
