#include "model/usuario.h"

#include <iostream>

#include "db/query.h"
#include "util/senha.h"
#include "util/validacao.h"

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

// Where the login check puts the stored password, after the user query's
// own columns.
const std::size_t COLUNA_SENHA = 23;

// One row of the user query: u.id_usuario, u.nome, u.login, a.* (3 to 5),
// cpf, rg, oexp, nasc, endereco, numero, bairro (6 to 12), c.* (13 to 18, the
// last being the municipality code again), m.* (19 to 21) and u.xmin. A
// value past the row's end reads as "".
USER ler_usuario(const LinhaResultado& linha)
{
    USER u;
    u.id = linha.inteiro(0);
    u.nome = linha[1];
    u.login = linha[2];
    u.acesso.id = linha.inteiro(3);
    u.acesso.descricao = linha[4];
    u.acesso.nivel = linha.inteiro(5);
    u.cpf = linha[6];
    u.rg = linha[7];
    u.oexp = linha[8];
    u.nasc = linha[9];
    u.endereco = linha[10];
    u.numero = linha[11];
    u.bairro = linha[12];
    u.cep.id = linha.inteiro(13);
    u.cep.cep = linha[14];
    u.cep.tipo_logradouro = linha[15];
    u.cep.logradouro = linha[16];
    u.cep.bairro = linha[17];
    u.cep.municipio.cod_cid = linha.inteiro(19);
    u.cep.municipio.nome = linha[20];
    u.cep.municipio.estado = linha[21];
    u.versao = linha[22];
    return u;
}

} // namespace

USUARIO::USUARIO(QUERY* query) : query(query) {}

bool USUARIO::verificar_acesso(std::string login, std::string senha)
{
    // The users of that login with their stored passwords: the password
    // typed is checked here and never sent.
    INSTRUCAO i = consulta_usuarios(*query);
    i.camporetorno.push_back("u.senha");
    i.condicao("u.login", query->literal(login));

    const RESULTADO r = query->ativar(i);
    if (!r.ok) {
        mensagem = r.mensagem;
        return false;
    }
    // The first user found whose password it is logs in.
    int achado = -1;
    for (int k = 0; k < r.registros && achado < 0; ++k) {
        if (senha::confere(senha, r.linha(k)[COLUNA_SENHA]))
            achado = k;
    }
    if (achado < 0) {
        mensagem = "Usuário e Senha inválidos";
        return false;
    }
    mensagem = "Acesso garantido";
    const LinhaResultado linha = r.linha(achado);
    const int id = linha.inteiro(0);
    const std::string guardada = linha[COLUNA_SENHA];
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
    const std::string forte = senha::argon2id(senha);
    if (forte.empty())
        return forte;
    if (limite_senha < 0) {
        // The column's maximum length: none (a text column) is "".
        INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
        i.camporetorno = { "character_maximum_length" };
        i.tabelas = { "information_schema.columns" };
        i.condicao("table_schema", "'cadastro'");
        i.condicao("table_name", "'usuario'");
        i.condicao("column_name", "'senha'");
        const RESULTADO r = query->ativar(i);
        if (r.ok)
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
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR);
    i.tabelas = { "cadastro.usuario" };
    i.atualizar("senha", i.segredo(nova));
    i.condicao("id_usuario", std::to_string(id));
    i.condicao("senha", i.segredo(antiga));
    // Refused or overtaken: the digest stays and still works.
    return query->ativar(i).ok;
}

bool USUARIO::conferir_senha(int id, const std::string& senha, bool* falhou)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "senha" };
    i.tabelas = { "cadastro.usuario" };
    i.condicao("id_usuario", std::to_string(id));
    const RESULTADO r = query->ativar(i);
    if (falhou)
        *falhou = !r.ok;
    return r.achou() && senha::confere(senha, r.linha(0)[0]);
}

