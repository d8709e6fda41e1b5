#include "model/criacao.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "db/query.h"
#include "model/abelha.h"
#include "model/fecundacao.h"
#include "util/validacao.h"

const char* const NOMES_ETAPAS[ETAPAS_CRIACAO] = { "Células aceitas", "Células operculadas",
                                                   "Células levadas aos núcleos", "Rainhas nascidas",
                                                   "Rainhas fecundadas em postura" };
const int DIAS_PADRAO[ETAPAS_CRIACAO] = { 1, 5, 10, 12, 26 };

namespace {

// The step columns of the table: each step's date and count.
const char* const COLUNAS_DATA[ETAPAS_CRIACAO] = { "aceitas_em", "operculadas_em", "nucleos_em", "nascidas_em",
                                                   "postura_em" };
const char* const COLUNAS_QUANTIDADE[ETAPAS_CRIACAO] = { "aceitas", "operculadas", "nos_nucleos", "nascidas",
                                                         "em_postura" };
const char* const COLUNAS_DIAS[ETAPAS_CRIACAO] = { "dias_aceitas", "dias_operculadas", "dias_nucleos",
                                                   "dias_nascidas", "dias_postura" };
const int MAXIMO_LARVAS = 10000;
const int MAXIMO_DIAS = 365;

// Days since 1 March of year 0 of the proleptic Gregorian calendar, from
// a valid date.
long dia_civil(int ano, int mes, int dia)
{
    ano -= mes <= 2;
    const long era = (ano >= 0 ? ano : ano - 399) / 400;
    const long ano_da_era = ano - era * 400;
    const long dia_do_ano = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
    const long dia_da_era = ano_da_era * 365 + ano_da_era / 4 - ano_da_era / 100 + dia_do_ano;
    return era * 146097 + dia_da_era;
}

std::string data_civil(long z)
{
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long dia_da_era = z - era * 146097;
    const long ano_da_era = (dia_da_era - dia_da_era / 1460 + dia_da_era / 36524 - dia_da_era / 146096) / 365;
    const long dia_do_ano = dia_da_era - (365 * ano_da_era + ano_da_era / 4 - ano_da_era / 100);
    const long mp = (5 * dia_do_ano + 2) / 153;
    const int dia = static_cast<int>(dia_do_ano - (153 * mp + 2) / 5 + 1);
    const int mes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const long ano = ano_da_era + era * 400 + (mes <= 2);
    if (ano < 1 || ano > 9999)
        return std::string();
    char texto[16];
    std::snprintf(texto, sizeof texto, "%02d/%02d/%04ld", dia, mes, ano);
    return texto;
}

// The day number of a date "DD/MM/YYYY"; false when it is no date.
bool numero_do_dia(const std::string& data, long* dia)
{
    if (!data_valida(data))
        return false;
    *dia = dia_civil(std::stoi(data.substr(6, 4)), std::stoi(data.substr(3, 2)), std::stoi(data.substr(0, 2)));
    return true;
}

// A whole number as typed: digits only, up to `maximo`.
bool ler_inteiro(const std::string& texto, int maximo, int* n)
{
    if (texto.empty() || texto.size() > 6 || texto.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *n = std::stoi(texto);
    return *n <= maximo;
}

std::string aspas(const char* nome) { return std::string("\"") + nome + "\""; }

// A date as SQL writes it: the ISO form in quotes, or null.
std::string data_sql(const BANCOPG& b, const std::string& data)
{
    std::string iso;
    return data_valida(data, &iso) ? b.literal(iso) : std::string("null");
}

std::string inteiro_sql(const std::string& texto) { return texto.empty() ? std::string("null") : texto; }

namespace coluna {
// Where consulta_criacoes puts each value: the batch's own, then each
// step's date and count, then each timetable day.
enum : std::size_t { ID, ID_MATRIZ, RGN_MATRIZ, RECRIA, ENXERTIA, LARVAS, OBS, VERSAO, ETAPAS };
} // namespace coluna

INSTRUCAO consulta_criacoes(const QUERY& query)
{
    INSTRUCAO i = query.descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "c.id_criacao", "c.id_matriz",
                       "(select a.rgn from cadastro.abelha_rainha as a where a.id_abelha = c.id_matriz)",
                       "c.id_recria", "to_char(c.enxertia,'DD/MM/YYYY')", "c.larvas", "c.obs", "c.xmin" };
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        i.camporetorno.push_back(std::string("to_char(c.") + COLUNAS_DATA[k] + ",'DD/MM/YYYY')");
        i.camporetorno.push_back(std::string("c.") + COLUNAS_QUANTIDADE[k]);
    }
    for (const char* dias : COLUNAS_DIAS)
        i.camporetorno.push_back(std::string("c.") + dias);
    i.tabelas = { "cadastro.criacao as c" };
    return i;
}

