#include "app/ajustes.h"

#include <cstdio>

#include <glib.h>
#include <malloc.h>

void memoria_devolvida()
{
    // Fixing either threshold turns glibc's moving thresholds off. Freed
    // room at the top of the heap is kept up to 32 MB: giving it back and
    // taking it again at every reload of a form costs a fault per page.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
}

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
