// Queen bees (table cadastro.abelha_rainha) and their registry numbers.
#ifndef ZUMBREL_MODEL_ABELHA_H
#define ZUMBREL_MODEL_ABELHA_H

#include <functional>
#include <string>
#include <vector>

#include "db/lista_registros.h"
#include "model/dados.h"

class ABELHAS
{
public:
    ABELHAS() = default;
    ABELHAS(const ABELHAS&) = default;
    ABELHAS& operator=(const ABELHAS&) = default;
    ~ABELHAS() = default;

    int id = 0;
    std::string rgn;
    std::string nascimento;   // "DD/MM/YYYY" when read
    bool matriz = false;
    int mae = 0;              // code of the mother; 0 = unknown
    // The marking colour when it is not her birth year's ("" while it is;
    // util/marcacao.h), and whether her wing is clipped.
    std::string cor;
    bool asa_cortada = false;
    // The version of the stored row when it was read (its xmin): an update
    // or delete of it fails if someone changed or deleted the row since.
    // Empty for a bee not read from the table: the code alone finds it.
    std::string versao;
};

// The registry number of a bee: "%05d-%05d" of its code and its mother's
// (longer codes are written in full).
std::string formatar_rgn(int id, int mae);

// Where the statements about bees put each value: the table's own columns
// in its order (what "*" gives), then what the statement adds after them
// (the listing the row's version, the lineage the generation).
namespace coluna_abelha {
enum : std::size_t { ID, RGN, NASCIMENTO, MATRIZ, MAE, COR, ASA_CORTADA, VERSAO, GERACAO = VERSAO };
} // namespace coluna_abelha

// Every bee as a listing found them, each read from its row when asked for
// (a copy shares the rows).
class LISTA_ABELHAS : public LISTA_REGISTROS<ABELHAS>
{
public:
    using LISTA_REGISTROS<ABELHAS>::LISTA_REGISTROS;
    // What a list shows of bee i, read in place (0 and "" past the end).
    int id(std::size_t i) const { return linha(i).inteiro(coluna_abelha::ID); }
    const char* rgn(std::size_t i) const { return linha(i).c_str(coluna_abelha::RGN); }
    bool matriz(std::size_t i) const { return linha(i).c_str(coluna_abelha::MATRIZ)[0] == 't'; }
    // The colour bee i is marked with: the one stored, else her birth
    // year's ("" when neither is known).
    std::string cor(std::size_t i) const;
    bool asa_cortada(std::size_t i) const { return linha(i).c_str(coluna_abelha::ASA_CORTADA)[0] == 't'; }
};

// A bee's lineage: her mothers up to the first unknown one, oldest first,
// then the bee herself, then her daughters and their descendants one
// generation after the other, each generation by code (so every bee comes
// after her mother). Each bee is read from its row when asked for, with its
// generation counted from the bee: -1 her mother, 0 herself, 1 her
// daughters.
class LISTA_GENEALOGIA : public LISTA_ABELHAS
{
public:
    using LISTA_ABELHAS::LISTA_ABELHAS;
    // What the tree shows of bee i, read in place (0 and "" past the end);
    // the texts live as long as the rows of the list.
    const char* nascimento(std::size_t i) const { return linha(i).c_str(coluna_abelha::NASCIMENTO); }   // "DD/MM/YYYY"
    int mae(std::size_t i) const { return linha(i).inteiro(coluna_abelha::MAE); }
    int geracao(std::size_t i) const { return linha(i).inteiro(coluna_abelha::GERACAO); }
};

class ABELHA : public DADOS
{
public:
    explicit ABELHA(QUERY* query);

    bool inserir(ABELHAS* abelha);
    // Writes the bee back if its row is still the version it was read at.
    bool atualizar(ABELHAS* abelha);
    // Every bee, by code; the list stays here until the next listar (a copy
    // of it, which shares its rows, keeps them).
    const LISTA_ABELHAS& listar();
    // Lets go of the last listing (the window that browsed it closed).
    void esquecer_lista() { abelhas = LISTA_ABELHAS(); }
    ABELHAS get_abelha(std::string rgn);
    std::string rg_abelha(int id, int mae);
    // Stores `quantas` daughters of the bee `mae`, born on `nascimento`, in
    // one transaction: all of them or none. Each is written with the
    // statements of inserir (its insert and its registry number), a group
    // of daughters at a time: the inserts of a group, then their numbers.
    // `andamento`, when given, is told after each group how many are done,
    // and stops the work by returning false: then none is stored
    // (FALHA::CANCELADA). False when none was stored, and falha() says why.
    bool gerar_filhas(int mae, const std::string& nascimento, int quantas,
                      const std::function<bool(int)>& andamento = nullptr);
    // Deletes the bee with that code (and, when given, at that version);
    // false (and the database's message in the trace) when it is refused,
    // as while daughters point at it, or the row is gone or changed.
    bool deletar(int id, const std::string& versao = std::string());
    void buscar(ABELHAS* abelha);
    // Up to `limite` registry numbers that begin with the text, in order:
    // what a queen's RGN being typed may become.
    std::vector<std::string> rgns_comecando(const std::string& prefixo, int limite);
    // The lineage of the bee with that code, found by one statement
    // however many generations there are (empty when there is no such bee).
    // A mother chain that loops back on itself ends where it would repeat.
    LISTA_GENEALOGIA genealogia(int id);

    // The statements of inserir, for work that stores bees with others in
    // one transaction: the insert of a bee, and the update that writes the
    // registry number of bee `id`.
    INSTRUCAO insercao(const ABELHAS& abelha) const;
    INSTRUCAO instrucao_rgn(int id, int mae);

private:
    // Stores and gives back why the daughters were not stored.
    bool sem_filhas(FALHA falha);

    ABELHAS abelha;
    LISTA_ABELHAS abelhas;
};

#endif // ZUMBREL_MODEL_ABELHA_H
