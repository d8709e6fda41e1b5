// "Importar planilha": apiaries, hives, queen bees or inspections read from
// a spreadsheet file (relatorios/planilha.h), each row checked against the
// records and against the rows before it, and stored all together in one
// transaction, or not at all. The columns are found by their titles, those
// the program's own CSV files have, so that what it writes reads back:
//
//   Apiários:  Código, Apiário, Município and UF (or Código IBGE), Desde,
//              Produção (florada), Latitude, Longitude, Endereço, Distrito,
//              Observações
//   Colméias:  Colméia, Tipo, Status, Rainha (her RGN), Apiário (its name
//              or key) or Código do apiário, Instalação, Observações
//   Rainhas:   RGN, Nascimento, Matriz, Mãe (her RGN), Cor de marcação,
//              Asa cortada
//   Revisões:  Colméia, Data, Status, Mel (kg), Observações
//
// A key given (Código, Colméia, the code in the RGN) is the one the record
// gets, so that hives and inspections exported with their keys find their
// apiaries, queens and hives again; without one the record gets a new key.
// Other columns are left aside.
#ifndef ZUMBREL_MODEL_IMPORTACAO_H
#define ZUMBREL_MODEL_IMPORTACAO_H

#include <string>
#include <vector>

#include "model/dados.h"

struct PLANILHA;

enum class TIPO_IMPORTACAO { APIARIOS, COLMEIAS, RAINHAS, REVISOES };

// "Apiários", "Colméias", "Rainhas", "Revisões": as the window offers them.
const char* nome_da_importacao(TIPO_IMPORTACAO tipo);

// One row of the file with what is wrong with it ("" when nothing is).
struct LINHA_CONFERIDA
{
    int linha = 0;
    std::vector<std::string> campos;
    std::string problema;

    // "Linha 4: município desconhecido (Campo Grande/MT)".
    std::string mensagem() const;
};

struct CONFERENCIA
{
    std::vector<std::string> titulos;
    std::vector<LINHA_CONFERIDA> linhas;
    // What keeps the whole file from being read ("" when nothing does).
    std::string erro;

    int com_problema() const;
    // Whether it can be stored: read, with rows, none of them wrong.
    bool pronta() const { return erro.empty() && !linhas.empty() && com_problema() == 0; }
    // One sentence for the window: how many rows, how many wrong, or the error.
    std::string resumo() const;
};

class IMPORTACAO : public DADOS
{
public:
    explicit IMPORTACAO(QUERY* query);

    // Each row of the file checked, as it would be stored now.
    CONFERENCIA conferir(TIPO_IMPORTACAO tipo, const PLANILHA& planilha);
    // Checks the file again and stores every row in one transaction, in the
    // order of the file (a mother before her daughters). False, with
    // nothing stored and falha() saying why, when a row is wrong, the file
    // has none, or the database refuses one (its line is named).
    // `gravados`, when given, gets how many records were stored.
    bool importar(TIPO_IMPORTACAO tipo, const PLANILHA& planilha, int* gravados = nullptr);

private:
    struct PREPARO;
    CONFERENCIA preparar(TIPO_IMPORTACAO tipo, const PLANILHA& planilha, PREPARO& p);
    void apiarios(const PLANILHA& planilha, CONFERENCIA& c, PREPARO& p);
    void colmeias(const PLANILHA& planilha, CONFERENCIA& c, PREPARO& p);
    void rainhas(const PLANILHA& planilha, CONFERENCIA& c, PREPARO& p);
    void revisoes(const PLANILHA& planilha, CONFERENCIA& c, PREPARO& p);
    bool gravar(PREPARO& p, int* gravados);
    // Keys handed out from now on come after the highest stored, once
    // records came in with keys of their own.
    bool acertar_chaves(const char* tabela, const char* chave);
};

#endif // ZUMBREL_MODEL_IMPORTACAO_H
