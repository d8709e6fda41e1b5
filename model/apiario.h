// Apiaries (table cadastro.apiario): the record APIARIOS and its data access.
#ifndef ZUMBREL_MODEL_APIARIO_H
#define ZUMBREL_MODEL_APIARIO_H

#include <memory>
#include <string>
#include <vector>

#include "model/florada.h"
#include "model/municipio.h"

class QUERY;
class LINHAS;

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

// The apiaries of one load, each read from the load's rows when asked for:
// a list of 100,000 apiaries costs little more than the text of its rows.
class LISTA_APIARIOS
{
public:
    LISTA_APIARIOS() = default;
    LISTA_APIARIOS(std::shared_ptr<LINHAS> linhas, int quantos);

    std::size_t size() const { return quantos; }
    bool empty() const { return quantos == 0; }
    // Apiary i (an empty record past the end).
    APIARIOS operator[](std::size_t i) const;
    std::string nome(std::size_t i) const;

private:
    std::shared_ptr<LINHAS> linhas;
    std::size_t quantos = 0;
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
