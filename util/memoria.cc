#include "util/memoria.h"

#include <malloc.h>

void memoria_devolvida()
{
    // Fixing either threshold turns glibc's moving thresholds off. Freed
    // room at the top of the heap is kept up to 32 MB: giving it back and
    // taking it again at every reload of a form costs a fault per page.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
}