CRIACOES ler_criacao(const LinhaResultado& l)
{
    CRIACOES c;
    c.id = l.inteiro(coluna::ID);
    c.id_matriz = l.inteiro(coluna::ID_MATRIZ);
    c.rgn_matriz = l[coluna::RGN_MATRIZ];
    c.recria = l[coluna::RECRIA];
    c.enxertia = l[coluna::ENXERTIA];
    c.larvas = l[coluna::LARVAS];
    c.obs = l[coluna::OBS];
    c.versao = l[coluna::VERSAO];
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        c.etapas[k].data = l[coluna::ETAPAS + 2 * k];
        c.etapas[k].quantidade = l[coluna::ETAPAS + 2 * k + 1];
        c.dias[k] = l.inteiro(coluna::ETAPAS + 2 * ETAPAS_CRIACAO + k);
    }
    return c;
}

// The columns of a batch as insert and update write them.
void escrever_colunas(INSTRUCAO& i, const CRIACOES& c, const BANCOPG& b, bool inserir)
{
    const auto escrever = [&i, inserir](const std::string& campo, const std::string& valor) {
        if (inserir)
            i.inserir(campo, valor);
        else
            i.atualizar(campo, valor);
    };
    escrever("id_matriz", std::to_string(c.id_matriz));
    escrever("id_recria", inteiro_sql(c.recria));
    escrever("enxertia", data_sql(b, c.enxertia));
    escrever("larvas", c.larvas);
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k)
        escrever(COLUNAS_DIAS[k], std::to_string(c.dias[k]));
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        escrever(COLUNAS_DATA[k], data_sql(b, c.etapas[k].data));
        escrever(COLUNAS_QUANTIDADE[k], inteiro_sql(c.etapas[k].quantidade));
    }
    escrever("obs", b.literal(c.obs));
}

} // namespace

std::string somar_dias(const std::string& data, int dias)
{
    long dia = 0;
    return numero_do_dia(data, &dia) ? data_civil(dia + dias) : std::string();
}

int dias_entre(const std::string& de, const std::string& ate)
{
    long a = 0, b = 0;
    if (!numero_do_dia(de, &a) || !numero_do_dia(ate, &b))
        return 0;
    return static_cast<int>(b - a);
}

std::string hoje()
{
    const std::time_t agora = std::time(nullptr);
    std::tm local {};
    localtime_r(&agora, &local);
    char texto[16];
    std::strftime(texto, sizeof texto, "%d/%m/%Y", &local);
    return texto;
}

std::vector<std::string> datas_previstas(const CRIACOES& c)
{
    std::vector<std::string> datas;
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k)
        datas.push_back(somar_dias(c.enxertia, c.dias[k]));
    return datas;
}

std::string conferir_calendario(const int dias[ETAPAS_CRIACAO])
{
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        if (dias[k] < 0 || dias[k] > MAXIMO_DIAS)
            return "No calendário, " + aspas(NOMES_ETAPAS[k]) + " deve ser de 0 a 365 dias após a enxertia.";
        if (k > 0 && dias[k] < dias[k - 1])
            return "No calendário, " + aspas(NOMES_ETAPAS[k]) + " não pode vir antes de " +
                   aspas(NOMES_ETAPAS[k - 1]) + ": as etapas seguem a ordem.";
    }
    return std::string();
}

