#include "model/revisao.h"

#include <iostream>

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

REVISAO::REVISAO(QUERY* query) : query(query) {}

bool REVISAO::inserir(REVISOES* revisao)
{
    pelo_banco = false;
    falha_ = FALHA();
    if (revisao->id_colmeia <= 0)
        mensagem = "Escolha primeiro a colméia revisada.";
    else if (!data_valida(revisao->data))
        mensagem = "A data da revisão não existe: escreva-a como DD/MM/AAAA.";
    else if (!status_de_colmeia(revisao->status))
        mensagem = "Escolha o status visto na revisão.";
    else if (!ler_quilos(revisao->mel))
        mensagem = "O mel colhido deve ser um número de quilos, zero ou mais (por exemplo 12,5).";
    else
        mensagem.clear();
    if (!mensagem.empty())
        return false;

    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR);
    i.tabelas = { "cadastro.revisao" };
    i.camporetorno = { "id_revisao" };
    i.inserir(COLUNAS_REVISAO, *revisao, *query);
    const RESULTADO r = query->ativar(i);
    if (!r.achou()) {
        pelo_banco = true;
        mensagem = r.mensagem;
        falha_ = FALHA(r);
        std::cout << r.mensagem << '\n';
        return false;
    }
    revisao->id = r.linha(0).inteiro(0);
    return true;
}

bool REVISAO::deletar(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR);
    i.tabelas = { "cadastro.revisao" };
    i.condicao("id_revisao", std::to_string(id));
    const RESULTADO r = query->ativar(i);
    if (!r.ok)
        std::cout << r.mensagem << '\n';
    return r.ok;
}

LISTA_REVISOES REVISAO::listar(int id_colmeia)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "id_revisao", "id_colmeia", "to_char(data_revisao,'DD/MM/YYYY')", "status", "mel_kg", "obs" };
    i.tabelas = { "cadastro.revisao" };
    i.condicao("id_colmeia", std::to_string(id_colmeia));
    i.campoorder = { "data_revisao desc", "id_revisao desc" };
    const RESULTADO r = query->ativar(i);
    if (!r.ok)
        std::cout << r.mensagem << '\n';
    return LISTA_REVISOES(r, ler_revisao);
}

int REVISAO::contar(int id_colmeia)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "count(*)" };
    i.tabelas = { "cadastro.revisao" };
    i.condicao("id_colmeia", std::to_string(id_colmeia));
    const RESULTADO r = query->ativar(i);
    return r.achou() ? r.linha(0).inteiro(0) : -1;
}
