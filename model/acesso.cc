#include "model/acesso.h"

#include <iostream>

#include "db/query.h"

ACESSO::ACESSO(QUERY* query) : query(query) {}

bool ACESSO::inserir(ACESS* registro)
{
    query->set_tipoquery(1);
    query->add_tabelas("cadastro.acesso");
    query->add_camporetorno("id_acesso");
    query->add_campoinsert("desc_acesso");
    query->add_dadosinsert(query->literal(registro->descricao));
    query->add_campoinsert("nivel_acesso");
    query->add_dadosinsert(std::to_string(registro->nivel));

    if (query->ativar() && query->get_registros() != 0 && !query->ver_consulta().empty()) {
        registro->id = inteiro(query->ver_consulta().front(), 0);
        return true;
    }
    return false;
}

bool ACESSO::atualizar(ACESS* registro)
{
    query->set_tipoquery(3);
    query->add_tabelas("cadastro.acesso");
    query->add_campoupdate("desc_acesso");
    query->add_dadosupdate(query->literal(registro->descricao));
    query->add_campoupdate("nivel_acesso");
    query->add_dadosupdate(std::to_string(registro->nivel));
    query->add_campoconsulta("id_acesso");
    query->add_dadosconsulta(std::to_string(registro->id));

    if (!query->ativar()) {
        std::cout << query->get_mensagem() << '\n';
        return false;
    }
    return true;
}

std::vector<ACESS> ACESSO::listar()
{
    query->set_tipoquery(2);
    query->add_camporetorno("id_acesso");
    query->add_camporetorno("nivel_acesso");
    query->add_camporetorno("desc_acesso");
    query->add_tabelas("cadastro.acesso");
    query->add_campoorder("desc_acesso");

    // A failed or empty answer keeps what the last listing found.
    if (query->ativar() && query->get_registros() != 0) {
        acessos.clear();
        for (const LINHA& linha : query->ver_consulta()) {
            ACESS a;
            a.id = inteiro(linha, 0);
            a.nivel = inteiro(linha, 1);
            a.descricao = coluna(linha, 2);
            acessos.push_back(a);
        }
    }
    return acessos;
}

bool ACESSO::deletar(int id)
{
    query->set_tipoquery(4);
    query->add_tabelas("cadastro.acesso");
    query->add_campoconsulta("id_acesso");
    query->add_dadosconsulta(std::to_string(id));

    if (!query->ativar()) {
        std::cout << query->get_mensagem() << '\n';
        return false;
    }
    return true;
}

void ACESSO::buscar(ACESS*) {}
