// A picture of every row of every table of schema cadastro, to tell exactly
// which rows an action added, removed or changed; taken through a
// connection of the test's own that stays open, for tests that look at the
// database after each of many actions.
#ifndef ZUMBREL_TESTS_SUPPORT_FOTO_BANCO_H
#define ZUMBREL_TESTS_SUPPORT_FOTO_BANCO_H

#include <map>
#include <set>
#include <string>

#include <libpq-fe.h>

#include "support/banco_teste.h"

namespace teste {

// Table -> key -> the whole row as the database writes it (the
// municipalities: key "*", a value that any change of theirs changes).
typedef std::map<std::string, std::map<std::string, std::string>> Foto;

// "table:key" of every row that differs between the two pictures.
std::set<std::string> diferencas(const Foto& antes, const Foto& depois);

// A superuser connection to one test database, open while the object lives.
class Observador
{
public:
    explicit Observador(const BancoTeste& banco);
    ~Observador();
    Observador(const Observador&) = delete;
    Observador& operator=(const Observador&) = delete;

    // All rows (NULL as "<null>"); fails the calling test on an error.
    TABELA consultar(const std::string& sql);
    // First value of the first row, or "".
    std::string valor(const std::string& sql);
    // Runs the statement and returns the error text ("" when it succeeds).
    std::string erro(const std::string& sql);

    Foto fotografar();

private:
    PGconn* conexao_;
};

} // namespace teste

#endif // ZUMBREL_TESTS_SUPPORT_FOTO_BANCO_H
