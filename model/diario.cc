#include "model/diario.h"

#include <cstdlib>

#include "db/query.h"
#include "model/produto.h"
#include "util/validacao.h"

const Registro REGISTROS[8] = { Registro::REVISAO,      Registro::TRATAMENTO, Registro::ALIMENTACAO,
                                Registro::OCORRENCIA,   Registro::PESAGEM,    Registro::MOVIMENTACAO,
                                Registro::EVENTO,       Registro::COLHEITA };
const char* const DOENCAS[9] = { "Cria pútrida americana", "Cria pútrida europeia", "Pequeno besouro (Aethina tumida)",
                                 "Tropilaelaps", "Varroose", "Nosemose", "Cria giz", "Acarapisose", "Outra" };
const char* const OUTRA_DOENCA = DOENCAS[8];
const char* const NIVEIS_OCORRENCIA[3] = { "leve", "moderada", "grave" };
const char* const FINALIDADES[3] = { "Florada", "Polinização", "Outro" };
const char* const TIPOS_EVENTO[5] = { "Divisão", "Junção", "Captura de Enxame", "Perda", "Venda" };
const char* const MOTIVOS_PERDA[6] = { "morte", "abandono", "furto", "incêndio", "agrotóxico", "outro" };

namespace {

// Each kind of entry: the name the journal shows, its table and its key.
struct Tabela
{
    Registro registro;
    const char* nome;
    const char* tabela;
    const char* chave;
};
const Tabela TABELAS[] = {
    { Registro::REVISAO, "Revisão", "cadastro.revisao", "id_revisao" },
    { Registro::TRATAMENTO, "Tratamento", "cadastro.tratamento", "id_tratamento" },
    { Registro::ALIMENTACAO, "Alimentação", "cadastro.alimentacao", "id_alimentacao" },
    { Registro::OCORRENCIA, "Ocorrência", "cadastro.ocorrencia", "id_ocorrencia" },
    { Registro::PESAGEM, "Pesagem", "cadastro.pesagem", "id_pesagem" },
    { Registro::MOVIMENTACAO, "Movimentação", "cadastro.movimentacao", "id_movimentacao" },
    { Registro::EVENTO, "Evento", "cadastro.evento_colonia", "id_evento" },
    { Registro::COLHEITA, "Colheita", "cadastro.colheita", "id_colheita" },
};

const Tabela& tabela(Registro r)
{
    for (const Tabela& t : TABELAS) {
        if (t.registro == r)
            return t;
    }
    return TABELAS[0];
}

// An amount as the database takes it; "" is null when it may be missing.
std::string numero_sql(const BANCOPG& b, const std::string& texto, bool nulo_se_vazio = false)
{
    if (nulo_se_vazio && texto.find_first_not_of(' ') == std::string::npos)
        return "null";
    std::string numero;
    return ler_quilos(texto, &numero) ? numero : b.literal(texto);
}

bool inteiro_ou_vazio(const std::string& texto)
{
    if (texto.size() > 6)
        return false;
    for (char c : texto) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool positivo(const std::string& texto)
{
    std::string numero;
    return ler_quilos(texto, &numero) && std::strtod(numero.c_str(), nullptr) > 0;
}

std::string chave(int id) { return std::to_string(id); }

const COLUNA<TRATAMENTOS> COLUNAS_TRATAMENTO[] = {
    { "id_colmeia", [](const BANCOPG&, const TRATAMENTOS& t) { return chave(t.id_colmeia); }, true },
    { "id_produto", [](const BANCOPG&, const TRATAMENTOS& t) { return chave(t.id_produto); } },
    { "inicio", [](const BANCOPG& b, const TRATAMENTOS& t) { return data_sql(b, t.inicio); } },
    { "fim", [](const BANCOPG& b, const TRATAMENTOS& t) { return data_sql(b, t.fim); } },
    { "dose", [](const BANCOPG& b, const TRATAMENTOS& t) { return numero_sql(b, t.dose, true); } },
    { "unidade", [](const BANCOPG& b, const TRATAMENTOS& t) { return b.literal(t.unidade); } },
    { "lote_produto", [](const BANCOPG& b, const TRATAMENTOS& t) { return b.literal(t.lote); } },
    { "obs", [](const BANCOPG& b, const TRATAMENTOS& t) { return b.literal(t.obs); } },
};

const COLUNA<ALIMENTACOES> COLUNAS_ALIMENTACAO[] = {
    { "id_colmeia", [](const BANCOPG&, const ALIMENTACOES& a) { return chave(a.id_colmeia); }, true },
    { "data", [](const BANCOPG& b, const ALIMENTACOES& a) { return data_sql(b, a.data); } },
    { "id_produto", [](const BANCOPG&, const ALIMENTACOES& a) { return chave(a.id_produto); } },
    { "quantidade", [](const BANCOPG& b, const ALIMENTACOES& a) { return numero_sql(b, a.quantidade); } },
    { "unidade", [](const BANCOPG& b, const ALIMENTACOES& a) { return b.literal(a.unidade); } },
    { "obs", [](const BANCOPG& b, const ALIMENTACOES& a) { return b.literal(a.obs); } },
};

const COLUNA<OCORRENCIAS> COLUNAS_OCORRENCIA[] = {
    { "id_colmeia", [](const BANCOPG&, const OCORRENCIAS& o) { return chave(o.id_colmeia); }, true },
    { "data", [](const BANCOPG& b, const OCORRENCIAS& o) { return data_sql(b, o.data); } },
    { "doenca", [](const BANCOPG& b, const OCORRENCIAS& o) { return b.literal(o.doenca); } },
    { "outra", [](const BANCOPG& b, const OCORRENCIAS& o) { return b.literal(o.doenca == OUTRA_DOENCA ? o.outra : ""); } },
    { "quadros",
      [](const BANCOPG& b, const OCORRENCIAS& o) { return o.quadros.empty() ? std::string("null") : b.literal(o.quadros); } },
    { "nivel", [](const BANCOPG& b, const OCORRENCIAS& o) { return b.literal(o.nivel); } },
    { "obs", [](const BANCOPG& b, const OCORRENCIAS& o) { return b.literal(o.obs); } },
};

const COLUNA<PESAGENS> COLUNAS_PESAGEM[] = {
    { "id_colmeia", [](const BANCOPG&, const PESAGENS& p) { return chave(p.id_colmeia); }, true },
    { "data", [](const BANCOPG& b, const PESAGENS& p) { return data_sql(b, p.data); } },
    { "peso_kg", [](const BANCOPG& b, const PESAGENS& p) { return numero_sql(b, p.peso); } },
    { "obs", [](const BANCOPG& b, const PESAGENS& p) { return b.literal(p.obs); } },
};

const COLUNA<COLHEITAS> COLUNAS_COLHEITA[] = {
    { "id_colmeia", [](const BANCOPG&, const COLHEITAS& c) { return chave(c.id_colmeia); }, true },
    { "data", [](const BANCOPG& b, const COLHEITAS& c) { return data_sql(b, c.data); } },
    { "mel_kg", [](const BANCOPG& b, const COLHEITAS& c) { return numero_sql(b, c.quilos); } },
    { "obs", [](const BANCOPG& b, const COLHEITAS& c) { return b.literal(c.obs); } },
};

// The origin is the database's (where the hive stood on the move's date,
// written over whatever is sent): the column takes the destination until then.
const COLUNA<MOVIMENTACOES> COLUNAS_MOVIMENTACAO[] = {
    { "id_colmeia", [](const BANCOPG&, const MOVIMENTACOES& m) { return chave(m.id_colmeia); } },
    { "data", [](const BANCOPG& b, const MOVIMENTACOES& m) { return data_sql(b, m.data); } },
    { "id_origem", [](const BANCOPG&, const MOVIMENTACOES& m) { return chave(m.id_destino); } },
    { "id_destino", [](const BANCOPG&, const MOVIMENTACOES& m) { return chave(m.id_destino); } },
    { "gta", [](const BANCOPG& b, const MOVIMENTACOES& m) { return b.literal(m.gta); } },
    { "finalidade", [](const BANCOPG& b, const MOVIMENTACOES& m) { return b.literal(m.finalidade); } },
    { "obs", [](const BANCOPG& b, const MOVIMENTACOES& m) { return b.literal(m.obs); } },
};

const COLUNA<EVENTOS_COLONIA> COLUNAS_EVENTO[] = {
    { "id_colmeia", [](const BANCOPG&, const EVENTOS_COLONIA& e) { return chave(e.id_colmeia); } },
    { "data", [](const BANCOPG& b, const EVENTOS_COLONIA& e) { return data_sql(b, e.data); } },
    { "tipo", [](const BANCOPG& b, const EVENTOS_COLONIA& e) { return b.literal(e.tipo); } },
    { "id_relacionada",
      [](const BANCOPG&, const EVENTOS_COLONIA& e) { return e.id_relacionada > 0 ? chave(e.id_relacionada) : "null"; } },
    { "com_rainha", [](const BANCOPG&, const EVENTOS_COLONIA& e) { return std::string(e.com_rainha ? "true" : "false"); } },
    { "local", [](const BANCOPG& b, const EVENTOS_COLONIA& e) { return b.literal(e.local); } },
    { "motivo", [](const BANCOPG& b, const EVENTOS_COLONIA& e) { return b.literal(e.tipo == "Perda" ? e.motivo : ""); } },
    { "obs", [](const BANCOPG& b, const EVENTOS_COLONIA& e) { return b.literal(e.obs); } },
};

const char* const DATA_SEM_FORMA = " não existe: escreva-a como DD/MM/AAAA.";

// The checks of what a person types, before anything is sent: the reason
// of the first field that is wrong, "" when all are right.
std::string conferir(const TRATAMENTOS& t)
{
    if (t.id_produto <= 0)
        return "Escolha o produto do tratamento.";
    if (!data_valida(t.inicio))
        return std::string("A data de início") + DATA_SEM_FORMA;
    if (!data_valida(t.fim))
        return std::string("A data de fim") + DATA_SEM_FORMA;
    if (!t.dose.empty() && !ler_quilos(t.dose))
        return "A dose deve ser um número, zero ou mais (por exemplo 2,5), ou ficar em branco.";
    if (!t.unidade.empty() && !unidade_valida(t.unidade))
        return "Escolha a unidade da dose.";
    return std::string();
}

std::string conferir(const ALIMENTACOES& a)
{
    if (!data_valida(a.data))
        return std::string("A data da alimentação") + DATA_SEM_FORMA;
    if (a.id_produto <= 0)
        return "Escolha o alimento (um produto do tipo Alimento).";
    if (a.quantidade.empty() || !ler_quilos(a.quantidade))
        return "A quantidade deve ser um número, zero ou mais (por exemplo 1,5).";
    if (!unidade_valida(a.unidade))
        return "Escolha a unidade da quantidade.";
    return std::string();
}

std::string conferir(const OCORRENCIAS& o)
{
    if (!data_valida(o.data))
        return std::string("A data da ocorrência") + DATA_SEM_FORMA;
    if (!um_de(o.doenca, DOENCAS))
        return "Escolha a ocorrência na lista.";
    if (o.doenca == OUTRA_DOENCA && o.outra.find_first_not_of(' ') == std::string::npos)
        return "Escreva o nome da ocorrência (\"Outra\").";
    if (!inteiro_ou_vazio(o.quadros))
        return "O número de quadros deve ser um número inteiro, zero ou mais, ou ficar em branco.";
    if (!o.nivel.empty() && !um_de(o.nivel, NIVEIS_OCORRENCIA))
        return "Escolha o nível: leve, moderada ou grave.";
    return std::string();
}

std::string conferir(const PESAGENS& p)
{
    if (!data_valida(p.data))
        return std::string("A data da pesagem") + DATA_SEM_FORMA;
    if (!positivo(p.peso))
        return "O peso deve ser um número de quilos maior que zero (por exemplo 32,5).";
    return std::string();
}

std::string conferir(const COLHEITAS& c)
{
    if (!data_valida(c.data))
        return std::string("A data da colheita") + DATA_SEM_FORMA;
    if (!positivo(c.quilos))
        return "Os quilos de mel devem ser um número maior que zero (por exemplo 18,5).";
    return std::string();
}

std::string conferir(const MOVIMENTACOES& m)
{
    if (m.id_destino <= 0)
        return "Escolha o apiário de destino.";
    if (!data_valida(m.data))
        return std::string("A data da movimentação") + DATA_SEM_FORMA;
    if (!um_de(m.finalidade, FINALIDADES))
        return "Escolha a finalidade: Florada, Polinização ou Outro.";
    return std::string();
}

std::string conferir(const EVENTOS_COLONIA& e)
{
    if (!um_de(e.tipo, TIPOS_EVENTO))
        return "Escolha o tipo do evento.";
    if (!data_valida(e.data))
        return std::string("A data do evento") + DATA_SEM_FORMA;
    if ((e.tipo == "Divisão" || e.tipo == "Junção") && e.id_relacionada <= 0)
        return e.tipo == "Divisão" ? "Escolha a colméia de onde sai a divisão." : "Escolha a colméia que recebe esta.";
    if (e.tipo == "Junção" && e.id_relacionada == e.id_colmeia)
        return "Uma colméia não pode ser unida a si mesma: escolha outra.";
    if (e.tipo == "Perda" && !um_de(e.motivo, MOTIVOS_PERDA))
        return "Escolha o motivo da perda.";
    return std::string();
}

// An entry's date read day first.
std::string dia(const char* coluna) { return dia_mostrado(coluna); }

TRATAMENTOS ler_tratamento(const LinhaResultado& l)
{
    TRATAMENTOS t;
    t.id = l.inteiro(0);
    t.id_colmeia = l.inteiro(1);
    t.id_produto = l.inteiro(2);
    t.produto = l[3];
    t.inicio = l[4];
    t.fim = l[5];
    t.dose = l[6].empty() ? std::string() : mostrar_quilos(l[6]);
    t.unidade = l[7];
    t.lote = l[8];
    t.obs = l[9];
    t.carencia = l[10];
    t.carencia_ate = l[11];
    t.registrado_por = l[12];
    t.versao = l[13];
    return t;
}

ALIMENTACOES ler_alimentacao(const LinhaResultado& l)
{
    ALIMENTACOES a;
    a.id = l.inteiro(0);
    a.id_colmeia = l.inteiro(1);
    a.data = l[2];
    a.id_produto = l.inteiro(3);
    a.produto = l[4];
    a.quantidade = mostrar_quilos(l[5]);
    a.unidade = l[6];
    a.obs = l[7];
    a.versao = l[8];
    return a;
}

OCORRENCIAS ler_ocorrencia(const LinhaResultado& l)
{
    OCORRENCIAS o;
    o.id = l.inteiro(0);
    o.id_colmeia = l.inteiro(1);
    o.data = l[2];
    o.doenca = l[3];
    o.outra = l[4];
    o.quadros = l[5];
    o.nivel = l[6];
    o.obs = l[7];
    o.notificacao = l[8];
    o.versao = l[9];
    return o;
}

PESAGENS ler_pesagem(const LinhaResultado& l)
{
    PESAGENS p;
    p.id = l.inteiro(0);
    p.id_colmeia = l.inteiro(1);
    p.data = l[2];
    p.peso = mostrar_quilos(l[3]);
    p.obs = l[4];
    p.versao = l[5];
    return p;
}

MOVIMENTACOES ler_movimentacao(const LinhaResultado& l)
{
    MOVIMENTACOES m;
    m.id = l.inteiro(0);
    m.id_colmeia = l.inteiro(1);
    m.data = l[2];
    m.id_origem = l.inteiro(3);
    m.origem = l[4];
    m.id_destino = l.inteiro(5);
    m.destino = l[6];
    m.gta = l[7];
    m.finalidade = l[8];
    m.obs = l[9];
    m.versao = l[10];
    return m;
}

EVENTOS_COLONIA ler_evento(const LinhaResultado& l)
{
    EVENTOS_COLONIA e;
    e.id = l.inteiro(0);
    e.id_colmeia = l.inteiro(1);
    e.data = l[2];
    e.tipo = l[3];
    e.id_relacionada = l.inteiro(4);
    e.com_rainha = l[5] == "t";
    e.local = l[6];
    e.motivo = l[7];
    e.obs = l[8];
    e.versao = l[9];
    return e;
}

COLHEITAS ler_colheita(const LinhaResultado& l)
{
    COLHEITAS c;
    c.id = l.inteiro(0);
    c.id_colmeia = l.inteiro(1);
    c.data = l[2];
    c.quilos = mostrar_quilos(l[3]);
    c.obs = l[4];
    c.versao = l[5];
    return c;
}

ENTRADA_DIARIO ler_entrada(const LinhaResultado& l)
{
    ENTRADA_DIARIO e;
    e.tipo = l[0];
    registro_de_nome(e.tipo, &e.registro);
    e.id = l.inteiro(1);
    e.data = l[2];
    e.resumo = l[3];
    e.versao = l[4];
    return e;
}

// The hives' keys as a list for "in (...)".
std::string lista_de(const std::vector<int>& colmeias)
{
    std::string texto;
    for (int c : colmeias)
        texto += (texto.empty() ? "" : ", ") + std::to_string(c);
    return texto;
}

} // namespace

const char* nome_do_registro(Registro r) { return tabela(r).nome; }

bool registro_de_nome(const std::string& nome, Registro* r)
{
    for (const Tabela& t : TABELAS) {
        if (nome == t.nome) {
            *r = t.registro;
            return true;
        }
    }
    if (um_de(nome, TIPOS_EVENTO)) {
        *r = Registro::EVENTO;
        return true;
    }
    return false;
}

bool notificacao_imediata(const std::string& doenca)
{
    for (int i = 0; i < 4; ++i) {
        if (doenca == DOENCAS[i])
            return true;
    }
    return false;
}

const char* notificacao(const std::string& doenca)
{
    if (notificacao_imediata(doenca))
        return "notificação imediata";
    for (int i = 4; i < 8; ++i) {
        if (doenca == DOENCAS[i])
            return "notificação mensal";
    }
    return "";
}

std::string em_carencia(const std::string& ate) { return "Em carência até " + ate; }

std::string data_sql(const BANCOPG& b, const std::string& data)
{
    std::string iso;
    return b.literal(data_valida(data, &iso) ? iso : data);
}

std::string dia_mostrado(const std::string& coluna) { return "to_char(" + coluna + ",'DD/MM/YYYY')"; }

std::string apiario_no_dia(const std::string& colmeia, const std::string& data)
{
    return "coalesce((select m.id_destino from cadastro.movimentacao as m where m.id_colmeia = " + colmeia +
           " and m.data <= " + data + " order by m.data desc, m.id_movimentacao desc limit 1), "
           "(select m.id_origem from cadastro.movimentacao as m where m.id_colmeia = " + colmeia + " and m.data > " +
           data + " order by m.data, m.id_movimentacao limit 1), "
           "(select k.id_apiario from cadastro.colmeia as k where k.id_colmeia = " + colmeia + "))";
}

std::string colheitas_de_mel()
{
    return "(select r.id_colmeia, r.data_revisao as data, r.mel_kg from cadastro.revisao as r union all "
           "select h.id_colmeia, h.data, h.mel_kg from cadastro.colheita as h)";
}

DIARIO::DIARIO(QUERY* query) : DADOS(query) {}

// One insert of the entry for every hive of the set: all rows or none.
template <class T, std::size_t N>
bool DIARIO::inserir_para(Registro tipo, const COLUNA<T> (&colunas)[N], T registro, const std::vector<int>& colmeias,
                          const std::string& recusa, int* primeiro)
{
    falha_ = FALHA();
    if (!recusa.empty())
        return recusar(recusa);
    if (colmeias.empty())
        return recusar("Escolha ao menos uma colméia.");
    const Tabela& tb = tabela(tipo);
    INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, tb.tabela, { tb.chave });
    for (std::size_t k = 0; k < colmeias.size(); ++k) {
        if (k > 0)
            i.outra_linha();
        registro.id_colmeia = colmeias[k];
        i.inserir(colunas, registro, *query);
    }
    RESULTADO r;
    if (!executar_contando(i, &r))
        return false;
    if (primeiro)
        *primeiro = r.achou() ? r.linha(0).inteiro(0) : 0;
    return true;
}

