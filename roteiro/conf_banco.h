// The settings file the program reads, conf/db.conf, written for a
// throwaway database: the tests and the benchmark start the program on one.
// It needs no window, so the database tests link it too.
#ifndef ZUMBREL_ROTEIRO_CONF_BANCO_H
#define ZUMBREL_ROTEIRO_CONF_BANCO_H

#include <string>

namespace teste {

// The five lines of conf/db.conf, in their order.
struct ConfBanco
{
    std::string host;
    std::string banco;
    std::string usuario;
    std::string senha;
    int ssl = 0;
};

// Writes `pasta`/conf/db.conf (making the folders that are missing) and
// returns its path.
std::string escrever_db_conf(const std::string& pasta, const ConfBanco& conf);

} // namespace teste

#endif // ZUMBREL_ROTEIRO_CONF_BANCO_H
