// Users (table cadastro.usuario) with their postal code (cadastro.ceps) and
// access level: the records USER and CEPS, the login check and data access.
#ifndef ZUMBREL_MODEL_USUARIO_H
#define ZUMBREL_MODEL_USUARIO_H

#include <memory>
#include <string>
#include <vector>

#include "db/query.h"
#include "model/acesso.h"
#include "model/municipio.h"


// One postal-code row: id, the four texts after id_cep in table order (the
// code "#####-###", the kind of street, its name, the district) and the
// municipality.
class CEPS
{
public:
    int id = 0;
    std::string cep;
    std::string tipo_logradouro;
    std::string logradouro;
    std::string bairro;
    MUNICIPIOS municipio;
};

class USER
{
public:
    int id = 0;
    std::string nome;
    std::string login;
    std::string senha;   // only written: the new password of an insert
    std::string cpf;
    std::string rg;
    std::string oexp;
    std::string nasc;    // "DD/MM/YYYY"
    std::string endereco;
    std::string numero;
    std::string bairro;
    ACESS acesso;
    CEPS cep;
};

// The users of one load, read from its rows when asked for.
class LISTA_USUARIOS : public LISTA_LINHAS
{
public:
    using LISTA_LINHAS::LISTA_LINHAS;

    // User i (an empty record past the end).
    USER operator[](std::size_t i) const;
    int id(std::size_t i) const { return linha(i).inteiro(0); }
    std::string nome(std::size_t i) const { return linha(i)[1]; }
};

class USUARIO
{
public:
    explicit USUARIO(QUERY* query);

    bool verificar_acesso(std::string login, std::string senha);
    std::vector<USER> Get_User(int id);
    std::vector<USER> Get_User(std::string filtro);

    // What the user search shows of a user.
    struct Resumo
    {
        int id = 0;
        std::string nome;
        std::string cpf;
    };
    // The same search as Get_User(filtro) (statement and console lines),
    // keeping only what the search list shows.
    std::vector<Resumo> Get_Resumo(std::string filtro);
    void carregar_usuario(int id);
    // The list of the last load, as Get_User(0) gives it, without a copy.
    LISTA_USUARIOS lista() const { return carregados; }
    bool inserir_usuario(USER* usuario);
    bool atualizar_usuario(USER* usuario);
    bool update_senha(int id, std::string senha);
    // The postal code typed, with its municipality, into `achado`; false
    // (and `achado` as it was) when no row has it or the statement fails.
    bool buscar_cep(const std::string& cep, CEPS& achado);

    std::string get_mensagem() const { return mensagem; }

private:
    // Describes the user query (users with level, postal code and
    // municipality) up to its conditions.
    void preparar_consulta();

    std::string mensagem;
    QUERY* query;
    // The users of the last load that found any (the list handed out when a
    // later load finds none), read from the rows as they came.
    LISTA_USUARIOS carregados;
};

#endif // ZUMBREL_MODEL_USUARIO_H
