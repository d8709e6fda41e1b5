#include "relatorios/texto_pagina.h"

#include <glib.h>
#include <pango/pangocairo.h>

namespace {

// One layout serves every line (a report of a thousand pages writes
// hundreds of thousands): it is brought up to date with the context it
// writes on, and reset before each use.
PangoLayout* preparar(cairo_t* cr, const std::string& texto, double tamanho, bool negrito)
{
    static PangoLayout* layout = nullptr;
    static PangoFontDescription* fonte = nullptr;
    if (!layout) {
        layout = pango_cairo_create_layout(cr);
        fonte = pango_font_description_new();
        pango_font_description_set_family(fonte, "DejaVu Sans");
    } else {
        pango_cairo_update_layout(cr, layout);
    }
    pango_font_description_set_absolute_size(fonte, tamanho * PANGO_SCALE);
    pango_font_description_set_weight(fonte, negrito ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, fonte);
    pango_layout_set_width(layout, -1);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
    pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
    // One line: line breaks and tabs in a typed text become blanks.
    gchar* valido = g_utf8_make_valid(texto.c_str(), static_cast<gssize>(texto.size()));
    for (gchar* c = valido; *c; ++c) {
        if (*c == '\n' || *c == '\r' || *c == '\t')
            *c = ' ';
    }
    pango_layout_set_text(layout, valido, -1);
    g_free(valido);
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    return layout;
}

} // namespace

void escrever_linha(cairo_t* cr, const std::string& texto, double x, double y, double largura, double tamanho,
                    bool negrito, Alinhamento alinhamento)
{
    if (texto.empty() || largura <= 0)
        return;
    PangoLayout* layout = preparar(cr, texto, tamanho, negrito);
    pango_layout_set_width(layout, static_cast<int>(largura * PANGO_SCALE));
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    pango_layout_set_alignment(layout, alinhamento == Alinhamento::DIREITA  ? PANGO_ALIGN_RIGHT
                                       : alinhamento == Alinhamento::CENTRO ? PANGO_ALIGN_CENTER
                                                                            : PANGO_ALIGN_LEFT);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
}

double largura_texto(cairo_t* cr, const std::string& texto, double tamanho, bool negrito)
{
    PangoLayout* layout = preparar(cr, texto, tamanho, negrito);
    int w = 0, h = 0;
    pango_layout_get_size(layout, &w, &h);
    return static_cast<double>(w) / PANGO_SCALE;
}