bool DIARIO::tratar(const TRATAMENTOS& t, const std::vector<int>& colmeias)
{
    return inserir_para(Registro::TRATAMENTO, COLUNAS_TRATAMENTO, t, colmeias, conferir(t));
}

bool DIARIO::alimentar(const ALIMENTACOES& a, const std::vector<int>& colmeias)
{
    return inserir_para(Registro::ALIMENTACAO, COLUNAS_ALIMENTACAO, a, colmeias, conferir(a));
}

bool DIARIO::pesar(const PESAGENS& p, const std::vector<int>& colmeias)
{
    return inserir_para(Registro::PESAGEM, COLUNAS_PESAGEM, p, colmeias, conferir(p));
}

bool DIARIO::mover(const MOVIMENTACOES& m, const std::vector<int>& colmeias)
{
    return inserir_para(Registro::MOVIMENTACAO, COLUNAS_MOVIMENTACAO, m, colmeias, conferir(m));
}

bool DIARIO::colher(const COLHEITAS& c, const std::vector<int>& colmeias)
{
    return inserir_para(Registro::COLHEITA, COLUNAS_COLHEITA, c, colmeias, conferir(c));
}

int DIARIO::para_outro_municipio(const MOVIMENTACOES& m, const std::vector<int>& colmeias)
{
    if (colmeias.empty() || m.id_destino <= 0)
        return 0;
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "count(*)" };
    i.tabelas = { "cadastro.colmeia as c", "cadastro.apiario as a" };
    i.tipojoin = INSTRUCAO::INTERNA;
    i.check_join = { "a.id_apiario = c.id_apiario" };
    i.filtroconsulta = "c.id_colmeia in (" + lista_de(colmeias) +
                       ") and a.cod_cid <> (select d.cod_cid from cadastro.apiario as d where d.id_apiario = " +
                       chave(m.id_destino) + ")";
    RESULTADO r;
    if (!executar(i, &r) || !r.achou())
        return -1;
    return r.linha(0).inteiro(0);
}

