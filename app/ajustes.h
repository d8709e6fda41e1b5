// How the process is tuned before the toolkit starts: the two settings the
// program makes on the C library's memory and on standard output. They sit
// here together so that what they buy is written in one place.
#ifndef ZUMBREL_APP_AJUSTES_H
#define ZUMBREL_APP_AJUSTES_H

// Large blocks (the rows of a long list) get pages of their own, given back
// to the system as soon as they are freed. By default glibc raises that
// threshold after the first such block is freed and puts later ones in the
// heap, where a small block left above them keeps the whole range held.
void memoria_devolvida();

// The trace on standard output is written in blocks, not line by line (a
// terminal would otherwise take one write per line: thousands for one click
// in the queen bee form). What is pending is written out whenever the main
// loop is about to wait, so the trace of an action shows as soon as the
// action is done. Call it once the main loop exists.
void saida_em_blocos();

#endif // ZUMBREL_APP_AJUSTES_H
