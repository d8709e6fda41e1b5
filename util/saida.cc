#include "util/saida.h"

#include <cstdio>

#include <glib.h>

namespace {

// Runs before the main loop waits for events; it never fires itself.
gboolean antes_de_esperar(GSource*, gint* espera)
{
    std::fflush(stdout);
    *espera = -1;
    return FALSE;
}

gboolean nunca(GSource*) { return FALSE; }

gboolean nada(GSource*, GSourceFunc, gpointer) { return TRUE; }

GSourceFuncs funcoes = { antes_de_esperar, nunca, nada, nullptr, nullptr, nullptr };

} // namespace

void saida_em_blocos()
{
    static bool feito = false;
    if (feito)
        return;
    feito = true;
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    GSource* fonte = g_source_new(&funcoes, sizeof(GSource));
    g_source_set_priority(fonte, G_PRIORITY_LOW);
    g_source_attach(fonte, nullptr);
    g_source_unref(fonte);
}
