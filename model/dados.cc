#include "model/dados.h"

#include "db/query.h"
#include "db/rastro.h"

bool DADOS::executar(const INSTRUCAO& i, RESULTADO* r)
{
    RESULTADO feito = query->ativar(i);
    falha_ = FALHA(feito);
    if (r)
        *r = std::move(feito);
    return !falha_.houve;
}

bool DADOS::executar_contando(const INSTRUCAO& i, RESULTADO* r)
{
    RESULTADO feito;
    const bool ok = executar(i, &feito);
    contar(feito);
    if (r)
        *r = std::move(feito);
    return ok;
}

bool DADOS::recusar(const std::string& motivo)
{
    falha_ = FALHA::recusa(motivo);
    return false;
}

void DADOS::contar(const RESULTADO& r)
{
    if (!r.ok())
        rastro::escrever(r.mensagem + '\n');
}
