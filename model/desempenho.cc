#include "model/desempenho.h"

#include "db/query.h"
#include "model/diario.h"

std::string mostrar_numero(const std::string& numero)
{
    std::string s = numero;
    for (char& c : s) {
        if (c == '.')
            c = ',';
    }
    return s;
}

DESEMPENHO::DESEMPENHO(QUERY* query) : DADOS(query) {}

std::vector<DESEMPENHOS> DESEMPENHO::listar()
{
    // The breeders; their batches; the hives their daughters head; each of
    // those hives' harvests per year; the hives with findings to notify.
    const std::string figuras =
        "(with matrizes as (select a.id_abelha, a.rgn from cadastro.abelha_rainha as a where a.matriz "
        "or exists (select 1 from cadastro.criacao as c where c.id_matriz = a.id_abelha)), "
        "lotes as (select id_matriz, count(*) as n, sum(larvas) as larvas, "
        "100.0 * sum(aceitas) / nullif(sum(larvas) filter (where aceitas is not null), 0) as aceitas, "
        "100.0 * sum(nascidas) / nullif(sum(larvas) filter (where nascidas is not null), 0) as nascidas, "
        "100.0 * sum(em_postura) / nullif(sum(larvas) filter (where em_postura is not null), 0) as postura "
        "from cadastro.criacao group by id_matriz), "
        "colmeias as (select f.filha as id_matriz, c.id_colmeia, c.status from cadastro.abelha_rainha as f "
        "join cadastro.colmeia as c on c.id_abelha = f.id_abelha where f.filha is not null), "
        "filhas as (select id_matriz, count(*) as n, count(*) filter (where status in ('Morta', 'Perdida')) "
        "as perdidas from colmeias group by id_matriz), "
        "safras as (select h.id_matriz, sum(r.mel_kg) as mel from colmeias as h join " + colheitas_de_mel() +
        " as r on r.id_colmeia = h.id_colmeia group by h.id_matriz, h.id_colmeia, extract(year from r.data)), "
        "mel as (select id_matriz, avg(mel) as media from safras group by id_matriz), "
        "achados as (select h.id_matriz, count(distinct h.id_colmeia) as n from colmeias as h "
        "join cadastro.ocorrencia as o on o.id_colmeia = h.id_colmeia where o.notificacao <> '' "
        "group by h.id_matriz) "
        "select m.id_abelha, m.rgn, coalesce(l.n, 0) as lotes, coalesce(l.larvas, 0) as larvas, "
        "round(l.aceitas, 1) as aceitas, round(l.nascidas, 1) as nascidas, round(l.postura, 1) as postura, "
        "coalesce(f.n, 0) as colmeias, round(mel.media, 2) as mel, "
        "round(100.0 * coalesce(a.n, 0) / nullif(f.n, 0), 1) as ocorrencias, "
        "round(100.0 * f.perdidas / nullif(f.n, 0), 1) as perdidas "
        "from matrizes as m left join lotes as l on l.id_matriz = m.id_abelha "
        "left join filhas as f on f.id_matriz = m.id_abelha left join mel on mel.id_matriz = m.id_abelha "
        "left join achados as a on a.id_matriz = m.id_abelha) as d";
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "d.id_abelha", "d.rgn", "d.lotes", "d.larvas", "d.aceitas", "d.nascidas", "d.postura",
                       "d.colmeias", "d.mel", "d.ocorrencias", "d.perdidas" };
    i.tabelas = { figuras };
    i.campoorder = { "d.rgn", "d.id_abelha" };
    RESULTADO r;
    std::vector<DESEMPENHOS> lista;
    if (!executar_contando(i, &r))
        return lista;
    lista.reserve(static_cast<std::size_t>(r.registros()));
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        DESEMPENHOS d;
        d.id = l.inteiro(0);
        d.rgn = l[1];
        d.lotes = l.inteiro(2);
        d.larvas = l.inteiro(3);
        d.aceitas = l[4];
        d.nascidas = l[5];
        d.postura = l[6];
        d.colmeias = l.inteiro(7);
        d.mel = l[8];
        d.ocorrencias = l[9];
        d.perdidas = l[10];
        lista.push_back(d);
    }
    return lista;
}