bool DIARIO::registrar(OCORRENCIAS* o)
{
    return inserir_para(Registro::OCORRENCIA, COLUNAS_OCORRENCIA, *o, { o->id_colmeia }, conferir(*o), &o->id);
}

bool DIARIO::registrar(EVENTOS_COLONIA* e, COLMEIAS* nova)
{
    falha_ = FALHA();
    const bool faz_colmeia = e->tipo == "Divisão" || e->tipo == "Captura de Enxame";
    EVENTOS_COLONIA evento = *e;
    if (faz_colmeia)
        evento.id_colmeia = -1;   // the new hive, not yet stored
    else if (evento.id_colmeia <= 0)
        return recusar("Escolha a colméia do evento.");
    if (const std::string recusa = conferir(evento); !recusa.empty())
        return recusar(recusa);
    if (faz_colmeia && !nova)
        return recusar("Escolha o tipo da nova colméia.");

    if (!faz_colmeia) {
        INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.evento_colonia", { "id_evento" });
        i.inserir(COLUNAS_EVENTO, evento, *query);
        RESULTADO r;
        if (!executar_contando(i, &r) || !r.achou())
            return false;
        e->id = r.linha(0).inteiro(0);
        return true;
    }

    // The new hive and its event, both or neither.
    COLMEIAS c = *nova;
    COLMEIA colmeias(query);
    if (c.id_apiario == 0 && evento.id_relacionada > 0)
        c.id_apiario = colmeias.get_colmeia(evento.id_relacionada).id_apiario;
    if (c.status.empty())
        c.status = evento.tipo == "Divisão" && !evento.com_rainha ? "Órfã" : "Ativa";
    if (c.instalacao.empty())
        c.instalacao = evento.data;
    if (const RESULTADO r = query->iniciar_transacao(); !r.ok()) {
        falha_ = FALHA(r);
        return false;
    }
    bool ok = colmeias.inserir(&c);
    if (!ok) {
        falha_ = colmeias.falha();
    } else {
        evento.id_colmeia = c.id;
        INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.evento_colonia", { "id_evento" });
        i.inserir(COLUNAS_EVENTO, evento, *query);
        RESULTADO r;
        ok = executar_contando(i, &r) && r.achou();
        if (ok) {
            const RESULTADO confirmado = query->confirmar_transacao();
            ok = confirmado.ok();
            if (!ok)
                falha_ = FALHA(confirmado);
            else
                evento.id = r.linha(0).inteiro(0);
        }
    }
    if (!ok) {
        falha_.desfeita = true;
        query->desfazer_transacao();
        return false;
    }
    *nova = c;
    *e = evento;
    return true;
}

