#include "bench/bench_relatorios.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include <cairomm/surface.h>

#include "bench/banco_bench.h"
#include "db/linhas.h"
#include "db/query.h"
#include "db/rastro.h"
#include "model/diario.h"
#include "relatorios/catalogo.h"
#include "relatorios/csv.h"
#include "relatorios/desenho.h"
#include "roteiro/roteiro.h"

namespace bench {

namespace {

double agora()
{
    return teste::agora_ms();
}

// The report made and its first page drawn, as the window's preview does.
bool previa(QUERY& query, const TIPO_RELATORIO& tipo, const FILTRO_RELATORIO& f, RELATORIO& r)
{
    RELATORIOS_DO_BANCO fonte(&query);
    if (!fonte.montar(tipo, f, r))
        return false;
    const DESENHO_RELATORIO d(r);
    Cairo::RefPtr<Cairo::ImageSurface> pagina =
        Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, static_cast<int>(d.largura()), static_cast<int>(d.altura()));
    d.desenhar_pagina(Cairo::Context::create(pagina), 0);
    return true;
}

std::string valor_libpq(PGconn* c, const std::string& sql)
{
    PGresult* r = PQexec(c, sql.c_str());
    const std::string v = PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) > 0 ? PQgetvalue(r, 0, 0) : "";
    PQclear(r);
    return v;
}

// The report made to its preview `vezes` times, each beside the statement
// whose text begins with `inicio_consulta` sent alone; then, when `pdf` or
// `csv` is given, written to that file.
void medir_um(Amostras& a, QUERY& query, PGconn* bruta, const std::string& nome, const TIPO_RELATORIO& tipo,
              const FILTRO_RELATORIO& f, const std::string& inicio_consulta, const std::string& arquivo, int vezes,
              double (*pico_mb)())
{
    std::size_t linhas = 0;
    for (int i = 0; i < vezes; ++i) {
        RELATORIO r;
        // The statement it sends, kept from the trace for the bare run.
        std::string consulta;
        rastro::Destino antes = rastro::desviar([&consulta, &inicio_consulta](const char* t, std::size_t n) {
            const std::string s(t, n);
            if (s.rfind(inicio_consulta, 0) == 0)
                consulta = s;
        });
        const double t0 = agora();
        const bool ok = previa(query, tipo, f, r);
        const double t1 = agora();
        rastro::desviar(std::move(antes));
        if (!ok)
            throw std::runtime_error("the report " + nome + " failed");
        a.juntar(nome + ": preview", t1 - t0);
        linhas = 0;
        for (const TABELA_RELATORIO& t : r.tabelas)
            linhas += t.linhas.size();
        if (!arquivo.empty()) {
            const bool pdf = arquivo.size() > 4 && arquivo.compare(arquivo.size() - 4, 4, ".pdf") == 0;
            std::string erro;
            const double t2 = agora();
            if (!(pdf ? exportar_pdf(r, arquivo, &erro) : exportar_csv(r, arquivo, &erro)))
                throw std::runtime_error(erro);
            a.juntar(nome + (pdf ? ": PDF" : ": CSV"), agora() - t2);
            std::remove(arquivo.c_str());
        }
        if (!consulta.empty()) {
            // Its rows read and dropped one at a time: the benchmark's own
            // memory holds no second copy of a long report.
            while (!consulta.empty() && (std::isspace(static_cast<unsigned char>(consulta.back())) || consulta.back() == ';'))
                consulta.pop_back();
            a.juntar(nome + ": preview [bare SELECT]", selecao_bruta(bruta, consulta));
        }
    }
    std::fprintf(stderr, "  %s: %zu rows, peak resident memory after it %.1f MB\n", nome.c_str(), linhas, pico_mb());
}

} // namespace

