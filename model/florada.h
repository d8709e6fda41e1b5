// Floral sources (table cadastro.florada): only ever added and listed.
#ifndef ZUMBREL_MODEL_FLORADA_H
#define ZUMBREL_MODEL_FLORADA_H

#include <string>
#include <vector>

#include "model/dados.h"

class FLORADA
{
public:
    int id_florada = 0;
    std::string nome_florada;
};

class FLORADAS : public DADOS
{
public:
    explicit FLORADAS(QUERY* query);

    // The new key as text, or "" when the insert failed (falha() says why).
    std::string inserir(FLORADA f);
    std::vector<FLORADA> listar_floradas();
    FLORADA get_florada(std::string nome);

private:
    FLORADA florada;
    std::vector<FLORADA> floradas;
};

#endif // ZUMBREL_MODEL_FLORADA_H
