#include "model/usuario.h"

#include <glib.h>
#include <sodium.h>

#include "db/query.h"
#include "db/rastro.h"
#include "util/senha.h"
#include "util/validacao.h"

const char* const REGRA_SENHA = "A senha deve ter de 8 a 64 caracteres.";

bool senha_aceita(const std::string& senha)
{
    if (!g_utf8_validate(senha.data(), static_cast<gssize>(senha.size()), nullptr))
        return false;
    const glong n = g_utf8_strlen(senha.data(), static_cast<gssize>(senha.size()));
    return n >= MINIMO_SENHA && n <= MAXIMO_SENHA;
}

namespace {

// The columns of a user as insert and update write them, in this order. The
// password is written by an insert only (update_senha changes it), as the
// stored form the record then holds and as a secret; the access level by
// neither.
const COLUNA<USER> COLUNAS_USUARIO[] = {
    { "nome", [](const BANCOPG& b, const USER& u) { return b.literal(u.nome); } },
    { "login", [](const BANCOPG& b, const USER& u) { return b.literal(u.login); } },
    { "senha", [](const BANCOPG&, const USER& u) { return u.senha; }, true, true },
    { "cpf", [](const BANCOPG& b, const USER& u) { return b.literal(u.cpf); } },
    { "rg", [](const BANCOPG& b, const USER& u) { return b.literal(u.rg); } },
    { "oexp", [](const BANCOPG& b, const USER& u) { return b.literal(u.oexp); } },
    { "nasc", [](const BANCOPG& b, const USER& u) { return b.literal(u.nasc); } },
    { "endereco", [](const BANCOPG& b, const USER& u) { return b.literal(u.endereco); } },
    { "numero", [](const BANCOPG& b, const USER& u) { return b.literal(u.numero); } },
    { "bairro", [](const BANCOPG& b, const USER& u) { return b.literal(u.bairro); } },
    { "id_cep", [](const BANCOPG&, const USER& u) { return std::to_string(u.cep.id); } },
};

// The columns of a postal code as an insert writes them, in table order.
const COLUNA<CEPS> COLUNAS_CEP[] = {
    { "cep", [](const BANCOPG& b, const CEPS& c) { return b.literal(c.cep); } },
    { "tipo_logradouro", [](const BANCOPG& b, const CEPS& c) { return b.literal(c.tipo_logradouro); } },
    { "logradouro", [](const BANCOPG& b, const CEPS& c) { return b.literal(c.logradouro); } },
    { "bairro", [](const BANCOPG& b, const CEPS& c) { return b.literal(c.bairro); } },
    { "cod_cid", [](const BANCOPG&, const CEPS& c) { return std::to_string(c.municipio.cod_cid); } },
};

// The user query: users with their level, postal code and municipality, up
// to its conditions. A user without either is never found.
INSTRUCAO consulta_usuarios(const QUERY& query)
{
    INSTRUCAO i = query.descrever(INSTRUCAO::CONSULTAR);
    i.tipojoin = INSTRUCAO::INTERNA;
    i.camporetorno = { "u.id_usuario", "u.nome", "u.login", "a.*", "u.cpf", "u.rg", "u.oexp",
                       "to_char(u.nasc,'DD/MM/YYYY')", "u.endereco", "u.numero", "u.bairro", "c.*", "m.*", "u.xmin" };
    i.tabelas = { "cadastro.usuario as u", "cadastro.acesso as a", "cadastro.ceps as c", "cadastro.municipio as m" };
    i.check_join = { "u.id_acesso=a.id_acesso", "u.id_cep=c.id_cep", "c.cod_cid=m.cod_cid" };
    return i;
}

// Where a postal code's values sit from the first of them on, in the user
// query (c.*, m.*) and in the postal-code query ("*" of ceps joined to its
// municipality): the postal code's columns in table order, then the
// municipality's.
namespace coluna_cep {
enum : std::size_t { ID, CEP, TIPO_LOGRADOURO, LOGRADOURO, BAIRRO, COD_CID, MUNICIPIO_ID, MUNICIPIO_NOME, ESTADO, TOTAL };
} // namespace coluna_cep

CEPS ler_cep(const LinhaResultado& linha, std::size_t inicio)
{
    using namespace coluna_cep;
    CEPS c;
    c.id = linha.inteiro(inicio + ID);
    c.cep = linha[inicio + CEP];
    c.tipo_logradouro = linha[inicio + TIPO_LOGRADOURO];
    c.logradouro = linha[inicio + LOGRADOURO];
    c.bairro = linha[inicio + BAIRRO];
    c.municipio.cod_cid = linha.inteiro(inicio + MUNICIPIO_ID);
    c.municipio.nome = linha[inicio + MUNICIPIO_NOME];
    c.municipio.estado = linha[inicio + ESTADO];
    return c;
}

// One row of the user query (coluna_usuario); a value past the row's end
// reads as "".
USER ler_usuario(const LinhaResultado& linha)
{
    using namespace coluna_usuario;
    USER u;
    u.id = linha.inteiro(ID);
    u.nome = linha[NOME];
    u.login = linha[LOGIN];
    u.acesso.id = linha.inteiro(ACESSO_ID);
    u.acesso.descricao = linha[ACESSO_DESCRICAO];
    u.acesso.nivel = linha.inteiro(ACESSO_NIVEL);
    u.cpf = linha[CPF];
    u.rg = linha[RG];
    u.oexp = linha[OEXP];
    u.nasc = linha[NASC];
    u.endereco = linha[ENDERECO];
    u.numero = linha[NUMERO];
    u.bairro = linha[BAIRRO];
    u.cep = ler_cep(linha, CEP_ID);
    u.versao = linha[VERSAO];
    return u;
}



} // namespace