template <class T, std::size_t N>
bool DIARIO::atualizar_em(Registro registro, const COLUNA<T> (&colunas)[N], const T& t, const std::string& recusa)
{
    falha_ = FALHA();
    if (!recusa.empty())
        return recusar(recusa);
    const Tabela& tb = tabela(registro);
    INSTRUCAO i = query->descrever(INSTRUCAO::ATUALIZAR, tb.tabela);
    i.atualizar(colunas, t, *query);
    i.condicao(tb.chave, chave(t.id));
    if (!t.versao.empty())
        i.condicao("xmin", query->literal(t.versao));
    return executar_contando(i);
}

bool DIARIO::atualizar(const TRATAMENTOS& t)
{
    return atualizar_em(Registro::TRATAMENTO, COLUNAS_TRATAMENTO, t, conferir(t));
}
bool DIARIO::atualizar(const ALIMENTACOES& a)
{
    return atualizar_em(Registro::ALIMENTACAO, COLUNAS_ALIMENTACAO, a, conferir(a));
}
bool DIARIO::atualizar(const OCORRENCIAS& o)
{
    return atualizar_em(Registro::OCORRENCIA, COLUNAS_OCORRENCIA, o, conferir(o));
}
bool DIARIO::atualizar(const PESAGENS& p) { return atualizar_em(Registro::PESAGEM, COLUNAS_PESAGEM, p, conferir(p)); }
bool DIARIO::atualizar(const COLHEITAS& c)
{
    return atualizar_em(Registro::COLHEITA, COLUNAS_COLHEITA, c, conferir(c));
}

