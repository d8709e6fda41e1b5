// Access levels (table cadastro.acesso): the record ACESS and its data access.
#ifndef ZUMBREL_MODEL_ACESSO_H
#define ZUMBREL_MODEL_ACESSO_H

#include <string>
#include <vector>

#include "model/dados.h"

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
    // The version of the stored row when it was listed (its xmin): an
    // update or delete fails if someone changed or deleted the row since.
    // Empty for a level not read from the table: the code alone finds it.
    std::string versao;
};

// Administrators are the users whose access level has the highest number
// among the stored levels. The database refuses any change of levels or
// users that would leave none (sql/administrador.sql), with this text in
// its message.
extern const char* const SEM_ADMINISTRADOR;

class ACESSO : public DADOS
{
public:
    explicit ACESSO(QUERY* query);

    bool inserir(ACESS* registro);
    // Writes the level back if its row is still the version it was listed at.
    bool atualizar(ACESS* registro);
    std::vector<ACESS> listar();
    // Deletes the level with that code (and, when given, at that version).
    bool deletar(int id, const std::string& versao = std::string());
    void buscar(ACESS* registro);

    // Whether a user of level `nivel` is an administrator (false when the
    // levels cannot be read).
    bool administrador(int nivel);
    // Whether the user with that code is still an administrator as the
    // database holds him now: false when the database says he is not (or
    // is gone); true when it could not be asked, the database itself then
    // refusing what he may no longer do.
    bool ainda_administrador(int id_usuario);
    // Whether the last refused insert, update or delete was refused because
    // the system would be left without an administrator.
    bool sem_administrador() const;

private:
    ACESS acesso;
    std::vector<ACESS> acessos;
};

#endif // ZUMBREL_MODEL_ACESSO_H