USUARIO::USUARIO(QUERY* query) : DADOS(query) {}

int USUARIO::id_sessao() const
{
    return login_sessao.empty() ? 0 : id_logado;
}

USUARIO::~USUARIO()
{
    esquecer_sessao();
}

bool USUARIO::direitos_no_banco()
{
    if (direitos < 0) {
        // Asked once, outside the trace: a database not brought up to date
        // is worked with as before, trace and all.
        query->executar("select to_regprocedure('cadastro.tentar_entrada(text,text)') is not null");
        const RESULTADO r = query->tomar_desfecho();
        if (r.achou())
            direitos = r.linha(0).c_str(0)[0] == 't' ? 1 : 0;
        else if (query->get_conectado())
            direitos = 0;
    }
    return direitos == 1;
}

bool USUARIO::verificar_acesso(std::string login, std::string senha)
{
    if (!direitos_no_banco()) {
        if (!verificar_no_programa(login, senha))
            return false;
        if (query->get_conectado())
            rastro::avisar("Aviso: este banco de dados ainda não faz valer os níveis de acesso; veja \"Using an "
                           "existing PostgreSQL server\" no README.md para atualizá-lo.");
        return true;
    }
    bloqueio.clear();
    senha::PARAMETROS p;
    std::string prova;
    const int id = provar(login, senha, p, prova);
    if (id <= 0) {
        mensagem = bloqueio.empty() ? std::string("Usuário e Senha inválidos") : bloqueio;
        if (id < 0 && bloqueio.empty())
            mensagem = falha_.mensagem;
        return false;
    }
    // The logged-in user, as the user query finds him.
    INSTRUCAO i = consulta_usuarios(*query);
    i.condicao("u.login", query->literal(login));
    RESULTADO r;
    if (!executar(i, &r) || !r.achou()) {
        mensagem = r.ok() ? std::string("Usuário e Senha inválidos") : r.mensagem;
        return false;
    }
    mensagem = "Acesso garantido";
    carregados = LISTA_USUARIOS(r, ler_usuario, 1);
    login_sessao = login;
    id_logado = id;
    guardar_prova(prova);
    // A password of earlier versions, or of another cost, is stored anew:
    // a new version of the row, read again so that saving "Minha Conta" is
    // not refused as a change made elsewhere.
    if (senha::desatualizados(p) && renovar_forma(id, senha))
        carregar_usuario(id);
    return true;
}

bool USUARIO::renovar_forma(int id, const std::string& senha)
{
    std::string prova;
    const std::string nova = senha::forma_nova(senha, &prova);
    if (nova.empty())
        return false;
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.usuario");
    i.atualizar("senha", i.segredo(nova));
    i.condicao("id_usuario", std::to_string(id));
    // Refused or overtaken: the password stays as it was and still works.
    if (!query->ativar(i).ok())
        return false;
    guardar_prova(prova);
    return true;
}

