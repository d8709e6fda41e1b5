#include "model/usuario.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "db/query.h"

namespace {

// One row of the user query: u.id_usuario, u.nome, u.login, a.* (3 to 5),
// cpf, rg, oexp, nasc, endereco, numero, bairro (6 to 12), c.* (13 to 18, the
// last being the municipality code again) and m.* (19 to 21). A value past
// the row's end reads as "".
USER ler_usuario(const LINHAS* r, int l)
{
    const int n = r->nfields();
    auto txt = [r, l, n](int c) {
        return c < n ? std::string(r->valor(l, c), r->tamanho(l, c)) : std::string();
    };
    auto num = [r, l, n](int c) { return c < n ? std::atoi(r->valor(l, c)) : 0; };
    USER u;
    u.id = num(0);
    u.nome = txt(1);
    u.login = txt(2);
    u.acesso.id = num(3);
    u.acesso.descricao = txt(4);
    u.acesso.nivel = num(5);
    u.cpf = txt(6);
    u.rg = txt(7);
    u.oexp = txt(8);
    u.nasc = txt(9);
    u.endereco = txt(10);
    u.numero = txt(11);
    u.bairro = txt(12);
    u.cep.id = num(13);
    u.cep.cep = txt(14);
    u.cep.tipo_logradouro = txt(15);
    u.cep.logradouro = txt(16);
    u.cep.bairro = txt(17);
    u.cep.municipio.cod_cid = num(19);
    u.cep.municipio.nome = txt(20);
    u.cep.municipio.estado = txt(21);
    return u;
}

// The first `quantos` users of a result.
std::vector<USER> ler_usuarios(const LINHAS* r, int quantos)
{
    std::vector<USER> lista;
    if (!r)
        return lista;
    quantos = std::min(quantos, r->ntuples());
    lista.reserve(quantos);
    for (int l = 0; l < quantos; ++l)
        lista.push_back(ler_usuario(r, l));
    return lista;
}

} // namespace

LISTA_USUARIOS::LISTA_USUARIOS(std::shared_ptr<LINHAS> l, int n)
    : linhas(std::move(l)), quantos(linhas ? static_cast<std::size_t>(std::min(n, linhas->ntuples())) : 0)
{
}

USER LISTA_USUARIOS::operator[](std::size_t i) const
{
    return i < quantos ? ler_usuario(linhas.get(), static_cast<int>(i)) : USER();
}

int LISTA_USUARIOS::id(std::size_t i) const
{
    return i < quantos ? std::atoi(linhas->valor(static_cast<int>(i), 0)) : 0;
}

std::string LISTA_USUARIOS::nome(std::size_t i) const
{
    if (i >= quantos || linhas->nfields() < 2)
        return std::string();
    return std::string(linhas->valor(static_cast<int>(i), 1),
                       linhas->tamanho(static_cast<int>(i), 1));
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
    linhas = query->resultado_linhas();
    quantos = 1;
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
    linhas = query->resultado_linhas();
    quantos = query->linhas_consulta();
}

std::vector<USER> USUARIO::Get_User(int id)
{
    if (id != 0)
        carregar_usuario(id);
    return ler_usuarios(linhas.get(), quantos);
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
    lista = ler_usuarios(query->resultado_linhas().get(), query->linhas_consulta());
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
    const LINHAS* r = query->resultado_linhas().get();
    const int n = std::min(query->linhas_consulta(), r->ntuples());
    const bool completo = r->nfields() > 6;
    lista.reserve(n);
    for (int l = 0; l < n; ++l) {
        Resumo u;
        u.id = std::atoi(r->valor(l, 0));
        if (completo) {
            u.nome.assign(r->valor(l, 1), r->tamanho(l, 1));
            u.cpf.assign(r->valor(l, 6), r->tamanho(l, 6));
        }
        lista.push_back(std::move(u));
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
