#include "model/apiario.h"

#include <iostream>

#include "db/query.h"

namespace {

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
        a->id_apiario = query->linha_consulta(0).inteiro(0);
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

APIARIOS LISTA_APIARIOS::operator[](std::size_t i) const
{
    return ler_apiario(linha(i));
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
        a.id_apiario = linha.inteiro(0);
        a.nome = linha[1];
        a.municipio.cod_cid = linha.inteiro(2);
        a.florada.id_florada = linha.inteiro(4);
        a.data_criacao = linha[5];
        a.florada.nome_florada = linha[7];
        a.municipio.nome = linha[9];
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
        a.id_apiario = linha.inteiro(0);
        a.nome = linha[1];
        a.municipio = linha[9];
        lista.push_back(std::move(a));
    }
    query->soltar_consulta();
    return lista;
}
