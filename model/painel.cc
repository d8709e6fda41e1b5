#include "model/painel.h"

#include <algorithm>
#include <ctime>

#include "db/query.h"
#include "model/colmeia.h"
#include "model/diario.h"
#include "model/pendencia.h"
#include "relatorios/formato.h"

namespace {

const int N_STATUS = sizeof STATUS_COLMEIA / sizeof STATUS_COLMEIA[0];

// This year to today, and the same days of the year before.
const char* const SAFRA = "hm.data between date_trunc('year', current_date)::date and current_date";
const char* const ANTERIOR = "hm.data between (date_trunc('year', current_date) - interval '1 year')::date "
                             "and (current_date - interval '1 year')::date";

// This year by the desktop's clock, when the database did not say.
int ano_local()
{
    const std::time_t agora = std::time(nullptr);
    std::tm t {};
    localtime_r(&agora, &t);
    return t.tm_year + 1900;
}

} // namespace

int RESUMO_APIARIO::vivas() const
{
    int n = 0;
    for (int k = 0; k < N_STATUS; ++k) {
        if (!colmeia_encerrada(STATUS_COLMEIA[k]))
            n += por_status[k];
    }
    return n;
}

int RESUMO_APIARIO::encerradas() const
{
    int n = 0;
    for (int k = 0; k < N_STATUS; ++k)
        n += por_status[k];
    return n - vivas();
}

bool RESUMO_APIARIO::sem_visita() const
{
    return vivas() > 0 && (dias_sem_revisao < 0 || dias_sem_revisao >= DIAS_SEM_VISITA);
}

std::string texto_colmeias(const RESUMO_APIARIO& r)
{
    const int vivas = r.vivas();
    std::string s = vivas == 0 ? "Nenhuma colméia" : vivas == 1 ? "1 colméia" : std::to_string(vivas) + " colméias";
    std::string partes;
    for (int k = 0; k < N_STATUS; ++k) {
        if (r.por_status[k] > 0 && !colmeia_encerrada(STATUS_COLMEIA[k]))
            partes += (partes.empty() ? "" : ", ") + std::to_string(r.por_status[k]) + " " + STATUS_COLMEIA[k];
    }
    if (!partes.empty())
        s += ": " + partes;
    const int fim = r.encerradas();
    if (fim > 0)
        s += fim == 1 ? " (1 encerrada)" : " (" + std::to_string(fim) + " encerradas)";
    return s;
}

std::string texto_mel(const RESUMO_APIARIO& r, int safra)
{
    return "Mel em " + std::to_string(safra) + ": " + numero_br(r.mel_safra, 1) + " kg; em " +
           std::to_string(safra - 1) + ", até o mesmo dia: " + numero_br(r.mel_anterior, 1) + " kg";
}

std::string texto_revisao(const RESUMO_APIARIO& r)
{
    if (r.dias_sem_revisao < 0)
        return r.vivas() > 0 ? "Nenhuma revisão" : "";
    const int d = r.dias_sem_revisao;
    std::string s = "Última revisão: " + r.ultima_revisao;
    s += d == 0 ? " (hoje)" : d == 1 ? " (ontem)" : " (há " + std::to_string(d) + " dias)";
    return s;
}

std::string texto_carencia(const CARENCIA_PAINEL& c)
{
    return "Colméia " + std::to_string(c.colmeia) + " em carência até " + c.ate;
}

PAINEL::PAINEL(QUERY* query) : DADOS(query) {}

RESUMO_APIARIO& PAINEL::apiario(QUADRO_PAINEL& q, int id)
{
    const auto achado = posicoes.find(id);
    if (achado != posicoes.end())
        return q.apiarios[achado->second];
    posicoes[id] = q.apiarios.size();
    RESUMO_APIARIO r;
    r.id = id;
    r.nome = id == 0 ? "Sem apiário" : "Apiário " + std::to_string(id);
    q.apiarios.push_back(r);
    return q.apiarios.back();
}

QUADRO_PAINEL PAINEL::ler()
{
    QUADRO_PAINEL q;
    posicoes.clear();
    // Each part on its own: one the database refuses leaves the others.
    struct Parte
    {
        bool (PAINEL::*ler)(QUADRO_PAINEL&);
        const char* nome;
    };
    const Parte partes[] = { { &PAINEL::ler_apiarios, "apiários" }, { &PAINEL::ler_colmeias, "colméias" },
                             { &PAINEL::ler_revisoes, "revisões" }, { &PAINEL::ler_mel, "mel" },
                             { &PAINEL::ler_carencias, "carências" }, { &PAINEL::ler_etapas, "criação de rainhas" } };
    FALHA primeira;
    for (const Parte& p : partes) {
        if (!(this->*p.ler)(q)) {
            q.sem_acesso.push_back(p.nome);
            if (!primeira.houve)
                primeira = falha_;
        }
    }
    falha_ = primeira;
    posicoes.clear();
    if (q.safra == 0)
        q.safra = ano_local();
    // An apiary with no hive is left out (a list of thousands of apiaries,
    // most of them empty, would hide the ones that matter), even when hives
    // that left it harvested there; but only when the hives could be counted.
    const bool contadas = std::find(q.sem_acesso.begin(), q.sem_acesso.end(), "colméias") == q.sem_acesso.end();
    if (contadas) {
        q.apiarios.erase(std::remove_if(q.apiarios.begin(), q.apiarios.end(), [](const RESUMO_APIARIO& r) {
            return r.id != 0 && r.vivas() + r.encerradas() == 0;
        }), q.apiarios.end());
    }
    // The batches of no apiary go last.
    std::stable_partition(q.apiarios.begin(), q.apiarios.end(), [](const RESUMO_APIARIO& r) { return r.id != 0; });
    return q;
}

