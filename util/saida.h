// The trace on standard output is written in blocks, not line by line (a
// terminal would otherwise take one write per line: thousands for one click
// in the queen bee form). What is pending is written out whenever the main
// loop is about to wait, so the trace of an action shows as soon as the
// action is done.
#ifndef ZUMBREL_UTIL_SAIDA_H
#define ZUMBREL_UTIL_SAIDA_H

void saida_em_blocos();

#endif // ZUMBREL_UTIL_SAIDA_H
