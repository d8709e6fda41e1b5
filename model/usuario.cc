#include "model/usuario.h"

#include <iostream>

#include "db/query.h"

namespace {

// One row of the user query: u.id_usuario, u.nome, u.login, a.* (3 to 5),
// cpf, rg, oexp, nasc, endereco, numero, bairro (6 to 12), c.* (13 to 18, the
// last being the municipality code again) and m.* (19 to 21). A value past
// the row's end reads as "".
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
    return u;
}

// Every user of a list, as records.
std::vector<USER> copiar(const LISTA_USUARIOS& lista)
{
    std::vector<USER> usuarios;
    usuarios.reserve(lista.size());
    for (std::size_t i = 0; i < lista.size(); ++i)
        usuarios.push_back(lista[i]);
    return usuarios;
}

} // namespace

USER LISTA_USUARIOS::operator[](std::size_t i) const
{
    return ler_usuario(linha(i));
}

USUARIO::USUARIO(QUERY* query) : query(query) {}

void USUARIO::preparar_consulta()
{
    query->set_tipoquery(2);
    query->set_tipojoin(2);
    static const char* const campos[] = {
        "u.id_usuario", "u.nome", "u.login", "a.*", "u.cpf", "u.rg", "u.oexp",
        "to_char(u.nasc,'DD/MM/YYYY')", "u.endereco", "u.numero", "u.bairro", "c.*", "m.*",
    };
    for (const char* campo : campos)
        query->add_camporetorno(campo);
    query->add_tabelas("cadastro.usuario as u");
    query->add_tabelas("cadastro.acesso as a");
    query->add_tabelas("cadastro.ceps as c");
    query->add_tabelas("cadastro.municipio as m");
    query->add_check_join("u.id_acesso=a.id_acesso");
    query->add_check_join("u.id_cep=c.id_cep");
    query->add_check_join("c.cod_cid=m.cod_cid");
}

bool USUARIO::verificar_acesso(std::string login, std::string senha)
{
    preparar_consulta();
    query->add_campoconsulta("u.login");
    query->add_dadosconsulta(query->literal(login));
    query->add_campoconsulta("u.senha");
    query->add_dadosconsulta("md5(" + query->literal(senha) + ")");

    if (!query->ativar()) {
        mensagem = query->get_mensagem();
        return false;
    }
    if (query->get_registros() == 0 || query->linhas_consulta() == 0) {
        mensagem = "Usuário e Senha inválidos";
        return false;
    }
    mensagem = "Acesso garantido";
    carregados = LISTA_USUARIOS(query->resultado_linhas(), 1);
    return true;
}

void USUARIO::carregar_usuario(int id)
{
    preparar_consulta();
    if (id > 0) {
        query->add_campoconsulta("u.id_usuario");
        query->add_dadosconsulta(std::to_string(id));
    }

    // Nothing found keeps the list of the last load.
    if (!query->ativar() || query->get_registros() == 0) {
        std::cout << query->get_mensagem() << '\n';
        return;
    }
    carregados = LISTA_USUARIOS(query->resultado_linhas(), query->linhas_consulta());
}

std::vector<USER> USUARIO::Get_User(int id)
{
    if (id != 0)
        carregar_usuario(id);
    return copiar(carregados);
}

std::vector<USER> USUARIO::Get_User(std::string filtro)
{
    std::vector<USER> lista;

    preparar_consulta();
    query->add_filtroconsulta(filtro);

    if (!query->ativar() || query->get_registros() == 0) {
        std::cout << query->get_mensagem() << '\n';
        return lista;
    }
    lista = copiar(LISTA_USUARIOS(query->resultado_linhas(), query->linhas_consulta()));
    query->soltar_consulta();
    return lista;
}

