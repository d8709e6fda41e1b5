// Municipalities (table cadastro.municipio), read only, those of "MS".
#ifndef ZUMBREL_MODEL_MUNICIPIO_H
#define ZUMBREL_MODEL_MUNICIPIO_H

#include <string>
#include <vector>

class QUERY;

class MUNICIPIOS
{
public:
    int cod_cid = 0;
    std::string nome;
    std::string estado;
};

class MUNICIPIO
{
public:
    explicit MUNICIPIO(QUERY* query);

    std::vector<MUNICIPIOS> listar_municipio();
    MUNICIPIOS get_municipio(std::string nome);

private:
    QUERY* query;
    MUNICIPIOS municipio;
    std::vector<MUNICIPIOS> municipios;
};

#endif // ZUMBREL_MODEL_MUNICIPIO_H
