#include "model/abelha.h"

#include <algorithm>
#include <cstdio>

#include "db/query.h"
#include "db/rastro.h"
#include "util/conversoes.h"
#include "util/libex.h"
#include "util/marcacao.h"
#include "util/validacao.h"

namespace {

// The columns of a bee as insert and update write them, in this order. The
// registry number needs the new code: an insert writes it empty and
// rg_abelha writes it right after.
const COLUNA<ABELHAS> COLUNAS_ABELHA[] = {
    { "rgn", [](const BANCOPG&, const ABELHAS&) { return std::string("''"); }, true },
    { "data_nasc", [](const BANCOPG& b, const ABELHAS& a) { return b.literal(a.nascimento); } },
    { "matriz", [](const BANCOPG&, const ABELHAS& a) { return std::string(a.matriz ? "'true'" : "'false'"); } },
    { "filha", [](const BANCOPG&, const ABELHAS& a) { return a.mae != 0 ? std::to_string(a.mae) : std::string("null"); } },
    // Only a colour other than her year's is kept.
    { "cor_marcacao", [](const BANCOPG& b, const ABELHAS& a) { return b.literal(cor_a_guardar(a.nascimento, a.cor)); } },
    { "asa_cortada", [](const BANCOPG&, const ABELHAS& a) { return std::string(a.asa_cortada ? "'true'" : "'false'"); } },
};

// A bee from the table's own columns (coluna_abelha); the date comes in the
// database's ISO form and is shown day first (a date already day first, as
// the lineage writes it, stays as it is).
ABELHAS ler_abelha(const LinhaResultado& linha)
{
    using namespace coluna_abelha;
    ABELHAS b;
    b.id = linha.inteiro(ID);
    b.rgn = linha[RGN];
    char* data = data_formatada(linha.c_str(NASCIMENTO), 2);
    b.nascimento = data;
    delete[] data;
    b.matriz = std::string(linha.c_str(MATRIZ)) == "t";
    // An unknown mother (NULL) arrives as an empty text, which reads as 0.
    b.mae = linha.inteiro(MAE);
    b.cor = linha[COR];
    b.asa_cortada = std::string(linha.c_str(ASA_CORTADA)) == "t";
    return b;
}

// A bee of the listing, which has the row's version after the columns.
ABELHAS ler_abelha_listada(const LinhaResultado& linha)
{
    ABELHAS b = ler_abelha(linha);
    b.versao = linha[coluna_abelha::VERSAO];
    return b;
}

// How many daughters go to the server together: their statements and
// replies fit in the system's buffers many times over.
const int FILHAS_POR_GRUPO = 64;

} // namespace

std::string LISTA_ABELHAS::cor(std::size_t i) const
{
    const LinhaResultado l = linha(i);
    const std::string guardada = l[coluna_abelha::COR];
    if (!guardada.empty())
        return guardada;
    // The listing reads the date as the database writes it, the lineage
    // day first.
    std::string data = l[coluna_abelha::NASCIMENTO];
    if (data.size() == 10 && data[4] == '-')
        data = data.substr(8, 2) + "/" + data.substr(5, 2) + "/" + data.substr(0, 4);
    return cor_da_rainha(data, guardada);
}

std::string formatar_rgn(int id, int mae)
{
    char texto[32];
    std::snprintf(texto, sizeof texto, "%05d-%05d", id, mae);
    return texto;
}

ABELHA::ABELHA(QUERY* query) : DADOS(query) {}

INSTRUCAO ABELHA::insercao(const ABELHAS& abelha) const
{
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.abelha_rainha", { "id_abelha" });
    i.inserir(COLUNAS_ABELHA, abelha, *query);
    return i;
}

bool ABELHA::inserir(ABELHAS* abelha)
{
    RESULTADO r;
    if (!executar(insercao(*abelha), &r) || !r.achou())
        return false;
    abelha->id = r.linha(0).inteiro(0);
    abelha->rgn = rg_abelha(abelha->id, abelha->mae);
    return true;
}

INSTRUCAO ABELHA::instrucao_rgn(int id, int mae)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.abelha_rainha");
    i.atualizar("rgn", query->literal(formatar_rgn(id, mae)));
    i.condicao("id_abelha", intToString(id));
    return i;
}

std::string ABELHA::rg_abelha(int id, int mae)
{
    contar(query->ativar(instrucao_rgn(id, mae)));
    return formatar_rgn(id, mae);
}

bool ABELHA::sem_filhas(FALHA falha)
{
    falha.houve = true;
    falha_ = falha;
    return false;
}