void medir_relatorios(Amostras& a, QUERY& query, PGconn* bruta, const std::string& pasta, int vezes,
                      double (*pico_mb)())
{
    std::fprintf(stderr, "reports:\n");
    std::fprintf(stderr, "  journal entries: %s\n",
                 valor_libpq(bruta, "select count(*) from cadastro.diario").c_str());
    FILTRO_RELATORIO ano;
    ano.de = "01/01/2025";
    ano.ate = "31/12/2025";
    medir_um(a, query, bruta, "Report Produção por apiário, a year", *tipo_de_relatorio("producao"), ano,
             "select a.nome, mu.nome", pasta + "/producao.pdf", vezes, pico_mb);

    // The field book of an apiary of fifty hives, moved into it at the end
    // of 2024, over 2025; and the CSV of every journal entry of 2025.
    PGresult* m = PQexec(bruta, ("insert into cadastro.movimentacao (id_colmeia, data, id_origem, id_destino, gta, "
                                 "finalidade, obs) select c.id_colmeia, '2024-12-31', 0, 1, 'GTA-BENCH', 'Florada', '' "
                                 "from (select * from cadastro.colmeia where status not in ('Morta', 'Vendida', "
                                 "'Unida', 'Perdida') order by id_colmeia limit 50) c where " +
                                 apiario_no_dia("c.id_colmeia", "'2024-12-31'::date") + " <> 1").c_str());
    if (PQresultStatus(m) != PGRES_COMMAND_OK)
        throw std::runtime_error(std::string("moving the hives of the field book failed: ") + PQresultErrorMessage(m));
    std::fprintf(stderr, "  hives moved into apiary 1 for the field book: %s\n", PQcmdTuples(m));
    PQclear(m);
    FILTRO_RELATORIO um = ano;
    um.apiarios = { 1 };
    medir_um(a, query, bruta, "Report Caderno de campo, one apiary, a year", *tipo_de_relatorio("caderno-campo"), um,
             "select to_char(d.data", "", vezes, pico_mb);
    medir_um(a, query, bruta, "Report Caderno de campo, every apiary, a year", *tipo_de_relatorio("caderno-campo"),
             ano, "select to_char(d.data", pasta + "/caderno.csv", std::max(1, vezes / 3), pico_mb);

    // A report of a thousand pages, drawn one page at a time; its rows are
    // those of a database result, kept as the program's reports keep them.
    std::fprintf(stderr, "  peak resident memory before the thousand-page report is made: %.1f MB\n", pico_mb());
    RELATORIO grande;
    grande.titulo = "Caderno de campo";
    TABELA_RELATORIO t;
    t.titulo = "Registros";
    t.colunas = { { "Data", 1 }, { "Apiário", 2 }, { "Colméia", 1 }, { "Registro", 1 }, { "O que foi feito", 5 } };
    INSTRUCAO linhas = query.descrever(INSTRUCAO::CONSULTAR);
    linhas.camporetorno = { "'01/02/2025'", "'Apiário ' || (i % 40)", "i", "'Revisão'",
                            "'Ativa, 12,5 kg de mel; cria fechada em oito quadros'" };
    linhas.tabelas = { "generate_series(0, 56999) i" };
    const RESULTADO lidas = query.ativar(linhas);
    if (!lidas.ok() || !lidas.linhas || lidas.linhas->ntuples() != 57000)
        throw std::runtime_error("the rows of the thousand-page report could not be read: " + lidas.mensagem);
    const int X = LINHAS_RELATORIO::TEXTO;
    t.linhas.ler(lidas.linhas, { X, X, 0, X, X });
    grande.tabelas.push_back(std::move(t));
    const DESENHO_RELATORIO d(grande);
    const double antes_mb = pico_mb();
    const double t0 = agora();
    std::string erro;
    if (!exportar_pdf(grande, pasta + "/grande.pdf", &erro))
        throw std::runtime_error(erro);
    a.juntar("PDF of " + std::to_string(d.paginas()) + " pages", agora() - t0);
    std::fprintf(stderr, "  peak resident memory before and after the %d-page PDF: %.1f MB, %.1f MB\n", d.paginas(),
                 antes_mb, pico_mb());
    std::remove((pasta + "/grande.pdf").c_str());
}

} // namespace bench
