#include "model/empresa.h"

#include <cstddef>

#include "db/query.h"
#include "util/documento.h"

namespace {

// The columns of the company as the update writes them.
const COLUNA<EMPRESAS> COLUNAS_EMPRESA[] = {
    { "nome", [](const BANCOPG& b, const EMPRESAS& e) { return b.literal(e.nome); } },
    { "documento", [](const BANCOPG& b, const EMPRESAS& e) { return b.literal(e.documento); } },
    { "inscricao_estadual", [](const BANCOPG& b, const EMPRESAS& e) { return b.literal(e.inscricao_estadual); } },
    { "id_cep",
      [](const BANCOPG&, const EMPRESAS& e) { return e.cep.id > 0 ? std::to_string(e.cep.id) : std::string("null"); } },
    { "endereco", [](const BANCOPG& b, const EMPRESAS& e) { return b.literal(e.endereco); } },
    { "numero", [](const BANCOPG& b, const EMPRESAS& e) { return b.literal(e.numero); } },
    { "bairro", [](const BANCOPG& b, const EMPRESAS& e) { return b.literal(e.bairro); } },
    { "telefone", [](const BANCOPG& b, const EMPRESAS& e) { return b.literal(e.telefone); } },
    { "email", [](const BANCOPG& b, const EMPRESAS& e) { return b.literal(e.email); } },
};

namespace coluna {
enum : std::size_t {
    NOME, DOCUMENTO, INSCRICAO, ENDERECO, NUMERO, BAIRRO, TELEFONE, EMAIL, VERSAO,
    ID_CEP, CEP, TIPO_LOGRADOURO, LOGRADOURO, BAIRRO_CEP, COD_CID, NOME_MUNICIPIO, ESTADO
};
} // namespace coluna

} // namespace

std::string EMPRESAS::tipo_documento() const
{
    const std::size_t n = so_digitos(documento).size();
    return n == 11 ? "CPF" : n == 14 ? "CNPJ" : "";
}

std::string EMPRESAS::municipio_uf() const
{
    if (cep.municipio.nome.empty())
        return std::string();
    return cep.municipio.estado.empty() ? cep.municipio.nome : cep.municipio.nome + "/" + cep.municipio.estado;
}

bool email_aceito(const std::string& texto)
{
    if (texto.empty())
        return true;
    if (texto.find_first_of(" \t\r\n") != std::string::npos)
        return false;
    const std::size_t arroba = texto.find('@');
    if (arroba == 0 || arroba == std::string::npos || texto.find('@', arroba + 1) != std::string::npos)
        return false;
    const std::string dominio = texto.substr(arroba + 1);
    const std::size_t ponto = dominio.find('.');
    return ponto != std::string::npos && ponto > 0 && dominio.back() != '.';
}

EMPRESA::EMPRESA(QUERY* query) : DADOS(query) {}

EMPRESAS EMPRESA::ler()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "e.nome", "e.documento", "e.inscricao_estadual", "e.endereco", "e.numero", "e.bairro",
                       "e.telefone", "e.email", "e.xmin", "c.id_cep", "c.cep", "c.tipo_logradouro", "c.logradouro",
                       "c.bairro", "m.cod_cid", "m.nome", "m.estado" };
    i.tabelas = { "cadastro.empresa e left join cadastro.ceps c on c.id_cep = e.id_cep "
                  "left join cadastro.municipio m on m.cod_cid = c.cod_cid" };
    i.condicao("e.id_empresa", "1");
    RESULTADO r;
    EMPRESAS e;
    if (!executar_contando(i, &r) || !r.achou())
        return e;
    const LinhaResultado l = r.linha(0);
    using namespace coluna;
    e.nome = l[NOME];
    e.documento = l[DOCUMENTO];
    e.inscricao_estadual = l[INSCRICAO];
    e.endereco = l[ENDERECO];
    e.numero = l[NUMERO];
    e.bairro = l[BAIRRO];
    e.telefone = l[TELEFONE];
    e.email = l[EMAIL];
    e.versao = l[VERSAO];
    e.cep.id = l.inteiro(ID_CEP);
    e.cep.cep = l[CEP];
    e.cep.tipo_logradouro = l[TIPO_LOGRADOURO];
    e.cep.logradouro = l[LOGRADOURO];
    e.cep.bairro = l[BAIRRO_CEP];
    e.cep.municipio.cod_cid = l.inteiro(COD_CID);
    e.cep.municipio.nome = l[NOME_MUNICIPIO];
    e.cep.municipio.estado = l[ESTADO];
    return e;
}

bool EMPRESA::conferir(const EMPRESAS& e)
{
    falha_ = FALHA();
    if (e.nome.find_first_not_of(" \t\r\n") == std::string::npos)
        return recusar("Escreva o nome do produtor ou da empresa.");
    const std::string problema = problema_documento(e.documento);
    if (!problema.empty())
        return recusar(problema);
    if (!email_aceito(e.email))
        return recusar("O e-mail " + e.email + " não é um endereço de e-mail: escreva-o como nome@exemplo.com.br.");
    return true;
}

bool EMPRESA::gravar(const EMPRESAS& empresa)
{
    // The mask writes the document; bare digits typed or pasted are kept as
    // the mask would have written them.
    EMPRESAS e = empresa;
    e.documento = documento_mascarado(e.documento);
    if (!conferir(e))
        return false;
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.empresa");
    i.atualizar(COLUNAS_EMPRESA, e, *query);
    i.condicao("id_empresa", "1");
    if (!e.versao.empty())
        i.condicao("xmin", query->literal(e.versao));
    return executar_contando(i);
}