int USUARIO::provar(const std::string& login, const std::string& senha, senha::PARAMETROS& p, std::string& prova)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR,
                                   "cadastro.parametros_senha(" + query->literal(login) + ")",
                                   { "tipo", "sal", "passadas", "memoria" });
    RESULTADO r;
    if (!executar(i, &r) || !r.achou())
        return -1;
    const LinhaResultado l = r.linha(0);
    p.tipo = l[0];
    p.sal = l[1];
    p.passadas = static_cast<unsigned long long>(l.inteiro(2));
    p.memoria = static_cast<std::size_t>(l.inteiro(3));
    prova = senha::prova(senha, p);

    // The attempt is stored by its own statement before its outcome is read.
    INSTRUCAO t = query->descrever(INSTRUCAO::CONSULTAR);
    t.camporetorno = { "r" };
    t.tabelas = { "cadastro.tentar_entrada(" + query->literal(login) + ", " + t.segredo(prova) + ") as r" };
    if (!executar(t, &r) || !r.achou())
        return -1;
    if (const std::string minutos = r.linha(0)[0]; !minutos.empty()) {
        bloqueio = "Muitas tentativas erradas com este login: tente de novo daqui a " + minutos +
                   (minutos == "1" ? " minuto." : " minutos.");
        return 0;
    }
    const INSTRUCAO e = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.entrar() as id", { "id" });
    if (!executar(e, &r) || !r.achou())
        return -1;
    return r.linha(0).inteiro(0);
}

void USUARIO::guardar_prova(const std::string& prova)
{
    esquecer_sessao();
    prova_sessao = prova;
    // A connection made again is a new session of the server: the login is
    // made again on it, outside the trace, before the statement waiting.
    query->set_ao_reconectar([this] {
        query->executar("select cadastro.tentar_entrada((select login from cadastro.usuario where id_usuario = $1), $2)",
                        {}, { std::to_string(id_logado), prova_sessao });
        query->executar("select cadastro.entrar()");
    });
}

void USUARIO::esquecer_sessao()
{
    if (!prova_sessao.empty()) {
        sodium_memzero(&prova_sessao[0], prova_sessao.size());
        prova_sessao.clear();
        query->set_ao_reconectar(nullptr);
    }
}

bool USUARIO::verificar_no_programa(const std::string& login, const std::string& senha)
{
    // The users of that login with their stored passwords: the password
    // typed is checked here and never sent.
    INSTRUCAO i = consulta_usuarios(*query);
    i.camporetorno.push_back("u.senha");
    i.condicao("u.login", query->literal(login));

    RESULTADO r;
    if (!executar(i, &r)) {
        mensagem = r.mensagem;
        return false;
    }
    // The first user found whose password it is logs in.
    int achado = -1;
    for (int k = 0; k < r.registros() && achado < 0; ++k) {
        if (senha::confere(senha, r.linha(k)[coluna_usuario::SENHA]))
            achado = k;
    }
    if (achado < 0) {
        mensagem = "Usuário e Senha inválidos";
        return false;
    }
    mensagem = "Acesso garantido";
    const LinhaResultado linha = r.linha(achado);
    const int id = linha.inteiro(coluna_usuario::ID);
    const std::string guardada = linha[coluna_usuario::SENHA];
    if (achado == 0) {
        carregados = LISTA_USUARIOS(r, ler_usuario, 1);
    } else {
        // Another user of the same login came first (a database without a
        // unique login): the list holds the one who logs in.
        carregados = LISTA_USUARIOS();
        carregar_usuario(id);
    }
    // A digest taken over (MD5, or argon2id made with other parameters) is
    // a new version of the row: the user is read
    // again, so that saving "Minha Conta" is not refused as a change made
    // elsewhere.
    if (senha::desatualizada(guardada) && renovar_senha(id, senha, guardada))
        carregar_usuario(id);
    return true;
}

std::string USUARIO::forma_guardada(const std::string& senha)
{
    if (direitos_no_banco())
        return senha::forma_nova(senha);
    const std::string forte = senha::argon2id(senha);
    if (forte.empty())
        return forte;
    if (limite_senha < 0) {
        // The column's maximum length: none (a text column) is "".
        INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "information_schema.columns", { "character_maximum_length" });
        i.condicao("table_schema", "'cadastro'");
        i.condicao("table_name", "'usuario'");
        i.condicao("column_name", "'senha'");
        const RESULTADO r = query->ativar(i);
        if (r.ok())
            limite_senha = r.achou() ? r.linha(0).inteiro(0) : 0;
    }
    if (limite_senha > 0 && static_cast<std::size_t>(limite_senha) < forte.size())
        return senha::md5(senha);
    return forte;
}