bool ABELHA::gerar_filhas(int mae, const std::string& nascimento, int quantas,
                          const std::function<bool(int)>& andamento)
{
    if (const RESULTADO r = query->iniciar_transacao(); !r.ok())
        return sem_filhas(FALHA(r));
    ABELHAS filha;
    filha.nascimento = nascimento;
    filha.matriz = false;
    filha.mae = mae;
    const INSTRUCAO insert = insercao(filha);

    // A group of daughters at a time: their inserts go together, and then
    // the registry numbers of the codes they got. Each statement still
    // waits for nothing but the group, instead of for the one before.
    FALHA falha;
    for (int feitas = 0; feitas < quantas && !falha.houve;) {
        const int grupo = std::min(FILHAS_POR_GRUPO, quantas - feitas);
        for (int k = 0; k < grupo; ++k)
            query->enfileirar(insert);
        std::vector<int> codigos;
        for (const RESULTADO& r : query->enviar_fila()) {
            if (!r.achou()) {
                falha = FALHA(r);
                falha.houve = true;
                break;
            }
            codigos.push_back(r.linha(0).inteiro(0));
        }
        if (falha.houve)
            break;
        for (int codigo : codigos)
            query->enfileirar(instrucao_rgn(codigo, mae));
        for (const RESULTADO& r : query->enviar_fila()) {
            if (!r.ok()) {
                contar(r);
                falha = FALHA(r);
                break;
            }
        }
        feitas += grupo;
        if (!falha.houve && andamento && !andamento(feitas)) {
            falha.houve = true;
            falha.sqlstate = FALHA::CANCELADA;
        }
    }
    if (!falha.houve) {
        const RESULTADO r = query->confirmar_transacao();
        falha_ = FALHA(r);
        return r.ok();
    }
    // Nothing of it is stored: the server undoes it with the rollback, or
    // did already when the connection went.
    falha.desfeita = true;
    query->desfazer_transacao();
    return sem_filhas(falha);
}

bool ABELHA::atualizar(ABELHAS* abelha)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.abelha_rainha");
    i.atualizar(COLUNAS_ABELHA, *abelha, *query);
    i.condicao("id_abelha", intToString(abelha->id));
    if (!abelha->versao.empty())
        i.condicao("xmin", query->literal(abelha->versao));

    if (!executar_contando(i))
        return false;
    // The stored number follows a changed mother.
    rg_abelha(abelha->id, abelha->mae);
    return true;
}

const LISTA_ABELHAS& ABELHA::listar()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.abelha_rainha", { "id_abelha", "rgn", "data_nasc", "matriz", "filha", "cor_marcacao", "asa_cortada", "xmin" });
    i.campoorder = { "id_abelha" };

    // A failed or empty answer keeps what the last listing found.
    if (RESULTADO r; executar(i, &r) && r.achou()) {
        abelhas = LISTA_ABELHAS(r, ler_abelha_listada);
        // A line "true" for each matrix bee, written a block at a time.
        std::string linhas;
        for (std::size_t k = 0; k < abelhas.size(); ++k) {
            if (abelhas.matriz(k))
                linhas += "true\n";
            if (linhas.size() >= rastro::BLOCO) {
                rastro::escrever(linhas);
                linhas.clear();
            }
        }
        rastro::escrever(linhas);
    }
    return abelhas;
}

ABELHAS ABELHA::get_abelha(std::string rgn)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.abelha_rainha", { "*" });
    i.condicao("rgn", query->literal(rgn));

    RESULTADO r;
    executar(i, &r);
    return r.achou() ? ler_abelha(r.linha(0)) : ABELHAS();
}

bool ABELHA::deletar(int id, const std::string& versao)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.abelha_rainha");
    i.condicao("id_abelha", intToString(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    return executar_contando(i);
}

void ABELHA::buscar(ABELHAS*) {}

std::vector<std::string> ABELHA::rgns_comecando(const std::string& prefixo, int limite)
{
    // The typed text matches as it is: "like" takes no wildcard from it.
    const std::string padrao = inicio_de_padrao(prefixo);
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.abelha_rainha", { "rgn" });
    i.filtroconsulta = "rgn like " + query->literal(padrao) + " order by rgn limit " + std::to_string(limite);

    std::vector<std::string> rgns;
    const RESULTADO r = query->ativar(i);
    for (int k = 0; k < r.registros(); ++k)
        rgns.push_back(r.linha(k)[0]);
    return rgns;
}

LISTA_GENEALOGIA ABELHA::genealogia(int id)
{
    const std::string abelha = std::to_string(id);
    // Up through the mothers and down through the daughters, each walk
    // carrying the columns shown and the codes it passed (so that a chain
    // of mothers that loops back on itself ends where it would repeat).
    const std::string colunas = "a.id_abelha, a.rgn, a.data_nasc, a.matriz, a.filha, a.cor_marcacao, a.asa_cortada";
    const std::string linhagem =
        "(with recursive "
        "maes(id_abelha, rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada, geracao, caminho) as ("
        "select " + colunas + ", 0, array[a.id_abelha] from cadastro.abelha_rainha as a "
        "where a.id_abelha = " + abelha + " union all "
        "select " + colunas + ", m.geracao - 1, m.caminho || a.id_abelha "
        "from maes as m join cadastro.abelha_rainha as a on a.id_abelha = m.filha "
        "where a.id_abelha <> all(m.caminho)), "
        "filhas(id_abelha, rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada, geracao, caminho) as ("
        "select " + colunas + ", 0, array[a.id_abelha] from cadastro.abelha_rainha as a "
        "where a.id_abelha = " + abelha + " union all "
        "select " + colunas + ", f.geracao + 1, f.caminho || a.id_abelha "
        "from filhas as f join cadastro.abelha_rainha as a on a.filha = f.id_abelha "
        "where a.id_abelha <> all(f.caminho)) "
        "select id_abelha, rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada, geracao from maes "
        "where geracao < 0 union all "
        "select id_abelha, rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada, geracao from filhas) as g";

    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "g.id_abelha", "g.rgn", "to_char(g.data_nasc,'DD/MM/YYYY')", "g.matriz", "g.filha",
                       "g.cor_marcacao", "g.asa_cortada", "g.geracao" };
    i.tabelas = { linhagem };
    i.campoorder = { "g.geracao", "g.id_abelha" };
    RESULTADO r;
    executar_contando(i, &r);
    return LISTA_GENEALOGIA(r, ler_abelha);
}
