// Users (table cadastro.usuario) with their postal code (cadastro.ceps) and
// access level: the records USER and CEPS, the login check and data access.
#ifndef ZUMBREL_MODEL_USUARIO_H
#define ZUMBREL_MODEL_USUARIO_H

#include <string>

#include "db/lista_registros.h"
#include "model/acesso.h"
#include "model/dados.h"
#include "model/municipio.h"
#include "util/senha.h"

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
    // The version of the stored row when it was loaded (its xmin): an
    // update fails if someone changed or deleted the row since. Empty for a
    // user not loaded from the table: the id alone finds it.
    std::string versao;
};

// Where the user query puts each value: its select list is u.id_usuario,
// u.nome, u.login, a.* (the level's code, description and number), u.cpf,
// u.rg, u.oexp, the birth date, u.endereco, u.numero, u.bairro, c.* (the
// postal code's key, its four texts and its municipality's code) and m.*
// (the municipality's code, name and state), nine values from CEP_ID on,
// and u.xmin; the login check adds u.senha after them.
namespace coluna_usuario {
enum : std::size_t {
    ID, NOME, LOGIN, ACESSO_ID, ACESSO_DESCRICAO, ACESSO_NIVEL, CPF, RG, OEXP, NASC, ENDERECO, NUMERO, BAIRRO,
    CEP_ID, VERSAO = CEP_ID + 9, SENHA
};
} // namespace coluna_usuario

// Users as the user query finds them, each read from its row when asked for.
class LISTA_USUARIOS : public LISTA_REGISTROS<USER>
{
public:
    using LISTA_REGISTROS<USER>::LISTA_REGISTROS;

    // What a list of users shows of user i, read in place from the row of
    // the user query (0 and "" past the end). The texts live as long as the
    // rows of the list.
    int id(std::size_t i) const { return linha(i).inteiro(coluna_usuario::ID); }
    const char* nome(std::size_t i) const { return linha(i).c_str(coluna_usuario::NOME); }
    const char* cpf(std::size_t i) const { return linha(i).c_str(coluna_usuario::CPF); }
};

// A search of users: those whose name, or CPF, begins with the text, by name.
struct FILTRO_USUARIOS
{
    enum Campo { NOME, CPF };
    Campo campo = NOME;
    std::string inicio;
};

// The longest login and password the windows let anyone type: the login
// window, the user form and the password window alike; and the shortest
// password a user may be given.
const int MAXIMO_LOGIN = 20;
const int MAXIMO_SENHA = 64;
const int MINIMO_SENHA = 8;
// The rule of a new password, as the windows say it, and whether a
// password keeps it (counted in characters, not bytes).
extern const char* const REGRA_SENHA;
bool senha_aceita(const std::string& senha);

class USUARIO : public DADOS
{
public:
    explicit USUARIO(QUERY* query);
    ~USUARIO();
    USUARIO(const USUARIO&) = delete;
    USUARIO& operator=(const USUARIO&) = delete;

