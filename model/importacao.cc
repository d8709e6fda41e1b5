#include "model/importacao.h"

#include <cstdlib>
#include <initializer_list>
#include <map>
#include <set>

#include "db/query.h"
#include "db/rastro.h"
#include "model/abelha.h"
#include "model/apiario.h"
#include "model/colmeia.h"
#include "model/florada.h"
#include "model/municipio.h"
#include "model/revisao.h"
#include "relatorios/planilha.h"
#include "util/marcacao.h"
#include "util/validacao.h"

namespace {

// Where a field is in the file: the first column whose title is one of the
// names (compared trimmed and in lower case); -1 when none is.
int coluna(const std::vector<std::string>& titulos, std::initializer_list<const char*> nomes)
{
    for (std::size_t i = 0; i < titulos.size(); ++i) {
        const std::string t = comparavel(titulos[i]);
        for (const char* n : nomes) {
            if (t == n)
                return static_cast<int>(i);
        }
    }
    return -1;
}

std::string campo(const LINHA_PLANILHA& l, int c) { return c < 0 ? std::string() : l.campos[static_cast<std::size_t>(c)]; }

// A key as typed: a whole number above zero, or 0.
int chave_de(const std::string& texto)
{
    const std::string t = aparado(texto);
    if (t.empty() || t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::atoi(t.c_str());
}

// The one of a fixed list the text names, whatever its case ("" for none).
template <std::size_t N>
std::string da_lista(const std::string& texto, const char* const (&lista)[N])
{
    const std::string t = comparavel(texto);
    for (const char* item : lista) {
        if (comparavel(item) == t)
            return item;
    }
    return std::string();
}

// The problems of a row, one after the other.
void apontar(std::string& problema, const std::string& texto)
{
    problema += (problema.empty() ? "" : "; ") + texto;
}

// A key of the file's own: a whole number, not stored yet, not on a row
// before. Gives 0 when none was given or it is wrong (then said, of a
// "código" or of a "colméia").
int chave_propria(const LINHA_PLANILHA& l, int c, const std::set<int>& guardadas, std::map<int, int>& vistas,
                  std::string& problema, const char* nome)
{
    const std::string t = aparado(campo(l, c));
    if (t.empty())
        return 0;
    const char* const o = std::string(nome) == "colméia" ? "a" : "o";
    const int k = chave_de(t);
    if (k == 0) {
        apontar(problema, std::string(nome) + " inválid" + o + " (" + t + ")");
        return 0;
    }
    if (guardadas.count(k)) {
        apontar(problema, std::string(nome) + " " + std::to_string(k) + " já cadastrad" + o);
        return 0;
    }
    if (vistas.count(k)) {
        apontar(problema, std::string(nome) + " " + std::to_string(k) + " repetid" + o + " (também na linha " +
                              std::to_string(vistas[k]) + ")");
        return 0;
    }
    vistas[k] = l.linha;
    return k;
}

// A day that must be there: in the form the records keep, or the problem said.
std::string data_obrigatoria(const std::string& texto, const char* nome, std::string& problema)
{
    std::string d;
    if (aparado(texto).empty())
        apontar(problema, std::string(nome) + " em branco");
    else if (!data_da_planilha(texto, &d))
        apontar(problema, "data impossível (" + aparado(texto) + ")");
    return d;
}

// An RGN as the program writes it, "00012-00003": the bee's code (above
// zero) and her mother's (0 for none). False for any other text.
bool ler_rgn(const std::string& rgn, int* codigo, int* mae)
{
    const std::size_t traco = rgn.find('-');
    if (traco == std::string::npos || traco == 0 || traco + 1 == rgn.size() || traco > 9 || rgn.size() - traco > 10)
        return false;
    const std::string a = rgn.substr(0, traco), b = rgn.substr(traco + 1);
    if (a.find_first_not_of("0123456789") != std::string::npos || b.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *codigo = std::atoi(a.c_str());
    *mae = std::atoi(b.c_str());
    return *codigo > 0;
}

const char* const FALTA_COLUNA = "A planilha não tem a coluna \"";

// How many rows' inserts go together: their replies fit in the system's
// buffers while the next group is written.
const std::size_t LINHAS_POR_GRUPO = 100;

} // namespace

const char* nome_da_importacao(TIPO_IMPORTACAO tipo)
{
    switch (tipo) {
    case TIPO_IMPORTACAO::APIARIOS:
        return "Apiários";
    case TIPO_IMPORTACAO::COLMEIAS:
        return "Colméias";
    case TIPO_IMPORTACAO::RAINHAS:
        return "Rainhas";
    case TIPO_IMPORTACAO::REVISOES:
        return "Revisões";
    }
    return "";
}

std::string LINHA_CONFERIDA::mensagem() const
{
    return "Linha " + std::to_string(linha) + ": " + (problema.empty() ? std::string("certa") : problema);
}

int CONFERENCIA::com_problema() const
{
    int n = 0;
    for (const LINHA_CONFERIDA& l : linhas)
        n += l.problema.empty() ? 0 : 1;
    return n;
}

std::string CONFERENCIA::resumo() const
{
    if (!erro.empty())
        return erro;
    if (linhas.empty())
        return "A planilha só tem a linha dos títulos: não há registros a importar.";
    const std::size_t n = linhas.size();
    const int errados = com_problema();
    std::string s = std::to_string(n) + (n == 1 ? " linha conferida: " : " linhas conferidas: ");
    if (errados == 0)
        return s + (n == 1 ? "está certa." : "todas certas.");
    return s + std::to_string(errados) + (errados == 1 ? " com problema" : " com problemas") +
           ". Corrija a planilha e confira de novo: nada é importado enquanto houver um problema.";
}

// The records the rows make, in the order they are stored, with the line
// each came from.
struct IMPORTACAO::PREPARO
{
    TIPO_IMPORTACAO tipo = TIPO_IMPORTACAO::APIARIOS;
    std::vector<std::string> floradas_novas;
    std::vector<std::pair<int, APIARIOS>> apiarios;
    std::vector<std::pair<int, COLMEIAS>> colmeias;
    std::vector<std::pair<int, ABELHAS>> abelhas;
    std::vector<std::pair<int, REVISOES>> revisoes;
    bool com_chaves = false;
};

IMPORTACAO::IMPORTACAO(QUERY* query) : DADOS(query) {}

CONFERENCIA IMPORTACAO::conferir(TIPO_IMPORTACAO tipo, const PLANILHA& planilha)
{
    PREPARO p;
    return preparar(tipo, planilha, p);
}

CONFERENCIA IMPORTACAO::preparar(TIPO_IMPORTACAO tipo, const PLANILHA& planilha, PREPARO& p)
{
    CONFERENCIA c;
    c.titulos = planilha.titulos;
    p.tipo = tipo;
    for (const LINHA_PLANILHA& l : planilha.linhas)
        c.linhas.push_back({ l.linha, l.campos, std::string() });
    switch (tipo) {
    case TIPO_IMPORTACAO::APIARIOS:
        apiarios(planilha, c, p);
        break;
    case TIPO_IMPORTACAO::COLMEIAS:
        colmeias(planilha, c, p);
        break;
    case TIPO_IMPORTACAO::RAINHAS:
        rainhas(planilha, c, p);
        break;
    case TIPO_IMPORTACAO::REVISOES:
        revisoes(planilha, c, p);
        break;
    }
    if (c.erro.empty() && planilha.linha_longa > 0)
        c.erro = "Linha " + std::to_string(planilha.linha_longa) +
                 ": há mais campos que títulos; confira o separador e as aspas dessa linha.";
    return c;
}

void IMPORTACAO::apiarios(const PLANILHA& planilha, CONFERENCIA& c, PREPARO& p)
{
    const std::vector<std::string>& t = planilha.titulos;
    const int k_codigo = coluna(t, { "código", "id" }), k_nome = coluna(t, { "apiário", "nome" }),
              k_municipio = coluna(t, { "município", "cidade" }), k_uf = coluna(t, { "uf", "estado" }),
              k_ibge = coluna(t, { "código ibge", "ibge" }), k_desde = coluna(t, { "desde", "data de criação", "criação" }),
              k_florada = coluna(t, { "produção (florada)", "florada" }), k_latitude = coluna(t, { "latitude" }),
              k_longitude = coluna(t, { "longitude" }), k_endereco = coluna(t, { "endereço" }),
              k_distrito = coluna(t, { "distrito" }), k_obs = coluna(t, { "observações", "obs" });
    const char* falta = k_nome < 0 ? "Apiário" : k_municipio < 0 && k_ibge < 0 ? "Município" : k_desde < 0 ? "Desde"
                        : k_florada < 0 ? "Produção (florada)" : nullptr;
    if (falta) {
        c.erro = FALTA_COLUNA + std::string(falta) + "\", que os apiários precisam.";
        return;
    }

    std::map<std::string, int> por_nome;   // "campo grande/ms"
    std::set<int> codigos_ibge;
    for (const MUNICIPIOS& m : MUNICIPIO(query).listar_todos()) {
        por_nome[comparavel(m.nome) + "/" + comparavel(m.estado)] = m.cod_cid;
        codigos_ibge.insert(m.cod_cid);
    }
    std::map<std::string, int> floradas;
    for (const FLORADA& f : FLORADAS(query).listar_floradas())
        floradas[comparavel(f.nome_florada)] = f.id_florada;
    std::set<int> guardadas;
    std::set<std::string> nomes;
    LISTA_APIARIOS lista;
    APIARIO(query).Get_Apiarios(&lista);
    for (std::size_t i = 0; i < lista.size(); ++i) {
        guardadas.insert(lista.id(i));
        nomes.insert(comparavel(lista.nome(i)));
    }

    std::map<int, int> vistas;
    std::map<std::string, int> nomes_vistos;
    std::set<std::string> novas;
    for (std::size_t i = 0; i < planilha.linhas.size(); ++i) {
        const LINHA_PLANILHA& l = planilha.linhas[i];
        std::string& problema = c.linhas[i].problema;
        APIARIOS a;
        a.id_apiario = chave_propria(l, k_codigo, guardadas, vistas, problema, "código");
        p.com_chaves = p.com_chaves || a.id_apiario > 0;
        a.nome = campo(l, k_nome);
        // Without a key of its own a name already there is the same apiary
        // again, as when the same file is imported twice.
        if (aparado(a.nome).empty())
            apontar(problema, "nome do apiário em branco");
        else if (k_codigo < 0 || aparado(campo(l, k_codigo)).empty()) {
            const std::string nome = comparavel(a.nome);
            if (nomes.count(nome))
                apontar(problema, "já há um apiário chamado " + aparado(a.nome));
            else if (nomes_vistos.count(nome))
                apontar(problema, "apiário repetido (também na linha " + std::to_string(nomes_vistos[nome]) + ")");
            else
                nomes_vistos[nome] = l.linha;
        }

        const std::string ibge = aparado(campo(l, k_ibge));
        std::string municipio = aparado(campo(l, k_municipio)), uf = aparado(campo(l, k_uf));
        // "Campo Grande/MS" in one column, as some reports write it.
        if (k_uf < 0 && municipio.rfind('/') != std::string::npos) {
            uf = aparado(municipio.substr(municipio.rfind('/') + 1));
            municipio = aparado(municipio.substr(0, municipio.rfind('/')));
        }
        if (!ibge.empty()) {
            a.municipio.cod_cid = chave_de(ibge);
            if (!codigos_ibge.count(a.municipio.cod_cid))
                apontar(problema, "município desconhecido (código IBGE " + ibge + ")");
        } else if (municipio.empty()) {
            apontar(problema, "município em branco");
        } else {
            auto m = por_nome.find(comparavel(municipio) + "/" + comparavel(uf));
            if (m == por_nome.end())
                apontar(problema, "município desconhecido (" + municipio + "/" + uf + ")");
            else
                a.municipio.cod_cid = m->second;
        }
        a.data_criacao = data_obrigatoria(campo(l, k_desde), "data de criação", problema);

        a.florada.nome_florada = aparado(campo(l, k_florada));
        if (a.florada.nome_florada.empty()) {
            apontar(problema, "florada em branco");
        } else if (auto f = floradas.find(comparavel(a.florada.nome_florada)); f != floradas.end()) {
            a.florada.id_florada = f->second;
        } else if (novas.insert(comparavel(a.florada.nome_florada)).second) {
            // A floral source not registered yet is registered with the apiaries.
            p.floradas_novas.push_back(a.florada.nome_florada);
        }
        a.latitude = campo(l, k_latitude);
        a.longitude = campo(l, k_longitude);
        a.endereco = campo(l, k_endereco);
        a.distrito = campo(l, k_distrito);
        a.obs = campo(l, k_obs);
        p.apiarios.push_back({ l.linha, a });
    }
}

void IMPORTACAO::colmeias(const PLANILHA& planilha, CONFERENCIA& c, PREPARO& p)
{
    const std::vector<std::string>& t = planilha.titulos;
    const int k_codigo = coluna(t, { "colméia", "código" }), k_tipo = coluna(t, { "tipo" }),
              k_status = coluna(t, { "status" }), k_rainha = coluna(t, { "rainha", "rgn" }),
              k_apiario = coluna(t, { "apiário" }), k_chave_apiario = coluna(t, { "código do apiário" }),
              k_instalacao = coluna(t, { "instalação", "data de instalação" }),
              k_obs = coluna(t, { "observações", "obs" });
    const char* falta = k_tipo < 0                          ? "Tipo"
                        : k_status < 0                      ? "Status"
                        : k_apiario < 0 && k_chave_apiario < 0 ? "Apiário"
                                                            : nullptr;
    if (falta) {
        c.erro = FALTA_COLUNA + std::string(falta) + "\", que as colméias precisam.";
        return;
    }

    std::map<std::string, std::vector<int>> apiarios_por_nome;
    std::set<int> apiarios;
    LISTA_APIARIOS lista;
    APIARIO(query).Get_Apiarios(&lista);
    for (std::size_t i = 0; i < lista.size(); ++i) {
        apiarios_por_nome[comparavel(lista.nome(i))].push_back(lista.id(i));
        apiarios.insert(lista.id(i));
    }
    std::map<std::string, int> rainhas;
    const LISTA_ABELHAS abelhas = ABELHA(query).listar();
    for (std::size_t i = 0; i < abelhas.size(); ++i)
        rainhas[abelhas.rgn(i)] = abelhas.id(i);
    std::set<int> guardadas;
    std::map<int, int> colmeia_da_rainha;
    const LISTA_COLMEIAS existentes = COLMEIA(query).pesquisar(FILTRO_COLMEIAS());
    for (std::size_t i = 0; i < existentes.size(); ++i) {
        const COLMEIAS h = existentes[i];
        guardadas.insert(h.id);
        if (h.id_abelha)
            colmeia_da_rainha[h.id_abelha] = h.id;
    }

    std::map<int, int> vistas, rainhas_vistas;
    for (std::size_t i = 0; i < planilha.linhas.size(); ++i) {
        const LINHA_PLANILHA& l = planilha.linhas[i];
        std::string& problema = c.linhas[i].problema;
        COLMEIAS h;
        h.id = chave_propria(l, k_codigo, guardadas, vistas, problema, "colméia");
        p.com_chaves = p.com_chaves || h.id > 0;
        h.tipo = da_lista(campo(l, k_tipo), TIPOS_COLMEIA);
        if (h.tipo.empty())
            apontar(problema, "tipo desconhecido (" + aparado(campo(l, k_tipo)) + ")");
        h.status = da_lista(campo(l, k_status), STATUS_COLMEIA);
        if (h.status.empty())
            apontar(problema, "status desconhecido (" + aparado(campo(l, k_status)) + ")");

        // The apiary's key, when the file has it, says which one of those
        // of the same name; else the name, or a key written as the name.
        const std::string chave_apiario = aparado(campo(l, k_chave_apiario));
        const std::string apiario = aparado(campo(l, k_apiario));
        auto a = apiarios_por_nome.find(comparavel(apiario));
        if (!chave_apiario.empty() && apiarios.count(chave_de(chave_apiario)))
            h.id_apiario = chave_de(chave_apiario);
        else if (!chave_apiario.empty())
            apontar(problema, "apiário não encontrado (código " + chave_apiario + ")");
        else if (apiario.empty())
            apontar(problema, "apiário em branco");
        else if (a != apiarios_por_nome.end() && a->second.size() > 1)
            apontar(problema, "há mais de um apiário chamado " + apiario + ": escreva o código dele");
        else if (a != apiarios_por_nome.end())
            h.id_apiario = a->second[0];
        else if (apiarios.count(chave_de(apiario)))
            h.id_apiario = chave_de(apiario);
        else
            apontar(problema, "apiário não encontrado (" + apiario + ")");

        h.rgn = aparado(campo(l, k_rainha));
        if (!h.rgn.empty()) {
            auto r = rainhas.find(h.rgn);
            if (r == rainhas.end()) {
                apontar(problema, "rainha não encontrada (RGN " + h.rgn + ")");
            } else if (colmeia_da_rainha.count(r->second)) {
                apontar(problema, "a rainha " + h.rgn + " já está na colméia " +
                                      std::to_string(colmeia_da_rainha[r->second]));
            } else if (rainhas_vistas.count(r->second)) {
                apontar(problema, "a rainha " + h.rgn + " já está na colméia da linha " +
                                      std::to_string(rainhas_vistas[r->second]));
            } else {
                h.id_abelha = r->second;
                rainhas_vistas[r->second] = l.linha;
            }
        }
        const std::string instalacao = campo(l, k_instalacao);
        if (!aparado(instalacao).empty() && !data_da_planilha(instalacao, &h.instalacao))
            apontar(problema, "data impossível (" + aparado(instalacao) + ")");
        h.obs = campo(l, k_obs);
        p.colmeias.push_back({ l.linha, h });
    }
}

void IMPORTACAO::rainhas(const PLANILHA& planilha, CONFERENCIA& c, PREPARO& p)
{
    const std::vector<std::string>& t = planilha.titulos;
    const int k_rgn = coluna(t, { "rgn" }), k_nascimento = coluna(t, { "nascimento", "data de nascimento" }),
              k_matriz = coluna(t, { "matriz" }), k_mae = coluna(t, { "mãe", "rgn da mãe" }),
              k_cor = coluna(t, { "cor de marcação", "cor" }), k_asa = coluna(t, { "asa cortada" });
    const char* falta = k_rgn < 0 ? "RGN" : k_nascimento < 0 ? "Nascimento" : nullptr;
    if (falta) {
        c.erro = FALTA_COLUNA + std::string(falta) + "\", que as rainhas precisam.";
        return;
    }

    std::map<std::string, int> por_rgn;
    std::set<int> guardadas;
    const LISTA_ABELHAS lista = ABELHA(query).listar();
    for (std::size_t i = 0; i < lista.size(); ++i) {
        por_rgn[lista.rgn(i)] = lista.id(i);
        guardadas.insert(lista.id(i));
    }

    // First every bee's own code, so that a mother may be on any row.
    const std::size_t n = planilha.linhas.size();
    std::vector<int> codigos(n, 0), maes_do_rgn(n, 0);
    std::map<std::string, std::size_t> no_arquivo;   // RGN -> row
    std::map<int, std::size_t> codigo_no_arquivo;
    for (std::size_t i = 0; i < n; ++i) {
        const LINHA_PLANILHA& l = planilha.linhas[i];
        std::string& problema = c.linhas[i].problema;
        const std::string rgn = aparado(campo(l, k_rgn));
        int codigo = 0, mae = 0;
        if (rgn.empty())
            apontar(problema, "RGN em branco");
        else if (!ler_rgn(rgn, &codigo, &mae))
            apontar(problema, "RGN inválido (" + rgn + "): escreva-o como 00012-00003");
        else if (guardadas.count(codigo) || por_rgn.count(rgn))
            apontar(problema, "RGN repetido (" + rgn + "): já cadastrado");
        else if (codigo_no_arquivo.count(codigo))
            apontar(problema, "RGN repetido (" + rgn + "): também na linha " +
                                  std::to_string(planilha.linhas[codigo_no_arquivo[codigo]].linha));
        else {
            codigos[i] = codigo;
            maes_do_rgn[i] = mae;
            no_arquivo[rgn] = i;
            codigo_no_arquivo[codigo] = i;
        }
    }

    std::vector<ABELHAS> abelhas(n);
    std::vector<int> mae_no_arquivo(n, -1);   // the row of a mother in the file
    for (std::size_t i = 0; i < n; ++i) {
        const LINHA_PLANILHA& l = planilha.linhas[i];
        std::string& problema = c.linhas[i].problema;
        ABELHAS& b = abelhas[i];
        b.id = codigos[i];
        b.nascimento = data_obrigatoria(campo(l, k_nascimento), "data de nascimento", problema);
        if (!sim_ou_nao(campo(l, k_matriz), &b.matriz))
            apontar(problema, "matriz deve ser sim ou não (" + aparado(campo(l, k_matriz)) + ")");
        if (!sim_ou_nao(campo(l, k_asa), &b.asa_cortada))
            apontar(problema, "asa cortada deve ser sim ou não (" + aparado(campo(l, k_asa)) + ")");
        const std::string cor = aparado(campo(l, k_cor));
        b.cor = da_lista(cor, CORES_MARCACAO);
        if (!cor.empty() && b.cor.empty())
            apontar(problema, "cor de marcação desconhecida (" + cor + ")");

        const std::string mae = aparado(campo(l, k_mae));
        if (!mae.empty()) {
            if (auto m = no_arquivo.find(mae); m != no_arquivo.end()) {
                b.mae = codigos[m->second];
                mae_no_arquivo[i] = static_cast<int>(m->second);
            } else if (auto d = por_rgn.find(mae); d != por_rgn.end()) {
                b.mae = d->second;
            } else {
                apontar(problema, "mãe não encontrada (RGN " + mae + ")");
            }
            if (b.mae != 0 && b.id != 0 && b.mae != maes_do_rgn[i])
                apontar(problema, "o RGN " + aparado(campo(l, k_rgn)) + " não é de uma filha da mãe " + mae);
        } else if (b.id != 0 && maes_do_rgn[i] != 0) {
            // No mother named: the one the RGN points at.
            b.mae = maes_do_rgn[i];
            if (auto m = codigo_no_arquivo.find(b.mae); m != codigo_no_arquivo.end())
                mae_no_arquivo[i] = static_cast<int>(m->second);
            else if (!guardadas.count(b.mae))
                apontar(problema, "mãe não encontrada (RGN " + aparado(campo(l, k_rgn)) + " aponta a mãe de código " +
                                      std::to_string(b.mae) + ")");
        }
        if (b.id != 0 && b.mae == b.id)
            apontar(problema, "a rainha não pode ser mãe de si mesma");
    }

    // Stored mothers first: a bee goes once her mother in the file went.
    std::vector<bool> feita(n, false);
    for (bool andou = true; andou;) {
        andou = false;
        for (std::size_t i = 0; i < n; ++i) {
            const int m = mae_no_arquivo[i];
            if (!feita[i] && (m < 0 || feita[static_cast<std::size_t>(m)] || static_cast<std::size_t>(m) == i)) {
                feita[i] = andou = true;
                p.abelhas.push_back({ planilha.linhas[i].linha, abelhas[i] });
            }
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!feita[i])
            apontar(c.linhas[i].problema, "mãe e filha uma da outra: corrija a coluna Mãe");
    }
    p.com_chaves = !p.abelhas.empty();
}

void IMPORTACAO::revisoes(const PLANILHA& planilha, CONFERENCIA& c, PREPARO& p)
{
    const std::vector<std::string>& t = planilha.titulos;
    const int k_colmeia = coluna(t, { "colméia" }), k_data = coluna(t, { "data", "data da revisão" }),
              k_status = coluna(t, { "status", "status visto" }), k_mel = coluna(t, { "mel (kg)", "mel" }),
              k_obs = coluna(t, { "observações", "obs" });
    const char* falta = k_colmeia < 0 ? "Colméia" : k_data < 0 ? "Data" : k_status < 0 ? "Status" : nullptr;
    if (falta) {
        c.erro = FALTA_COLUNA + std::string(falta) + "\", que as revisões precisam.";
        return;
    }
    std::set<int> colmeias;
    const LISTA_COLMEIAS existentes = COLMEIA(query).pesquisar(FILTRO_COLMEIAS());
    for (std::size_t i = 0; i < existentes.size(); ++i)
        colmeias.insert(existentes.id(i));

    for (std::size_t i = 0; i < planilha.linhas.size(); ++i) {
        const LINHA_PLANILHA& l = planilha.linhas[i];
        std::string& problema = c.linhas[i].problema;
        REVISOES r;
        const std::string colmeia = aparado(campo(l, k_colmeia));
        r.id_colmeia = chave_de(colmeia);
        if (colmeia.empty())
            apontar(problema, "colméia em branco");
        else if (!colmeias.count(r.id_colmeia))
            apontar(problema, "colméia não encontrada (" + colmeia + ")");
        r.data = data_obrigatoria(campo(l, k_data), "data da revisão", problema);
        r.status = da_lista(campo(l, k_status), STATUS_COLMEIA);
        if (r.status.empty())
            apontar(problema, "status desconhecido (" + aparado(campo(l, k_status)) + ")");
        r.mel = aparado(campo(l, k_mel));
        if (!ler_quilos(r.mel))
            apontar(problema, "mel inválido (" + r.mel + "): escreva os quilos, como 12,5");
        r.obs = campo(l, k_obs);
        p.revisoes.push_back({ l.linha, r });
    }
}

bool IMPORTACAO::importar(TIPO_IMPORTACAO tipo, const PLANILHA& planilha, int* gravados)
{
    if (gravados)
        *gravados = 0;
    PREPARO p;
    const CONFERENCIA c = preparar(tipo, planilha, p);
    if (!c.pronta()) {
        if (!c.erro.empty() || c.linhas.empty())
            return recusar(c.resumo());
        for (const LINHA_CONFERIDA& l : c.linhas) {
            if (!l.problema.empty())
                return recusar("Nada foi importado: " + l.mensagem() + ".");
        }
    }
    rastro::escrever("\n---------------------------- Importar planilha ----------------------------\n");
    if (const RESULTADO r = query->iniciar_transacao(); !r.ok()) {
        falha_ = FALHA(r);
        return false;
    }
    if (gravar(p, gravados)) {
        const RESULTADO r = query->confirmar_transacao();
        falha_ = FALHA(r);
        if (r.ok())
            return true;
    } else {
        query->desfazer_transacao();
    }
    if (gravados)
        *gravados = 0;
    falha_.desfeita = true;
    return false;
}

bool IMPORTACAO::gravar(PREPARO& p, int* gravados)
{
    int feitos = 0;
    // A refusal of the database names the row; nothing after it is sent.
    const auto na_linha = [this](int linha) {
        const std::string motivo = falha_.motivo().empty() ? falha_.mensagem : falha_.motivo();
        falha_.explicar("Nada foi importado: a linha " + std::to_string(linha) + " foi recusada. " + motivo);
        return false;
    };

    std::map<std::string, int> floradas;
    FLORADAS florada(query);
    for (const std::string& nome : p.floradas_novas) {
        FLORADA f;
        f.nome_florada = nome;
        const std::string chave = florada.inserir(f);
        if (chave.empty()) {
            falha_ = florada.falha();
            falha_.explicar("Nada foi importado: a florada " + nome + " não pôde ser cadastrada.");
            return false;
        }
        floradas[comparavel(nome)] = std::atoi(chave.c_str());
    }
    // The rows' inserts go a group at a time in one round trip: none of them
    // needs what another returns, and the first the database refuses ends
    // the group there, the rows after it not run.
    std::vector<int> na_fila;
    const auto enfileirar = [this, &na_fila](int linha, const INSTRUCAO& i) {
        query->enfileirar(i);
        na_fila.push_back(linha);
    };
    const auto enviar = [this, &na_fila, &feitos, &na_linha] {
        const std::vector<RESULTADO> resultados = query->enviar_fila();
        for (std::size_t k = 0; k < resultados.size(); ++k) {
            if (!resultados[k].ok()) {
                contar(resultados[k]);
                falha_ = FALHA(resultados[k]);
                return na_linha(na_fila[k]);
            }
            ++feitos;
        }
        na_fila.clear();
        return true;
    };
    const auto gravar_linha = [&](int linha, const INSTRUCAO& i) {
        enfileirar(linha, i);
        return na_fila.size() < LINHAS_POR_GRUPO || enviar();
    };
    APIARIO apiario(query);
    for (auto& [linha, a] : p.apiarios) {
        if (a.florada.id_florada == 0)
            a.florada.id_florada = floradas[comparavel(a.florada.nome_florada)];
        INSTRUCAO i = apiario.insercao(a);
        if (a.id_apiario > 0)
            i.inserir("id_apiario", std::to_string(a.id_apiario));
        if (!gravar_linha(linha, i))
            return false;
    }
    COLMEIA colmeia(query);
    for (auto& [linha, h] : p.colmeias) {
        INSTRUCAO i = colmeia.insercao(h);
        if (h.id > 0)
            i.inserir("id_colmeia", std::to_string(h.id));
        if (!gravar_linha(linha, i))
            return false;
    }
    ABELHA abelha(query);
    for (auto& [linha, b] : p.abelhas) {
        // The code comes from the RGN; the database writes the RGN from it.
        INSTRUCAO i = abelha.insercao(b);
        i.inserir("id_abelha", std::to_string(b.id));
        if (!gravar_linha(linha, i))
            return false;
    }
    // Every inspection was checked as the form checks it.
    REVISAO revisao(query);
    for (auto& [linha, r] : p.revisoes) {
        if (!gravar_linha(linha, revisao.insercao(r)))
            return false;
    }
    if (!na_fila.empty() && !enviar())
        return false;
    if (p.com_chaves) {
        const bool ok = p.tipo == TIPO_IMPORTACAO::APIARIOS   ? acertar_chaves("apiario", "id_apiario")
                        : p.tipo == TIPO_IMPORTACAO::COLMEIAS ? acertar_chaves("colmeia", "id_colmeia")
                                                              : acertar_chaves("abelha_rainha", "id_abelha");
        if (!ok)
            return false;
    }
    if (gravados)
        *gravados = feitos;
    return true;
}

bool IMPORTACAO::acertar_chaves(const char* tabela, const char* chave)
{
    // The program's role may draw keys from a sequence but not set it: it
    // draws as many as the highest key stored is ahead of the last drawn.
    const std::string t = std::string("cadastro.") + tabela;
    const std::string sequencia = "pg_get_serial_sequence('" + t + "', '" + chave + "')::regclass";
    INSTRUCAO i = query->descrever(INSTRUCAO::CONSULTAR,
                                   "generate_series(1, (select coalesce(max(" + std::string(chave) + "), 0) from " + t +
                                       ") - coalesce(pg_sequence_last_value(" + sequencia + "), 0)) as chave",
                                   { "count(nextval(" + sequencia + "))" });
    return executar_contando(i);
}