void USUARIO::carregar_usuario(int id)
{
    INSTRUCAO i = consulta_usuarios(*query);
    if (id > 0)
        i.condicao("u.id_usuario", std::to_string(id));

    // Nothing found keeps the list of the last load.
    const RESULTADO r = query->ativar(i);
    if (!r.achou()) {
        std::cout << r.mensagem << '\n';
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
        i.colunas_guardadas = { 0, 1, 6 };

    const RESULTADO r = query->ativar(i);
    if (!r.achou()) {
        std::cout << r.mensagem << '\n';
        return LISTA_USUARIOS();
    }
    return LISTA_USUARIOS(r, ler_usuario);
}

bool USUARIO::inserir_usuario(USER* usuario)
{
    // A blank password is no password.
    if (usuario->senha.empty())
        return false;
    USER u = *usuario;
    u.senha = forma_guardada(usuario->senha);
    if (u.senha.empty())
        return false;

    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR);
    i.tabelas = { "cadastro.usuario" };
    i.camporetorno = { "id_usuario" };
    i.inserir(COLUNAS_USUARIO, u, *query);
    return query->ativar(i).ok;
}

bool USUARIO::atualizar_usuario(USER* usuario)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR);
    i.tabelas = { "cadastro.usuario" };
    i.atualizar(COLUNAS_USUARIO, *usuario, *query);
    i.condicao("id_usuario", std::to_string(usuario->id));
    if (!usuario->versao.empty())
        i.condicao("xmin", query->literal(usuario->versao));
    return query->ativar(i).ok;
}

bool USUARIO::update_senha(int id, std::string senha)
{
    // A blank password is refused without a statement.
    const std::string guardada = senha.empty() ? std::string() : forma_guardada(senha);
    std::cout << query->get_mensagem() << '\n';

    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR);
    std::cout << "\nUPDATE SENHA \n";
    i.tabelas = { "cadastro.usuario" };
    i.atualizar("senha", i.segredo(guardada));
    i.condicao("id_usuario", std::to_string(id));

    if (!guardada.empty() && query->ativar(i).ok) {
        std::cout << "\nSenha Atualizada com sucesso\n";
        return true;
    }
    std::cout << "\nERRO AO ATUALIZAR A SENHA \n";
    return false;
}

bool USUARIO::buscar_cep(const std::string& cep, CEPS& achado, std::string* erro)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.tipojoin = INSTRUCAO::INTERNA;
    i.camporetorno = { "*" };
    i.tabelas = { "cadastro.ceps", "cadastro.municipio" };
    i.check_join = { "ceps.cod_cid=municipio.cod_cid" };
    i.condicao("cep", query->literal(cep));

    // ceps: id, cep, kind of street, street, district, cod_cid; then
    // municipio: cod_cid (again), name, state.
    const RESULTADO r = query->ativar(i);
    const LinhaResultado linha = r.linha(0);
    if (erro)
        *erro = r.ok ? std::string() : (r.mensagem.empty() ? std::string("erro") : r.mensagem);
    if (!r.achou() || linha.size() < 9)
        return false;
    achado.id = linha.inteiro(0);
    achado.cep = linha[1];
    achado.tipo_logradouro = linha[2];
    achado.logradouro = linha[3];
    achado.bairro = linha[4];
    achado.municipio.cod_cid = linha.inteiro(5);
    achado.municipio.nome = linha[7];
    achado.municipio.estado = linha[8];
    return true;
}

bool USUARIO::cadastrar_cep(CEPS* cep, std::string& motivo)
{
    motivo.clear();
    if (!cep_completo(cep->cep)) {
        motivo = "Digite o CEP inteiro, como 79800-001.";
        return false;
    }
    if (cep->municipio.cod_cid <= 0) {
        motivo = "Escolha o município do CEP.";
        return false;
    }
    CEPS existente;
    std::string erro;
    if (buscar_cep(cep->cep, existente, &erro)) {
        motivo = "O CEP " + cep->cep + " já está cadastrado.";
        return false;
    }

    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR);
    i.tabelas = { "cadastro.ceps" };
    i.camporetorno = { "id_cep" };
    i.inserir(COLUNAS_CEP, *cep, *query);
    const RESULTADO r = query->ativar(i);
    if (!r.achou()) {
        std::cout << r.mensagem << '\n';
        // Registered by someone else meanwhile, or refused for another reason.
        if (buscar_cep(cep->cep, existente))
            motivo = "O CEP " + cep->cep + " já está cadastrado.";
        else
            motivo = "O banco de dados recusou o CEP: " + r.mensagem;
        return false;
    }
    cep->id = r.linha(0).inteiro(0);
    return true;
}