std::string conferir_criacao(const CRIACOES& c, const std::string& dia)
{
    long enxertia = 0, agora = 0;
    if (!numero_do_dia(c.enxertia, &enxertia))
        return "A data da enxertia não existe: escreva-a como DD/MM/AAAA.";
    const bool sabe_hoje = numero_do_dia(dia, &agora);
    if (sabe_hoje && enxertia > agora)
        return "A enxertia não pode ser depois de hoje.";
    int anterior = 0;
    if (!ler_inteiro(c.larvas, MAXIMO_LARVAS, &anterior) || anterior < 1)
        return "O número de larvas enxertadas deve ser de 1 a 10000.";
    const std::string calendario = conferir_calendario(c.dias);
    if (!calendario.empty())
        return calendario;

    std::string nome_anterior = "Larvas enxertadas";
    long data_anterior = enxertia;
    bool anterior_feita = true;
    int levadas = 0;
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        const ETAPA& e = c.etapas[k];
        const std::string nome = aspas(NOMES_ETAPAS[k]);
        if (!e.feita()) {
            anterior_feita = false;
            continue;
        }
        if (!anterior_feita)
            return "Registre a etapa " + aspas(NOMES_ETAPAS[k - 1]) + " antes de " + nome + ".";
        if (e.data.empty())
            return "Escreva a data da etapa " + nome + ".";
        long data = 0;
        if (!numero_do_dia(e.data, &data))
            return "A data da etapa " + nome + " não existe: escreva-a como DD/MM/AAAA.";
        int n = 0;
        if (e.quantidade.empty())
            return "Escreva a quantidade da etapa " + nome + ".";
        if (!ler_inteiro(e.quantidade, MAXIMO_LARVAS, &n))
            return "A quantidade da etapa " + nome + " deve ser um número inteiro, zero ou mais.";
        if (n > anterior)
            return "A etapa " + nome + " não pode contar mais (" + std::to_string(n) + ") do que " +
                   aspas(nome_anterior.c_str()) + " (" + std::to_string(anterior) + "): a contagem só diminui.";
        if (data < data_anterior)
            return "A data da etapa " + nome + " não pode ser antes da " +
                   (k == 0 ? std::string("enxertia") : "etapa " + aspas(nome_anterior.c_str())) + ".";
        if (sabe_hoje && data > agora)
            return "A data da etapa " + nome + " ainda não chegou: registre a etapa quando ela acontecer.";
        if (k == NUCLEOS)
            levadas = n;
        anterior = n;
        data_anterior = data;
        nome_anterior = NOMES_ETAPAS[k];
    }
    if (c.nucleos.size() > static_cast<std::size_t>(levadas))
        return (c.nucleos.size() == 1 ? std::string("Foi escolhido 1 núcleo")
                                      : "Foram escolhidos " + std::to_string(c.nucleos.size()) + " núcleos") +
               ", mas " +
               (levadas == 0 ? std::string("nenhuma célula foi levada a núcleos")
                             : std::to_string(levadas) + (levadas == 1 ? " célula foi levada" : " células foram levadas")) +
               ": registre a etapa " + aspas(NOMES_ETAPAS[NUCLEOS]) + " ou tire núcleos da lista.";
    return std::string();
}

std::size_t proxima_etapa(const CRIACOES& c)
{
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k) {
        if (!c.etapas[k].feita())
            return k;
    }
    return ETAPAS_CRIACAO;
}

CRIACAO::CRIACAO(QUERY* query) : DADOS(query) {}

