// Products and inputs (table cadastro.produto): medicines, feeds and other
// inputs, each with its active ingredient, its withdrawal period and its
// unit. Only an administrator adds or deletes one or changes its kind or
// its withdrawal period (the database sees to it); a product in use cannot
// be deleted.
#ifndef ZUMBREL_MODEL_PRODUTO_H
#define ZUMBREL_MODEL_PRODUTO_H

#include <cstddef>
#include <string>

#include "db/lista_registros.h"
#include "model/dados.h"

// The kinds of product and the units of a dose or an amount, in the order
// the lists show them.
extern const char* const TIPOS_PRODUTO[3];
extern const char* const UNIDADES[6];
bool tipo_de_produto(const std::string& texto);
bool unidade_valida(const std::string& texto);
// The kind of product a feeding uses.
extern const char* const ALIMENTO;

class PRODUTOS
{
public:
    int id = 0;                   // 0 until it is stored
    std::string nome;
    std::string tipo;             // one of TIPOS_PRODUTO
    std::string principio_ativo;
    // The withdrawal period in days, as typed ("" is not a number) and as read.
    std::string carencia;
    std::string unidade;          // one of UNIDADES
    bool exemplo = false;         // one of the sample products
    std::string versao;           // the stored row's version when read
};

// Products by name, each read from its row when asked for.
class LISTA_PRODUTOS : public LISTA_REGISTROS<PRODUTOS>
{
public:
    using LISTA_REGISTROS<PRODUTOS>::LISTA_REGISTROS;
};

class PRODUTO : public DADOS
{
public:
    explicit PRODUTO(QUERY* query);

    // Stores a new product and gives it its key; false, with nothing stored
    // and falha() saying why, for a field missing or wrong, a name another
    // product has, or a user who is no administrator.
    bool inserir(PRODUTOS* produto);
    // Stores the fields of a stored product, checked as for inserir, while
    // its row is at the version read. Past treatments keep their period.
    bool atualizar(PRODUTOS* produto);
    // Deletes a product no entry uses; one in use is refused with where it
    // is used.
    bool deletar(int id, const std::string& versao = std::string());
    // The product with that key (id 0 when there is none).
    PRODUTOS get_produto(int id);
    // Every product by name, or those of one kind.
    LISTA_PRODUTOS listar(const std::string& tipo = std::string());

private:
    bool conferir(const PRODUTOS& p);
    // Where the product is used, as the refusal of its delete says it; ""
    // when it is not.
    std::string onde_usado(int id);
};

#endif // ZUMBREL_MODEL_PRODUTO_H
