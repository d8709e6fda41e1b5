#include "model/colmeia.h"

#include "db/query.h"
#include "db/rastro.h"
#include "util/marcacao.h"
#include "util/validacao.h"

const char* const TIPOS_COLMEIA[4] = { "Langstroth", "Schenk", "Núcleo", "Outro" };
const char* const STATUS_COLMEIA[8] = { "Ativa", "Fraca", "Órfã", "Zanganeira", "Morta", "Vendida", "Unida", "Perdida" };

bool tipo_de_colmeia(const std::string& texto) { return um_de(texto, TIPOS_COLMEIA); }
bool status_de_colmeia(const std::string& texto) { return um_de(texto, STATUS_COLMEIA); }

bool colmeia_encerrada(const std::string& status)
{
    return status == "Morta" || status == "Vendida" || status == "Unida" || status == "Perdida";
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
                       "to_char(c.data_instalacao,'DD/MM/YYYY')", "c.obs", "c.xmin",
                       "(select to_char(max(t.carencia_ate),'DD/MM/YYYY') from cadastro.tratamento as t "
                       "where t.id_colmeia = c.id_colmeia and t.carencia_ate >= current_date)",
                       // The queen's marking: the colour kept, and her birth
                       // date for the colour of her year.
                       "(select r.cor_marcacao from cadastro.abelha_rainha as r where r.id_abelha = c.id_abelha)",
                       "(select to_char(r.data_nasc,'DD/MM/YYYY') from cadastro.abelha_rainha as r "
                       "where r.id_abelha = c.id_abelha)" };
    i.tabelas = { "cadastro.colmeia as c" };
    return i;
}

// Where consulta_colmeias puts each value.
namespace coluna {
enum : std::size_t {
    ID, TIPO, STATUS, RGN, ID_ABELHA, ID_APIARIO, APIARIO, INSTALACAO, OBS, VERSAO, CARENCIA, COR_RAINHA, NASC_RAINHA
};
} // namespace coluna

// One row of consulta_colmeias: a queen or date not known reads as 0 or "".
COLMEIAS ler_colmeia(const LinhaResultado& linha)
{
    COLMEIAS c;
    c.id = linha.inteiro(coluna::ID);
    c.tipo = linha[coluna::TIPO];
    c.status = linha[coluna::STATUS];
    c.rgn = linha[coluna::RGN];
    c.id_abelha = linha.inteiro(coluna::ID_ABELHA);
    c.id_apiario = linha.inteiro(coluna::ID_APIARIO);
    c.apiario = linha[coluna::APIARIO];
    c.instalacao = linha[coluna::INSTALACAO];
    c.obs = linha[coluna::OBS];
    c.versao = linha[coluna::VERSAO];
    c.carencia_ate = linha[coluna::CARENCIA];
    return c;
}

std::string rainha_em_outra(const std::string& rgn, int outra)
{
    return "A rainha " + rgn + " já está na colméia " + std::to_string(outra) + ".";
}

} // namespace

int LISTA_COLMEIAS::id(std::size_t i) const { return linha(i).inteiro(coluna::ID); }
const char* LISTA_COLMEIAS::tipo(std::size_t i) const { return linha(i).c_str(coluna::TIPO); }
const char* LISTA_COLMEIAS::status(std::size_t i) const { return linha(i).c_str(coluna::STATUS); }
const char* LISTA_COLMEIAS::rgn(std::size_t i) const { return linha(i).c_str(coluna::RGN); }
const char* LISTA_COLMEIAS::apiario(std::size_t i) const { return linha(i).c_str(coluna::APIARIO); }
const char* LISTA_COLMEIAS::carencia_ate(std::size_t i) const { return linha(i).c_str(coluna::CARENCIA); }

const char* LISTA_COLMEIAS::cor_rainha(std::size_t i) const
{
    const LinhaResultado l = linha(i);
    const char* guardada = l.c_str(coluna::COR_RAINHA);
    return guardada[0] ? guardada : cor_do_ano(ano_da_data(l[coluna::NASC_RAINHA]));
}

