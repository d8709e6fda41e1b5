// The hive's journal: treatments with their withdrawal periods, feedings,
// health findings, weights, moves between apiaries, colony events and
// harvests of honey (the tables cadastro.tratamento, alimentacao,
// ocorrencia, pesagem, movimentacao, evento_colonia and colheita), and
// everything that happened to a hive on one list (the view cadastro.diario,
// which has its inspections too). A treatment, a feeding, a weight, a move
// and a harvest can be stored for many hives at once: all of them or none.
// A hive that ended takes no new entry, and one with treatments, findings,
// moves or honey in a lot cannot be deleted (the database sees to both).
#ifndef ZUMBREL_MODEL_DIARIO_H
#define ZUMBREL_MODEL_DIARIO_H

#include <cstddef>
#include <string>
#include <vector>

#include "db/instrucao.h"
#include "db/lista_registros.h"
#include "model/colmeia.h"
#include "model/dados.h"

class BANCOPG;

// The kinds of journal entry, each with the name the journal shows.
enum class Registro { REVISAO, TRATAMENTO, ALIMENTACAO, OCORRENCIA, PESAGEM, MOVIMENTACAO, EVENTO, COLHEITA };
extern const Registro REGISTROS[8];
const char* nome_do_registro(Registro r);
// The kind of entry of a name the journal shows (an event's type is an
// EVENTO); false for none.
bool registro_de_nome(const std::string& nome, Registro* r);

// Findings, as their list offers them; "Outra" asks for its name. The
// first four must be notified to the official veterinary service at once,
// the next four monthly.
extern const char* const DOENCAS[9];
extern const char* const OUTRA_DOENCA;
extern const char* const NIVEIS_OCORRENCIA[3];
// "notificação imediata", "notificação mensal", or "" (a finding not in the list).
const char* notificacao(const std::string& doenca);
bool notificacao_imediata(const std::string& doenca);
// Why a move is made, colony events and the reasons of a loss.
extern const char* const FINALIDADES[3];
extern const char* const TIPOS_EVENTO[5];
extern const char* const MOTIVOS_PERDA[6];

// Dates are "DD/MM/YYYY"; amounts are typed as people type them ("12,5";
// see ler_quilos) and read as they are shown ("12,5"). `versao` is the
// stored row's version when read (an update or delete made from what was
// shown is refused once another computer changed the row).
struct TRATAMENTOS
{
    int id = 0;
    int id_colmeia = 0;
    int id_produto = 0;
    std::string produto;          // the product's name, when read
    std::string inicio;
    std::string fim;              // the same day as inicio allowed
    std::string dose;             // "" when not given
    std::string unidade;          // "" or one of UNIDADES
    std::string lote;             // the product's lot or batch number
    std::string obs;
    // When read: the withdrawal period the treatment was given (its
    // product's then), the day it ends (fim + that period) and who recorded it.
    std::string carencia;
    std::string carencia_ate;
    std::string registrado_por;
    std::string versao;
};

struct ALIMENTACOES
{
    int id = 0;
    int id_colmeia = 0;
    std::string data;
    int id_produto = 0;           // a product of kind Alimento
    std::string produto;
    std::string quantidade;
    std::string unidade;          // one of UNIDADES
    std::string obs;
    std::string versao;
};

struct OCORRENCIAS
{
    int id = 0;
    int id_colmeia = 0;
    std::string data;
    std::string doenca;           // one of DOENCAS
    std::string outra;            // the finding's name when doenca is "Outra"
    std::string quadros;          // how many frames, "" when not counted
    std::string nivel;            // "" or one of NIVEIS_OCORRENCIA
    std::string obs;
    std::string notificacao;      // when read
    std::string versao;
};

struct PESAGENS
{
    int id = 0;
    int id_colmeia = 0;
    std::string data;
    std::string peso;             // kg, more than 0
    std::string obs;
    std::string versao;
};

struct MOVIMENTACOES
{
    int id = 0;
    int id_colmeia = 0;
    std::string data;
    int id_origem = 0;            // set by the database: where the hive stood
    std::string origem;           // names, when read
    int id_destino = 0;
    std::string destino;
    std::string gta;              // the animal transit guide's number, "" for none
    std::string finalidade;       // one of FINALIDADES
    std::string obs;
    std::string versao;
};

// A harvest of honey from one hive, entered on its own (an inspection's
// honey is one too); its kilos may go into honey lots.
struct COLHEITAS
{
    int id = 0;
    int id_colmeia = 0;
    std::string data;
    std::string quilos;           // kg of honey, more than 0
    std::string obs;
    std::string versao;
};

// A split and a captured swarm make a new hive (`id_colmeia` is it once
// stored); a union, a loss and a sale end the hive `id_colmeia`.
struct EVENTOS_COLONIA
{
    int id = 0;
    int id_colmeia = 0;
    std::string data;
    std::string tipo;             // one of TIPOS_EVENTO
    int id_relacionada = 0;       // a split's parent hive; the hive a union joined into
    bool com_rainha = false;      // a split made with a queen
    std::string local;            // where a swarm was captured
    std::string motivo;           // a loss's reason, one of MOTIVOS_PERDA
    std::string obs;
    std::string versao;
};

