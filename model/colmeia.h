// Beehives (table cadastro.colmeia): the record COLMEIAS and its data access.
#ifndef ZUMBREL_MODEL_COLMEIA_H
#define ZUMBREL_MODEL_COLMEIA_H

#include <cstddef>
#include <string>

#include "db/lista_registros.h"
#include "model/apiario.h"
#include "model/dados.h"

// The kinds of box and the statuses of a hive (an inspection sees one of the
// same statuses), in the order the lists show them.
extern const char* const TIPOS_COLMEIA[4];
extern const char* const STATUS_COLMEIA[8];
bool tipo_de_colmeia(const std::string& texto);
bool status_de_colmeia(const std::string& texto);
// Whether a hive of that status ended (died, was sold, joined into another
// or lost): it is kept with its history and takes no new entries.
bool colmeia_encerrada(const std::string& status);

class COLMEIAS
{
public:
    int id = 0;                // 0 until it is stored
    std::string tipo;
    std::string status;
    // The queen bee heading it by her registry number ("" for none); a read
    // hive has her code too (0 for none).
    std::string rgn;
    int id_abelha = 0;
    int id_apiario = 0;
    std::string apiario;       // the apiary's name, when read
    std::string instalacao;    // "DD/MM/YYYY", or "" when not known
    std::string obs;
    // When read: the last day of the withdrawal in force today
    // ("DD/MM/YYYY", the latest of its treatments'), "" when none is.
    std::string carencia_ate;
    // The version of the stored row when it was read (its xmin): a save or
    // delete with it is refused once another computer changed the row, as
    // an inspection added there does. Empty when not known.
    std::string versao;
};

// What a search matches: an empty text or a key 0 matches every hive.
struct FILTRO_COLMEIAS
{
    std::string tipo;
    std::string status;
    int id_abelha = 0;
    int id_apiario = 0;
};

// Hives as a search finds them, each read from its row when asked for.
class LISTA_COLMEIAS : public LISTA_REGISTROS<COLMEIAS>
{
public:
    using LISTA_REGISTROS<COLMEIAS>::LISTA_REGISTROS;

    // What the list of hives shows of hive i, read in place (0 and "" past
    // the end). The texts live as long as the rows of the list.
    int id(std::size_t i) const;
    const char* tipo(std::size_t i) const;
    const char* status(std::size_t i) const;
    const char* rgn(std::size_t i) const;
    const char* apiario(std::size_t i) const;
    const char* carencia_ate(std::size_t i) const;
    // The marking colour of its queen ("" without a queen, or when neither
    // her colour nor her birth date is known).
    const char* cor_rainha(std::size_t i) const;
};

class COLMEIA : public DADOS
{
public:
    explicit COLMEIA(QUERY* query);

    // Stores a new hive (its queen looked up by her RGN) and gives it its
    // key. False, with nothing stored and falha() saying why, when a field
    // is missing or wrong, the RGN is no bee's, the queen heads another
    // hive, or the database refuses it.
    bool inserir(COLMEIAS* colmeia);
    // The insert of inserir for a hive already checked (its queen's code
    // in id_abelha), for work that stores hives with others in one
    // transaction.
    INSTRUCAO insercao(const COLMEIAS& colmeia) const;
    // Stores the fields of a stored hive, checked as for inserir; `colmeia`
    // gets the queen's code. Refused, with nothing stored, when the hive has
    // a version and the row is no longer at it.
    bool atualizar(COLMEIAS* colmeia);
    // Deletes the hive and, with it, its inspections, feedings and weights;
    // with a version, only while the row is still at it. A hive with
    // treatments, findings, moves or a split or union with another is
    // refused: it is to be ended instead.
    bool deletar(int id, const std::string& versao = std::string());
    // The hive with that key (id 0 when there is none).
    COLMEIAS get_colmeia(int id);
    // The hives the filter matches, by key.
    LISTA_COLMEIAS pesquisar(const FILTRO_COLMEIAS& filtro);
    // The hive other than `exceto` that the queen heads; 0 when none.
    int colmeia_da_rainha(int id_abelha, int exceto = 0);
    // The apiaries a hive may stand in, by name: only their keys and names.
    LISTA_APIARIOS apiarios();

private:
    // The checks of inserir and atualizar, and the queen's code into `c`.
    bool conferir(COLMEIAS& c);
    // After the database refused a save (falha_ holds it): the hive that
    // took the queen meanwhile is named, if that is why.
    bool explicar_recusa(const COLMEIAS& c);
};

#endif // ZUMBREL_MODEL_COLMEIA_H