bool CRIACAO::conferir(CRIACOES& c)
{
    falha_ = FALHA();
    if (c.rgn_matriz.empty())
        return recusar("Escreva o RGN da matriz cujas larvas foram enxertadas.");
    const std::string recusa = conferir_criacao(c, hoje());
    if (!recusa.empty())
        return recusar(recusa);
    if (!c.recria.empty() && c.recria.find_first_not_of("0123456789") != std::string::npos)
        return recusar("A recria é o código de uma colméia: só números.");
    if (c.recria.size() > 9)
        return recusar("Não existe colméia com o código " + c.recria + ": escreva o código da colméia recria.");

    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.abelha_rainha", { "id_abelha" });
    i.condicao("rgn", query->literal(c.rgn_matriz));
    RESULTADO r;
    if (!executar_contando(i, &r))
        return false;
    if (!r.achou())
        return recusar("Nenhuma abelha tem o RGN " + c.rgn_matriz + ": escreva o RGN de uma matriz cadastrada.");
    c.id_matriz = r.linha(0).inteiro(0);
    if (c.recria.empty())
        return true;
    INSTRUCAO h = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.colmeia", { "id_colmeia" });
    h.condicao("id_colmeia", c.recria);
    RESULTADO rh;
    if (!executar_contando(h, &rh))
        return false;
    if (!rh.achou())
        return recusar("Não existe colméia com o código " + c.recria + ": escreva o código da colméia recria.");
    return true;
}

void CRIACAO::enfileirar_nucleos(const CRIACOES& c)
{
    for (int nucleo : c.nucleos) {
        INSTRUCAO n = query->descrever(INSTRUCAO::INSERIR, "cadastro.criacao_nucleo");
        n.inserir("id_criacao", std::to_string(c.id));
        n.inserir("id_colmeia", std::to_string(nucleo));
        query->enfileirar(n);
    }
}

bool CRIACAO::concluir(const RESULTADO& primeira)
{
    FALHA falha(primeira);
    if (!falha.houve) {
        for (const RESULTADO& r : query->enviar_fila()) {
            if (!r.ok()) {
                contar(r);
                falha = FALHA(r);
                break;
            }
        }
    } else {
        contar(primeira);
        query->enviar_fila();
    }
    if (!falha.houve) {
        const RESULTADO r = query->confirmar_transacao();
        falha_ = FALHA(r);
        return r.ok();
    }
    falha.desfeita = true;
    query->desfazer_transacao();
    falha_ = falha;
    return false;
}

bool CRIACAO::inserir(CRIACOES* c)
{
    CRIACOES novo = *c;
    if (!conferir(novo))
        return false;
    if (const RESULTADO r = query->iniciar_transacao(); !r.ok()) {
        falha_ = FALHA(r);
        return false;
    }
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.criacao", { "id_criacao" });
    escrever_colunas(i, novo, *query, true);
    const RESULTADO r = query->ativar(i);
    if (r.achou()) {
        novo.id = r.linha(0).inteiro(0);
        enfileirar_nucleos(novo);
    }
    if (!concluir(r))
        return false;
    *c = novo;
    return true;
}