    // The login check. On a database that decides who may do what, the
    // server checks a proof of the password (util/senha.h) and logs the
    // user in on this connection's session, refusing for a while a login
    // with too many wrong passwords (get_mensagem() then says until when);
    // elsewhere the stored password is read by the login and checked here.
    // Either way the password is never sent, and one kept in an older form
    // is stored anew.
    bool verificar_acesso(std::string login, std::string senha);
    // Whether the database decides who may do what (sql/seguranca.sql),
    // asked once.
    bool direitos_no_banco();
    // A new database with no user yet: its first administrator is to be
    // made (never on a database that does not decide).
    bool sem_usuarios();
    // Makes the first administrator of a database without users; false,
    // with falha() saying why, when the fields or the database refuse it.
    bool criar_primeiro_administrador(const std::string& nome, const std::string& login, const std::string& senha);
    // -1: every user, loaded again; 0: the list of the last load as it is;
    // an id: that user, loaded again. A load that finds nobody keeps the
    // list it had.
    LISTA_USUARIOS Get_User(int id);
    // The users a caller-built condition finds (it may end with its own
    // ORDER BY); the list of the last load is not touched. With
    // Detalhe::RESUMO only the code, the name and the CPF of each are kept.
    LISTA_USUARIOS Get_User(std::string filtro, Detalhe detalhe = Detalhe::COMPLETO);
    // The users the search finds, with only the code, the name and the CPF
    // of each kept: the condition is written here from the filter.
    LISTA_USUARIOS Get_User(const FILTRO_USUARIOS& filtro);
    void carregar_usuario(int id);
    // Lets go of the list of the last load (the window that browsed it
    // closed), so that its rows are not held until the next load.
    void esquecer_lista() { carregados = LISTA_USUARIOS(); }
    // Inserts a user with the password in `senha` (refused when blank); the
    // record is left as it was.
    bool inserir_usuario(USER* usuario);
    // Writes the user back if its row is still the version it was loaded at.
    bool atualizar_usuario(USER* usuario);
    // Stores a new password (refused when blank).
    bool update_senha(int id, std::string senha);
    // Whether `senha` is the stored password of that user; `falhou`, when
    // given, tells a refused statement from a wrong password.
    bool conferir_senha(int id, const std::string& senha, bool* falhou = nullptr);
    // The postal code typed, with its municipality, into `achado`; false
    // (and `achado` as it was) when no row has it or the statement fails
    // (then falha() tells: a code simply not there is no failure).
    bool buscar_cep(const std::string& cep, CEPS& achado);
    // Registers a postal code (its four texts and its municipality's code)
    // and gives it its key. False, with nothing stored and falha() saying
    // why, for a code that is not whole ("#####-###"), one already
    // registered, no municipality, or a refusal of the database.
    bool cadastrar_cep(CEPS* cep);

    std::string get_mensagem() const { return mensagem; }
    // Whether the last login was refused for too many wrong passwords
    // (get_mensagem() says for how long).
    bool bloqueado() const { return !bloqueio.empty(); }

private:
    // How a password is stored: on a database that decides, the form of
    // senha::forma_nova; elsewhere argon2id, or the MD5 digest where the
    // column cannot hold the argon2id string (an external database with a
    // 32-character column); "" when the digest cannot be made.
    std::string forma_guardada(const std::string& senha);
    // The login as a database that decides checks it: the proof of the
    // password, the attempt stored, then its outcome. The user's code, 0
    // for a wrong password or a login refused for a while (`bloqueio`
    // says why), -1 when a statement failed.
    int provar(const std::string& login, const std::string& senha, senha::PARAMETROS& p, std::string& prova);
    // Stores again, in the form of now, the password of user `id` that a
    // login just proved; true when it was stored.
    bool renovar_forma(int id, const std::string& senha);
    // The login as a database that does not decide checks it.
    bool verificar_no_programa(const std::string& login, const std::string& senha);
    // Keeps the proof of the logged-in user's password for a session made
    // again after a lost connection, and forgets it.
    void guardar_prova(const std::string& prova);
    void esquecer_sessao();
    // The user logged in through this object (0 for none).
    int id_sessao() const;
    // Replaces user id's MD5 digest `antiga`, just checked against `senha`,
    // with the argon2id string, unless it changed meanwhile; true when it
    // was replaced.
    bool renovar_senha(int id, const std::string& senha, const std::string& antiga);

    std::string mensagem;
    // The users of the last load that found any.
    LISTA_USUARIOS carregados;
    // The password column's maximum length, once asked: 0 none, -1 not yet.
    int limite_senha = -1;
    // Whether the database decides who may do what: 1, 0, -1 not asked yet.
    int direitos = -1;
    std::string bloqueio;
    std::string login_sessao;
    int id_logado = 0;
    std::string prova_sessao;
};

#endif // ZUMBREL_MODEL_USUARIO_H
