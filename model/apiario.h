// Apiaries (table cadastro.apiario): the record APIARIOS and its data access.
#ifndef ZUMBREL_MODEL_APIARIO_H
#define ZUMBREL_MODEL_APIARIO_H

#include <string>
#include <vector>

#include "model/florada.h"
#include "model/municipio.h"

class QUERY;

class APIARIOS
{
public:
    int id_apiario = 0;
    std::string nome;
    std::string endereco;
    std::string data_criacao;   // "DD/MM/YYYY"
    FLORADA florada;
    MUNICIPIOS municipio;
    std::string distrito;
    std::string latitude;
    std::string longitude;
    std::string obs;
};

class APIARIO
{
public:
    explicit APIARIO(QUERY* query);
    ~APIARIO() = default;

    bool Cadastrar_Apiario(APIARIOS* a);
    bool Atualizar_Apiario(APIARIOS* a);
    void Get_Apiarios(std::vector<APIARIOS>* lista);
    std::vector<APIARIOS> Pesquisar_Apiario(std::string filtro);

    // What the apiary search shows of an apiary.
    struct Resumo
    {
        int id_apiario = 0;
        std::string nome;
        std::string municipio;
    };
    // The same search as Pesquisar_Apiario (statement and console lines),
    // keeping only what the search list shows.
    std::vector<Resumo> Pesquisar_Resumo(std::string filtro);

private:
    // Describes and sends the search; false (and the message written) when
    // it failed or found nothing. Writes each name found.
    bool pesquisar(const std::string& filtro);

    QUERY* query;
};

#endif // ZUMBREL_MODEL_APIARIO_H
