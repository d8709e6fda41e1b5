#include "model/pendencia.h"

#include "db/query.h"
#include "model/criacao.h"

std::string texto_atraso(int dias)
{
    if (dias < 0)
        return dias == -1 ? "amanhã" : "em " + std::to_string(-dias) + " dias";
    if (dias == 0)
        return "hoje";
    return dias == 1 ? "atrasada 1 dia" : "atrasada " + std::to_string(dias) + " dias";
}

std::string etapa_seguinte_sql()
{
    return "cross join lateral (select "
           "case when c.aceitas is null then 0 when c.operculadas is null then 1 "
           "when c.nos_nucleos is null then 2 when c.nascidas is null then 3 else 4 end as etapa, "
           "case when c.aceitas is null then c.dias_aceitas when c.operculadas is null then "
           "c.dias_operculadas when c.nos_nucleos is null then c.dias_nucleos when c.nascidas is null "
           "then c.dias_nascidas else c.dias_postura end as dias) as e";
}

std::string texto_etapa_devida(const std::string& lote, const std::string& matriz, int etapa, int atraso)
{
    return "Lote " + lote + " da matriz " + matriz + ": " +
           (etapa >= 0 && etapa < static_cast<int>(ETAPAS_CRIACAO) ? NOMES_ETAPAS[etapa] : "") + " (" +
           texto_atraso(atraso) + ")";
}

PENDENCIA::PENDENCIA(QUERY* query) : DADOS(query) {}

std::vector<PENDENCIAS> PENDENCIA::listar()
{
    std::vector<PENDENCIAS> lista;
    // A batch's next step not recorded, and the day its timetable gives it.
    INSTRUCAO lotes = query->descrever(INSTRUCAO::CONSULTAR);
    lotes.camporetorno = { "c.id_criacao",
                           "(select a.rgn from cadastro.abelha_rainha as a where a.id_abelha = c.id_matriz)",
                           "e.etapa", "to_char(c.enxertia + e.dias, 'DD/MM/YYYY')",
                           "current_date - (c.enxertia + e.dias)" };
    lotes.tabelas = { "cadastro.criacao as c " + etapa_seguinte_sql() };
    lotes.filtroconsulta = "c.em_postura is null and c.enxertia + e.dias <= current_date "
                           "order by c.enxertia + e.dias, c.id_criacao";
    RESULTADO r;
    if (!executar_contando(lotes, &r))
        return lista;
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        PENDENCIAS p;
        p.lote = l.inteiro(0);
        const int etapa = l.inteiro(2);
        p.data = l[3];
        p.atraso = l.inteiro(4);
        p.texto = texto_etapa_devida(l[0], l[1], etapa, p.atraso);
        lista.push_back(p);
    }

    // The withdrawal in force of each hive: the latest of its treatments'.
    INSTRUCAO carencias = query->descrever(INSTRUCAO::CONSULTAR);
    carencias.camporetorno = { "t.id_colmeia", "to_char(max(t.carencia_ate), 'DD/MM/YYYY')",
                               "current_date - max(t.carencia_ate)" };
    carencias.tabelas = { "cadastro.tratamento as t" };
    carencias.filtroconsulta = "t.carencia_ate >= current_date group by t.id_colmeia "
                               "having max(t.carencia_ate) <= current_date + 6 "
                               "order by max(t.carencia_ate), t.id_colmeia";
    RESULTADO rc;
    if (!executar_contando(carencias, &rc))
        return lista;
    for (int k = 0; k < rc.registros(); ++k) {
        const LinhaResultado l = rc.linha(k);
        PENDENCIAS p;
        p.colmeia = l.inteiro(0);
        p.data = l[1];
        p.atraso = l.inteiro(2);
        p.texto = "Colméia " + l[0] + ": a carência termina " +
                  (p.atraso == 0 ? std::string("hoje") : p.atraso == -1 ? std::string("amanhã") : "em " + p.data);
        lista.push_back(p);
    }
    return lista;
}
