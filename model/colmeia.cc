#include "model/colmeia.h"

#include <iostream>

#include "db/query.h"
#include "util/validacao.h"

const char* const TIPOS_COLMEIA[4] = { "Langstroth", "Schenk", "Núcleo", "Outro" };
const char* const STATUS_COLMEIA[6] = { "Ativa", "Fraca", "Órfã", "Zanganeira", "Morta", "Vendida" };

bool tipo_de_colmeia(const std::string& texto)
{
    for (const char* t : TIPOS_COLMEIA) {
        if (texto == t)
            return true;
    }
    return false;
}

bool status_de_colmeia(const std::string& texto)
{
    for (const char* s : STATUS_COLMEIA) {
        if (texto == s)
            return true;
    }
    return false;
}

namespace {

// The installation date as the database takes it: ISO when it is a date,
// null when it is not known.
std::string instalacao_sql(const BANCOPG& b, const COLMEIAS& c)
{
    if (c.instalacao.empty())
        return "null";
    std::string iso;
    return b.literal(data_valida(c.instalacao, &iso) ? iso : c.instalacao);
}

// The columns of a hive as insert and update write them, in this order.
const COLUNA<COLMEIAS> COLUNAS_COLMEIA[] = {
    { "tipo", [](const BANCOPG& b, const COLMEIAS& c) { return b.literal(c.tipo); } },
    { "status", [](const BANCOPG& b, const COLMEIAS& c) { return b.literal(c.status); } },
    { "id_abelha",
      [](const BANCOPG&, const COLMEIAS& c) { return c.id_abelha != 0 ? std::to_string(c.id_abelha) : "null"; } },
    { "id_apiario", [](const BANCOPG&, const COLMEIAS& c) { return std::to_string(c.id_apiario); } },
    { "data_instalacao", instalacao_sql },
    { "obs", [](const BANCOPG& b, const COLMEIAS& c) { return b.literal(c.obs); } },
};

// The hives with their queen's RGN and their apiary's name, up to the
// conditions.
INSTRUCAO consulta_colmeias(const QUERY& query)
{
    INSTRUCAO i = query.descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "c.id_colmeia", "c.tipo", "c.status",
                       "(select r.rgn from cadastro.abelha_rainha as r where r.id_abelha = c.id_abelha)",
                       "c.id_abelha", "c.id_apiario",
                       "(select a.nome from cadastro.apiario as a where a.id_apiario = c.id_apiario)",
                       "to_char(c.data_instalacao,'DD/MM/YYYY')", "c.obs", "c.xmin" };
    i.tabelas = { "cadastro.colmeia as c" };
    return i;
}

// One row of consulta_colmeias: a queen or date not known reads as 0 or "".
COLMEIAS ler_colmeia(const LinhaResultado& linha)
{
    COLMEIAS c;
    c.id = linha.inteiro(0);
    c.tipo = linha[1];
    c.status = linha[2];
    c.rgn = linha[3];
    c.id_abelha = linha.inteiro(4);
    c.id_apiario = linha.inteiro(5);
    c.apiario = linha[6];
    c.instalacao = linha[7];
    c.obs = linha[8];
    c.versao = linha[9];
    return c;
}

} // namespace

COLMEIA::COLMEIA(QUERY* query) : query(query) {}

bool COLMEIA::conferir(COLMEIAS& c)
{
    pelo_banco = false;
    falha_ = FALHA();
    if (!tipo_de_colmeia(c.tipo))
        mensagem = "Escolha o tipo da colméia.";
    else if (!status_de_colmeia(c.status))
        mensagem = "Escolha o status da colméia.";
    else if (c.id_apiario <= 0)
        mensagem = "Escolha o apiário da colméia.";
    else if (!c.instalacao.empty() && !data_valida(c.instalacao))
        mensagem = "A data de instalação não existe: escreva-a como DD/MM/AAAA.";
    else
        mensagem.clear();
    if (!mensagem.empty())
        return false;

    c.id_abelha = 0;
    if (c.rgn.empty())
        return true;
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "id_abelha" };
    i.tabelas = { "cadastro.abelha_rainha" };
    i.condicao("rgn", query->literal(c.rgn));
    const RESULTADO r = query->ativar(i);
    if (!r.ok) {
        pelo_banco = true;
        mensagem = r.mensagem;
        falha_ = FALHA(r);
        return false;
    }
    if (!r.achou()) {
        mensagem = "Nenhuma abelha rainha tem o RGN informado: escolha uma da lista ou deixe o campo vazio.";
        return false;
    }
    c.id_abelha = r.linha(0).inteiro(0);
    if (const int outra = colmeia_da_rainha(c.id_abelha, c.id)) {
        mensagem = "A rainha " + c.rgn + " já está na colméia " + std::to_string(outra) + ".";
        return false;
    }
    return true;
}

