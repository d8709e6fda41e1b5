// How each breeder queen does: over her rearing batches, the larvae
// grafted and the shares accepted, emerged and laying; over the hives her
// daughters head, the average honey per season (a hive's harvests of one
// year), the share with findings that must be notified (at once or
// monthly) and the share lost. One statement for every breeder.
#ifndef ZUMBREL_MODEL_DESEMPENHO_H
#define ZUMBREL_MODEL_DESEMPENHO_H

#include <string>
#include <vector>

#include "model/dados.h"

class DESEMPENHOS
{
public:
    int id = 0;
    std::string rgn;
    int lotes = 0;
    int larvas = 0;
    // Percentages of the larvae grafted in the batches that recorded the
    // step, as the database gives them ("12.5"); "" when none did.
    std::string aceitas;
    std::string nascidas;
    std::string postura;
    int colmeias = 0;          // hives her daughters head
    std::string mel;           // kg per hive and season; "" without harvests
    std::string ocorrencias;   // % of those hives; "" without hives
    std::string perdidas;      // % of those hives; "" without hives
};

// A figure as the list shows it: decimal comma, "" kept as "".
std::string mostrar_numero(const std::string& numero);

class DESEMPENHO : public DADOS
{
public:
    explicit DESEMPENHO(QUERY* query);

    // Every breeder queen (a bee marked as one, or the breeder of a batch),
    // by RGN.
    std::vector<DESEMPENHOS> listar();
};

#endif // ZUMBREL_MODEL_DESEMPENHO_H