bool DIARIO::deletar(Registro registro, int id, const std::string& versao)
{
    const Tabela& tb = tabela(registro);
    INSTRUCAO i = query->descrever(INSTRUCAO::EXCLUIR, tb.tabela);
    i.condicao(tb.chave, chave(id));
    if (!versao.empty())
        i.condicao("xmin", query->literal(versao));
    return executar_contando(i);
}

template <class T>
T DIARIO::ler_um(INSTRUCAO i, const char* chave_sql, int id, T (*ler)(const LinhaResultado&))
{
    i.condicao(chave_sql, chave(id));
    RESULTADO r;
    executar(i, &r);
    return r.achou() ? ler(r.linha(0)) : T();
}

TRATAMENTOS DIARIO::get_tratamento(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "t.id_tratamento", "t.id_colmeia", "t.id_produto", "p.nome", dia("t.inicio"), dia("t.fim"),
                       "t.dose", "t.unidade", "t.lote_produto", "t.obs", "t.carencia_dias", dia("t.carencia_ate"),
                       "coalesce((select u.nome from cadastro.usuario as u where u.id_usuario = t.id_usuario), '')",
                       "t.xmin" };
    i.tabelas = { "cadastro.tratamento as t", "cadastro.produto as p" };
    i.tipojoin = INSTRUCAO::INTERNA;
    i.check_join = { "p.id_produto = t.id_produto" };
    return ler_um(i, "t.id_tratamento", id, ler_tratamento);
}

