// What is to be done today: the steps of rearing batches due today or
// overdue by their timetables, and the hives whose withdrawal ends within
// the week. Read with one statement each, at every login.
#ifndef ZUMBREL_MODEL_PENDENCIA_H
#define ZUMBREL_MODEL_PENDENCIA_H

#include <string>
#include <vector>

#include "model/dados.h"

class PENDENCIAS
{
public:
    // The batch (its key) or the hive (its code) the line is about; the
    // other is 0.
    int lote = 0;
    int colmeia = 0;
    std::string data;   // when it is due or ends, "DD/MM/YYYY"
    int atraso = 0;     // days past that date (0 today; negative: still to come)
    std::string texto;  // what the line says
};

// How long ago a step fell due, as the list says it.
std::string texto_atraso(int dias);

// The next step of a rearing batch `c` and the days after its grafting it
// is due by its timetable, as `e.etapa` (0 to 4) and `e.dias`: the
// lateral join that follows "cadastro.criacao as c" in a statement. A batch
// is done once its queens are laying (c.em_postura not null).
std::string etapa_seguinte_sql();
// What a due step says: "Lote 7 da matriz 00004-00002: Células aceitas (hoje)".
std::string texto_etapa_devida(const std::string& lote, const std::string& matriz, int etapa, int atraso);

class PENDENCIA : public DADOS
{
public:
    explicit PENDENCIA(QUERY* query);

    // The batch steps due, the most overdue first, then the withdrawals
    // ending this week (today and the six days after), the soonest first.
    std::vector<PENDENCIAS> listar();
};

#endif // ZUMBREL_MODEL_PENDENCIA_H
