#include "roteiro/menu.h"

#include <glib.h>

#include "gui/sistemagui.h"

namespace teste {

// The menu holds "_Minha Conta", a separator, the windows of ids 2 to 6, the
// company's data, the import of a spreadsheet, a separator and "_Sair".
// "_Manejo" holds the products, a separator and the four batch windows,
// then a separator, queen rearing, what to do today and the breeders;
// "_Produção" the honey lots, the harvest of many hives and the trace.
Gtk::MenuItem& item_menu(SISTEMAGUI& s, ids::Janela id)
{
    if (id >= ids::PRODUTOS && id <= ids::PESAGEM_LOTE) {
        static const int manejo[] = { 0, 2, 3, 4, 5 };
        return s.get_menu_manejo()->items()[manejo[id - ids::PRODUTOS]];
    }
    if (id >= ids::LOTES_MEL && id <= ids::RASTREABILIDADE)
        return s.get_menu_producao()->items()[id - ids::LOTES_MEL];
    if (id == ids::RELATORIOS)
        return s.get_menu_relatorios()->items()[0];
    if (id == ids::EMPRESA)
        return s.get_menu()->items()[SISTEMAGUI::ITEM_EMPRESA];
    if (id == ids::IMPORTAR)
        return s.get_menu()->items()[SISTEMAGUI::ITEM_IMPORTAR];
    if (id >= ids::CRIACAO_RAINHAS && id <= ids::MATRIZES)
        return s.get_menu_manejo()->items()[7 + (id - ids::CRIACAO_RAINHAS)];
    static const int posicao[] = { -1, 0, 2, 3, 4, 5, 6 };
    // Only the windows the menu opens have an item.
    g_assert(id >= ids::MINHA_CONTA && id <= ids::COLMEIAS);
    return s.get_menu()->items()[posicao[id]];
}

Gtk::MenuItem& item_sair(SISTEMAGUI& s)
{
    return s.get_menu()->items()[SISTEMAGUI::ITEM_SAIR];
}

} // namespace teste
