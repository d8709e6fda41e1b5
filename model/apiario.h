// Apiaries (table cadastro.apiario): the record APIARIOS and its data access.
#ifndef ZUMBREL_MODEL_APIARIO_H
#define ZUMBREL_MODEL_APIARIO_H

#include <string>
#include <vector>

#include "db/query.h"
#include "model/florada.h"
#include "model/municipio.h"


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

// The apiaries of one load, read from its rows when asked for.
class LISTA_APIARIOS : public LISTA_LINHAS
{
public:
    using LISTA_LINHAS::LISTA_LINHAS;

    // Apiary i (an empty record past the end).
    APIARIOS operator[](std::size_t i) const;
    std::string nome(std::size_t i) const { return linha(i)[1]; }
};

class APIARIO
{
public:
    explicit APIARIO(QUERY* query);
    ~APIARIO() = default;

    bool Cadastrar_Apiario(APIARIOS* a);
    bool Atualizar_Apiario(APIARIOS* a);
    void Get_Apiarios(std::vector<APIARIOS>* lista);
    // The same load as Get_Apiarios (statement and console lines), as a list
    // read from the rows; empty when the load failed or found nothing.
    LISTA_APIARIOS Get_Lista();
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
    // it failed or found nothing. Writes each name found. `guardadas`: the
    // only columns kept of the rows found (every column when empty).
    bool pesquisar(const std::string& filtro, std::vector<int> guardadas = {});

    QUERY* query;
};

#endif // ZUMBREL_MODEL_APIARIO_H