bool CRIACAO::atualizar(CRIACOES* c)
{
    CRIACOES novo = *c;
    if (!conferir(novo))
        return false;
    if (const RESULTADO r = query->iniciar_transacao(); !r.ok()) {
        falha_ = FALHA(r);
        return false;
    }
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.criacao");
    escrever_colunas(i, novo, *query, false);
    i.condicao("id_criacao", std::to_string(novo.id));
    if (!novo.versao.empty())
        i.condicao("xmin", query->literal(novo.versao));
    const RESULTADO r = query->ativar(i);
    std::string recusa;
    if (r.ok()) {
        // The nuclei as stored (the update holds the batch's row now): those
        // no longer chosen go, those newly chosen come. A nucleus that gave
        // its queen to the registry stays, and so do the laying queens
        // entered: the batch is where they came from.
        INSTRUCAO guardados = query->descrever(INSTRUCAO::CONSULTAR);
        guardados.camporetorno = { "n.id_colmeia",
                                   "(select a.rgn from cadastro.abelha_rainha as a where a.id_abelha = n.id_abelha)" };
        guardados.tabelas = { "cadastro.criacao_nucleo as n" };
        guardados.condicao("n.id_criacao", std::to_string(novo.id));
        const RESULTADO g = query->ativar(guardados);
        std::vector<int> antes;
        int dadas = 0;
        for (int k = 0; k < g.registros(); ++k) {
            const int nucleo = g.linha(k).inteiro(0);
            const std::string rainha = g.linha(k)[1];
            antes.push_back(nucleo);
            if (rainha.empty())
                continue;
            ++dadas;
            if (recusa.empty() && std::find(novo.nucleos.begin(), novo.nucleos.end(), nucleo) == novo.nucleos.end())
                recusa = "O núcleo " + std::to_string(nucleo) + " deu a rainha " + rainha +
                         " ao registro: ele fica na lista do lote.";
        }
        int em_postura = 0;
        if (recusa.empty() && dadas > 0 &&
            (!ler_inteiro(novo.etapas[POSTURA].quantidade, MAXIMO_LARVAS, &em_postura) || em_postura < dadas))
            recusa = "Este lote deu " + std::to_string(dadas) + (dadas == 1 ? " rainha" : " rainhas") +
                     " ao registro: a etapa \"" + NOMES_ETAPAS[POSTURA] + "\" não pode contar menos.";
        for (int nucleo : antes) {
            if (!recusa.empty() || std::find(novo.nucleos.begin(), novo.nucleos.end(), nucleo) != novo.nucleos.end())
                continue;
            INSTRUCAO d = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.criacao_nucleo");
            d.condicao("id_criacao", std::to_string(novo.id));
            d.condicao("id_colmeia", std::to_string(nucleo));
            query->enfileirar(d);
        }
        CRIACOES novos = novo;
        novos.nucleos.clear();
        for (int nucleo : novo.nucleos) {
            if (recusa.empty() && std::find(antes.begin(), antes.end(), nucleo) == antes.end())
                novos.nucleos.push_back(nucleo);
        }
        enfileirar_nucleos(novos);
    }
    if (!recusa.empty()) {
        // Nothing was queued: the update alone is undone.
        query->desfazer_transacao();
        return recusar(recusa);
    }
    if (!concluir(r))
        return false;
    *c = novo;
    return true;
}

bool CRIACAO::deletar(int id, const std::string& versao)
{
    falha_ = FALHA();
    INSTRUCAO dadas = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.criacao_nucleo", { "count(id_abelha)" });
    dadas.condicao("id_criacao", std::to_string(id));
    RESULTADO r;
    if (!executar_contando(dadas, &r))
        return false;
    if (r.achou() && r.linha(0).inteiro(0) > 0)
        return recusar("Este lote deu rainhas ao registro: ele não pode ser excluído, pois é a origem delas.");
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.criacao");
    i.condicao("id_criacao", std::to_string(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    return executar_contando(i);
}

CRIACOES CRIACAO::get_criacao(int id)
{
    INSTRUCAO i = consulta_criacoes(*query);
    i.condicao("c.id_criacao", std::to_string(id));
    RESULTADO r;
    if (!executar_contando(i, &r) || !r.achou())
        return CRIACOES();
    CRIACOES c = ler_criacao(r.linha(0));
    INSTRUCAO n = query->descrever(INSTRUCAO::CONSULTAR);
    n.camporetorno = { "n.id_colmeia",
                       "(select a.rgn from cadastro.abelha_rainha as a where a.id_abelha = n.id_abelha)" };
    n.tabelas = { "cadastro.criacao_nucleo as n" };
    n.condicao("n.id_criacao", std::to_string(id));
    n.campoorder = { "n.id_colmeia" };
    RESULTADO rn;
    executar_contando(n, &rn);
    for (int k = 0; k < rn.registros(); ++k) {
        c.nucleos.push_back(rn.linha(k).inteiro(0));
        c.rainhas.push_back(rn.linha(k)[1]);
    }
    return c;
}

LISTA_CRIACOES CRIACAO::listar()
{
    INSTRUCAO i = consulta_criacoes(*query);
    i.campoorder = { "c.enxertia desc", "c.id_criacao desc" };
    RESULTADO r;
    executar_contando(i, &r);
    return LISTA_CRIACOES(r, ler_criacao);
}

std::vector<NUCLEO> CRIACAO::nucleos()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "c.id_colmeia", "(select a.nome from cadastro.apiario as a where a.id_apiario = c.id_apiario)" };
    i.tabelas = { "cadastro.colmeia as c" };
    i.filtroconsulta = "c.tipo = 'Núcleo' and c.status not in ('Morta', 'Vendida', 'Unida', 'Perdida') "
                       "order by c.id_colmeia";
    RESULTADO r;
    executar_contando(i, &r);
    std::vector<NUCLEO> lista;
    for (int k = 0; k < r.registros(); ++k)
        lista.push_back(NUCLEO { r.linha(k).inteiro(0), r.linha(k)[1] });
    return lista;
}

