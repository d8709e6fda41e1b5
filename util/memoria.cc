#include "util/memoria.h"

#include <malloc.h>

void memoria_devolvida()
{
    // Fixing either threshold turns glibc's moving threshold off.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
}
