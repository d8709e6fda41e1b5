#include "model/lote_mel.h"

#include <cstdlib>

#include "db/query.h"
#include "model/diario.h"
#include "util/validacao.h"

const int UMIDADE_MAXIMA = 20;
const char* const INSPECOES[4] = { "", "SIF", "SIE", "SIM" };

namespace {

const char* const NOMES_ORIGEM[] = { "Revisão", "Colheita" };
const char* const NOMES_RASTRO[] = { "Colheita", "Apiário", "Rainha", "Tratamento", "Ocorrência", "Movimentação",
                                     "Lote" };

std::string chave(int id) { return std::to_string(id); }

std::string numero_sql(const BANCOPG& b, const std::string& texto)
{
    if (texto.find_first_not_of(" \t") == std::string::npos)
        return "null";
    std::string numero;
    return ler_quilos(texto, &numero) ? numero : b.literal(texto);
}

std::string dia(const std::string& coluna) { return dia_mostrado(coluna); }

// A number of the database as the lists show it: decimal comma.
std::string virgula(const std::string& coluna) { return "replace(trim_scale(" + coluna + ")::text, '.', ',')"; }

bool inteiro_entre(const std::string& texto, int menor, int maior)
{
    if (texto.empty() || texto.size() > 4 || texto.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int n = std::atoi(texto.c_str());
    return n >= menor && n <= maior;
}

// The moisture as typed: a number of 0 to 100, or nothing.
bool umidade_valida(const std::string& texto)
{
    std::string numero;
    if (texto.find_first_not_of(" \t") == std::string::npos)
        return true;
    if (!ler_quilos(texto, &numero))
        return false;
    const std::size_t virgula = numero.find('.');
    if (virgula != std::string::npos && numero.size() - virgula > 2)
        return false;
    return std::strtod(numero.c_str(), nullptr) <= 100;
}

const COLUNA<LOTES_MEL> COLUNAS_LOTE[] = {
    { "codigo", [](const BANCOPG& b, const LOTES_MEL& l) { return b.literal(l.codigo); } },
    { "data_extracao", [](const BANCOPG& b, const LOTES_MEL& l) { return data_sql(b, l.extracao); } },
    { "id_florada", [](const BANCOPG&, const LOTES_MEL& l) { return l.id_florada > 0 ? chave(l.id_florada) : "null"; } },
    { "umidade", [](const BANCOPG& b, const LOTES_MEL& l) { return numero_sql(b, l.umidade); } },
    { "tambores", [](const BANCOPG& b, const LOTES_MEL& l) { return b.literal(l.tambores); } },
    { "destino", [](const BANCOPG& b, const LOTES_MEL& l) { return b.literal(l.destino); } },
    { "inspecao", [](const BANCOPG& b, const LOTES_MEL& l) { return b.literal(l.inspecao); } },
    { "numero_inspecao", [](const BANCOPG& b, const LOTES_MEL& l) { return b.literal(l.numero_inspecao); } },
    { "nota_fiscal", [](const BANCOPG& b, const LOTES_MEL& l) { return b.literal(l.nota_fiscal); } },
    { "obs", [](const BANCOPG& b, const LOTES_MEL& l) { return b.literal(l.obs); } },
};

// What a person types, checked before anything is sent: the reason of the
// first thing wrong, "" when all is right.
std::string conferir(const LOTES_MEL& l)
{
    if (!data_valida(l.extracao))
        return "A data de extração não existe: escreva-a como DD/MM/AAAA.";
    if (!umidade_valida(l.umidade))
        return "A umidade deve ser um número de 0 a 100 (por cento, com uma casa decimal, por exemplo 18,5), ou "
               "ficar em branco.";
    if (!inteiro_entre(l.tambores, 1, 9999))
        return "O número de tambores deve ser um número inteiro de 1 a 9999.";
    if (!um_de(l.inspecao, INSPECOES))
        return "Escolha o serviço de inspeção: SIF, SIE ou SIM (ou nenhum).";
    if (l.partes.empty())
        return "Escolha as colheitas que formam o lote: ele não pode ficar sem mel.";
    for (const PARTE_LOTE& p : l.partes) {
        if (gramas(p.quilos) <= 0 || !ler_quilos(p.quilos))
            return "Os quilos de cada colheita no lote devem ser um número maior que zero (por exemplo 12,5).";
    }
    return std::string();
}

// The harvests, each with its hive and day, of the parts of a lot: by
// part, "p" the part and "h" its harvest (origem, id, id_colmeia, data).
const char* const PARTES_COM_COLHEITA =
    "cadastro.lote_mel_colheita as p cross join lateral ("
    "select 'Revisão'::text as origem, r.id_revisao as id, r.id_colmeia, r.data_revisao as data "
    "from cadastro.revisao as r where r.id_revisao = p.id_revisao "
    "union all select 'Colheita', c.id_colheita, c.id_colmeia, c.data "
    "from cadastro.colheita as c where c.id_colheita = p.id_colheita) as h";

LOTES_MEL ler_lote(const LinhaResultado& l)
{
    LOTES_MEL lote;
    lote.id = l.inteiro(0);
    lote.codigo = l[1];
    lote.extracao = l[2];
    lote.id_florada = l.inteiro(3);
    lote.florada = l[4];
    lote.umidade = l[5].empty() ? std::string() : mostrar_quilos(l[5]);
    lote.tambores = l[6];
    lote.destino = l[7];
    lote.inspecao = l[8];
    lote.numero_inspecao = l[9];
    lote.nota_fiscal = l[10];
    lote.obs = l[11];
    lote.anulado_em = l[12];
    lote.motivo_anulacao = l[13];
    lote.total = mostrar_quilos(l[14]);
    lote.versao = l[15];
    return lote;
}

LINHA_RASTRO ler_rastro(const LinhaResultado& l)
{
    LINHA_RASTRO r;
    const int tipo = l.inteiro(0);
    r.tipo = tipo >= 0 && tipo <= static_cast<int>(Rastro::LOTE) ? static_cast<Rastro>(tipo) : Rastro::COLHEITA;
    r.id = l.inteiro(1);
    r.id_colmeia = l.inteiro(2);
    r.data = l[3];
    r.descricao = l[4];
    return r;
}

} // namespace

std::string aviso_de_umidade(const std::string& umidade)
{
    if (!umidade_valida(umidade) || gramas(umidade) <= UMIDADE_MAXIMA * 1000LL)
        return std::string();
    return "Umidade acima de " + std::to_string(UMIDADE_MAXIMA) +
           " %: o limite das normas brasileiras de qualidade do mel.";
}

const char* nome_da_origem(Origem o) { return NOMES_ORIGEM[static_cast<int>(o)]; }
const char* nome_do_rastro(Rastro r) { return NOMES_RASTRO[static_cast<int>(r)]; }

std::string explicar_carencia(const COLHEITA_LOTE& c)
{
    return "A colheita de " + c.data + " da colméia " + chave(c.id_colmeia) + " foi feita em carência de " +
           c.carencia_produto + " (até " + c.carencia_ate + "): ela não pode entrar em um lote.";
}

long long gramas(const std::string& texto)
{
    std::string numero;
    if (!ler_quilos(texto, &numero))
        return 0;
    const std::size_t ponto = numero.find('.');
    long long g = std::atoll(numero.substr(0, ponto).c_str()) * 1000;
    if (ponto != std::string::npos) {
        std::string decimais = numero.substr(ponto + 1);
        decimais.resize(3, '0');
        g += std::atoll(decimais.c_str());
    }
    return g;
}

std::string quilos(long long g)
{
    const bool negativo = g < 0;
    if (negativo)
        g = -g;
    std::string texto = std::to_string(g / 1000);
    const long long resto = g % 1000;
    if (resto != 0) {
        std::string decimais = std::to_string(1000 + resto).substr(1);
        decimais.erase(decimais.find_last_not_of('0') + 1);
        texto += "," + decimais;
    }
    return negativo ? "-" + texto : texto;
}

LOTE_MEL::LOTE_MEL(QUERY* query) : DADOS(query) {}

bool LOTE_MEL::inserir(LOTES_MEL* lote) { return gravar(lote, true); }
bool LOTE_MEL::atualizar(LOTES_MEL* lote) { return gravar(lote, false); }

bool LOTE_MEL::gravar(LOTES_MEL* lote, bool novo)
{
    falha_ = FALHA();
    if (const std::string recusa = conferir(*lote); !recusa.empty())
        return recusar(recusa);
    if (const RESULTADO r = query->iniciar_transacao(); !r.ok()) {
        falha_ = FALHA(r);
        return false;
    }
    bool ok;
    int id = lote->id;
    std::string codigo = lote->codigo;
    if (novo) {
        INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.lote_mel", { "id_lote", "codigo" });
        i.inserir(COLUNAS_LOTE, *lote, *query);
        RESULTADO r;
        ok = executar_contando(i, &r) && r.achou();
        if (ok) {
            id = r.linha(0).inteiro(0);
            codigo = r.linha(0)[1];
        }
    } else {
        // The lot's row is written even when only its parts change: its
        // version then tells another desktop that the lot changed.
        INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.lote_mel");
        i.atualizar(COLUNAS_LOTE, *lote, *query);
        i.condicao("id_lote", chave(lote->id));
        if (!lote->versao.empty())
            i.condicao("xmin", query->literal(lote->versao));
        ok = executar_contando(i);
        if (ok) {
            INSTRUCAO fora = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.lote_mel_colheita");
            fora.condicao("id_lote", chave(lote->id));
            RESULTADO r = query->ativar(fora);
            ok = r.ok() || r.sqlstate == FALHA::SEM_REGISTRO;
            if (!ok)
                falha_ = FALHA(r);
        }
    }
    if (ok) {
        INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.lote_mel_colheita");
        for (std::size_t k = 0; k < lote->partes.size(); ++k) {
            const PARTE_LOTE& p = lote->partes[k];
            if (k > 0)
                i.outra_linha();
            const bool revisao = p.origem == Origem::REVISAO;
            i.inserir("id_lote", chave(id));
            i.inserir("id_revisao", revisao ? chave(p.id_colheita) : "null");
            i.inserir("id_colheita", revisao ? "null" : chave(p.id_colheita));
            i.inserir("mel_kg", numero_sql(*query, p.quilos));
        }
        ok = executar_contando(i);
    }
    if (ok) {
        const RESULTADO confirmado = query->confirmar_transacao();
        ok = confirmado.ok();
        if (!ok)
            falha_ = FALHA(confirmado);
    }
    if (!ok) {
        falha_.desfeita = true;
        query->desfazer_transacao();
        explicar_partes(*lote);
        return false;
    }
    lote->id = id;
    lote->codigo = codigo;
    return true;
}

void LOTE_MEL::explicar_partes(const LOTES_MEL& lote)
{
    const std::string& r = falha_.restricao;
    if (r != "lote_mel_colheita_em_carencia" && r != "lote_mel_excede_colheita" &&
        r != "lote_mel_colheita_depois_da_extracao")
        return;
    // The harvests as they are now, to name the one refused.
    FILTRO_COLHEITAS f;
    f.id_lote = lote.id;
    f.com_usadas = true;
    const FALHA guardada = falha_;
    std::string extracao;
    data_valida(lote.extracao, &extracao);
    for (const COLHEITA_LOTE& c : colheitas(f)) {
        for (const PARTE_LOTE& p : lote.partes) {
            if (p.origem != c.origem || p.id_colheita != c.id)
                continue;
            std::string dia_iso;
            data_valida(c.data, &dia_iso);
            falha_ = guardada;
            if (r == "lote_mel_colheita_em_carencia" && c.em_carencia()) {
                falha_.explicar(explicar_carencia(c));
                return;
            }
            if (r == "lote_mel_colheita_depois_da_extracao" && dia_iso > extracao) {
                falha_.explicar("A colheita de " + c.data + " da colméia " + chave(c.id_colmeia) +
                                " é posterior à extração do lote (" + lote.extracao + ").");
                return;
            }
            if (r == "lote_mel_excede_colheita" && gramas(p.quilos) > gramas(c.disponivel)) {
                falha_.explicar("A colheita de " + c.data + " da colméia " + chave(c.id_colmeia) + " deu " +
                                c.colhido + " kg, e " + c.em_outros_lotes + " kg dela já estão em outros lotes: "
                                "restam " + c.disponivel + " kg para este. Outro computador pode ter acabado de "
                                "usá-la; busque as colheitas de novo.");
                return;
            }
        }
    }
    falha_ = guardada;
}

bool LOTE_MEL::deletar(int id, const std::string& versao)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.lote_mel");
    i.condicao("id_lote", chave(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    return executar_contando(i);
}

bool LOTE_MEL::anular(int id, const std::string& motivo, const std::string& versao)
{
    falha_ = FALHA();
    if (motivo.find_first_not_of(" \t\n") == std::string::npos)
        return recusar("Escreva o motivo da anulação do lote.");
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.lote_mel");
    i.atualizar("anulado_em", "current_date");
    i.atualizar("motivo_anulacao", query->literal(motivo));
    i.condicao("id_lote", chave(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    return executar_contando(i);
}

namespace {

INSTRUCAO consulta_lotes(const QUERY& query)
{
    INSTRUCAO i = query.descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "l.id_lote", "l.codigo", dia("l.data_extracao"), "coalesce(l.id_florada, 0)",
                       "coalesce((select f.nome_florada from cadastro.florada as f where f.id_florada = l.id_florada), '')",
                       "l.umidade", "l.tambores", "l.destino", "l.inspecao", "l.numero_inspecao", "l.nota_fiscal",
                       "l.obs", "coalesce(" + dia("l.anulado_em") + ", '')", "l.motivo_anulacao",
                       "coalesce((select sum(p.mel_kg) from cadastro.lote_mel_colheita as p where p.id_lote = l.id_lote), 0)",
                       "l.xmin" };
    i.tabelas = { "cadastro.lote_mel as l" };
    return i;
}

} // namespace

LOTES_MEL LOTE_MEL::get_lote(int id)
{
    INSTRUCAO i = consulta_lotes(*query);
    i.condicao("l.id_lote", chave(id));
    RESULTADO r;
    executar(i, &r);
    if (!r.achou())
        return LOTES_MEL();
    LOTES_MEL lote = ler_lote(r.linha(0));

    INSTRUCAO partes = query->descrever(INSTRUCAO::CONSULTAR);
    partes.camporetorno = { "h.origem", "h.id", "p.mel_kg", "h.id_colmeia", dia("h.data") };
    partes.tabelas = { PARTES_COM_COLHEITA };
    partes.condicao("p.id_lote", chave(id));
    partes.campoorder = { "h.id_colmeia", "h.data", "p.id_parte" };
    RESULTADO rp;
    executar(partes, &rp);
    for (int k = 0; k < rp.registros(); ++k) {
        const LinhaResultado l = rp.linha(k);
        PARTE_LOTE p;
        p.origem = l[0] == NOMES_ORIGEM[0] ? Origem::REVISAO : Origem::COLHEITA;
        p.id_colheita = l.inteiro(1);
        p.quilos = mostrar_quilos(l[2]);
        p.id_colmeia = l.inteiro(3);
        p.data = l[4];
        lote.partes.push_back(p);
    }
    return lote;
}

std::vector<LOTES_MEL> LOTE_MEL::listar()
{
    INSTRUCAO i = consulta_lotes(*query);
    i.campoorder = { "l.data_extracao desc", "l.id_lote desc" };
    RESULTADO r;
    executar_contando(i, &r);
    std::vector<LOTES_MEL> lotes;
    for (int k = 0; k < r.registros(); ++k)
        lotes.push_back(ler_lote(r.linha(k)));
    return lotes;
}

int LOTE_MEL::chave_do_codigo(const std::string& codigo)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.lote_mel", { "id_lote" });
    i.filtroconsulta = "codigo = btrim(" + query->literal(codigo) + ", ' ')";
    RESULTADO r;
    executar(i, &r);
    return r.achou() ? r.linha(0).inteiro(0) : 0;
}

std::vector<COLHEITA_LOTE> LOTE_MEL::colheitas(const FILTRO_COLHEITAS& f)
{
    // What the lot being built holds of each harvest counts as free.
    const std::string proprio =
        f.id_lote > 0 ? "coalesce((select sum(p.mel_kg) from cadastro.lote_mel_colheita as p join cadastro.lote_mel as l "
                        "on l.id_lote = p.id_lote where p.id_lote = " + chave(f.id_lote) +
                        " and l.anulado_em is null and ((h.origem = 'Revisão' and p.id_revisao = h.id) or "
                        "(h.origem = 'Colheita' and p.id_colheita = h.id))), 0)"
                      : std::string("0");
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "h.origem", "h.id", "h.id_colmeia", "h.id_apiario",
                       "(select a.nome from cadastro.apiario as a where a.id_apiario = h.id_apiario)", dia("h.data"),
                       "h.mel_kg", "h.em_lotes - h.proprio", "h.mel_kg - h.em_lotes + h.proprio",
                       "coalesce(h.carencia_produto, '')", "coalesce(" + dia("h.carencia_ate") + ", '')" };
    std::string onde = "true";
    if (std::string de; data_valida(f.de, &de))
        onde += " and h.data >= " + query->literal(de);
    if (std::string ate; data_valida(f.ate, &ate))
        onde += " and h.data <= " + query->literal(ate);
    // Each harvest's figures are worked out once (offset 0 keeps the
    // filters below from asking for them again).
    i.tabelas = { "(select h.*, " + proprio + " as proprio, " + apiario_no_dia("h.id_colmeia", "h.data") +
                  " as id_apiario from cadastro.colheita_mel as h where " + onde + " offset 0) as h" };
    std::string filtro;
    if (!f.apiarios.empty()) {
        std::string lista;
        for (int a : f.apiarios)
            lista += (lista.empty() ? "" : ", ") + chave(a);
        filtro = "h.id_apiario in (" + lista + ")";
    }
    if (!f.com_usadas)
        filtro += std::string(filtro.empty() ? "" : " and ") + "h.mel_kg - h.em_lotes + h.proprio > 0";
    i.filtroconsulta = filtro;
    i.campoorder = { "h.id_colmeia", "h.data", "h.origem desc", "h.id" };
    RESULTADO r;
    executar_contando(i, &r);
    std::vector<COLHEITA_LOTE> lista;
    lista.reserve(static_cast<std::size_t>(r.registros()));
    for (int k = 0; k < r.registros(); ++k) {
        const LinhaResultado l = r.linha(k);
        COLHEITA_LOTE c;
        c.origem = l[0] == NOMES_ORIGEM[0] ? Origem::REVISAO : Origem::COLHEITA;
        c.id = l.inteiro(1);
        c.id_colmeia = l.inteiro(2);
        c.id_apiario = l.inteiro(3);
        c.apiario = l[4];
        c.data = l[5];
        c.colhido = mostrar_quilos(l[6]);
        c.em_outros_lotes = mostrar_quilos(l[7]);
        c.disponivel = mostrar_quilos(l[8]);
        c.carencia_produto = l[9];
        c.carencia_ate = l[10];
        lista.push_back(std::move(c));
    }
    return lista;
}

std::vector<LINHA_RASTRO> LOTE_MEL::rastrear(int id_lote, int meses)
{
    if (meses < 0)
        meses = 0;
    const std::string lote = chave(id_lote);
    const std::string desde = "(select data_extracao - interval '" + chave(meses) +
                              " months' from cadastro.lote_mel where id_lote = " + lote + ")";
    const std::string ate = "(select data_extracao from cadastro.lote_mel where id_lote = " + lote + ")";
    const std::string colmeias = "(select distinct h.id_colmeia from " + std::string(PARTES_COM_COLHEITA) +
                                 " where p.id_lote = " + lote + ")";
    // Each line: its kind (Rastro), the key it names, the hive, the day, the
    // text, and its order within the hive's day.
    const std::string sql =
        // The harvests.
        "select 0 as tipo, h.id_colmeia as id, h.id_colmeia, h.data, "
        "'Colheita de ' || " + virgula("p.mel_kg") + " || ' kg' || case when h.origem = 'Revisão' "
        "then ' (revisão)' else '' end as texto, 0 as ordem "
        "from " + PARTES_COM_COLHEITA + " where p.id_lote = " + lote +
        // The apiary each hive stood in on the harvest's day.
        " union all select 1, a.id_apiario, h.id_colmeia, h.data, "
        "a.nome || ' — ' || m.nome || '/' || m.estado || case when a.latitude <> '' or a.longitude <> '' "
        "then ' (' || a.latitude || ', ' || a.longitude || ')' else ' (sem coordenadas)' end, 1 "
        "from " + PARTES_COM_COLHEITA + " join cadastro.apiario as a on a.id_apiario = " +
        apiario_no_dia("h.id_colmeia", "h.data") + " join cadastro.municipio as m on m.cod_cid = a.cod_cid "
        "where p.id_lote = " + lote +
        // The queen that headed it then.
        " union all select 2, coalesce(q.id_abelha, 0), h.id_colmeia, h.data, "
        "coalesce('Rainha ' || b.rgn, 'Sem rainha registrada nesta data'), 2 "
        "from " + PARTES_COM_COLHEITA + " left join lateral (select r.id_abelha from cadastro.rainha_colmeia as r "
        "where r.id_colmeia = h.id_colmeia and r.desde <= h.data order by r.desde desc limit 1) as q on true "
        "left join cadastro.abelha_rainha as b on b.id_abelha = q.id_abelha where p.id_lote = " + lote +
        // Treatments, findings and moves of its hives in the period.
        " union all select 3, t.id_tratamento, t.id_colmeia, t.inicio, "
        "pr.nome || case when t.dose is not null then ', ' || " + virgula("t.dose") + " || ' ' || t.unidade else '' end "
        "|| ' até ' || to_char(t.fim, 'DD/MM/YYYY') || '; carência até ' || to_char(t.carencia_ate, 'DD/MM/YYYY'), 3 "
        "from cadastro.tratamento as t join cadastro.produto as pr on pr.id_produto = t.id_produto "
        "where t.id_colmeia in " + colmeias + " and t.inicio between " + desde + " and " + ate +
        " union all select 4, o.id_ocorrencia, o.id_colmeia, o.data, "
        "case when o.doenca = 'Outra' then o.outra else o.doenca end || case when o.nivel <> '' then ', ' || o.nivel "
        "else '' end || case when o.notificacao <> '' then ' (' || o.notificacao || ')' else '' end, 3 "
        "from cadastro.ocorrencia as o where o.id_colmeia in " + colmeias + " and o.data between " + desde + " and " + ate +
        " union all select 5, v.id_movimentacao, v.id_colmeia, v.data, "
        "ao.nome || ' → ' || ad.nome || case when v.gta <> '' then ', GTA ' || v.gta else ', sem GTA' end, 3 "
        "from cadastro.movimentacao as v join cadastro.apiario as ao on ao.id_apiario = v.id_origem "
        "join cadastro.apiario as ad on ad.id_apiario = v.id_destino "
        "where v.id_colmeia in " + colmeias + " and v.data between " + desde + " and " + ate;
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "r.tipo", "r.id", "r.id_colmeia", dia("r.data"), "r.texto" };
    i.tabelas = { "(" + sql + ") as r" };
    i.campoorder = { "r.id_colmeia", "r.data", "r.ordem", "r.tipo", "r.id" };
    RESULTADO r;
    executar_contando(i, &r);
    std::vector<LINHA_RASTRO> linhas;
    linhas.reserve(static_cast<std::size_t>(r.registros()));
    for (int k = 0; k < r.registros(); ++k)
        linhas.push_back(ler_rastro(r.linha(k)));
    return linhas;
}

