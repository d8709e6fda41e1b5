// Queen rearing batches (tables cadastro.criacao and cadastro.criacao_nucleo):
// the breeder queen whose larvae were grafted, the grafting date, the
// larvae grafted, the cell-builder hive, the timetable of the steps and
// each step with its date and count, and the mating nuclei the cells went
// to. The rules of the steps are pure functions here, beside the data
// access that keeps them.
#ifndef ZUMBREL_MODEL_CRIACAO_H
#define ZUMBREL_MODEL_CRIACAO_H

#include <cstddef>
#include <string>
#include <vector>

#include "db/lista_registros.h"
#include "model/dados.h"

// The steps after the grafting, in order, with the names the window and
// the messages give them, and the days after the grafting each is due by
// default (the usual timetable).
enum : std::size_t { ACEITAS, OPERCULADAS, NUCLEOS, NASCIDAS, POSTURA, ETAPAS_CRIACAO };
extern const char* const NOMES_ETAPAS[ETAPAS_CRIACAO];
extern const int DIAS_PADRAO[ETAPAS_CRIACAO];

// A date "DD/MM/YYYY" plus that many days (fewer when negative); "" when
// it is no date.
std::string somar_dias(const std::string& data, int dias);
// The days from one date "DD/MM/YYYY" to the other (negative when the
// second comes first); 0 when either is no date.
int dias_entre(const std::string& de, const std::string& ate);
// Today, "DD/MM/YYYY", by the computer's clock.
std::string hoje();

// One step of a batch as typed and as read: its date "DD/MM/YYYY" and its
// count, both empty while it has not happened.
struct ETAPA
{
    std::string data;
    std::string quantidade;
    bool feita() const { return !data.empty() || !quantidade.empty(); }
};

class CRIACOES
{
public:
    int id = 0;                        // 0 until it is stored
    // The breeder queen by her registry number, as typed; her code once found.
    std::string rgn_matriz;
    int id_matriz = 0;
    // The cell-builder hive's code, as typed ("" when not known).
    std::string recria;
    std::string enxertia;              // "DD/MM/YYYY"
    std::string larvas;                // as typed
    int dias[ETAPAS_CRIACAO] = { 1, 5, 10, 12, 26 };
    ETAPA etapas[ETAPAS_CRIACAO];
    // The codes of the mating nuclei the cells went to and, when read, the
    // RGN of the queen each gave the registry ("" while none).
    std::vector<int> nucleos;
    std::vector<std::string> rainhas;
    std::string obs;
    std::string versao;                // the stored row's version when read
};

// The date each step is due by the batch's timetable ("" for all while the
// grafting date is no date).
std::vector<std::string> datas_previstas(const CRIACOES& c);
// Why the timetable is refused ("" when it is not): whole days from 0 to
// 365, each step on the day of the one before or later.
std::string conferir_calendario(const int dias[ETAPAS_CRIACAO]);
// Why the batch as typed is refused ("" when it is not), `dia` being
// today: the grafting date and the larvae, then each step recorded with
// both its date and its count, after the step before it, never counting
// more than it, never dated before it (nor before the grafting) nor after
// today; and no more nuclei chosen than cells moved to nuclei.
std::string conferir_criacao(const CRIACOES& c, const std::string& dia);
// The next step of the batch not recorded yet (ETAPAS_CRIACAO when all are).
std::size_t proxima_etapa(const CRIACOES& c);

// Batches as a listing found them, each read from its row when asked for.
class LISTA_CRIACOES : public LISTA_REGISTROS<CRIACOES>
{
public:
    using LISTA_REGISTROS<CRIACOES>::LISTA_REGISTROS;
};

// A mating nucleus a batch may send cells to: its code and apiary.
struct NUCLEO
{
    int id = 0;
    std::string apiario;
};

class CRIACAO : public DADOS
{
public:
    explicit CRIACAO(QUERY* query);

    // Stores a new batch with its nuclei, all or nothing, and gives it its
    // key; false, with nothing stored and falha() saying why, when a rule
    // above is broken, the breeder queen or the cell-builder hive does not
    // exist, or a nucleus is not a hive of type Núcleo.
    bool inserir(CRIACOES* c);
    // Stores the fields and nuclei of a stored batch, checked as for
    // inserir, while its row is at the version read.
    bool atualizar(CRIACOES* c);
    // Deletes the batch (and the list of its nuclei) at that version; a
    // batch that gave queens to the registry is refused.
    bool deletar(int id, const std::string& versao);
    // Enters the laying queens of the nuclei `nucleos` of the stored batch
    // into the registry, all of them or none, while the batch is at the
    // version read: each a daughter of the breeder with her registry number
    // made as for every bee, born on the emergence date, heading her
    // nucleus, and known to the batch. Refused, with nothing stored, before
    // the laying step is recorded, for more nuclei than laying queens not
    // yet entered, for a nucleus not of the batch, one that gave its queen
    // already, or one that has a queen. `c` is then read again.
    bool registrar_rainhas(CRIACOES* c, const std::vector<int>& nucleos);
    // The batch with that key (id 0 when there is none), nuclei included.
    CRIACOES get_criacao(int id);
    // Every batch, the latest grafting first (without their nuclei).
    LISTA_CRIACOES listar();
    // The hives of type Núcleo that have not ended, by code.
    std::vector<NUCLEO> nucleos();

private:
    // The checks before anything is sent, and the breeder's code into `c`.
    bool conferir(CRIACOES& c);
    // The statements that write the batch's nuclei after its row.
    void enfileirar_nucleos(const CRIACOES& c);
    // Runs what is queued after the batch's own statement and commits;
    // false, with everything undone, at the first refusal.
    bool concluir(const RESULTADO& primeira);
};

#endif // ZUMBREL_MODEL_CRIACAO_H
