#include "model/revisao.h"

#include "db/query.h"
#include "model/colmeia.h"
#include "util/validacao.h"

namespace {

// The columns of an inspection as an insert writes them. The date goes in
// the database's ISO form and the weight as a bare number: both are checked
// before (a text that is neither goes as it is, and the database refuses it).
const COLUNA<REVISOES> COLUNAS_REVISAO[] = {
    { "id_colmeia", [](const BANCOPG&, const REVISOES& r) { return std::to_string(r.id_colmeia); } },
    { "data_revisao",
      [](const BANCOPG& b, const REVISOES& r) {
          std::string iso;
          return b.literal(data_valida(r.data, &iso) ? iso : r.data);
      } },
    { "status", [](const BANCOPG& b, const REVISOES& r) { return b.literal(r.status); } },
    { "mel_kg",
      [](const BANCOPG& b, const REVISOES& r) {
          std::string numero;
          return ler_quilos(r.mel, &numero) ? numero : b.literal(r.mel);
      } },
    { "obs", [](const BANCOPG& b, const REVISOES& r) { return b.literal(r.obs); } },
};

// id_revisao, id_colmeia, the date day first, status, mel_kg, obs.
REVISOES ler_revisao(const LinhaResultado& linha)
{
    REVISOES r;
    r.id = linha.inteiro(0);
    r.id_colmeia = linha.inteiro(1);
    r.data = linha[2];
    r.status = linha[3];
    r.mel = mostrar_quilos(linha[4]);
    r.obs = linha[5];
    return r;
}

} // namespace

REVISAO::REVISAO(QUERY* query) : DADOS(query) {}

bool REVISAO::inserir(REVISOES* revisao)
{
    if (revisao->id_colmeia <= 0)
        return recusar("Escolha primeiro a colméia revisada.");
    if (!data_valida(revisao->data))
        return recusar("A data da revisão não existe: escreva-a como DD/MM/AAAA.");
    if (!status_de_colmeia(revisao->status))
        return recusar("Escolha o status visto na revisão.");
    if (!ler_quilos(revisao->mel))
        return recusar("O mel colhido deve ser um número de quilos, zero ou mais (por exemplo 12,5).");

    RESULTADO r;
    const INSTRUCAO i = insercao(*revisao);
    if (!executar_contando(i, &r) || !r.achou())
        return false;
    revisao->id = r.linha(0).inteiro(0);
    return true;
}

INSTRUCAO REVISAO::insercao(const REVISOES& revisao) const
{
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.revisao", { "id_revisao" });
    i.inserir(COLUNAS_REVISAO, revisao, *query);
    return i;
}

bool REVISAO::deletar(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.revisao");
    i.condicao("id_revisao", std::to_string(id));
    return executar_contando(i);
}

LISTA_REVISOES REVISAO::listar(int id_colmeia)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.revisao", { "id_revisao", "id_colmeia", "to_char(data_revisao,'DD/MM/YYYY')", "status", "mel_kg", "obs" });
    i.condicao("id_colmeia", std::to_string(id_colmeia));
    i.campoorder = { "data_revisao desc", "id_revisao desc" };
    RESULTADO r;
    executar_contando(i, &r);
    return LISTA_REVISOES(r, ler_revisao);
}

int REVISAO::contar(int id_colmeia)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.revisao", { "count(*)" });
    i.condicao("id_colmeia", std::to_string(id_colmeia));
    RESULTADO r;
    executar(i, &r);
    return r.achou() ? r.linha(0).inteiro(0) : -1;
}
