// Honey lots (tables cadastro.lote_mel and lote_mel_colheita) and where
// their honey came from. A lot is made of the kilos of harvests already
// recorded (an inspection's honey, or a harvest entered on its own): each
// kilo goes into one lot at most, and a harvest taken while its hive was in
// a withdrawal period goes into none (the database sees to both, one
// desktop at a time). Its total is the sum of its kilos. A lot with an
// invoice is not deleted but annulled, with a reason, and stays as it was.
// The trace of a lot names its hives, the apiary each stood in and the
// queen that headed it on the harvest's day, and every treatment, finding
// and move of those hives in the months before the extraction.
#ifndef ZUMBREL_MODEL_LOTE_MEL_H
#define ZUMBREL_MODEL_LOTE_MEL_H

#include <string>
#include <vector>

#include "model/dados.h"

// The moisture above which honey is out of the Brazilian quality rules, in %.
extern const int UMIDADE_MAXIMA;
// The inspection services a destination may have: none, federal, state, municipal.
extern const char* const INSPECOES[4];

// What a lot's window says of a typed moisture: a warning above
// UMIDADE_MAXIMA, "" otherwise (and for a text that is no number).
std::string aviso_de_umidade(const std::string& umidade);

// Where a harvest is recorded: an inspection's honey or a harvest of its own.
enum class Origem { REVISAO, COLHEITA };
const char* nome_da_origem(Origem o);

// A harvest as a lot is built from it. Kilos are shown as people read them ("12,5").
struct COLHEITA_LOTE
{
    Origem origem = Origem::COLHEITA;
    int id = 0;                    // the key of the inspection or of the harvest
    int id_colmeia = 0;
    int id_apiario = 0;            // where the hive stood on the harvest's day
    std::string apiario;
    std::string data;
    std::string colhido;           // what the harvest gave
    std::string em_outros_lotes;   // what lots not annulled already hold of it (the lot being built aside)
    std::string disponivel;        // what is left for this lot
    // A harvest taken in a withdrawal period: the treatment's product and
    // the withdrawal's end ("" when it was not).
    std::string carencia_produto;
    std::string carencia_ate;
    bool em_carencia() const { return !carencia_ate.empty(); }
};

// What the window says of a harvest in withdrawal: the hive, the product
// and the end of the withdrawal.
std::string explicar_carencia(const COLHEITA_LOTE& c);

// The kilos of one harvest in a lot.
struct PARTE_LOTE
{
    Origem origem = Origem::COLHEITA;
    int id_colheita = 0;           // the key of the inspection or of the harvest
    std::string quilos;            // as typed or as read
    // When read: the harvest's hive and day.
    int id_colmeia = 0;
    std::string data;
};

struct LOTES_MEL
{
    int id = 0;                    // 0 until it is stored
    std::string codigo;            // "" asks for the next one of the year ("2026-007")
    std::string extracao;          // "DD/MM/YYYY"
    int id_florada = 0;            // 0 for none
    std::string florada;           // its name, when read
    std::string umidade;           // in %, "" when not measured
    std::string tambores = "1";
    std::string destino;           // the extraction or packing unit
    std::string inspecao;          // "" or SIF, SIE, SIM
    std::string numero_inspecao;
    std::string nota_fiscal;
    std::string obs;
    std::string anulado_em;        // "DD/MM/YYYY" when annulled
    std::string motivo_anulacao;
    std::string total;             // the sum of its parts, when read
    std::string versao;
    std::vector<PARTE_LOTE> partes;
    bool anulado() const { return !anulado_em.empty(); }
};

// The harvests a lot may be built from: those of the hives that stood, on
// the harvest's day, in one of the apiaries (every apiary when none is
// given), in a period ("" leaves that end open).
struct FILTRO_COLHEITAS
{
    std::vector<int> apiarios;
    std::string de;
    std::string ate;
    int id_lote = 0;               // the lot being built: its own kilos count as free
    bool com_usadas = false;       // harvests with nothing left listed too
};

// One line of a trace.
enum class Rastro { COLHEITA, APIARIO, RAINHA, TRATAMENTO, OCORRENCIA, MOVIMENTACAO, LOTE };
struct LINHA_RASTRO
{
    Rastro tipo = Rastro::COLHEITA;
    int id = 0;                    // the key of what the line names (the hive, for a harvest)
    int id_colmeia = 0;
    std::string data;
    std::string descricao;
};
const char* nome_do_rastro(Rastro r);

// The numbers a total is summed in: grams, so that sums are exact; "" and
// texts that are no amount are 0.
long long gramas(const std::string& quilos);
// Grams as kilos are shown ("12,5").
std::string quilos(long long gramas);

class LOTE_MEL : public DADOS
{
public:
    explicit LOTE_MEL(QUERY* query);

    // Store a lot and its parts, in one transaction: all or nothing. False,
    // with nothing stored and falha() saying why, for a field missing or
    // wrong, no kilos, kilos over what a harvest has left, a harvest in
    // withdrawal or after the extraction, a code another lot has, or (an
    // update) a lot another desktop changed since it was read, or annulled.
    // inserir gives the lot its key and code.
    bool inserir(LOTES_MEL* lote);
    bool atualizar(LOTES_MEL* lote);
    // Deletes a lot without an invoice that was not annulled.
    bool deletar(int id, const std::string& versao = std::string());
    // Annuls a lot, with the reason, while its row is at the version read.
    bool anular(int id, const std::string& motivo, const std::string& versao = std::string());

    // The lot with that key and its parts (id 0 when there is none).
    LOTES_MEL get_lote(int id);
    // Every lot, newest extraction first (parts not read).
    std::vector<LOTES_MEL> listar();
    // The key of the lot with that code (spaces around it aside), 0 for none.
    int chave_do_codigo(const std::string& codigo);
    // The harvests a lot may take, by hive and day.
    std::vector<COLHEITA_LOTE> colheitas(const FILTRO_COLHEITAS& filtro);

    // A lot's trace: its harvests, the apiaries and queens of their days,
    // then every treatment, finding and move of its hives in the `meses`
    // months up to the extraction; by hive, then by day.
    std::vector<LINHA_RASTRO> rastrear(int id_lote, int meses = 12);
    // The lots a hive's or an apiary's honey went into (by the apiary the
    // hive stood in on the harvest's day), newest first.
    std::vector<LINHA_RASTRO> lotes_da_colmeia(int id_colmeia);
    // The municipalities its honey came from ("Dourados/MS"), by name: those
    // of the apiaries its hives stood in on the harvests' days.
    std::vector<std::string> municipios(int id_lote);
    std::vector<LINHA_RASTRO> lotes_do_apiario(int id_apiario);

private:
    bool gravar(LOTES_MEL* lote, bool novo);
    // Says, for a refusal of the parts, which harvest and why.
    void explicar_partes(const LOTES_MEL& lote);
    std::vector<LINHA_RASTRO> lotes_onde(const std::string& condicao);
};

#endif // ZUMBREL_MODEL_LOTE_MEL_H
