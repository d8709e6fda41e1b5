// Queen bees (table cadastro.abelha_rainha) and their registry numbers.
#ifndef ZUMBREL_MODEL_ABELHA_H
#define ZUMBREL_MODEL_ABELHA_H

#include <functional>
#include <string>
#include <vector>

#include "db/falha.h"
#include "util/conversoes.h"

class INSTRUCAO;
class QUERY;
class RESULTADO;

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
    // The version of the stored row when it was read (its xmin): an update
    // or delete of it fails if someone changed or deleted the row since.
    // Empty for a bee not read from the table: the code alone finds it.
    std::string versao;
};

// The registry number of a bee: "%05d-%05d" of its code and its mother's
// (longer codes are written in full).
std::string formatar_rgn(int id, int mae);

class ABELHA : public CONVERSOES
{
public:
    explicit ABELHA(QUERY* query);

    bool inserir(ABELHAS* abelha);
    // Writes the bee back if its row is still the version it was read at.
    bool atualizar(ABELHAS* abelha);
    std::vector<ABELHAS> listar();
    ABELHAS get_abelha(std::string rgn);
    std::string rg_abelha(int id, int mae);
    // Stores `quantas` daughters of the bee `mae`, born on `nascimento`, in
    // one transaction: all of them or none. Each is written with the
    // statements of inserir (its insert and its registry number), a group
    // of daughters at a time: the inserts of a group, then their numbers.
    // `andamento`, when given, is told after each group how many are done,
    // and stops the work by returning false: then none is stored
    // (FALHA::CANCELADA).
    // Returns why none was stored (houve false when all were).
    FALHA gerar_filhas(int mae, const std::string& nascimento, int quantas,
                       const std::function<bool(int)>& andamento = nullptr);
    // Deletes the bee with that code (and, when given, at that version);
    // false (and the database's message on standard output) when it is
    // refused, as while daughters point at it, or the row is gone or changed.
    bool deletar(int id, const std::string& versao = std::string());
    void buscar(ABELHAS* abelha);

private:
    INSTRUCAO insercao(const ABELHAS& abelha) const;
    // The update that writes the registry number of bee `id`.
    INSTRUCAO instrucao_rgn(int id, int mae);
    // Writes the registry number of bee `id`, whose mother is `mae`, into `rgn`.
    RESULTADO escrever_rgn(int id, int mae, std::string& rgn);

    QUERY* query;
    ABELHAS abelha;
    std::vector<ABELHAS> abelhas;
};

#endif // ZUMBREL_MODEL_ABELHA_H
