// Apiaries (table cadastro.apiario): the record APIARIOS and its data access.
#ifndef ZUMBREL_MODEL_APIARIO_H
#define ZUMBREL_MODEL_APIARIO_H

#include <string>

#include "db/lista_registros.h"
#include "model/dados.h"
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
    // The version of the stored row when it was loaded (its xmin): an
    // update fails if someone changed or deleted the row since. Empty for
    // an apiary not loaded from the table: the key alone finds it.
    std::string versao;
};

// Apiaries as a load or a search finds them, each read from its row when
// asked for.
class LISTA_APIARIOS : public LISTA_REGISTROS<APIARIOS>
{
public:
    using LISTA_REGISTROS<APIARIOS>::LISTA_REGISTROS;

    // The key and the name of apiary i, read in place (0 and "" past the
    // end): every statement that lists apiaries selects them first. The
    // texts live as long as the rows of the list.
    int id(std::size_t i) const { return linha(i).inteiro(0); }
    const char* nome(std::size_t i) const { return linha(i).c_str(1); }
    // The name of its municipality, read in place.
    const char* municipio(std::size_t i) const;
};

// A search of apiaries: by key ("ID"; nothing typed finds them all), or
// those whose name, or whose municipality's name ("Região"), begins with
// the text.
struct FILTRO_APIARIOS
{
    enum Campo { ID, NOME, REGIAO };
    Campo campo = NOME;
    std::string texto;
};

class APIARIO : public DADOS
{
public:
    explicit APIARIO(QUERY* query);
    ~APIARIO() = default;

    bool Cadastrar_Apiario(APIARIOS* a);
    // The insert of Cadastrar_Apiario, for work that stores apiaries with
    // others in one transaction.
    INSTRUCAO insercao(const APIARIOS& a) const;
    // Writes the apiary back if its row is still the version it was loaded at.
    bool Atualizar_Apiario(APIARIOS* a);
    // Appends every apiary, by key, to the list (the caller empties it
    // first); a load that fails or finds nothing appends nothing.
    void Get_Apiarios(LISTA_APIARIOS* lista);
    // The apiaries a caller-built condition finds, in the database's order;
    // each has its key, name, creation date, floral source and municipality
    // (code and name). With Detalhe::RESUMO only the key, the name and the
    // municipality's name are kept.
    LISTA_APIARIOS Pesquisar_Apiario(std::string filtro, Detalhe detalhe = Detalhe::COMPLETO);
    // The apiaries the search finds, with only the key, the name and the
    // municipality's name kept: the condition is written here from the
    // filter. A key that is no number finds none, without asking.
    LISTA_APIARIOS Pesquisar_Apiario(const FILTRO_APIARIOS& filtro);
};

#endif // ZUMBREL_MODEL_APIARIO_H