COLMEIA::COLMEIA(QUERY* query) : DADOS(query) {}

bool COLMEIA::conferir(COLMEIAS& c)
{
    falha_ = FALHA();
    if (!tipo_de_colmeia(c.tipo))
        return recusar("Escolha o tipo da colméia.");
    if (!status_de_colmeia(c.status))
        return recusar("Escolha o status da colméia.");
    if (c.id_apiario <= 0)
        return recusar("Escolha o apiário da colméia.");
    if (!c.instalacao.empty() && !data_valida(c.instalacao))
        return recusar("A data de instalação não existe: escreva-a como DD/MM/AAAA.");

    c.id_abelha = 0;
    if (c.rgn.empty())
        return true;
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.abelha_rainha", { "id_abelha" });
    i.condicao("rgn", query->literal(c.rgn));
    RESULTADO r;
    if (!executar(i, &r))
        return false;
    if (!r.achou())
        return recusar("Nenhuma abelha rainha tem o RGN informado: escolha uma da lista ou deixe o campo vazio.");
    c.id_abelha = r.linha(0).inteiro(0);
    if (const int outra = colmeia_da_rainha(c.id_abelha, c.id))
        return recusar(rainha_em_outra(c.rgn, outra));
    return true;
}

bool COLMEIA::explicar_recusa(const COLMEIAS& c)
{
    rastro::escrever(falha_.mensagem + '\n');
    if (c.id_abelha != 0) {
        if (const int outra = colmeia_da_rainha(c.id_abelha, c.id))
            falha_.explicar(rainha_em_outra(c.rgn, outra));
    }
    return false;
}

bool COLMEIA::inserir(COLMEIAS* colmeia)
{
    COLMEIAS c = *colmeia;
    c.id = 0;
    if (!conferir(c))
        return false;

    RESULTADO r;
    if (!executar(insercao(c), &r) || !r.achou())
        return explicar_recusa(c);
    c.id = r.linha(0).inteiro(0);
    *colmeia = c;
    return true;
}

INSTRUCAO COLMEIA::insercao(const COLMEIAS& colmeia) const
{
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.colmeia", { "id_colmeia" });
    i.inserir(COLUNAS_COLMEIA, colmeia, *query);
    return i;
}

bool COLMEIA::atualizar(COLMEIAS* colmeia)
{
    COLMEIAS c = *colmeia;
    if (!conferir(c))
        return false;

    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.colmeia");
    i.atualizar(COLUNAS_COLMEIA, c, *query);
    i.condicao("id_colmeia", std::to_string(c.id));
    if (!c.versao.empty())
        i.condicao("xmin", query->literal(c.versao));
    if (!executar(i))
        return explicar_recusa(c);
    *colmeia = c;
    return true;
}

bool COLMEIA::deletar(int id, const std::string& versao)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.colmeia");
    i.condicao("id_colmeia", std::to_string(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    return executar_contando(i);
}

COLMEIAS COLMEIA::get_colmeia(int id)
{
    INSTRUCAO i = consulta_colmeias(*query);
    i.condicao("c.id_colmeia", std::to_string(id));
    RESULTADO r;
    executar(i, &r);
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
    RESULTADO r;
    executar_contando(i, &r);
    return LISTA_COLMEIAS(r, ler_colmeia);
}

int COLMEIA::colmeia_da_rainha(int id_abelha, int exceto)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.colmeia", { "id_colmeia" });
    i.filtroconsulta = "id_abelha = " + std::to_string(id_abelha) + " and id_colmeia <> " + std::to_string(exceto);
    const RESULTADO r = query->ativar(i);
    return r.achou() ? r.linha(0).inteiro(0) : 0;
}

LISTA_APIARIOS COLMEIA::apiarios()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.apiario", { "id_apiario", "nome" });
    i.campoorder = { "nome", "id_apiario" };
    RESULTADO r;
    executar_contando(i, &r);
    return LISTA_APIARIOS(r, [](const LinhaResultado& linha) {
        APIARIOS a;
        a.id_apiario = linha.inteiro(0);
        a.nome = linha[1];
        return a;
    });
}
