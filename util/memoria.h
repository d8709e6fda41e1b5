// How the program's memory is given back to the system.
#ifndef ZUMBREL_UTIL_MEMORIA_H
#define ZUMBREL_UTIL_MEMORIA_H

// Large blocks (the rows of a long list) get pages of their own, given back
// to the system as soon as they are freed. By default glibc raises that
// threshold after the first such block is freed and puts later ones in the
// heap, where a small block left above them keeps the whole range held.
void memoria_devolvida();

#endif // ZUMBREL_UTIL_MEMORIA_H