bool USUARIO::renovar_senha(int id, const std::string& senha, const std::string& antiga)
{
    const std::string nova = forma_guardada(senha);
    if (nova.empty() || senha::e_md5(nova))
        return false;
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.usuario");
    i.atualizar("senha", i.segredo(nova));
    i.condicao("id_usuario", std::to_string(id));
    i.condicao("senha", i.segredo(antiga));
    // Refused or overtaken: the digest stays and still works.
    return query->ativar(i).ok();
}

bool USUARIO::conferir_senha(int id, const std::string& senha, bool* falhou)
{
    if (direitos_no_banco()) {
        // Proved to the server as a login is (and counted as one); the
        // session stays that user's.
        // By the login the user has now (he may have changed it since).
        INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.usuario", { "login" });
        i.condicao("id_usuario", std::to_string(id));
        RESULTADO r;
        senha::PARAMETROS p;
        std::string prova;
        int quem = -1;
        if (executar(i, &r))
            quem = r.achou() ? provar(r.linha(0)[0], senha, p, prova) : 0;
        if (falhou)
            *falhou = quem < 0;
        if (quem == id)
            guardar_prova(prova);
        return quem == id;
    }
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.usuario", { "senha" });
    i.condicao("id_usuario", std::to_string(id));
    RESULTADO r;
    const bool ok = executar(i, &r);
    if (falhou)
        *falhou = !ok;
    return r.achou() && senha::confere(senha, r.linha(0)[0]);
}

bool USUARIO::sem_usuarios()
{
    if (!direitos_no_banco())
        return false;
    // Asked before the login, outside the trace, as direitos_no_banco().
    query->executar("select cadastro.tem_usuarios()");
    const RESULTADO r = query->tomar_desfecho();
    return r.achou() && r.linha(0).c_str(0)[0] == 'f';
}

bool USUARIO::criar_primeiro_administrador(const std::string& nome, const std::string& login,
                                           const std::string& senha)
{
    if (nome.empty())
        return recusar("Digite o nome do administrador.");
    if (login.empty())
        return recusar("Digite o login do administrador.");
    if (!senha_aceita(senha))
        return recusar(REGRA_SENHA);
    const std::string forma = senha::forma_nova(senha);
    if (forma.empty())
        return recusar(std::string());
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "id" };
    i.tabelas = { "cadastro.primeiro_administrador(" + query->literal(nome) + ", " + query->literal(login) + ", " +
                  i.segredo(forma) + ") as id" };
    return executar(i);
}

void USUARIO::carregar_usuario(int id)
{
    INSTRUCAO i = consulta_usuarios(*query);
    if (id > 0)
        i.condicao("u.id_usuario", std::to_string(id));

    // Nothing found keeps the list of the last load. Once the first row
    // has come that list goes, so that two lists of every user are never
    // held at once (a read that then fails leaves none).
    RESULTADO r;
    query->set_ao_achar_linhas([this] { carregados = LISTA_USUARIOS(); });
    executar(i, &r);
    query->set_ao_achar_linhas(nullptr);
    if (!r.achou()) {
        rastro::escrever(r.mensagem + '\n');
        return;
    }
    carregados = LISTA_USUARIOS(r, ler_usuario);
}

LISTA_USUARIOS USUARIO::Get_User(int id)
{
    if (id != 0)
        carregar_usuario(id);
    return carregados;
}

LISTA_USUARIOS USUARIO::Get_User(std::string filtro, Detalhe detalhe)
{
    INSTRUCAO i = consulta_usuarios(*query);
    i.filtroconsulta = filtro;
    // A search list shows the code, the name and the CPF of each user.
    if (detalhe == Detalhe::RESUMO)
        i.colunas_guardadas = { coluna_usuario::ID, coluna_usuario::NOME, coluna_usuario::CPF };

    RESULTADO r;
    executar(i, &r);
    if (!r.achou()) {
        rastro::escrever(r.mensagem + '\n');
        return LISTA_USUARIOS();
    }
    return LISTA_USUARIOS(r, ler_usuario);
}

