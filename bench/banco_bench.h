// The benchmark's throwaway database: made from sql/schema.sql,
// sql/municipios.sql, sql/seed.sql, sql/seguranca.sql and the test users of
// sql/usuarios_de_teste.sql on the server named by the
// ZUMBREL_BENCH_* variables, filled with N users, apiaries (in the
// municipalities of MS) and queen bees, and dropped at the end.
#ifndef ZUMBREL_BENCH_BANCO_BENCH_H
#define ZUMBREL_BENCH_BANCO_BENCH_H

#include <string>

#include <libpq-fe.h>

namespace bench {

// Connection settings taken from the environment.
struct Servidor
{
    std::string host;      // numeric address (the program passes it as hostaddr)
    std::string porta;
    std::string usuario;   // a role that may create databases
    std::string senha;

    static Servidor do_ambiente();
    std::string conexao(const std::string& banco) const;
};

class BancoBench
{
public:
    BancoBench(const Servidor& servidor, const std::string& fontes);
    ~BancoBench();
    BancoBench(const BancoBench&) = delete;
    BancoBench& operator=(const BancoBench&) = delete;

    // Totals of N users, apiaries and queen bees, the sample rows included.
    // Bees descend from one another (bee i is the daughter of bee i / 2,
    // with a founding queen every 50 bees), and N / 10 beehives with three
    // inspections each.
    void preencher(int n);

    const std::string& nome() const { return nome_; }
    // A connection to the database, for the raw libpq comparison.
    PGconn* conectar() const;
    // Runs SQL; throws on an error.
    void executar(const std::string& sql) const;
    std::string valor(const std::string& sql) const;

    // Writes `pasta`/conf/db.conf for this database and returns its path.
    std::string escrever_conf(const std::string& pasta) const;

private:
    Servidor servidor_;
    std::string nome_;
    bool criado_ = false;
};

// Times the text through libpq alone: the server runs it and sends every
// row, which is read and dropped at once, so that the benchmark's own memory
// does not hold a second copy of a long result. Throws when it fails.
double selecao_bruta(PGconn* c, const std::string& sql);

} // namespace bench

#endif // ZUMBREL_BENCH_BANCO_BENCH_H
