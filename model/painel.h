// What the main window shows of each apiary with hives, at a glance: its hives by
// status, the honey of this season against the last, the hives in
// withdrawal and until when, the last inspection (an apiary left unvisited
// for 30 days is marked) and the rearing steps due at its cell builders.
// Read with one statement for each of those, whatever the number of hives;
// a statement the database refuses (a table this login may not read) leaves
// its part empty and is named, and the others are read all the same.
#ifndef ZUMBREL_MODEL_PAINEL_H
#define ZUMBREL_MODEL_PAINEL_H

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/dados.h"

// Days without an inspection after which an apiary is marked.
constexpr int DIAS_SEM_VISITA = 30;

class CARENCIA_PAINEL
{
public:
    int colmeia = 0;
    std::string ate;   // last day of the withdrawal in force, "DD/MM/YYYY"
};

class ETAPA_PAINEL
{
public:
    int lote = 0;
    std::string data;  // when it fell due, "DD/MM/YYYY"
    int atraso = 0;    // days since then (0: today)
    std::string texto; // as the list of what to do today says it
};

class RESUMO_APIARIO
{
public:
    int id = 0;        // 0: the batches whose cell builder is in no apiary
    std::string nome;
    // The hives standing in it now, by status, in the order of STATUS_COLMEIA.
    int por_status[8] = {};
    // The newest inspection of its hives ("" and -1 when none has any).
    std::string ultima_revisao;
    int dias_sem_revisao = -1;
    // Kilos of honey harvested in it (where each hive stood on the day):
    // this year to today, and the same days of the year before.
    double mel_safra = 0;
    double mel_anterior = 0;
    std::vector<CARENCIA_PAINEL> carencias;
    std::vector<ETAPA_PAINEL> etapas;

    int vivas() const;       // hives that did not end
    int encerradas() const;  // dead, sold, joined or lost
    // Live hives and no inspection in the last DIAS_SEM_VISITA days.
    bool sem_visita() const;
};

class QUADRO_PAINEL
{
public:
    int safra = 0;      // this year, by the database's clock
    // By name, those with hives (live or ended); the one of id 0 last, when
    // it has steps due.
    std::vector<RESUMO_APIARIO> apiarios;
    // The parts the database refused to read ("colméias", "mel", ...).
    std::vector<std::string> sem_acesso;
};

// The texts of an apiary's line.
std::string texto_colmeias(const RESUMO_APIARIO& r);
std::string texto_mel(const RESUMO_APIARIO& r, int safra);
std::string texto_revisao(const RESUMO_APIARIO& r);
std::string texto_carencia(const CARENCIA_PAINEL& c);

class PAINEL : public DADOS
{
public:
    explicit PAINEL(QUERY* query);
    QUADRO_PAINEL ler();

private:
    // The panel's line of that apiary, added when it is not there yet.
    RESUMO_APIARIO& apiario(QUADRO_PAINEL& q, int id);
    // The parts, each one statement; false when it was refused.
    bool ler_apiarios(QUADRO_PAINEL& q);
    bool ler_colmeias(QUADRO_PAINEL& q);
    bool ler_revisoes(QUADRO_PAINEL& q);
    bool ler_mel(QUADRO_PAINEL& q);
    bool ler_carencias(QUADRO_PAINEL& q);
    bool ler_etapas(QUADRO_PAINEL& q);

    // Where each apiary's line is, while the panel is read.
    std::unordered_map<int, std::size_t> posicoes;
};

#endif // ZUMBREL_MODEL_PAINEL_H