LISTA_USUARIOS USUARIO::Get_User(const FILTRO_USUARIOS& filtro)
{
    const char* campo = filtro.campo == FILTRO_USUARIOS::CPF ? "u.cpf" : "u.nome";
    // The typed text matches as it is: "like" takes no wildcard from it.
    return Get_User(std::string(campo) + " like " + query->literal(inicio_de_padrao(filtro.inicio)) + " order by u.nome",
                    Detalhe::RESUMO);
}

bool USUARIO::inserir_usuario(USER* usuario)
{
    // A blank password is no password.
    if (usuario->senha.empty())
        return recusar(std::string());
    if (!senha_aceita(usuario->senha))
        return recusar(REGRA_SENHA);
    USER u = *usuario;
    u.senha = forma_guardada(usuario->senha);
    if (u.senha.empty())
        return recusar(std::string());

    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.usuario", { "id_usuario" });
    i.inserir(COLUNAS_USUARIO, u, *query);
    return executar(i);
}

bool USUARIO::atualizar_usuario(USER* usuario)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.usuario");
    i.atualizar(COLUNAS_USUARIO, *usuario, *query);
    i.condicao("id_usuario", std::to_string(usuario->id));
    if (!usuario->versao.empty())
        i.condicao("xmin", query->literal(usuario->versao));
    return executar(i);
}

bool USUARIO::update_senha(int id, std::string senha)
{
    // A blank password is refused without a statement, and so is one the
    // rule does not take.
    const bool aceita = senha_aceita(senha);
    std::string prova;
    const std::string guardada = !aceita ? std::string()
                                 : direitos_no_banco() ? senha::forma_nova(senha, &prova)
                                                       : forma_guardada(senha);
    rastro::escrever(query->get_mensagem() + '\n');

    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR);
    rastro::escrever("\nUPDATE SENHA \n");
    i.tabelas = { "cadastro.usuario" };
    i.atualizar("senha", i.segredo(guardada));
    i.condicao("id_usuario", std::to_string(id));

    if (guardada.empty() ? recusar(aceita ? std::string() : REGRA_SENHA) : executar(i)) {
        rastro::escrever("\nSenha Atualizada com sucesso\n");
        // The session's own password changed: a login made again after a
        // lost connection proves the new one.
        if (!prova.empty() && id == id_sessao())
            guardar_prova(prova);
        return true;
    }
    rastro::escrever("\nERRO AO ATUALIZAR A SENHA \n");
    return false;
}

bool USUARIO::buscar_cep(const std::string& cep, CEPS& achado)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.tipojoin = INSTRUCAO::INTERNA;
    i.camporetorno = { "*" };
    i.tabelas = { "cadastro.ceps", "cadastro.municipio" };
    i.check_join = { "ceps.cod_cid=municipio.cod_cid" };
    i.condicao("cep", query->literal(cep));

    RESULTADO r;
    executar(i, &r);
    const LinhaResultado linha = r.linha(0);
    if (!r.achou() || linha.size() < coluna_cep::TOTAL)
        return false;
    achado = ler_cep(linha, 0);
    return true;
}

bool USUARIO::cadastrar_cep(CEPS* cep)
{
    if (!cep_completo(cep->cep))
        return recusar("Digite o CEP inteiro, como 79800-001.");
    if (cep->municipio.cod_cid <= 0)
        return recusar("Escolha o município do CEP.");
    const std::string ja_cadastrado = "O CEP " + cep->cep + " já está cadastrado.";
    CEPS existente;
    if (buscar_cep(cep->cep, existente))
        return recusar(ja_cadastrado);

    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.ceps", { "id_cep" });
    i.inserir(COLUNAS_CEP, *cep, *query);
    RESULTADO r;
    executar(i, &r);
    if (!r.achou()) {
        rastro::escrever(r.mensagem + '\n');
        // Registered by someone else meanwhile, or refused for another reason.
        const FALHA recusa = FALHA(r);
        if (buscar_cep(cep->cep, existente))
            return recusar(ja_cadastrado);
        falha_ = recusa.houve ? recusa : FALHA::recusa(std::string());
        falha_.explicar("O banco de dados recusou o CEP: " + r.mensagem);
        return false;
    }
    cep->id = r.linha(0).inteiro(0);
    return true;
}