bool CRIACAO::registrar_rainhas(CRIACOES* c, const std::vector<int>& escolhidos)
{
    falha_ = FALHA();
    if (c->id == 0)
        return recusar("Escolha na lista o lote cujas rainhas entram no registro.");
    const ETAPA& postura = c->etapas[POSTURA];
    int em_postura = 0;
    if (!ler_inteiro(postura.quantidade, MAXIMO_LARVAS, &em_postura) || !data_valida(c->etapas[NASCIDAS].data))
        return recusar("Registre antes a etapa \"" + std::string(NOMES_ETAPAS[POSTURA]) +
                       "\": só as rainhas em postura entram no registro.");
    if (escolhidos.empty())
        return recusar("Marque os núcleos cujas rainhas estão em postura.");
    int dadas = 0;
    for (const std::string& rgn : c->rainhas)
        dadas += rgn.empty() ? 0 : 1;
    const int restantes = em_postura - dadas;
    if (restantes <= 0)
        return recusar("Todas as rainhas em postura deste lote (" + postura.quantidade + ") já estão no registro.");
    if (static_cast<int>(escolhidos.size()) > restantes)
        return recusar("O lote tem " + std::to_string(em_postura) + (em_postura == 1 ? " rainha" : " rainhas") +
                       " em postura" +
                       (dadas > 0 ? ", " + std::to_string(dadas) + " já no registro" : std::string()) +
                       ": marque no máximo " + std::to_string(restantes) + (restantes == 1 ? " núcleo." : " núcleos."));
    std::string lista;
    for (std::size_t k = 0; k < escolhidos.size(); ++k) {
        const int n = escolhidos[k];
        const auto onde = std::find(c->nucleos.begin(), c->nucleos.end(), n);
        if (onde == c->nucleos.end())
            return recusar("A colméia " + std::to_string(n) + " não é um núcleo deste lote.");
        const std::size_t i = static_cast<std::size_t>(onde - c->nucleos.begin());
        if (i < c->rainhas.size() && !c->rainhas[i].empty())
            return recusar("O núcleo " + std::to_string(n) + " já deu a rainha " + c->rainhas[i] + " ao registro.");
        if (std::find(escolhidos.begin(), escolhidos.begin() + static_cast<long>(k), n) != escolhidos.begin() + static_cast<long>(k))
            return recusar("O núcleo " + std::to_string(n) + " foi marcado duas vezes.");
        lista += (lista.empty() ? "" : ", ") + std::to_string(n);
    }
    // A nucleus heads one queen at most: one that has a queen keeps her.
    INSTRUCAO com_rainha = query->descrever(INSTRUCAO::CONSULTAR);
    com_rainha.camporetorno = { "c.id_colmeia",
                                "(select a.rgn from cadastro.abelha_rainha as a where a.id_abelha = c.id_abelha)" };
    com_rainha.tabelas = { "cadastro.colmeia as c" };
    com_rainha.filtroconsulta = "c.id_colmeia in (" + lista + ") and c.id_abelha is not null order by c.id_colmeia";
    RESULTADO r;
    if (!executar_contando(com_rainha, &r))
        return false;
    if (r.achou())
        return recusar("O núcleo " + r.linha(0)[0] + " já tem a rainha " + r.linha(0)[1] +
                       ": tire-a do núcleo antes de pôr nele uma rainha deste lote.");

    if (const RESULTADO t = query->iniciar_transacao(); !t.ok()) {
        falha_ = FALHA(t);
        return false;
    }
    // The batch changes with the queens it gives: a save made from what was
    // read before is refused, and so is this when the batch changed since.
    INSTRUCAO lote = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.criacao");
    lote.atualizar("obs", "obs");
    lote.condicao("id_criacao", std::to_string(c->id));
    if (!c->versao.empty())
        lote.condicao("xmin", query->literal(c->versao));
    bool ok = executar_contando(lote);
    // A group of queens at a time, as "Gerar Filhas" stores daughters: their
    // inserts go together, then, for each code they got, her registry
    // number, the nucleus that gave her, the nucleus she heads (one that
    // took a queen meanwhile matches no row, and nothing is stored) and her
    // natural mating at the nucleus's apiary.
    ABELHA abelhas(query);
    ABELHAS filha;
    filha.nascimento = c->etapas[NASCIDAS].data;
    filha.mae = c->id_matriz;
    const INSTRUCAO insert = abelhas.insercao(filha);
    const std::size_t grupo = 64;
    for (std::size_t inicio = 0; ok && inicio < escolhidos.size(); inicio += grupo) {
        const std::size_t fim = std::min(escolhidos.size(), inicio + grupo);
        for (std::size_t k = inicio; k < fim; ++k)
            query->enfileirar(insert);
        std::vector<int> codigos;
        for (const RESULTADO& r : query->enviar_fila()) {
            if (!r.achou()) {
                contar(r);
                falha_ = FALHA(r);
                ok = false;
                break;
            }
            codigos.push_back(r.linha(0).inteiro(0));
        }
        for (std::size_t k = inicio; ok && k < fim; ++k) {
            const std::string abelha = std::to_string(codigos[k - inicio]);
            const std::string nucleo = std::to_string(escolhidos[k]);
            query->enfileirar(abelhas.instrucao_rgn(codigos[k - inicio], c->id_matriz));
            INSTRUCAO dada = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.criacao_nucleo");
            dada.atualizar("id_abelha", abelha);
            dada.condicao("id_criacao", std::to_string(c->id));
            dada.condicao("id_colmeia", nucleo);
            query->enfileirar(dada);
            INSTRUCAO rainha = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.colmeia");
            rainha.atualizar("id_abelha", abelha);
            rainha.condicao("id_colmeia", nucleo);
            rainha.condicao("coalesce(id_abelha, 0)", "0");
            query->enfileirar(rainha);
            // She mated in the open from her nucleus, at the apiary it
            // stands in; her card can say otherwise later.
            INSTRUCAO fecundacao = query->descrever(INSTRUCAO::INSERIR, "cadastro.fecundacao");
            fecundacao.inserir("id_abelha", abelha);
            fecundacao.inserir("tipo", query->literal(NATURAL));
            fecundacao.inserir("id_apiario", "(select n.id_apiario from cadastro.colmeia as n where n.id_colmeia = " +
                                                 nucleo + ")");
            query->enfileirar(fecundacao);
        }
        if (!ok)
            break;
        for (const RESULTADO& r : query->enviar_fila()) {
            if (!r.ok()) {
                contar(r);
                falha_ = FALHA(r);
                ok = false;
                break;
            }
        }
    }
    if (ok) {
        const RESULTADO confirmado = query->confirmar_transacao();
        falha_ = FALHA(confirmado);
        ok = confirmado.ok();
    }
    if (!ok) {
        // None of the queens is stored: the server undoes them all.
        falha_.houve = true;
        falha_.desfeita = true;
        query->desfazer_transacao();
        return false;
    }
    *c = get_criacao(c->id);
    return true;
}