std::vector<USUARIO::Resumo> USUARIO::Get_Resumo(std::string filtro)
{
    std::vector<Resumo> lista;

    preparar_consulta();
    query->add_filtroconsulta(filtro);
    // Of every user found, only the code, the name and the CPF are kept.
    query->guardar_so_colunas({ 0, 1, 6 });

    if (!query->ativar() || query->get_registros() == 0) {
        std::cout << query->get_mensagem() << '\n';
        return lista;
    }
    const LISTA_LINHAS achados(query->resultado_linhas(), query->linhas_consulta());
    lista.reserve(achados.size());
    for (std::size_t i = 0; i < achados.size(); ++i) {
        const LinhaResultado linha = achados.linha(i);
        lista.push_back(Resumo { linha.inteiro(0), linha[1], linha[6] });
    }
    query->soltar_consulta();
    return lista;
}

bool USUARIO::inserir_usuario(USER* usuario)
{
    query->set_tipoquery(1);
    query->add_tabelas("cadastro.usuario");
    query->add_camporetorno("id_usuario");
    query->add_campoinsert("nome");
    query->add_dadosinsert(query->literal(usuario->nome));
    query->add_campoinsert("login");
    query->add_dadosinsert(query->literal(usuario->login));
    query->add_campoinsert("senha");
    query->add_dadosinsert("md5(" + query->literal(usuario->senha) + ")");
    query->add_campoinsert("cpf");
    query->add_dadosinsert(query->literal(usuario->cpf));
    query->add_campoinsert("rg");
    query->add_dadosinsert(query->literal(usuario->rg));
    query->add_campoinsert("oexp");
    query->add_dadosinsert(query->literal(usuario->oexp));
    query->add_campoinsert("nasc");
    query->add_dadosinsert(query->literal(usuario->nasc));
    query->add_campoinsert("endereco");
    query->add_dadosinsert(query->literal(usuario->endereco));
    query->add_campoinsert("numero");
    query->add_dadosinsert(query->literal(usuario->numero));
    query->add_campoinsert("bairro");
    query->add_dadosinsert(query->literal(usuario->bairro));
    query->add_campoinsert("id_cep");
    query->add_dadosinsert(std::to_string(usuario->cep.id));
    return query->ativar();
}

bool USUARIO::atualizar_usuario(USER* usuario)
{
    query->set_tipoquery(3);
    query->add_tabelas("cadastro.usuario");
    query->add_campoupdate("nome");
    query->add_dadosupdate(query->literal(usuario->nome));
    query->add_campoupdate("login");
    query->add_dadosupdate(query->literal(usuario->login));
    query->add_campoupdate("cpf");
    query->add_dadosupdate(query->literal(usuario->cpf));
    query->add_campoupdate("rg");
    query->add_dadosupdate(query->literal(usuario->rg));
    query->add_campoupdate("oexp");
    query->add_dadosupdate(query->literal(usuario->oexp));
    query->add_campoupdate("nasc");
    query->add_dadosupdate(query->literal(usuario->nasc));
    query->add_campoupdate("endereco");
    query->add_dadosupdate(query->literal(usuario->endereco));
    query->add_campoupdate("numero");
    query->add_dadosupdate(query->literal(usuario->numero));
    query->add_campoupdate("bairro");
    query->add_dadosupdate(query->literal(usuario->bairro));
    query->add_campoupdate("id_cep");
    query->add_dadosupdate(std::to_string(usuario->cep.id));
    query->add_campoconsulta("id_usuario");
    query->add_dadosconsulta(std::to_string(usuario->id));
    return query->ativar();
}

bool USUARIO::update_senha(int id, std::string senha)
{
    std::cout << query->get_mensagem() << '\n';

    query->set_tipoquery(3);
    std::cout << "\nUPDATE SENHA \n";
    query->add_tabelas("cadastro.usuario");
    query->add_campoupdate("senha");
    query->add_dadosupdate("md5(" + query->literal(senha) + ")");
    query->add_campoconsulta("id_usuario");
    query->add_dadosconsulta(std::to_string(id));

    if (query->ativar()) {
        std::cout << "\nSenha Atualizada com sucesso\n";
        return true;
    }
    std::cout << "\nERRO AO ATUALIZAR A SENHA \n";
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

    // ceps: id, cep, kind of street, street, district, cod_cid; then
    // municipio: cod_cid (again), name, state.
    const RESULTADO r = query->ativar(i);
    const LinhaResultado linha = r.linha(0);
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
