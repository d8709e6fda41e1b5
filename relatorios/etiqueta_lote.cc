#include "relatorios/etiqueta_lote.h"

#include <algorithm>

#include "relatorios/codigo_qr.h"
#include "relatorios/desenho.h"
#include "relatorios/formato.h"
#include "relatorios/texto_pagina.h"

const int ETIQUETAS_POR_PAGINA = 8;

namespace {

// Two columns of four labels, with a margin around the page.
const double MARGEM = 20;
const int COLUNAS = 2;
const int FILEIRAS = 4;

void desenhar_uma(cairo_t* cr, const ETIQUETA_LOTE& e, double x, double y, double largura, double altura)
{
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 4, y + 4, largura - 8, altura - 8);
    cairo_stroke(cr);
    const double qr = std::min(altura - 60, 110.0);
    const double texto_x = x + 14;
    const double texto_largura = largura - qr - 40;
    double linha = y + 14;
    escrever_linha(cr, e.produtor, texto_x, linha, largura - 28, 11, true);
    linha += 15;
    if (!e.documento.empty()) {
        escrever_linha(cr, e.documento, texto_x, linha, largura - 28, 8.5);
        linha += 13;
    }
    linha += 4;
    escrever_linha(cr, "Lote " + e.codigo, texto_x, linha, texto_largura, 16, true);
    linha += 22;
    const std::string campos[][2] = {
        { "Extração", e.extracao },
        { "Florada", e.florada.empty() ? "não informada" : e.florada },
        { "Peso", e.quilos },
    };
    for (const auto& c : campos) {
        escrever_linha(cr, c[0] + ": " + c[1], texto_x, linha, texto_largura, 9);
        linha += 13;
    }
    escrever_linha(cr, "Origem: " + e.origem, texto_x, linha, largura - 28, 8.5);
    escrever_linha(cr, "Tambor " + std::to_string(e.tambor) + " de " + std::to_string(e.tambores), texto_x,
                   y + altura - 30, texto_largura, 12, true);
    desenhar_qr(cr, e.codigo, x + largura - qr - 16, y + 40, qr);
    cairo_restore(cr);
}

} // namespace

std::vector<ETIQUETA_LOTE> etiquetas_do_lote(const LOTES_MEL& lote, const std::vector<std::string>& municipios,
                                             const EMPRESAS& empresa)
{
    ETIQUETA_LOTE e;
    e.produtor = empresa.nome.empty() ? "Produtor não cadastrado (Dados da Empresa)" : empresa.nome;
    if (!empresa.documento.empty())
        e.documento = empresa.tipo_documento() + " " + empresa.documento;
    e.codigo = lote.codigo;
    e.extracao = lote.extracao;
    e.florada = lote.florada;
    for (const std::string& m : municipios)
        e.origem += (e.origem.empty() ? "" : ", ") + m;
    e.quilos = numero_br(gramas(lote.total) / 1000.0, gramas(lote.total) % 1000 == 0 ? 0 : 3) + " kg";
    const int tambores = std::max(1, std::atoi(lote.tambores.c_str()));
    std::vector<ETIQUETA_LOTE> todas;
    for (int t = 1; t <= tambores; ++t) {
        e.tambor = t;
        e.tambores = tambores;
        todas.push_back(e);
    }
    return todas;
}

int paginas_de_etiquetas(std::size_t etiquetas)
{
    return static_cast<int>((etiquetas + ETIQUETAS_POR_PAGINA - 1) / ETIQUETAS_POR_PAGINA);
}

void desenhar_etiquetas(const Cairo::RefPtr<Cairo::Context>& contexto, const std::vector<ETIQUETA_LOTE>& etiquetas,
                        int pagina)
{
    cairo_t* cr = contexto->cobj();
    const double largura = (A4_LARGURA - 2 * MARGEM) / COLUNAS;
    const double altura = (A4_ALTURA - 2 * MARGEM) / FILEIRAS;
    cairo_save(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_restore(cr);
    for (int i = 0; i < ETIQUETAS_POR_PAGINA; ++i) {
        const std::size_t k = static_cast<std::size_t>(pagina) * ETIQUETAS_POR_PAGINA + i;
        if (pagina < 0 || k >= etiquetas.size())
            break;
        desenhar_uma(cr, etiquetas[k], MARGEM + (i % COLUNAS) * largura, MARGEM + (i / COLUNAS) * altura, largura,
                     altura);
    }
}

bool exportar_etiquetas_pdf(const std::vector<ETIQUETA_LOTE>& etiquetas, const std::string& caminho, std::string* erro)
{
    if (etiquetas.empty()) {
        if (erro)
            *erro = "O lote não tem tambores: não há etiquetas a gravar.";
        return false;
    }
    return escrever_pdf(caminho, "Etiquetas do lote " + etiquetas.front().codigo,
                        paginas_de_etiquetas(etiquetas.size()),
                        [&etiquetas](const Cairo::RefPtr<Cairo::Context>& cr, int p) { desenhar_etiquetas(cr, etiquetas, p); },
                        erro);
}