void COLMEIA::explicar_recusa(const COLMEIAS& c, const RESULTADO& r)
{
    pelo_banco = true;
    mensagem = r.mensagem;
    falha_ = FALHA(r);
    std::cout << r.mensagem << '\n';
    if (c.id_abelha == 0)
        return;
    if (const int outra = colmeia_da_rainha(c.id_abelha, c.id)) {
        pelo_banco = false;
        mensagem = "A rainha " + c.rgn + " já está na colméia " + std::to_string(outra) + ".";
    }
}

bool COLMEIA::inserir(COLMEIAS* colmeia)
{
    COLMEIAS c = *colmeia;
    c.id = 0;
    if (!conferir(c))
        return false;

    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR);
    i.tabelas = { "cadastro.colmeia" };
    i.camporetorno = { "id_colmeia" };
    i.inserir(COLUNAS_COLMEIA, c, *query);
    const RESULTADO r = query->ativar(i);
    if (!r.achou()) {
        explicar_recusa(c, r);
        return false;
    }
    c.id = r.linha(0).inteiro(0);
    *colmeia = c;
    return true;
}

bool COLMEIA::atualizar(COLMEIAS* colmeia)
{
    COLMEIAS c = *colmeia;
    if (!conferir(c))
        return false;

    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR);
    i.tabelas = { "cadastro.colmeia" };
    i.atualizar(COLUNAS_COLMEIA, c, *query);
    i.condicao("id_colmeia", std::to_string(c.id));
    if (!c.versao.empty())
        i.condicao("xmin", query->literal(c.versao));
    const RESULTADO r = query->ativar(i);
    if (!r.ok) {
        explicar_recusa(c, r);
        return false;
    }
    *colmeia = c;
    return true;
}

bool COLMEIA::deletar(int id, const std::string& versao)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR);
    i.tabelas = { "cadastro.colmeia" };
    i.condicao("id_colmeia", std::to_string(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    const RESULTADO r = query->ativar(i);
    if (!r.ok)
        std::cout << r.mensagem << '\n';
    return r.ok;
}

COLMEIAS COLMEIA::get_colmeia(int id)
{
    INSTRUCAO i = consulta_colmeias(*query);
    i.condicao("c.id_colmeia", std::to_string(id));
    const RESULTADO r = query->ativar(i);
    return r.achou() ? ler_colmeia(r.linha(0)) : COLMEIAS();
}

LISTA_COLMEIAS COLMEIA::pesquisar(const FILTRO_COLMEIAS& filtro)
{
    INSTRUCAO i = consulta_colmeias(*query);
    if (!filtro.tipo.empty())
        i.condicao("c.tipo", query->literal(filtro.tipo));
    if (!filtro.status.empty())
        i.condicao("c.status", query->literal(filtro.status));
    if (filtro.id_abelha != 0)
        i.condicao("c.id_abelha", std::to_string(filtro.id_abelha));
    if (filtro.id_apiario != 0)
        i.condicao("c.id_apiario", std::to_string(filtro.id_apiario));
    i.campoorder = { "c.id_colmeia" };
    const RESULTADO r = query->ativar(i);
    if (!r.ok)
        std::cout << r.mensagem << '\n';
    return LISTA_COLMEIAS(r, ler_colmeia);
}

int COLMEIA::colmeia_da_rainha(int id_abelha, int exceto)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "id_colmeia" };
    i.tabelas = { "cadastro.colmeia" };
    i.filtroconsulta = "id_abelha = " + std::to_string(id_abelha) + " and id_colmeia <> " + std::to_string(exceto);
    const RESULTADO r = query->ativar(i);
    return r.achou() ? r.linha(0).inteiro(0) : 0;
}

LISTA_APIARIOS COLMEIA::apiarios()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "id_apiario", "nome" };
    i.tabelas = { "cadastro.apiario" };
    i.campoorder = { "nome", "id_apiario" };
    const RESULTADO r = query->ativar(i);
    if (!r.ok)
        std::cout << r.mensagem << '\n';
    return LISTA_APIARIOS(r, [](const LinhaResultado& linha) {
        APIARIOS a;
        a.id_apiario = linha.inteiro(0);
        a.nome = linha[1];
        return a;
    });
}