std::vector<LINHA_RASTRO> LOTE_MEL::lotes_onde(const std::string& condicao)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "6", "l.id_lote", "min(h.id_colmeia)", dia("l.data_extracao"),
                       "'Lote ' || l.codigo || ': ' || " + virgula("sum(p.mel_kg)") +
                           " || ' kg' || case when l.anulado_em is not null then ' (anulado)' else '' end" };
    i.tabelas = { std::string(PARTES_COM_COLHEITA) + " join cadastro.lote_mel as l on l.id_lote = p.id_lote" };
    i.filtroconsulta = condicao + " group by l.id_lote, l.codigo, l.data_extracao, l.anulado_em";
    i.campoorder = { "l.data_extracao desc", "l.id_lote desc" };
    RESULTADO r;
    executar_contando(i, &r);
    std::vector<LINHA_RASTRO> linhas;
    for (int k = 0; k < r.registros(); ++k)
        linhas.push_back(ler_rastro(r.linha(k)));
    return linhas;
}

std::vector<std::string> LOTE_MEL::municipios(int id_lote)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "distinct m.nome || '/' || m.estado", "m.nome", "m.estado" };
    i.tabelas = { std::string(PARTES_COM_COLHEITA) + " join cadastro.apiario as a on a.id_apiario = " +
                  apiario_no_dia("h.id_colmeia", "h.data") + " join cadastro.municipio as m on m.cod_cid = a.cod_cid" };
    i.condicao("p.id_lote", chave(id_lote));
    i.campoorder = { "m.nome", "m.estado" };
    RESULTADO r;
    executar(i, &r);
    std::vector<std::string> lista;
    for (int k = 0; k < r.registros(); ++k)
        lista.push_back(r.linha(k)[0]);
    return lista;
}

std::vector<LINHA_RASTRO> LOTE_MEL::lotes_da_colmeia(int id_colmeia)
{
    return lotes_onde("h.id_colmeia = " + chave(id_colmeia));
}

std::vector<LINHA_RASTRO> LOTE_MEL::lotes_do_apiario(int id_apiario)
{
    return lotes_onde(apiario_no_dia("h.id_colmeia", "h.data") + " = " + chave(id_apiario));
}