ALIMENTACOES DIARIO::get_alimentacao(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "a.id_alimentacao", "a.id_colmeia", dia("a.data"), "a.id_produto", "p.nome", "a.quantidade",
                       "a.unidade", "a.obs", "a.xmin" };
    i.tabelas = { "cadastro.alimentacao as a", "cadastro.produto as p" };
    i.tipojoin = INSTRUCAO::INTERNA;
    i.check_join = { "p.id_produto = a.id_produto" };
    return ler_um(i, "a.id_alimentacao", id, ler_alimentacao);
}

OCORRENCIAS DIARIO::get_ocorrencia(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.ocorrencia",
                                   { "id_ocorrencia", "id_colmeia", dia("data"), "doenca", "outra", "quadros", "nivel",
                                     "obs", "notificacao", "xmin" });
    return ler_um(i, "id_ocorrencia", id, ler_ocorrencia);
}

PESAGENS DIARIO::get_pesagem(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.pesagem",
                                   { "id_pesagem", "id_colmeia", dia("data"), "peso_kg", "obs", "xmin" });
    return ler_um(i, "id_pesagem", id, ler_pesagem);
}

MOVIMENTACOES DIARIO::get_movimentacao(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR);
    i.camporetorno = { "m.id_movimentacao", "m.id_colmeia", dia("m.data"), "m.id_origem",
                       "(select a.nome from cadastro.apiario as a where a.id_apiario = m.id_origem)", "m.id_destino",
                       "(select a.nome from cadastro.apiario as a where a.id_apiario = m.id_destino)", "m.gta",
                       "m.finalidade", "m.obs", "m.xmin" };
    i.tabelas = { "cadastro.movimentacao as m" };
    return ler_um(i, "m.id_movimentacao", id, ler_movimentacao);
}

