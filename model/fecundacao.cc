#include "model/fecundacao.h"

#include <algorithm>

#include "db/query.h"
#include "model/criacao.h"
#include "util/validacao.h"

const char* const TIPOS_FECUNDACAO[2] = { "Natural", "Inseminação instrumental" };
const char* const NATURAL = TIPOS_FECUNDACAO[0];
const char* const INSEMINACAO = TIPOS_FECUNDACAO[1];

namespace {

// "a, b e c".
std::string juntar(const std::vector<std::string>& itens)
{
    std::string s;
    for (std::size_t k = 0; k < itens.size(); ++k) {
        if (k > 0)
            s += k + 1 == itens.size() ? " e " : ", ";
        s += itens[k];
    }
    return s;
}

bool so_digitos(const std::string& t)
{
    return !t.empty() && t.size() <= 9 && t.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

std::vector<std::string> separar_zangoes(const std::string& texto)
{
    std::vector<std::string> itens;
    std::string atual;
    const auto fechar = [&itens, &atual] {
        if (!atual.empty() && std::find(itens.begin(), itens.end(), atual) == itens.end())
            itens.push_back(atual);
        atual.clear();
    };
    for (char c : texto) {
        if (c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\n')
            fechar();
        else
            atual += c;
    }
    fechar();
    return itens;
}

std::string descrever_fecundacao(const FECUNDACOES& f)
{
    if (f.tipo.empty())
        return "Fecundação não registrada.";
    std::string s = f.tipo;
    if (f.tipo == NATURAL) {
        if (f.id_apiario != 0)
            s += ", no " + (f.apiario.empty() ? "apiário " + std::to_string(f.id_apiario) : f.apiario);
        if (!f.estacao.empty())
            s += ", na estação de fecundação " + f.estacao;
    }
    if (!f.data.empty())
        s += ", em " + f.data;
    if (!f.zangoes.empty())
        s += (f.tipo == NATURAL ? "; zangões " + std::string(f.zangoes.size() == 1 ? "da colméia " : "das colméias ")
                                : "; zangões " + std::string(f.zangoes.size() == 1 ? "da rainha " : "das rainhas ")) +
             juntar(f.zangoes);
    return s + ".";
}

FECUNDACAO::FECUNDACAO(QUERY* query) : DADOS(query) {}

FECUNDACOES FECUNDACAO::get_fecundacao(int id_abelha)
{
    FECUNDACOES f;
    f.id_abelha = id_abelha;
    // One statement, sources included: the queen bee form reads it for
    // every queen it shows.
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "f.tipo", "to_char(f.data,'DD/MM/YYYY')", "f.id_apiario",
                       "(select a.nome from cadastro.apiario as a where a.id_apiario = f.id_apiario)", "f.estacao",
                       "f.obs",
                       "(select string_agg(coalesce(z.id_colmeia::text, (select a.rgn from cadastro.abelha_rainha as a "
                       "where a.id_abelha = z.id_zangao)), ' ' order by z.id_colmeia, z.id_zangao) "
                       "from cadastro.fecundacao_zangao as z where z.id_abelha = f.id_abelha)" };
    i.tabelas = { "cadastro.fecundacao as f" };
    i.condicao("f.id_abelha", std::to_string(id_abelha));
    RESULTADO r;
    if (!executar_contando(i, &r) || !r.achou())
        return f;
    const LinhaResultado l = r.linha(0);
    f.tipo = l[0];
    f.data = l[1];
    f.id_apiario = l.inteiro(2);
    f.apiario = l[3];
    f.estacao = l[4];
    f.obs = l[5];
    f.zangoes = separar_zangoes(l[6]);
    return f;
}

bool FECUNDACAO::gravar(FECUNDACOES* f)
{
    falha_ = FALHA();
    if (!um_de(f->tipo, TIPOS_FECUNDACAO))
        return recusar("Escolha como a rainha foi fecundada: Natural ou Inseminação instrumental.");
    if (!f->data.empty() && !data_valida(f->data))
        return recusar("A data da fecundação não existe: escreva-a como DD/MM/AAAA.");
    if (!f->data.empty() && dias_entre(hoje(), f->data) > 0)
        return recusar("A data da fecundação ainda não chegou.");
    const bool natural = f->tipo == NATURAL;
    if (!natural && f->data.empty())
        return recusar("Escreva a data da inseminação instrumental.");
    if (natural && f->id_apiario == 0 && f->estacao.find_first_not_of(" \t") == std::string::npos)
        return recusar("Escolha o apiário ou escreva a estação de fecundação onde a rainha foi fecundada.");

    // Each source found now: a hive by its code, a queen by her RGN.
    std::vector<int> codigos;
    for (const std::string& z : f->zangoes) {
        INSTRUCAO i = natural ? query->descrever(INSTRUCAO::CONSULTAR, "cadastro.colmeia", { "id_colmeia" })
                              : query->descrever(INSTRUCAO::CONSULTAR, "cadastro.abelha_rainha", { "id_abelha" });
        if (natural) {
            if (!so_digitos(z))
                return recusar("As colméias de zangões são escritas pelo código (números), separados por vírgula: \"" +
                               z + "\" não é um código.");
            i.condicao("id_colmeia", z);
        } else {
            i.condicao("rgn", query->literal(z));
        }
        RESULTADO r;
        if (!executar_contando(i, &r))
            return false;
        if (!r.achou())
            return recusar(natural ? "Não existe colméia com o código " + z + "."
                                   : "Nenhuma abelha tem o RGN " + z + ": escreva o RGN das rainhas dos zangões.");
        const int codigo = r.linha(0).inteiro(0);
        if (!natural && codigo == f->id_abelha)
            return recusar("Uma rainha não pode ser fecundada por zangões seus.");
        codigos.push_back(codigo);
    }

    if (const RESULTADO r = query->iniciar_transacao(); !r.ok()) {
        falha_ = FALHA(r);
        return false;
    }
    const std::string abelha = std::to_string(f->id_abelha);
    std::string data = "null";
    if (std::string iso; data_valida(f->data, &iso))
        data = query->literal(iso);
    // What was recorded goes with its sources; then the new record.
    INSTRUCAO antes = query->descrever(INSTRUCAO::CONSULTAR);
    antes.camporetorno = { "count(*)" };
    antes.tabelas = { "cadastro.fecundacao" };
    antes.condicao("id_abelha", abelha);
    RESULTADO r;
    bool ok = executar_contando(antes, &r) && r.achou();
    if (ok && r.linha(0).inteiro(0) > 0) {
        INSTRUCAO d = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.fecundacao");
        d.condicao("id_abelha", abelha);
        ok = executar_contando(d);
    }
    if (ok) {
        INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.fecundacao");
        i.inserir("id_abelha", abelha);
        i.inserir("tipo", query->literal(f->tipo));
        i.inserir("data", data);
        i.inserir("id_apiario", natural && f->id_apiario != 0 ? std::to_string(f->id_apiario) : "null");
        i.inserir("estacao", query->literal(natural ? f->estacao : std::string()));
        i.inserir("obs", query->literal(f->obs));
        ok = executar_contando(i);
    }
    for (std::size_t k = 0; ok && k < codigos.size(); ++k) {
        INSTRUCAO z = query->descrever(INSTRUCAO::INSERIR, "cadastro.fecundacao_zangao");
        z.inserir("id_abelha", abelha);
        z.inserir(natural ? "id_colmeia" : "id_zangao", std::to_string(codigos[k]));
        ok = executar_contando(z);
    }
    if (ok) {
        const RESULTADO c = query->confirmar_transacao();
        falha_ = FALHA(c);
        ok = c.ok();
    }
    if (!ok) {
        falha_.houve = true;
        falha_.desfeita = true;
        query->desfazer_transacao();
        return false;
    }
    return true;
}

bool FECUNDACAO::apagar(int id_abelha)
{
    INSTRUCAO d = query->descrever(INSTRUCAO::EXCLUIR, "cadastro.fecundacao");
    d.condicao("id_abelha", std::to_string(id_abelha));
    return executar_contando(d);
}

std::vector<std::string> FECUNDACAO::pais(int id_abelha)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "distinct a.rgn" };
    i.tabelas = { "cadastro.fecundacao_zangao as z left join cadastro.colmeia as c on c.id_colmeia = z.id_colmeia "
                  "join cadastro.abelha_rainha as a on a.id_abelha = coalesce(z.id_zangao, c.id_abelha)" };
    i.condicao("z.id_abelha", std::to_string(id_abelha));
    i.campoorder = { "a.rgn" };
    RESULTADO r;
    executar_contando(i, &r);
    std::vector<std::string> rgns;
    for (int k = 0; k < r.registros(); ++k)
        rgns.push_back(r.linha(k)[0]);
    return rgns;
}
