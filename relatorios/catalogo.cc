#include "relatorios/catalogo.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <utility>

#include "db/query.h"
#include "model/desempenho.h"
#include "model/diario.h"
#include "model/empresa.h"
#include "model/fecundacao.h"
#include "relatorios/formato.h"
#include "util/marcacao.h"
#include "util/validacao.h"

namespace {

std::string dia(const std::string& iso)
{
    return "'" + iso + "'::date";
}

// How many of a hive's latest journal entries its card lists.
const int ULTIMOS_DA_FICHA = 15;

const char* const ENCERRADAS = "('Morta', 'Vendida', 'Unida', 'Perdida')";

CELULA T(const std::string& t) { return CELULA::de_texto(t); }
CELULA N(double v, int casas) { return CELULA::de_numero(v, casas); }
// A result's column read as a text into a table's cell.
constexpr int X = LINHAS_RELATORIO::TEXTO;

std::string periodo_texto(const std::string& de, const std::string& ate)
{
    return data_br(de) + " a " + data_br(ate);
}

} // namespace

const std::vector<TIPO_RELATORIO>& tipos_de_relatorio()
{
    static const std::vector<TIPO_RELATORIO> tipos = {
        { "cadastro-apiarios", "Cadastro de apiários", false, &RELATORIOS_DO_BANCO::cadastro_apiarios },
        { "caderno-campo", "Caderno de campo", true, &RELATORIOS_DO_BANCO::caderno_campo },
        { "tratamentos", "Tratamentos e carências", true, &RELATORIOS_DO_BANCO::tratamentos },
        { "ocorrencias", "Ocorrências sanitárias", true, &RELATORIOS_DO_BANCO::ocorrencias },
        { "movimentacoes", "Movimentações", true, &RELATORIOS_DO_BANCO::movimentacoes },
        { "producao", "Produção por apiário", true, &RELATORIOS_DO_BANCO::producao },
        { "rainhas", "Rainhas", false, &RELATORIOS_DO_BANCO::rainhas },
        { "ficha-campo", "Ficha de campo", false, &RELATORIOS_DO_BANCO::ficha_campo },
        { "ficha-colmeia", "Ficha da colméia", false, &RELATORIOS_DO_BANCO::ficha_colmeia },
        { "lotes", "Lotes e rastreabilidade", true, &RELATORIOS_DO_BANCO::lotes },
        { "matrizes", "Desempenho das matrizes", false, &RELATORIOS_DO_BANCO::matrizes },
        { "colmeias", "Colméias", false, &RELATORIOS_DO_BANCO::colmeias },
        { "revisoes", "Revisões", true, &RELATORIOS_DO_BANCO::revisoes },
    };
    return tipos;
}

const TIPO_RELATORIO* tipo_de_relatorio(const std::string& nome)
{
    for (const TIPO_RELATORIO& t : tipos_de_relatorio()) {
        if (nome == t.nome)
            return &t;
    }
    return nullptr;
}

bool conferir_periodo(const FILTRO_RELATORIO& f, std::string* de_iso, std::string* ate_iso, std::string* erro)
{
    std::string de, ate;
    if (!f.ate.empty() && !data_valida(f.ate, &ate)) {
        *erro = "A data final " + f.ate + " não existe: digite-a como DD/MM/AAAA.";
        return false;
    }
    if (!f.de.empty() && !data_valida(f.de, &de)) {
        *erro = "A data inicial " + f.de + " não existe: digite-a como DD/MM/AAAA.";
        return false;
    }
    if (ate.empty()) {
        const std::time_t t = std::time(nullptr);
        std::tm local {};
        localtime_r(&t, &local);
        char hoje[16];
        std::strftime(hoje, sizeof hoje, "%Y-%m-%d", &local);
        ate = hoje;
    }
    if (de.empty())
        de = ate.substr(0, 4) + "-01-01";
    if (ate < de) {
        *erro = "O período termina em " + data_br(ate) + ", antes de começar, em " + data_br(de) +
                ": troque as datas.";
        return false;
    }
    *de_iso = de;
    *ate_iso = ate;
    return true;
}

bool ler_chaves(const std::string& texto, std::vector<int>* chaves, std::string* erro)
{
    chaves->clear();
    std::string numero;
    auto fechar = [&]() {
        if (numero.empty())
            return true;
        if (numero.size() > 9 || std::stol(numero) <= 0)
            return false;
        chaves->push_back(std::stoi(numero));
        numero.clear();
        return true;
    };
    for (char c : texto) {
        if (c >= '0' && c <= '9') {
            numero += c;
        } else if (c == ',' || c == ' ' || c == ';' || c == '\t') {
            if (!fechar())
                break;
        } else {
            numero = "x";
            break;
        }
    }
    if (numero == "x" || !fechar()) {
        chaves->clear();
        *erro = "Digite os números das colméias separados por vírgulas, como 3, 7, 12.";
        return false;
    }
    return true;
}

RELATORIOS_DO_BANCO::RELATORIOS_DO_BANCO(QUERY* query) : DADOS(query) {}

bool RELATORIOS_DO_BANCO::consultar(const std::vector<std::string>& colunas, const std::string& de,
                                    const std::string& onde, RESULTADO& r)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = colunas;
    i.tabelas = { de };
    i.filtroconsulta = onde;
    return executar_contando(i, &r);
}

