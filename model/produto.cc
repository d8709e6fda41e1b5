#include "model/produto.h"

#include "db/query.h"
#include "util/validacao.h"

const char* const TIPOS_PRODUTO[3] = { "Medicamento", "Alimento", "Outro insumo" };
const char* const UNIDADES[6] = { "g", "mL", "kg", "L", "tira", "dose" };
const char* const ALIMENTO = TIPOS_PRODUTO[1];

namespace {

// A withdrawal period as typed: whole days, 0 to 3650.
bool ler_dias(const std::string& texto)
{
    if (texto.empty() || texto.size() > 4)
        return false;
    for (char c : texto) {
        if (c < '0' || c > '9')
            return false;
    }
    return std::stoi(texto) <= 3650;
}

// The columns of a product as insert and update write them.
const COLUNA<PRODUTOS> COLUNAS_PRODUTO[] = {
    { "nome", [](const BANCOPG& b, const PRODUTOS& p) { return b.literal(p.nome); } },
    { "tipo", [](const BANCOPG& b, const PRODUTOS& p) { return b.literal(p.tipo); } },
    { "principio_ativo", [](const BANCOPG& b, const PRODUTOS& p) { return b.literal(p.principio_ativo); } },
    { "carencia_dias", [](const BANCOPG& b, const PRODUTOS& p) { return b.literal(p.carencia); } },
    { "unidade", [](const BANCOPG& b, const PRODUTOS& p) { return b.literal(p.unidade); } },
};

namespace coluna {
enum : std::size_t { ID, NOME, TIPO, PRINCIPIO, CARENCIA, UNIDADE, EXEMPLO, VERSAO };
} // namespace coluna

INSTRUCAO consulta_produtos(const QUERY& query)
{
    return query.descrever(INSTRUCAO::CONSULTAR, "cadastro.produto",
                           { "id_produto", "nome", "tipo", "principio_ativo", "carencia_dias", "unidade", "exemplo",
                             "xmin" });
}

PRODUTOS ler_produto(const LinhaResultado& linha)
{
    PRODUTOS p;
    p.id = linha.inteiro(coluna::ID);
    p.nome = linha[coluna::NOME];
    p.tipo = linha[coluna::TIPO];
    p.principio_ativo = linha[coluna::PRINCIPIO];
    p.carencia = linha[coluna::CARENCIA];
    p.unidade = linha[coluna::UNIDADE];
    p.exemplo = linha[coluna::EXEMPLO] == "t";
    p.versao = linha[coluna::VERSAO];
    return p;
}

} // namespace

bool tipo_de_produto(const std::string& texto) { return um_de(texto, TIPOS_PRODUTO); }
bool unidade_valida(const std::string& texto) { return um_de(texto, UNIDADES); }

PRODUTO::PRODUTO(QUERY* query) : DADOS(query) {}

bool PRODUTO::conferir(const PRODUTOS& p)
{
    falha_ = FALHA();
    if (p.nome.find_first_not_of(" \t") == std::string::npos)
        return recusar("Escreva o nome do produto.");
    if (!tipo_de_produto(p.tipo))
        return recusar("Escolha o tipo do produto: Medicamento, Alimento ou Outro insumo.");
    if (!ler_dias(p.carencia))
        return recusar("A carência deve ser um número de dias, de 0 a 3650 (0 quando o produto não tem carência).");
    if (!unidade_valida(p.unidade))
        return recusar("Escolha a unidade do produto.");
    return true;
}

bool PRODUTO::inserir(PRODUTOS* produto)
{
    if (!conferir(*produto))
        return false;
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.produto", { "id_produto" });
    i.inserir(COLUNAS_PRODUTO, *produto, *query);
    RESULTADO r;
    if (!executar_contando(i, &r) || !r.achou())
        return false;
    produto->id = r.linha(0).inteiro(0);
    return true;
}

bool PRODUTO::atualizar(PRODUTOS* produto)
{
    if (!conferir(*produto))
        return false;
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.produto");
    i.atualizar(COLUNAS_PRODUTO, *produto, *query);
    i.condicao("id_produto", std::to_string(produto->id));
    if (!produto->versao.empty())
        i.condicao("xmin", query->literal(produto->versao));
    return executar_contando(i);
}

std::string PRODUTO::onde_usado(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    const std::string p = std::to_string(id);
    i.camporetorno = { "(select count(*) from cadastro.tratamento where id_produto = " + p + ")",
                       "(select count(*) from cadastro.alimentacao where id_produto = " + p + ")",
                       "(select string_agg(distinct id_colmeia::text, ', ') from (select id_colmeia from "
                       "cadastro.tratamento where id_produto = " + p + " union select id_colmeia from "
                       "cadastro.alimentacao where id_produto = " + p + " order by 1 limit 10) as c)" };
    i.tabelas = { "(select 1) as um" };
    const RESULTADO r = query->ativar(i);
    if (!r.achou())
        return std::string();
    const int tratamentos = r.linha(0).inteiro(0);
    const int alimentacoes = r.linha(0).inteiro(1);
    if (tratamentos == 0 && alimentacoes == 0)
        return std::string();
    std::string onde;
    if (tratamentos > 0)
        onde = std::to_string(tratamentos) + (tratamentos == 1 ? " tratamento" : " tratamentos");
    if (alimentacoes > 0)
        onde += (onde.empty() ? "" : " e ") + std::to_string(alimentacoes) +
                (alimentacoes == 1 ? " alimentação" : " alimentações");
    return "Este produto está em uso em " + onde + " (colméias " + r.linha(0)[2] +
           "): ele não pode ser excluído. Os registros do diário precisam dele para mostrar o que foi aplicado.";
}

bool PRODUTO::deletar(int id, const std::string& versao)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.produto");
    i.condicao("id_produto", std::to_string(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    if (executar_contando(i))
        return true;
    if (falha_.sqlstate == "23503") {
        const std::string onde = onde_usado(id);
        if (!onde.empty())
            falha_.explicar(onde);
    }
    return false;
}

PRODUTOS PRODUTO::get_produto(int id)
{
    INSTRUCAO i = consulta_produtos(*query);
    i.condicao("id_produto", std::to_string(id));
    RESULTADO r;
    executar(i, &r);
    return r.achou() ? ler_produto(r.linha(0)) : PRODUTOS();
}

LISTA_PRODUTOS PRODUTO::listar(const std::string& tipo)
{
    INSTRUCAO i = consulta_produtos(*query);
    if (!tipo.empty())
        i.condicao("tipo", query->literal(tipo));
    i.campoorder = { "nome", "id_produto" };
    RESULTADO r;
    executar_contando(i, &r);
    return LISTA_PRODUTOS(r, ler_produto);
}
