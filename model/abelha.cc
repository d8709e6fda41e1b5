#include "model/abelha.h"

#include <cstdio>
#include <iostream>

#include "db/query.h"
#include "util/libex.h"

namespace {

// id_abelha, rgn, data_nasc, matriz, filha, in this order; the date comes in
// the database's ISO form and is shown day first.
ABELHAS ler_abelha(const LinhaResultado& linha)
{
    ABELHAS b;
    b.id = linha.inteiro(0);
    b.rgn = linha[1];
    char* data = data_formatada(linha.c_str(2), 2);
    b.nascimento = data;
    delete[] data;
    b.matriz = std::string(linha.c_str(3)) == "t";
    // An unknown mother (NULL) arrives as an empty text, which reads as 0.
    b.mae = linha.inteiro(4);
    return b;
}

} // namespace

std::string formatar_rgn(int id, int mae)
{
    char texto[32];
    std::snprintf(texto, sizeof texto, "%05d-%05d", id, mae);
    return texto;
}

ABELHA::ABELHA(QUERY* query) : query(query) {}

bool ABELHA::inserir(ABELHAS* abelha)
{
    query->set_tipoquery(1);
    query->add_tabelas("cadastro.abelha_rainha");
    query->add_camporetorno("id_abelha");
    // The registry number needs the new code: it is written right after.
    query->add_campoinsert("rgn");
    query->add_dadosinsert("''");
    query->add_campoinsert("data_nasc");
    query->add_dadosinsert(query->literal(abelha->nascimento));
    query->add_campoinsert("matriz");
    query->add_dadosinsert(abelha->matriz ? "'true'" : "'false'");
    query->add_campoinsert("filha");
    query->add_dadosinsert(abelha->mae != 0 ? intToString(abelha->mae) : "null");

    if (!query->ativar() || query->get_registros() == 0 || query->linhas_consulta() == 0)
        return false;

    abelha->id = query->linha_consulta(0).inteiro(0);
    abelha->rgn = rg_abelha(abelha->id, abelha->mae);
    return true;
}

std::string ABELHA::rg_abelha(int id, int mae)
{
    std::string rgn = formatar_rgn(id, mae);

    query->set_tipoquery(3);
    query->add_tabelas("cadastro.abelha_rainha");
    query->add_campoupdate("rgn");
    query->add_dadosupdate(query->literal(rgn));
    query->add_campoconsulta("id_abelha");
    query->add_dadosconsulta(intToString(id));

    if (!query->ativar())
        std::cout << query->get_mensagem() << '\n';
    return rgn;
}

bool ABELHA::atualizar(ABELHAS* abelha)
{
    query->set_tipoquery(3);
    query->add_tabelas("cadastro.abelha_rainha");
    query->add_campoupdate("data_nasc");
    query->add_dadosupdate(query->literal(abelha->nascimento));
    query->add_campoupdate("matriz");
    query->add_dadosupdate(abelha->matriz ? "'true'" : "'false'");
    query->add_campoupdate("filha");
    query->add_dadosupdate(abelha->mae != 0 ? intToString(abelha->mae) : "null");
    query->add_campoconsulta("id_abelha");
    query->add_dadosconsulta(intToString(abelha->id));

    if (!query->ativar()) {
        std::cout << query->get_mensagem() << '\n';
        return false;
    }
    // The stored number follows a changed mother.
    rg_abelha(abelha->id, abelha->mae);
    return true;
}

std::vector<ABELHAS> ABELHA::listar()
{
    query->set_tipoquery(2);
    query->add_camporetorno("id_abelha");
    query->add_camporetorno("rgn");
    query->add_camporetorno("data_nasc");
    query->add_camporetorno("matriz");
    query->add_camporetorno("filha");
    query->add_tabelas("cadastro.abelha_rainha");
    query->add_campoorder("id_abelha");

    // A failed or empty answer keeps what the last listing found.
    if (query->ativar() && query->get_registros() != 0) {
        abelhas.clear();
        abelhas.reserve(query->linhas_consulta());
        for (int i = 0; i < query->linhas_consulta(); ++i) {
            abelhas.push_back(ler_abelha(query->linha_consulta(i)));
            if (abelhas.back().matriz)
                std::cout << "true\n";
        }
        query->soltar_consulta();
    }
    return abelhas;
}

ABELHAS ABELHA::get_abelha(std::string rgn)
{
    ABELHAS b;

    query->set_tipoquery(2);
    query->add_camporetorno("*");
    query->add_tabelas("cadastro.abelha_rainha");
    query->add_campoconsulta("rgn");
    query->add_dadosconsulta(query->literal(rgn));

    if (query->ativar() && query->get_registros() != 0 && query->linhas_consulta() != 0)
        b = ler_abelha(query->linha_consulta(0));
    return b;
}

bool ABELHA::deletar(int id)
{
    query->set_tipoquery(4);
    query->add_tabelas("cadastro.abelha_rainha");
    query->add_campoconsulta("id_abelha");
    query->add_dadosconsulta(intToString(id));

    if (!query->ativar()) {
        std::cout << query->get_mensagem() << '\n';
        return false;
    }
    return true;
}

void ABELHA::buscar(ABELHAS*) {}