std::string RELATORIOS_DO_BANCO::entre(const char* coluna, const std::vector<int>& chaves)
{
    if (chaves.empty())
        return "true";
    std::string s = std::string(coluna) + " in (";
    for (std::size_t i = 0; i < chaves.size(); ++i)
        s += (i ? ", " : "") + std::to_string(chaves[i]);
    return s + ")";
}

std::string RELATORIOS_DO_BANCO::estiveram(const char* coluna, const std::vector<int>& apiarios)
{
    if (apiarios.empty())
        return "true";
    // A hive that never moved stands where it was put; one that moved stood,
    // each day, where a move took it from or to.
    // Given as an array made once, the hives reach each journal table's
    // index on (hive, date) rather than a join over all its rows.
    const std::string lista = entre("x", apiarios).substr(1);
    return std::string(coluna) + " = any(array(select c.id_colmeia from cadastro.colmeia c where c.id_apiario" +
           lista + " union select m.id_colmeia from cadastro.movimentacao m where m.id_origem" + lista +
           " union select m.id_colmeia from cadastro.movimentacao m where m.id_destino" + lista + "))";
}

std::string RELATORIOS_DO_BANCO::nomes_apiarios(const std::vector<int>& chaves)
{
    if (chaves.empty())
        return "Apiários: todos";
    RESULTADO r;
    if (!consultar({ "string_agg(a.nome, ', ' order by a.nome)" }, "cadastro.apiario a", entre("a.id_apiario", chaves),
                   r))
        return std::string();
    return (chaves.size() == 1 ? "Apiário: " : "Apiários: ") + r.linha(0)[0];
}

bool RELATORIOS_DO_BANCO::montar(const TIPO_RELATORIO& tipo, const FILTRO_RELATORIO& f, RELATORIO& r)
{
    falha_ = FALHA();
    std::string erro;
    if (!conferir_periodo(f, &de_, &ate_, &erro))
        return recusar(erro);
    r = RELATORIO();
    r.titulo = tipo.titulo;
    r.emitido = agora_br();
    EMPRESA empresa(query);
    r.empresa = empresa.ler();
    if (empresa.falha().houve) {
        falha_ = empresa.falha();
        return false;
    }
    r.filtros.push_back(tipo.periodo ? "Período: " + periodo_texto(de_, ate_) : "Posição em " + data_br(ate_));
    const std::string apiarios = nomes_apiarios(f.apiarios);
    if (falha_.houve)
        return false;
    r.filtros.push_back(apiarios);
    if (!f.colmeias.empty()) {
        std::string c = f.colmeias.size() == 1 ? "Colméia: " : "Colméias: ";
        for (std::size_t i = 0; i < f.colmeias.size(); ++i)
            c += (i ? ", " : "") + std::to_string(f.colmeias[i]);
        r.filtros.push_back(c);
    }
    return (this->*tipo.montar)(f, r);
}