bool PAINEL::ler_apiarios(QUADRO_PAINEL& q)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.apiario as a",
                                   { "a.id_apiario", "a.nome", "extract(year from current_date)::integer" });
    // Only those with hives: a list of thousands of empty apiaries is not sent.
    i.filtroconsulta = "exists (select 1 from cadastro.colmeia as c where c.id_apiario = a.id_apiario) "
                       "order by a.nome, a.id_apiario";
    RESULTADO r;
    if (!executar_contando(i, &r))
        return false;
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        apiario(q, l.inteiro(0)).nome = l[1];
        q.safra = l.inteiro(2);
    }
    return true;
}

bool PAINEL::ler_colmeias(QUADRO_PAINEL& q)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.colmeia as c",
                                   { "c.id_apiario", "c.status", "count(*)" });
    i.filtroconsulta = "true group by c.id_apiario, c.status";
    RESULTADO r;
    if (!executar_contando(i, &r))
        return false;
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        const std::string status = l[1];
        RESUMO_APIARIO& a = apiario(q, l.inteiro(0));
        for (int s = 0; s < N_STATUS; ++s) {
            if (status == STATUS_COLMEIA[s])
                a.por_status[s] += l.inteiro(2);
        }
    }
    return true;
}

bool PAINEL::ler_revisoes(QUADRO_PAINEL& q)
{
    // Each hive's newest inspection straight from the index, then the
    // newest of the apiary's hives.
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR,
                                   "cadastro.colmeia as c cross join lateral (select r.data_revisao from "
                                   "cadastro.revisao as r where r.id_colmeia = c.id_colmeia "
                                   "order by r.data_revisao desc limit 1) as u",
                                   { "c.id_apiario", dia_mostrado("max(u.data_revisao)"),
                                     "current_date - max(u.data_revisao)" });
    i.filtroconsulta = "true group by c.id_apiario";
    RESULTADO r;
    if (!executar_contando(i, &r))
        return false;
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        RESUMO_APIARIO& a = apiario(q, l.inteiro(0));
        a.ultima_revisao = l[1];
        a.dias_sem_revisao = std::max(0, l.inteiro(2));
    }
    return true;
}

bool PAINEL::ler_mel(QUADRO_PAINEL& q)
{
    // Every harvest of both periods, in the apiary its hive stood in that day.
    INSTRUCAO i = query->descrever(
        INSTRUCAO::CONSULTAR,
        "(select " + apiario_no_dia("hm.id_colmeia", "hm.data") + " as id_apiario, hm.mel_kg, " + SAFRA +
            " as agora from cadastro.colheita_mel as hm where " + SAFRA + " or " + ANTERIOR + ") as h",
        { "h.id_apiario", "coalesce(sum(h.mel_kg) filter (where h.agora), 0)",
          "coalesce(sum(h.mel_kg) filter (where not h.agora), 0)" });
    i.filtroconsulta = "true group by h.id_apiario";
    RESULTADO r;
    if (!executar_contando(i, &r))
        return false;
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        RESUMO_APIARIO& a = apiario(q, l.inteiro(0));
        a.mel_safra = ler_numero(l[1]);
        a.mel_anterior = ler_numero(l[2]);
    }
    return true;
}

bool PAINEL::ler_carencias(QUADRO_PAINEL& q)
{
    // The withdrawal in force of each hive: the latest of its treatments'.
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR,
                                   "cadastro.tratamento as t join cadastro.colmeia as c on c.id_colmeia = t.id_colmeia",
                                   { "c.id_apiario", "t.id_colmeia", dia_mostrado("max(t.carencia_ate)") });
    i.filtroconsulta = "t.carencia_ate >= current_date group by c.id_apiario, t.id_colmeia "
                       "order by max(t.carencia_ate), t.id_colmeia";
    RESULTADO r;
    if (!executar_contando(i, &r))
        return false;
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        CARENCIA_PAINEL c;
        c.colmeia = l.inteiro(1);
        c.ate = l[2];
        apiario(q, l.inteiro(0)).carencias.push_back(c);
    }
    return true;
}

bool PAINEL::ler_etapas(QUADRO_PAINEL& q)
{
    // The steps due today or overdue, as the list of what to do today has
    // them, each in the apiary of its batch's cell builder.
    INSTRUCAO i = query->descrever(
        INSTRUCAO::CONSULTAR,
        "cadastro.criacao as c " + etapa_seguinte_sql() +
            " left join cadastro.colmeia as h on h.id_colmeia = c.id_recria",
        { "coalesce(h.id_apiario, 0)", "c.id_criacao",
          "(select a.rgn from cadastro.abelha_rainha as a where a.id_abelha = c.id_matriz)", "e.etapa",
          dia_mostrado("c.enxertia + e.dias"), "current_date - (c.enxertia + e.dias)" });
    i.filtroconsulta = "c.em_postura is null and c.enxertia + e.dias <= current_date "
                       "order by c.enxertia + e.dias, c.id_criacao";
    RESULTADO r;
    if (!executar_contando(i, &r))
        return false;
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        ETAPA_PAINEL e;
        e.lote = l.inteiro(1);
        e.data = l[4];
        e.atraso = l.inteiro(5);
        e.texto = texto_etapa_devida(l[1], l[2], l.inteiro(3), e.atraso);
        apiario(q, l.inteiro(0)).etapas.push_back(e);
    }
    return true;
}