// One line of a hive's journal.
struct ENTRADA_DIARIO
{
    Registro registro = Registro::REVISAO;
    std::string tipo;             // the name shown: the kind, or the event's type
    int id = 0;                   // the key in the entry's own table
    std::string data;
    std::string resumo;           // what it says, in a line
    std::string versao;           // its row's version when read
};

// A hive's journal, newest first, each line read from its row when asked for.
class LISTA_DIARIO : public LISTA_REGISTROS<ENTRADA_DIARIO>
{
public:
    using LISTA_REGISTROS<ENTRADA_DIARIO>::LISTA_REGISTROS;
};

class DIARIO : public DADOS
{
public:
    explicit DIARIO(QUERY* query);

    // Store the entry for every hive of `colmeias` (its id_colmeia is not
    // used), in one statement: all of them or none. False, with nothing
    // stored and falha() saying why, for an empty set of hives, a field
    // missing or wrong, or when the database refuses it (a hive that ended,
    // a feed that is not of kind Alimento, a move to where a hive stands).
    bool tratar(const TRATAMENTOS& t, const std::vector<int>& colmeias);
    bool alimentar(const ALIMENTACOES& a, const std::vector<int>& colmeias);
    bool pesar(const PESAGENS& p, const std::vector<int>& colmeias);
    bool mover(const MOVIMENTACOES& m, const std::vector<int>& colmeias);
    bool colher(const COLHEITAS& c, const std::vector<int>& colmeias);
    // How many of the hives would move, with `m`, to an apiary of another
    // municipality (a move that needs a transit guide); -1 when that cannot
    // be read.
    int para_outro_municipio(const MOVIMENTACOES& m, const std::vector<int>& colmeias);
    // Stores a finding of its hive and gives it its key.
    bool registrar(OCORRENCIAS* o);
    // Stores a colony event. A split or a captured swarm stores `nova` first,
    // in the same transaction (its apiary, for a split, the parent's when
    // not given), and `e` and `nova` get the new hive's key.
    bool registrar(EVENTOS_COLONIA* e, COLMEIAS* nova = nullptr);

    // Store the fields of a stored entry while its row is at the version
    // read (the hive stays the same).
    bool atualizar(const TRATAMENTOS& t);
    bool atualizar(const ALIMENTACOES& a);
    bool atualizar(const OCORRENCIAS& o);
    bool atualizar(const PESAGENS& p);
    bool atualizar(const COLHEITAS& c);
    // Deletes that entry only (an inspection too); with a version, only
    // while its row is still at it.
    bool deletar(Registro r, int id, const std::string& versao = std::string());

    // The entry with that key (id 0 when there is none).
    TRATAMENTOS get_tratamento(int id);
    ALIMENTACOES get_alimentacao(int id);
    OCORRENCIAS get_ocorrencia(int id);
    PESAGENS get_pesagem(int id);
    MOVIMENTACOES get_movimentacao(int id);
    EVENTOS_COLONIA get_evento(int id);
    COLHEITAS get_colheita(int id);

    // The hive's journal, newest first; only entries of one kind when
    // `so` is given.
    LISTA_DIARIO listar(int id_colmeia, const Registro* so = nullptr);
    // The last day of the withdrawal in force today for the hive
    // ("DD/MM/YYYY"; the latest of its treatments'), "" when none is.
    std::string carencia_ate(int id_colmeia);

private:
    // One insert of the entry for every hive of the set, refused with
    // `recusa` when it is not empty; `primeiro` gets the first new key.
    template <class T, std::size_t N>
    bool inserir_para(Registro tipo, const COLUNA<T> (&colunas)[N], T registro, const std::vector<int>& colmeias,
                      const std::string& recusa, int* primeiro = nullptr);
    template <class T, std::size_t N>
    bool atualizar_em(Registro tipo, const COLUNA<T> (&colunas)[N], const T& registro, const std::string& recusa);
    template <class T>
    T ler_um(INSTRUCAO i, const char* chave, int id, T (*ler)(const LinhaResultado&));
};

// Where hive `colmeia` stood on day `data` (SQL expressions of the
// statement it goes into), as an SQL expression: where the latest move up to
// then took it, or, before every move, where the first one after took it
// from, or where it stands. Written into each statement rather than called
// as a function, so that the server looks it up with index probes a row.
std::string apiario_no_dia(const std::string& colmeia, const std::string& data);

// The honey of every harvest, as an SQL table (id_colmeia, data, mel_kg):
// that written with an inspection and that recorded as a harvest of its
// own. Inspections without honey are in it with 0 kg.
std::string colheitas_de_mel();

// A date typed "DD/MM/YYYY" as the database takes it: ISO when it exists (a
// text that is not one goes as it is, and the database refuses it).
std::string data_sql(const BANCOPG& b, const std::string& data);
// An SQL date column read day first, "DD/MM/YYYY".
std::string dia_mostrado(const std::string& coluna);

// What a hive in withdrawal shows: "Em carência até DD/MM/AAAA".
std::string em_carencia(const std::string& ate);

#endif // ZUMBREL_MODEL_DIARIO_H
