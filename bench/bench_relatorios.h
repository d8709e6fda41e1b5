// The reports' workloads of the benchmark: Produção por apiário of a year to
// its preview (the report made and its first page drawn) and to its PDF,
// the field book (Caderno de campo) of one apiary and a year to its
// preview, and of every apiary to its CSV, each beside the bare statement
// it sends; and a PDF of a thousand pages with the peak memory before and
// after it.
#ifndef ZUMBREL_BENCH_BENCH_RELATORIOS_H
#define ZUMBREL_BENCH_BENCH_RELATORIOS_H

#include <string>

#include <libpq-fe.h>

#include "bench/amostras.h"
#include "db/query.h"

namespace bench {

void medir_relatorios(Amostras& a, QUERY& query, PGconn* bruta, const std::string& pasta, int vezes,
                      double (*pico_mb)());

} // namespace bench

#endif // ZUMBREL_BENCH_BENCH_RELATORIOS_H
