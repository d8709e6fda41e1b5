#include "bench/bench_relatorios.h"

#include <cstdio>
#include <string>
#include <vector>

#include <cairomm/surface.h>

#include "db/rastro.h"
#include "relatorios/catalogo.h"
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

} // namespace

void medir_relatorios(Amostras& a, QUERY& query, PGconn* bruta, const std::string& pasta, int vezes,
                      double (*pico_mb)())
{
    std::fprintf(stderr, "reports:\n");
    // Two years of monthly inspections with honey for every hive.
    PQclear(PQexec(bruta, "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg) "
                          "select c.id_colmeia, date '2024-01-15' + 30 * g, 'Ativa', 3 + c.id_colmeia % 7 "
                          "from cadastro.colmeia c cross join generate_series(0, 23) g"));
    const TIPO_RELATORIO& producao = *tipo_de_relatorio("producao");
    FILTRO_RELATORIO ano;
    ano.de = "01/01/2025";
    ano.ate = "31/12/2025";
    const std::string nome = "Report Produção por apiário, a year: preview";
    for (int i = 0; i < vezes; ++i) {
        RELATORIO r;
        // The statement it sends, kept from the trace for the bare run.
        std::string consulta;
        rastro::Destino antes = rastro::desviar([&consulta](const char* t, std::size_t n) {
            const std::string s(t, n);
            if (s.rfind("select a.nome, mu.nome", 0) == 0)
                consulta = s;
        });
        const double t0 = agora();
        const bool ok = previa(query, producao, ano, r);
        const double t1 = agora();
        rastro::desviar(std::move(antes));
        if (!ok)
            throw std::runtime_error("the report failed");
        a.juntar(nome, t1 - t0);
        const std::string caminho = pasta + "/producao.pdf";
        std::string erro;
        const double t2 = agora();
        if (!exportar_pdf(r, caminho, &erro))
            throw std::runtime_error(erro);
        a.juntar("Report Produção por apiário, a year: PDF", agora() - t2);
        if (!consulta.empty()) {
            const double t3 = agora();
            PQclear(PQexec(bruta, consulta.c_str()));
            a.juntar(nome + " [bare SELECT]", agora() - t3);
        }
        std::remove(caminho.c_str());
    }

    // A report of a thousand pages, drawn one page at a time.
    RELATORIO grande;
    grande.titulo = "Caderno de campo";
    TABELA_RELATORIO t;
    t.titulo = "Registros";
    t.colunas = { { "Data", 1 }, { "Apiário", 2 }, { "Colméia", 1 }, { "Registro", 1 }, { "O que foi feito", 5 } };
    for (int i = 0; i < 57000; ++i)
        t.linhas.push_back({ { CELULA::de_texto("01/02/2025"), CELULA::de_texto("Apiário " + std::to_string(i % 40)),
                               CELULA::de_numero(i, 0), CELULA::de_texto("Revisão"),
                               CELULA::de_texto("Ativa, 12,5 kg de mel; cria fechada em oito quadros") } });
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
