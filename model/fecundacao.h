// How a queen bee was mated (tables cadastro.fecundacao and
// cadastro.fecundacao_zangao): naturally, at an apiary or at a mating
// station, with the hives the drones came from when known; or by
// instrumental insemination on a date, with the queens whose drones were
// used. The queens on the father's side are found from them.
#ifndef ZUMBREL_MODEL_FECUNDACAO_H
#define ZUMBREL_MODEL_FECUNDACAO_H

#include <string>
#include <vector>

#include "model/dados.h"

// The two ways, in the order the list shows them.
extern const char* const TIPOS_FECUNDACAO[2];
extern const char* const NATURAL;
extern const char* const INSEMINACAO;

class FECUNDACOES
{
public:
    int id_abelha = 0;
    std::string tipo;          // one of TIPOS_FECUNDACAO; "" when none is recorded
    std::string data;          // "DD/MM/YYYY", or "" (a natural one may not know it)
    int id_apiario = 0;        // natural, at an apiary of the business (0: none)
    std::string apiario;       // its name, when read
    std::string estacao;       // natural, at a mating station named
    // The drones' sources: hive codes for a natural mating, registry
    // numbers of queens for an insemination.
    std::vector<std::string> zangoes;
    std::string obs;
};

// The sources typed in one field, separated by commas, semicolons or
// blanks, each once, in the order typed.
std::vector<std::string> separar_zangoes(const std::string& texto);
// How the queen's card says she was mated, in one sentence.
std::string descrever_fecundacao(const FECUNDACOES& f);

class FECUNDACAO : public DADOS
{
public:
    explicit FECUNDACAO(QUERY* query);

    // How the queen was mated (tipo "" when it is not recorded).
    FECUNDACOES get_fecundacao(int id_abelha);
    // Records how the queen was mated, in place of what was recorded, with
    // its drone sources, all or nothing. Refused, with nothing changed and
    // falha() saying why, for a way not in the list, a date that does not
    // exist or is in the future, an insemination without its date, a
    // natural mating with neither apiary nor station, or a drone source
    // that is no stored hive (natural) or queen (insemination), or is the
    // queen herself.
    bool gravar(FECUNDACOES* f);
    // Forgets how the queen was mated.
    bool apagar(int id_abelha);
    // The registry numbers on the father's side, where known: the queens
    // whose drones inseminated her, or those heading the hives her drones
    // came from.
    std::vector<std::string> pais(int id_abelha);
};

#endif // ZUMBREL_MODEL_FECUNDACAO_H
