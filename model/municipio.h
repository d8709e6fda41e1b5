// Municipalities (table cadastro.municipio), read only: those of "MS" for the
// apiaries, those of any state for the postal codes.
#ifndef ZUMBREL_MODEL_MUNICIPIO_H
#define ZUMBREL_MODEL_MUNICIPIO_H

#include <string>
#include <vector>

#include "model/dados.h"

class MUNICIPIOS
{
public:
    int cod_cid = 0;
    std::string nome;
    std::string estado;
};

class MUNICIPIO : public DADOS
{
public:
    explicit MUNICIPIO(QUERY* query);

    std::vector<MUNICIPIOS> listar_municipio();
    // Those of every state, by state and name.
    std::vector<MUNICIPIOS> listar_todos();
    // The municipalities of one state, by name.
    std::vector<MUNICIPIOS> listar_municipio(const std::string& estado);
    // The states' abbreviations, in order.
    std::vector<std::string> listar_estados();
    MUNICIPIOS get_municipio(std::string nome);

private:
    MUNICIPIOS municipio;
    std::vector<MUNICIPIOS> municipios;
};

#endif // ZUMBREL_MODEL_MUNICIPIO_H
