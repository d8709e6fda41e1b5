// How the process is tuned: the two settings the program makes on the C
// library's memory and on standard output, in one place with what they buy.
// The figures are the benchmark's (scripts/bench, 2 cores, loaded machine).
#ifndef ZUMBREL_APP_AJUSTES_H
#define ZUMBREL_APP_AJUSTES_H

// Large blocks (the rows of a long list) get pages of their own, given back
// to the system as soon as they are freed. By default glibc raises that
// threshold after the first such block is freed and puts later ones in the
// heap, where a small block left above them keeps the whole range held.
// At N = 10,000 records the benchmark's peak is 49 MB with it, 50 MB
// without; it matters more the longer the lists.
void memoria_devolvida();

// The trace on standard output is written in blocks, not line by line (a
// terminal would otherwise take one write per line: thousands for one click
// in the queen bee form). What is pending is written out whenever the main
// loop is about to wait, so the trace of an action shows as soon as the
// action is done. Each step of the queen bee form at N = 10,000 writes
// 10,000 lines (one per bee of the mother list): on a terminal, 10,000 writes
// line by line, 3 in 64 KB blocks. Call it once the main loop exists.
void saida_em_blocos();

#endif // ZUMBREL_APP_AJUSTES_H