bool RELATORIOS_DO_BANCO::producao(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    // The same days a year before, to set against.
    const std::string de = dia(de_), ate = dia(ate_);
    const std::string de0 = "(" + de + " - interval '1 year')::date", ate0 = "(" + ate + " - interval '1 year')::date";
    const std::string agora = "r.data_revisao between " + de + " and " + ate;
    const std::string antes = "r.data_revisao between " + de0 + " and " + ate0;
    RESULTADO res;
    if (!consultar({ "a.nome", "mu.nome || '/' || mu.estado",
                     "count(distinct r.id_colmeia) filter (where " + agora + ")",
                     "coalesce(sum(r.mel_kg) filter (where " + agora + "), 0)",
                     "count(distinct r.id_colmeia) filter (where " + antes + ")",
                     "coalesce(sum(r.mel_kg) filter (where " + antes + "), 0)" },
                   // All apiaries: those with honey in one of the periods;
                   // apiaries chosen: each of them, with or without.
                   "cadastro.apiario a join cadastro.municipio mu on mu.cod_cid = a.cod_cid " +
                       std::string(f.apiarios.empty() ? "join " : "left join ") +
                       "(select rv.id_colmeia, rv.data as data_revisao, rv.mel_kg, " + apiario_no_dia("rv.id_colmeia", "rv.data") +
                       " as id_apiario from " + colheitas_de_mel() + " rv where rv.mel_kg > 0 and " +
                       entre("rv.id_colmeia", f.colmeias) + " and " + estiveram("rv.id_colmeia", f.apiarios) +
                       " and (rv.data between " + de + " and " + ate +
                       " or rv.data between " + de0 + " and " + ate0 + ")) r on r.id_apiario = a.id_apiario",
                   entre("a.id_apiario", f.apiarios) +
                       " group by a.id_apiario, a.nome, mu.nome, mu.estado order by a.nome, a.id_apiario",
                   res))
        return false;

    const bool ano_inteiro = de_.substr(5) == "01-01" && ate_.substr(5) == "12-31" && de_.substr(0, 4) == ate_.substr(0, 4);
    const std::string agora_nome = ano_inteiro ? de_.substr(0, 4) : periodo_texto(de_, ate_);
    const std::string antes_nome =
        ano_inteiro ? std::to_string(std::stoi(de_.substr(0, 4)) - 1) : "o mesmo período do ano anterior";
    TABELA_RELATORIO t;
    t.titulo = "Mel colhido por apiário";
    t.colunas = { { "Apiário", 3 }, { "Município", 2 }, { "Colméias que produziram", 1.6 }, { "Mel (kg)", 1.2 },
                  { "kg por colméia", 1.2 }, { "Ano anterior (kg)", 1.4 }, { "Variação (%)", 1.1 } };
    t.vazia = f.apiarios.empty() ? "Nenhum mel colhido no período nem no mesmo período do ano anterior."
                                 : "Nenhum apiário cadastrado para os filtros escolhidos.";
    double kg = 0, kg0 = 0;
    long colmeias = 0;
    std::vector<std::pair<double, std::size_t>> maiores;
    for (int i = 0; i < res.registros(); ++i) {
        const LinhaResultado l = res.linha(i);
        const int n = l.inteiro(2);
        const double v = ler_numero(l[3]), v0 = ler_numero(l[5]);
        LINHA_RELATORIO linha;
        linha.celulas = { T(l[0]), T(l[1]), N(n, 0), N(v, 1), n > 0 ? N(v / n, 1) : T("-"), N(v0, 1),
                          v0 > 0 ? N(100 * (v - v0) / v0, 1) : T("-") };
        t.linhas.push_back(linha);
        kg += v;
        kg0 += v0;
        colmeias += n;
        if (v > 0 || v0 > 0)
            maiores.push_back({ v, t.linhas.size() - 1 });
    }
    if (!t.linhas.empty()) {
        LINHA_RELATORIO total;
        total.destaque = true;
        total.celulas = { T("Total"), T(""), N(static_cast<double>(colmeias), 0), N(kg, 1),
                          colmeias > 0 ? N(kg / static_cast<double>(colmeias), 1) : T("-"), N(kg0, 1),
                          kg0 > 0 ? N(100 * (kg - kg0) / kg0, 1) : T("-") };
        t.linhas.push_back(total);
    }
    // The chart: the twelve apiaries that produced most, in the table's order.
    std::sort(maiores.begin(), maiores.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    if (maiores.size() > 12)
        maiores.resize(12);
    std::sort(maiores.begin(), maiores.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    GRAFICO_BARRAS& g = rel.grafico;
    g.titulo = maiores.size() < static_cast<std::size_t>(res.registros()) && maiores.size() == 12
                   ? "Mel colhido: os 12 apiários que mais produziram"
                   : "Mel colhido por apiário";
    g.unidade = "kg";
    g.series = { agora_nome, antes_nome };
    g.valores.assign(2, {});
    for (const auto& m : maiores) {
        g.categorias.push_back(t.linhas[m.second].celulas[0].texto);
        g.valores[0].push_back(t.linhas[m.second].celulas[3].valor);
        g.valores[1].push_back(t.linhas[m.second].celulas[5].valor);
    }
    if (g.categorias.empty())
        g = GRAFICO_BARRAS();
    if (kg == 0 && kg0 == 0 && !t.linhas.empty())
        t.titulo += ": nenhum mel colhido no período";
    rel.tabelas.push_back(std::move(t));
    return true;
}

bool RELATORIOS_DO_BANCO::cadastro_apiarios(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    const std::string ate = dia(ate_);
    RESULTADO res;
    if (!consultar({ "a.id_apiario", "a.nome", "mu.nome", "mu.estado", "a.latitude", "a.longitude",
                     "(select count(*) from cadastro.colmeia c where c.status not in " + std::string(ENCERRADAS) +
                         " and (c.data_instalacao is null or c.data_instalacao <= " + ate + ") and " +
                         apiario_no_dia("c.id_colmeia", ate) + " = a.id_apiario)",
                     "f.nome_florada", "to_char(a.data_criacao, 'DD/MM/YYYY')", "a.endereco", "a.distrito", "a.obs" },
                   "cadastro.apiario a join cadastro.municipio mu on mu.cod_cid = a.cod_cid "
                   "join cadastro.florada f on f.id_florada = a.id_florada",
                   entre("a.id_apiario", f.apiarios) + " and a.data_criacao <= " + ate + " order by a.nome, a.id_apiario",
                   res))
        return false;
    TABELA_RELATORIO t;
    t.titulo = "Apiários";
    t.colunas = { { "Código", 0.8 }, { "Apiário", 3 }, { "Município", 2.2 }, { "UF", 0.6 }, { "Latitude", 1.4 },
                  { "Longitude", 1.4 }, { "Colméias ativas", 1.3 }, { "Produção (florada)", 2 }, { "Desde", 1.2 },
                  { "Endereço", 2 }, { "Distrito", 1.4 }, { "Observações", 2.4 } };
    t.vazia = "Nenhum apiário cadastrado até " + data_br(ate_) + ".";
    t.linhas.ler(res.linhas, { 0, X, X, X, X, X, 0 });
    rel.tabelas.push_back(std::move(t));
    return true;
}

bool RELATORIOS_DO_BANCO::caderno_campo(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    RESULTADO res;
    if (!consultar({ "to_char(d.data, 'DD/MM/YYYY')", "a.nome", "d.id_colmeia", "d.tipo", "d.resumo" },
                   "(select e.*, " + apiario_no_dia("e.id_colmeia", "e.data") +
                       " as id_apiario from cadastro.diario e where e.data between " + dia(de_) + " and " + dia(ate_) +
                       " and " + entre("e.id_colmeia", f.colmeias) + " and " + estiveram("e.id_colmeia", f.apiarios) +
                       ") d join cadastro.apiario a on a.id_apiario = d.id_apiario",
                   entre("a.id_apiario", f.apiarios) + " order by a.nome, a.id_apiario, d.data, d.id_colmeia, d.tipo, d.id",
                   res))
        return false;
    TABELA_RELATORIO t;
    t.titulo = "Registros do diário das colméias";
    t.colunas = { { "Data", 1 }, { "Apiário", 2.2 }, { "Colméia", 0.8 }, { "Registro", 1.3 }, { "O que foi feito", 5 } };
    t.vazia = "Nenhum registro no diário das colméias no período.";
    t.linhas.ler(res.linhas, { X, X, 0 });
    rel.tabelas.push_back(std::move(t));
    return true;
}

bool RELATORIOS_DO_BANCO::tratamentos(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    const std::string de_onde =
        "cadastro.tratamento t join cadastro.produto p on p.id_produto = t.id_produto "
        "join cadastro.colmeia c on c.id_colmeia = t.id_colmeia join cadastro.apiario a on a.id_apiario = c.id_apiario";
    const std::vector<std::string> colunas = {
        "to_char(t.inicio, 'DD/MM/YYYY')", "to_char(t.fim, 'DD/MM/YYYY')", "t.id_colmeia", "a.nome", "p.nome",
        "p.principio_ativo", "coalesce(trim_scale(t.dose)::text || ' ' || t.unidade, '')", "t.lote_produto",
        "to_char(t.carencia_ate, 'DD/MM/YYYY')" };
    const std::string filtro = entre("a.id_apiario", f.apiarios) + " and " + entre("t.id_colmeia", f.colmeias);
    auto tabela = [](const std::string& titulo, const std::string& vazia) {
        TABELA_RELATORIO t;
        t.titulo = titulo;
        t.colunas = { { "Início", 1 }, { "Fim", 1 }, { "Colméia", 0.8 }, { "Apiário", 2 }, { "Produto", 2.2 },
                      { "Princípio ativo", 1.6 }, { "Dose", 0.9 }, { "Lote", 0.9 }, { "Carência até", 1.1 } };
        t.vazia = vazia;
        return t;
    };
    auto ler = [](const RESULTADO& res, TABELA_RELATORIO& t, bool destaque) {
        t.linhas.ler(res.linhas, { X, X, 0 }, destaque);
    };
    RESULTADO hoje, periodo;
    if (!consultar(colunas, de_onde,
                   filtro + " and t.carencia_ate >= current_date and c.status not in " + ENCERRADAS +
                       " order by t.carencia_ate desc, t.id_colmeia",
                   hoje) ||
        !consultar(colunas, de_onde,
                   filtro + " and t.inicio <= " + dia(ate_) + " and t.fim >= " + dia(de_) +
                       " order by t.inicio, t.id_colmeia, t.id_tratamento",
                   periodo))
        return false;
    TABELA_RELATORIO em_carencia = tabela("Colméias em carência hoje (" + hoje_br() + ")",
                                          "Nenhuma colméia em carência hoje.");
    ler(hoje, em_carencia, true);
    TABELA_RELATORIO do_periodo = tabela("Tratamentos do período", "Nenhum tratamento no período.");
    ler(periodo, do_periodo, false);
    rel.tabelas.push_back(std::move(em_carencia));
    rel.tabelas.push_back(std::move(do_periodo));
    return true;
}

bool RELATORIOS_DO_BANCO::ocorrencias(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    const std::string de_onde =
        "(select o.*, " + apiario_no_dia("o.id_colmeia", "o.data") + " as id_apiario from cadastro.ocorrencia o where o.data "
        "between " + dia(de_) + " and " + dia(ate_) + " and " + entre("o.id_colmeia", f.colmeias) + " and " +
        estiveram("o.id_colmeia", f.apiarios) +
        ") o join cadastro.apiario a on a.id_apiario = o.id_apiario join cadastro.municipio mu on mu.cod_cid = a.cod_cid";
    const std::string filtro = entre("a.id_apiario", f.apiarios);
    const std::string doenca = "case when o.doenca = 'Outra' then o.outra else o.doenca end";
    RESULTADO lista, contagem;
    if (!consultar({ "to_char(o.data, 'DD/MM/YYYY')", "o.id_colmeia", "a.nome", "mu.nome || '/' || mu.estado", doenca,
                     "o.nivel", "coalesce(o.quadros::text, '')", "o.notificacao" },
                   de_onde, filtro + " order by o.data, o.id_colmeia, o.id_ocorrencia", lista) ||
        !consultar({ "to_char(date_trunc('month', o.data), 'MM/YYYY')", doenca, "mu.nome || '/' || mu.estado",
                     "count(*)", "count(distinct o.id_colmeia)", "min(o.notificacao)" },
                   de_onde,
                   filtro + " group by date_trunc('month', o.data), " + doenca + ", mu.nome, mu.estado "
                            "order by date_trunc('month', o.data), 2, 3",
                   contagem))
        return false;
    TABELA_RELATORIO t;
    t.titulo = "Ocorrências do período";
    t.colunas = { { "Data", 1 }, { "Colméia", 0.8 }, { "Apiário", 2 }, { "Município", 1.8 }, { "Ocorrência", 2.2 },
                  { "Nível", 0.9 }, { "Quadros", 0.8 }, { "Notificação", 1.6 } };
    t.vazia = "Nenhuma ocorrência sanitária no período.";
    t.linhas.ler(lista.linhas, { X, 0 }, false, 7, "notificação imediata");
    TABELA_RELATORIO m;
    m.titulo = "Contagem mensal por doença e município";
    m.colunas = { { "Mês", 1 }, { "Ocorrência", 2.5 }, { "Município", 2 }, { "Ocorrências", 1 }, { "Colméias", 1 },
                  { "Notificação", 1.6 } };
    m.vazia = "Nenhuma ocorrência a contar no período.";
    for (int i = 0; i < contagem.registros(); ++i) {
        const LinhaResultado l = contagem.linha(i);
        m.linhas.push_back({ { T(l[0]), T(l[1]), T(l[2]), N(l.inteiro(3), 0), N(l.inteiro(4), 0), T(l[5]) } });
    }
    rel.tabelas.push_back(std::move(t));
    rel.tabelas.push_back(std::move(m));
    return true;
}

bool RELATORIOS_DO_BANCO::movimentacoes(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    RESULTADO res;
    if (!consultar({ "to_char(m.data, 'DD/MM/YYYY')", "m.id_colmeia", "o.nome", "mo.nome || '/' || mo.estado", "d.nome",
                     "md.nome || '/' || md.estado", "case when m.gta = '' then 'sem GTA' else m.gta end", "m.finalidade" },
                   "cadastro.movimentacao m join cadastro.apiario o on o.id_apiario = m.id_origem "
                   "join cadastro.apiario d on d.id_apiario = m.id_destino "
                   "join cadastro.municipio mo on mo.cod_cid = o.cod_cid join cadastro.municipio md on md.cod_cid = d.cod_cid",
                   "m.data between " + dia(de_) + " and " + dia(ate_) + " and (" + entre("m.id_origem", f.apiarios) +
                       " or " + entre("m.id_destino", f.apiarios) + ") and " + entre("m.id_colmeia", f.colmeias) +
                       " order by m.data, m.id_colmeia, m.id_movimentacao",
                   res))
        return false;
    TABELA_RELATORIO t;
    t.titulo = "Movimentações do período";
    t.colunas = { { "Data", 1 }, { "Colméia", 0.8 }, { "Origem", 2 }, { "Município de origem", 1.8 },
                  { "Destino", 2 }, { "Município de destino", 1.8 }, { "GTA", 1.1 }, { "Finalidade", 1.1 } };
    t.vazia = "Nenhuma movimentação no período.";
    t.linhas.ler(res.linhas, { X, 0 });
    rel.tabelas.push_back(std::move(t));
    return true;
}

bool RELATORIOS_DO_BANCO::rainhas(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    const std::string ate = dia(ate_);
    RESULTADO res;
    if (!consultar({ "b.rgn", "to_char(b.data_nasc, 'DD/MM/YYYY')", "b.cor_marcacao",
                     "(extract(year from age(" + ate + ", b.data_nasc)) * 12 + extract(month from age(" + ate +
                         ", b.data_nasc)))::int",
                     "case when b.matriz then 'sim' else '' end", "coalesce(c.id_colmeia::text, '')",
                     "coalesce(a.nome, '')", "coalesce(m.rgn, '')",
                     "case when b.asa_cortada then 'sim' else '' end" },
                   "cadastro.abelha_rainha b left join cadastro.abelha_rainha m on m.id_abelha = b.filha "
                   "left join cadastro.colmeia c on c.id_abelha = b.id_abelha "
                   "left join cadastro.apiario a on a.id_apiario = c.id_apiario",
                   "b.data_nasc <= " + ate + " and " +
                       (f.apiarios.empty() ? std::string("true") : entre("c.id_apiario", f.apiarios)) + " and " +
                       (f.colmeias.empty() ? std::string("true") : entre("c.id_colmeia", f.colmeias)) +
                       " order by b.data_nasc, b.rgn",
                   res))
        return false;
    TABELA_RELATORIO t;
    t.titulo = "Rainhas";
    t.colunas = { { "RGN", 1.4 }, { "Nascimento", 1.1 }, { "Idade", 1.2 }, { "Cor de marcação", 1.2 },
                  { "Matriz", 0.7 }, { "Colméia", 0.8 }, { "Apiário", 2.2 }, { "Mãe", 1.4 }, { "Asa cortada", 0.9 } };
    t.vazia = "Nenhuma rainha cadastrada até " + data_br(ate_) + ".";
    for (int i = 0; i < res.registros(); ++i) {
        const LinhaResultado l = res.linha(i);
        const int meses = l.inteiro(3);
        const int anos = meses / 12, resto = meses % 12;
        std::string idade = anos > 0 ? std::to_string(anos) + (anos == 1 ? " ano" : " anos") : "";
        if (resto > 0 || anos == 0)
            idade += (idade.empty() ? "" : " e ") + std::to_string(resto) + (resto == 1 ? " mês" : " meses");
        // The colour she was marked with, her year's unless another was chosen.
        t.linhas.push_back({ { T(l[0]), T(l[1]), T(idade), T(cor_da_rainha(l[1], l[2])), T(l[4]), T(l[5]), T(l[6]),
                               T(l[7]), T(l[8]) } });
    }
    rel.tabelas.push_back(std::move(t));
    return true;
}

bool RELATORIOS_DO_BANCO::ficha_campo(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    RESULTADO res;
    if (!consultar({ "a.id_apiario", "a.nome", "c.id_colmeia", "c.tipo", "coalesce(b.rgn, '')", "c.status",
                     "coalesce((select to_char(max(r.data_revisao), 'DD/MM/YYYY') from cadastro.revisao r "
                     "where r.id_colmeia = c.id_colmeia), '')",
                     "coalesce((select 'até ' || to_char(max(t.carencia_ate), 'DD/MM/YYYY') from cadastro.tratamento t "
                     "where t.id_colmeia = c.id_colmeia and t.carencia_ate >= current_date), 'não')" },
                   "cadastro.apiario a join cadastro.colmeia c on c.id_apiario = a.id_apiario "
                   "left join cadastro.abelha_rainha b on b.id_abelha = c.id_abelha",
                   entre("a.id_apiario", f.apiarios) + " and " + entre("c.id_colmeia", f.colmeias) +
                       " and c.status not in " + ENCERRADAS + " order by a.nome, a.id_apiario, c.id_colmeia",
                   res))
        return false;
    // One sheet a apiary, with blank columns to fill in by hand.
    int apiario = -1;
    for (int i = 0; i < res.registros(); ++i) {
        const LinhaResultado l = res.linha(i);
        if (l.inteiro(0) != apiario) {
            apiario = l.inteiro(0);
            TABELA_RELATORIO t;
            t.titulo = l[1] + " — revisão em ____/____/________";
            t.colunas = { { "Colméia", 0.8 }, { "Tipo", 1.1 }, { "Rainha", 1.3 }, { "Status", 1 },
                          { "Última revisão", 1.2 }, { "Em carência", 1.2 }, { "Status visto", 1.2 },
                          { "Mel (kg)", 0.9 }, { "Observações", 3 } };
            rel.tabelas.push_back(std::move(t));
        }
        rel.tabelas.back().linhas.push_back(
            { { N(l.inteiro(2), 0), T(l[3]), T(l[4]), T(l[5]), T(l[6]), T(l[7]), T(""), T(""), T("") } });
    }
    rel.nada = "Nenhuma colméia ativa nos apiários escolhidos.";
    return true;
}

bool RELATORIOS_DO_BANCO::ficha_colmeia(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    if (f.colmeias.size() != 1)
        return recusar("A ficha da colméia é de uma colméia só: digite o número dela em Colméias.");
    const std::string chave = std::to_string(f.colmeias[0]);
    RESULTADO res;
    if (!consultar({ "c.tipo", "c.status", "a.nome", "mu.nome || '/' || mu.estado",
                     "coalesce(to_char(c.data_instalacao, 'DD/MM/YYYY'), '')", "coalesce(b.id_abelha, 0)",
                     "coalesce(b.rgn, '')", "coalesce(to_char(b.data_nasc, 'DD/MM/YYYY'), '')",
                     "coalesce(b.cor_marcacao, '')", "coalesce(b.asa_cortada, false)",
                     "coalesce((select to_char(max(t.carencia_ate), 'DD/MM/YYYY') from cadastro.tratamento t "
                     "where t.id_colmeia = c.id_colmeia and t.carencia_ate >= current_date), '')" },
                   "cadastro.colmeia c join cadastro.apiario a on a.id_apiario = c.id_apiario "
                   "join cadastro.municipio mu on mu.cod_cid = a.cod_cid "
                   "left join cadastro.abelha_rainha b on b.id_abelha = c.id_abelha",
                   "c.id_colmeia = " + chave, res))
        return false;
    if (!res.achou())
        return recusar("A colméia " + chave + " não está cadastrada.");
    const LinhaResultado l = res.linha(0);
    const int abelha = l.inteiro(5);
    std::string fecundacao = "Sem rainha";
    if (abelha != 0) {
        FECUNDACAO fecundacoes(query);
        const FECUNDACOES fe = fecundacoes.get_fecundacao(abelha);
        if (fecundacoes.falha().houve) {
            falha_ = fecundacoes.falha();
            return false;
        }
        fecundacao = descrever_fecundacao(fe);
    }
    std::string marcacao = abelha != 0 ? cor_da_rainha(l[7], l[8]) : "";
    if (abelha != 0 && l[9] == "t")
        marcacao += marcacao.empty() ? "Asa cortada" : ", asa cortada";

    // The code holds the hive's key, which the hive window finds it by.
    rel.qr.texto = chave;
    rel.qr.legenda = { "Colméia " + chave, l[2] + " — " + l[3],
                       abelha != 0 ? "Rainha " + l[6] : std::string("Sem rainha") };

    TABELA_RELATORIO t;
    t.titulo = "Colméia e rainha";
    t.colunas = { { "Dado", 1.3 }, { "Valor", 5 } };
    const std::pair<const char*, std::string> dados[] = {
        { "Colméia", chave },
        { "Tipo", l[0] },
        { "Status", l[1] },
        { "Apiário", l[2] },
        { "Município", l[3] },
        { "Instalada em", l[4] },
        { "Rainha (RGN)", abelha != 0 ? l[6] : "Sem rainha" },
        { "Nascimento da rainha", l[7] },
        { "Marcação", marcacao },
        { "Fecundação", fecundacao },
        { "Em carência", l[10].empty() ? "não" : "até " + l[10] },
    };
    for (const auto& d : dados)
        t.linhas.push_back({ { T(d.first), T(d.second) } });
    rel.tabelas.push_back(std::move(t));

    // The latest entries of its journal, newest first.
    RESULTADO diario;
    if (!consultar({ "to_char(d.data, 'DD/MM/YYYY')", "d.tipo", "d.resumo" }, "cadastro.diario d",
                   "d.id_colmeia = " + chave + " order by d.data desc, d.tipo, d.id desc limit " +
                       std::to_string(ULTIMOS_DA_FICHA),
                   diario))
        return false;
    TABELA_RELATORIO u;
    u.titulo = "Últimos registros do diário";
    u.colunas = { { "Data", 1 }, { "Registro", 1.3 }, { "O que foi feito", 5 } };
    u.vazia = "Nenhum registro no diário desta colméia.";
    for (int i = 0; i < diario.registros(); ++i) {
        const LinhaResultado e = diario.linha(i);
        u.linhas.push_back({ { T(e[0]), T(e[1]), T(e[2]) } });
    }
    rel.tabelas.push_back(std::move(u));
    return true;
}

bool RELATORIOS_DO_BANCO::lotes(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    // The harvests of the lots extracted in the period, each with the apiary
    // its hive stood in and the queen heading it that day; the lots of the
    // apiaries and hives filtered are those with honey of theirs.
    const std::string partes =
        "(select p.id_lote, p.mel_kg, h.id_colmeia, h.data, " + apiario_no_dia("h.id_colmeia", "h.data") +
        " as id_apiario from cadastro.lote_mel_colheita p cross join lateral ("
        "select r.id_colmeia, r.data_revisao as data from cadastro.revisao r where r.id_revisao = p.id_revisao "
        "union all select c.id_colmeia, c.data from cadastro.colheita c where c.id_colheita = p.id_colheita) h "
        "join cadastro.lote_mel l on l.id_lote = p.id_lote where l.data_extracao between " + dia(de_) + " and " +
        dia(ate_) + " offset 0) pt";
    const std::string filtrados = entre("pt.id_apiario", f.apiarios) + " and " + entre("pt.id_colmeia", f.colmeias);
    RESULTADO res;
    if (!consultar({ "l.codigo", "to_char(l.data_extracao, 'DD/MM/YYYY')", "coalesce(fl.nome_florada, '')",
                     "sum(pt.mel_kg)", "l.tambores", "coalesce(l.umidade::text, '')",
                     "l.destino || case when l.inspecao <> '' then ' (' || l.inspecao || ' ' || l.numero_inspecao || ')' "
                     "else '' end",
                     "l.nota_fiscal", "case when l.anulado_em is null then '' else 'anulado' end" },
                   partes + " join cadastro.lote_mel l on l.id_lote = pt.id_lote "
                            "left join cadastro.florada fl on fl.id_florada = l.id_florada",
                   filtrados + " group by l.id_lote, fl.nome_florada order by l.data_extracao, l.codigo", res))
        return false;
    TABELA_RELATORIO t;
    t.titulo = "Lotes do período";
    t.colunas = { { "Lote", 1.1 }, { "Extração", 1 }, { "Florada", 1.4 }, { "Quilos", 1 }, { "Tambores", 0.8 },
                  { "Umidade (%)", 0.9 }, { "Destino", 2.4 }, { "Nota fiscal", 1.1 }, { "Situação", 0.9 } };
    t.vazia = "Nenhum lote extraído no período.";
    double total = 0;
    for (int i = 0; i < res.registros(); ++i) {
        const LinhaResultado l = res.linha(i);
        const bool anulado = !l[8].empty();
        const double quilos = ler_numero(l[3]);
        // An annulled lot is listed, marked, and left out of the total.
        if (!anulado)
            total += quilos;
        t.linhas.push_back({ { T(l[0]), T(l[1]), T(l[2]), N(quilos, 1), N(l.inteiro(4), 0),
                               l[5].empty() ? T("") : N(ler_numero(l[5]), 1), T(l[6]), T(l[7]), T(l[8]) } });
    }
    if (!t.linhas.empty())
        t.linhas.push_back({ { T("Total"), T(""), T(""), N(total, 1), T(""), T(""), T(""), T(""), T("") }, true });
    rel.tabelas.push_back(std::move(t));

    RESULTADO origem;
    if (!consultar({ "l.codigo", "pt.id_colmeia", "to_char(pt.data, 'DD/MM/YYYY')", "a.nome",
                     "m.nome || '/' || m.estado", "trim(a.latitude || ' ' || a.longitude)",
                     "coalesce((select b.rgn from cadastro.rainha_colmeia q join cadastro.abelha_rainha b "
                     "on b.id_abelha = q.id_abelha where q.id_colmeia = pt.id_colmeia and q.desde <= pt.data "
                     "order by q.desde desc limit 1), '')",
                     "pt.mel_kg" },
                   partes + " join cadastro.lote_mel l on l.id_lote = pt.id_lote "
                            "join cadastro.apiario a on a.id_apiario = pt.id_apiario "
                            "join cadastro.municipio m on m.cod_cid = a.cod_cid",
                   filtrados + " order by l.data_extracao, l.codigo, pt.id_colmeia, pt.data", origem))
        return false;
    TABELA_RELATORIO o;
    o.titulo = "Origem do mel de cada lote";
    o.colunas = { { "Lote", 1.1 }, { "Colméia", 0.8 }, { "Colheita", 1 }, { "Apiário", 2 }, { "Município", 1.6 },
                  { "Coordenadas", 1.8 }, { "Rainha", 1.2 }, { "Quilos", 0.9 } };
    o.vazia = "Nenhuma colheita nos lotes do período.";
    o.linhas.ler(origem.linhas, { X, 0, X, X, X, X, X, 1 });
    rel.tabelas.push_back(std::move(o));
    return true;
}

bool RELATORIOS_DO_BANCO::matrizes(const FILTRO_RELATORIO&, RELATORIO& rel)
{
    DESEMPENHO desempenho(query);
    const std::vector<DESEMPENHOS> lista = desempenho.listar();
    if (desempenho.falha().houve) {
        falha_ = desempenho.falha();
        return false;
    }
    TABELA_RELATORIO t;
    t.titulo = "Desempenho das matrizes";
    t.colunas = { { "Matriz (RGN)", 1.4 }, { "Lotes", 0.7 }, { "Larvas", 0.8 }, { "Aceitas (%)", 0.9 },
                  { "Nascidas (%)", 0.9 }, { "Em postura (%)", 1 }, { "Colméias das filhas", 1 },
                  { "Mel (kg/colméia/safra)", 1.3 }, { "Com ocorrências (%)", 1.1 }, { "Perdidas (%)", 0.9 } };
    t.vazia = "Nenhuma matriz cadastrada.";
    auto numero = [](const std::string& v) { return v.empty() ? T("") : N(ler_numero(v), 1); };
    for (const DESEMPENHOS& d : lista) {
        t.linhas.push_back({ { T(d.rgn), N(d.lotes, 0), N(d.larvas, 0), numero(d.aceitas), numero(d.nascidas),
                               numero(d.postura), N(d.colmeias, 0), numero(d.mel), numero(d.ocorrencias),
                               numero(d.perdidas) } });
    }
    rel.tabelas.push_back(std::move(t));
    return true;
}

bool RELATORIOS_DO_BANCO::colmeias(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    RESULTADO res;
    if (!consultar({ "c.id_colmeia", "c.tipo", "c.status", "coalesce(b.rgn, '')", "a.nome",
                     "coalesce(to_char(c.data_instalacao, 'DD/MM/YYYY'), '')", "c.obs", "c.id_apiario" },
                   "cadastro.colmeia c join cadastro.apiario a on a.id_apiario = c.id_apiario "
                   "left join cadastro.abelha_rainha b on b.id_abelha = c.id_abelha",
                   entre("c.id_apiario", f.apiarios) + " and " + entre("c.id_colmeia", f.colmeias) +
                       " order by c.id_colmeia",
                   res))
        return false;
    TABELA_RELATORIO t;
    t.titulo = "Colméias";
    t.colunas = { { "Colméia", 0.8 }, { "Tipo", 1.1 }, { "Status", 1 }, { "Rainha", 1.3 }, { "Apiário", 2.2 },
                  { "Instalação", 1.1 }, { "Observações", 3 }, { "Código do apiário", 0.9 } };
    t.vazia = "Nenhuma colméia cadastrada.";
    t.linhas.ler(res.linhas, { 0, X, X, X, X, X, X, 0 });
    rel.tabelas.push_back(std::move(t));
    return true;
}

bool RELATORIOS_DO_BANCO::revisoes(const FILTRO_RELATORIO& f, RELATORIO& rel)
{
    RESULTADO res;
    if (!consultar({ "r.id_colmeia", "to_char(r.data_revisao, 'DD/MM/YYYY')", "r.status", "r.mel_kg", "r.obs" },
                   "cadastro.revisao r join cadastro.colmeia c on c.id_colmeia = r.id_colmeia",
                   "r.data_revisao between " + dia(de_) + " and " + dia(ate_) + " and " +
                       entre("c.id_apiario", f.apiarios) + " and " + entre("r.id_colmeia", f.colmeias) +
                       " order by r.data_revisao, r.id_colmeia, r.id_revisao",
                   res))
        return false;
    TABELA_RELATORIO t;
    t.titulo = "Revisões das colméias";
    t.colunas = { { "Colméia", 0.8 }, { "Data", 1 }, { "Status", 1 }, { "Mel (kg)", 0.9 }, { "Observações", 4 } };
    t.vazia = "Nenhuma revisão no período.";
    t.linhas.ler(res.linhas, { 0, X, X, 3 });
    rel.tabelas.push_back(std::move(t));
    return true;
}
