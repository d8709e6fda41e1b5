// Inspections of the beehives (table cadastro.revisao): the record REVISOES
// and its data access. A hive's status follows the newest inspection added
// (the database sees to it).
#ifndef ZUMBREL_MODEL_REVISAO_H
#define ZUMBREL_MODEL_REVISAO_H

#include <cstddef>
#include <string>

#include "db/lista_registros.h"
#include "model/dados.h"

class REVISOES
{
public:
    int id = 0;
    int id_colmeia = 0;
    std::string data;     // "DD/MM/YYYY"
    std::string status;   // the status seen, one of STATUS_COLMEIA
    // The honey harvested, in kg: as typed ("12,5"; empty is none), and
    // when read as shown (decimal comma, no trailing zeros).
    std::string mel;
    std::string obs;
};

// The inspections of a hive, newest first, each read from its row when
// asked for.
class LISTA_REVISOES : public LISTA_REGISTROS<REVISOES>
{
public:
    using LISTA_REGISTROS<REVISOES>::LISTA_REGISTROS;
};

class REVISAO : public DADOS
{
public:
    explicit REVISAO(QUERY* query);

    // Stores an inspection of a stored hive and gives it its key. False,
    // with nothing stored and falha() saying why, for a date that
    // does not exist, a status not in the list, a harvest that is not a
    // number of kg of zero or more, or when the database refuses it.
    bool inserir(REVISOES* revisao);
    // The insert of an inspection checked already, as inserir sends it.
    INSTRUCAO insercao(const REVISOES& revisao) const;
    bool deletar(int id);
    // The hive's inspections, newest first (by date, then the last entered).
    LISTA_REVISOES listar(int id_colmeia);
    // How many inspections the hive has (-1 when that cannot be read).
    int contar(int id_colmeia);
};

#endif // ZUMBREL_MODEL_REVISAO_H
