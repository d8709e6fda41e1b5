// Access levels (table cadastro.acesso): the record ACESS and its data access.
#ifndef ZUMBREL_MODEL_ACESSO_H
#define ZUMBREL_MODEL_ACESSO_H

#include <string>
#include <vector>

class QUERY;

class ACESS
{
public:
    ACESS() = default;
    ACESS(const ACESS&) = default;
    ACESS& operator=(const ACESS&) = default;
    ~ACESS() = default;

    int id = 0;
    std::string descricao;
    int nivel = 0;
};

class ACESSO
{
public:
    explicit ACESSO(QUERY* query);

    bool inserir(ACESS* registro);
    bool atualizar(ACESS* registro);
    std::vector<ACESS> listar();
    bool deletar(int id);
    void buscar(ACESS* registro);

private:
    QUERY* query;
    ACESS acesso;
    std::vector<ACESS> acessos;
};

#endif // ZUMBREL_MODEL_ACESSO_H