EVENTOS_COLONIA DIARIO::get_evento(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.evento_colonia",
                                   { "id_evento", "id_colmeia", dia("data"), "tipo", "id_relacionada", "com_rainha",
                                     "local", "motivo", "obs", "xmin" });
    return ler_um(i, "id_evento", id, ler_evento);
}

COLHEITAS DIARIO::get_colheita(int id)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.colheita",
                                   { "id_colheita", "id_colmeia", dia("data"), "mel_kg", "obs", "xmin" });
    return ler_um(i, "id_colheita", id, ler_colheita);
}

LISTA_DIARIO DIARIO::listar(int id_colmeia, const Registro* so)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.diario as d",
                                   { "d.tipo", "d.id", dia("d.data"), "d.resumo", "d.versao" });
    if (so && *so == Registro::EVENTO) {
        // Events are listed by their own types.
        std::string tipos;
        for (const char* t : TIPOS_EVENTO)
            tipos += (tipos.empty() ? "" : ", ") + query->literal(t);
        i.filtroconsulta = "d.id_colmeia = " + chave(id_colmeia) + " and d.tipo in (" + tipos + ")";
    } else {
        i.condicao("d.id_colmeia", chave(id_colmeia));
        if (so)
            i.condicao("d.tipo", query->literal(nome_do_registro(*so)));
    }
    i.campoorder = { "d.data desc", "d.id desc" };
    RESULTADO r;
    executar_contando(i, &r);
    return LISTA_DIARIO(r, ler_entrada);
}

std::string DIARIO::carencia_ate(int id_colmeia)
{
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR, "cadastro.tratamento", { dia("max(carencia_ate)") });
    i.filtroconsulta = "id_colmeia = " + chave(id_colmeia) + " and carencia_ate >= current_date";
    RESULTADO r;
    executar(i, &r);
    return r.achou() ? r.linha(0)[0] : std::string();
}
