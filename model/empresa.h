// The producer's or company's own data (table cadastro.empresa, one row):
// the name, CPF or CNPJ, state registration, address with its CEP, phone
// and e-mail that reports and labels print in their header. Everyone reads
// it; only an administrator changes it (the database sees to it).
#ifndef ZUMBREL_MODEL_EMPRESA_H
#define ZUMBREL_MODEL_EMPRESA_H

#include <string>

#include "model/dados.h"
#include "model/usuario.h"

class EMPRESAS
{
public:
    std::string nome;
    // The CPF or CNPJ as the mask writes it ("" while not typed).
    std::string documento;
    std::string inscricao_estadual;
    // The CEP with its municipality (id 0 for none).
    CEPS cep;
    std::string endereco;
    std::string numero;
    std::string bairro;
    std::string telefone;
    std::string email;
    // The stored row's version when read: a save with it is refused once
    // another desktop changed the data.
    std::string versao;

    // "CPF" or "CNPJ", as the document is ("" while there is none).
    std::string tipo_documento() const;
    // The municipality and state as a header prints them ("Dourados/MS"),
    // "" without a CEP.
    std::string municipio_uf() const;
};

class EMPRESA : public DADOS
{
public:
    explicit EMPRESA(QUERY* query);

    // The company's data as stored (all empty, and falha() saying why, when
    // it cannot be read).
    EMPRESAS ler();
    // Stores the data while the row is at the version read; false, with
    // nothing stored and falha() saying why, for a blank name, a CPF or CNPJ
    // that is not whole or whose check digits are wrong, an e-mail that is
    // not one, another desktop's change, or a user who is no administrator.
    bool gravar(const EMPRESAS& empresa);

private:
    bool conferir(const EMPRESAS& e);
};

// Whether the text may be an e-mail address: one "@" with something before
// it and a dotted domain after it, no blanks ("" is allowed: not required).
bool email_aceito(const std::string& texto);

#endif // ZUMBREL_MODEL_EMPRESA_H
