// Writing a line of text on a cairo context with pango: one font, its size
// and weight, cut short with an ellipsis at the width given, aligned left,
// centred or right. Texts that are not valid UTF-8 are mended first.
#ifndef ZUMBREL_RELATORIOS_TEXTO_PAGINA_H
#define ZUMBREL_RELATORIOS_TEXTO_PAGINA_H

#include <string>

#include <cairo.h>

enum class Alinhamento { ESQUERDA, CENTRO, DIREITA };

// Writes `texto` with its top left at (x, y) inside `largura` points.
void escrever_linha(cairo_t* cr, const std::string& texto, double x, double y, double largura, double tamanho,
                    bool negrito = false, Alinhamento alinhamento = Alinhamento::ESQUERDA);
// How wide the text would be, in points.
double largura_texto(cairo_t* cr, const std::string& texto, double tamanho, bool negrito = false);

#endif // ZUMBREL_RELATORIOS_TEXTO_PAGINA_H
