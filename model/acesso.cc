#include "model/acesso.h"

#include "db/lista_registros.h"
#include "db/query.h"

namespace {

// The columns of an access level as insert and update write them.
const COLUNA<ACESS> COLUNAS_ACESSO[] = {
    { "desc_acesso", [](const BANCOPG& b, const ACESS& a) { return b.literal(a.descricao); } },
    { "nivel_acesso", [](const BANCOPG&, const ACESS& a) { return std::to_string(a.nivel); } },
};

// id_acesso, nivel_acesso, desc_acesso, xmin, as listar selects them.
ACESS ler_acesso(const LinhaResultado& linha)
{
    ACESS a;
    a.id = linha.inteiro(0);
    a.nivel = linha.inteiro(1);
    a.descricao = linha[2];
    a.versao = linha[3];
    return a;
}

} // namespace

const char* const SEM_ADMINISTRADOR = "o sistema ficaria sem administrador";

ACESSO::ACESSO(QUERY* query) : DADOS(query) {}

bool ACESSO::inserir(ACESS* registro)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.acesso", { "id_acesso" });
    i.inserir(COLUNAS_ACESSO, *registro, *query);

    RESULTADO r;
    if (!executar(i, &r) || !r.achou())
        return false;
    registro->id = r.linha(0).inteiro(0);
    return true;
}

bool ACESSO::atualizar(ACESS* registro)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, "cadastro.acesso");
    i.atualizar(COLUNAS_ACESSO, *registro, *query);
    i.condicao("id_acesso", std::to_string(registro->id));
    if (!registro->versao.empty())
        i.condicao("xmin", query->literal(registro->versao));
    return executar_contando(i);
}

std::vector<ACESS> ACESSO::listar()
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.acesso", { "id_acesso", "nivel_acesso", "desc_acesso", "xmin" });
    i.campoorder = { "desc_acesso" };

    // A failed or empty answer keeps what the last listing found. The rows
    // go once they are copied, before the copy is handed out.
    if (RESULTADO r; executar(i, &r) && r.achou())
        LISTA_REGISTROS<ACESS>(r, ler_acesso).copiar(acessos);
    return acessos;
}

bool ACESSO::deletar(int id, const std::string& versao)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.acesso");
    i.condicao("id_acesso", std::to_string(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    return executar_contando(i);
}

void ACESSO::buscar(ACESS*) {}

bool ACESSO::administrador(int nivel)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.acesso", { "max(nivel_acesso)" });
    const RESULTADO r = query->ativar(i);
    const LinhaResultado linha = r.linha(0);
    // No level stored gives NULL: nobody is an administrator.
    if (!r.achou() || *linha.c_str(0) == '\0')
        return false;
    return nivel >= linha.inteiro(0);
}

bool ACESSO::ainda_administrador(int id_usuario)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.tipojoin = INSTRUCAO::INTERNA;
    i.camporetorno = { "u.id_usuario" };
    i.tabelas = { "cadastro.usuario as u", "cadastro.acesso as a" };
    i.check_join = { "u.id_acesso=a.id_acesso" };
    i.filtroconsulta = "u.id_usuario = " + std::to_string(id_usuario) +
                       " and a.nivel_acesso = (select max(nivel_acesso) from cadastro.acesso)";
    // Unanswered (the server away) is no answer: what was known stays.
    RESULTADO r;
    return !executar(i, &r) || r.achou();
}

bool ACESSO::sem_administrador() const
{
    return falha_.mensagem.find(SEM_ADMINISTRADOR) != std::string::npos;
}
