// What every data-access class shares: the statement builder it works
// through, and why its last call was refused.
#ifndef ZUMBREL_MODEL_DADOS_H
#define ZUMBREL_MODEL_DADOS_H

#include <string>

#include "model/falha.h"

class INSTRUCAO;
class QUERY;

class DADOS
{
public:
    // Why the last call was refused (houve false when it was not).
    const FALHA& falha() const { return falha_; }

protected:
    explicit DADOS(QUERY* q) : query(q) {}
    ~DADOS() = default;

    // Runs the call's statement and keeps its refusal (none when it was
    // accepted); `r`, when given, gets what it returned.
    bool executar(const INSTRUCAO& i, RESULTADO* r = nullptr);
    // The same, and a refusal's text goes to the trace.
    bool executar_contando(const INSTRUCAO& i, RESULTADO* r = nullptr);
    // The call refuses by itself, before anything is sent: false.
    bool recusar(const std::string& motivo);
    // A refused statement's text goes to the trace.
    static void contar(const RESULTADO& r);

    QUERY* query;
    FALHA falha_;
};

#endif // ZUMBREL_MODEL_DADOS_H
