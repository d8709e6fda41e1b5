#include "db/linhas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <string>

#include "db/pq.h"
#include "util/utf8.h"

namespace {

// Large blocks of results let go are kept for the next results: a list of
// 100,000 rows read again (a form reads its list at every step of its
// navigation) is written into pages already in memory, instead of the
// system handing over and clearing thousands of fresh pages each time,
// which costs more than reading the rows. A few blocks, up to a bound, and
// all of them given back when asked (the last window closed).
const std::size_t GRANDE = std::size_t(1) << 20;
const std::size_t MAIS_GUARDADOS = 4;
const std::size_t TOTAL_GUARDADO = std::size_t(32) << 20;

struct Guardado
{
    void* bloco;
    std::size_t tamanho;
};

std::mutex trava;
std::vector<Guardado> guardados;
std::size_t guardado_total = 0;

// At the end of the program the blocks kept are freed; a table let go after
// that frees its own.
bool guardando = true;
struct AoSair
{
    ~AoSair()
    {
        std::lock_guard<std::mutex> t(trava);
        guardando = false;
        for (const Guardado& g : guardados)
            std::free(g.bloco);
        guardados.clear();
        guardado_total = 0;
    }
} ao_sair;

// The largest kept block of at least `minimo` bytes (null when none is).
void* tomar(std::size_t minimo, std::size_t* tamanho)
{
    std::lock_guard<std::mutex> t(trava);
    auto maior = guardados.end();
    for (auto g = guardados.begin(); g != guardados.end(); ++g) {
        if (g->tamanho >= minimo && (maior == guardados.end() || g->tamanho > maior->tamanho))
            maior = g;
    }
    if (maior == guardados.end())
        return nullptr;
    void* bloco = maior->bloco;
    *tamanho = maior->tamanho;
    guardado_total -= maior->tamanho;
    guardados.erase(maior);
    return bloco;
}

// A block let go: kept when large and there is room, else freed.
void devolver(void* bloco, std::size_t tamanho)
{
    if (bloco && tamanho >= GRANDE) {
        std::lock_guard<std::mutex> t(trava);
        if (guardando && guardados.size() < MAIS_GUARDADOS && guardado_total + tamanho <= TOTAL_GUARDADO) {
            guardados.push_back({ bloco, tamanho });
            guardado_total += tamanho;
            return;
        }
    }
    std::free(bloco);
}

// Grows `bloco` (of `tamanho` bytes, `usados` of them written) to at least
// `novo` bytes: into a kept block when one is large enough, else in place.
void* crescer(void* bloco, std::size_t usados, std::size_t* tamanho, std::size_t novo)
{
    if (novo >= GRANDE) {
        std::size_t achado = 0;
        if (void* outro = tomar(novo, &achado)) {
            if (usados)
                std::memcpy(outro, bloco, usados);
            devolver(bloco, *tamanho);
            *tamanho = achado;
            return outro;
        }
    }
    void* p = std::realloc(bloco, novo);
    if (p)
        *tamanho = novo;
    return p;
}

} // namespace

void LINHAS::soltar_guardados()
{
    std::vector<Guardado> soltos;
    {
        std::lock_guard<std::mutex> t(trava);
        soltos.swap(guardados);
        guardado_total = 0;
    }
    for (const Guardado& g : soltos)
        std::free(g.bloco);
}

LINHAS::LINHAS(int colunas, const std::vector<int>& guardadas)
    : ncolunas(colunas < 0 ? 0 : colunas), nguardadas(ncolunas)
{
    if (!guardadas.empty()) {
        std::vector<bool> guardar(static_cast<std::size_t>(ncolunas), false);
        for (int c : guardadas) {
            if (c >= 0 && c < ncolunas)
                guardar[static_cast<std::size_t>(c)] = true;
        }
        vagas.assign(static_cast<std::size_t>(ncolunas), -1);
        nguardadas = 0;
        for (int c = 0; c < ncolunas; ++c) {
            if (guardar[static_cast<std::size_t>(c)])
                vagas[static_cast<std::size_t>(c)] = nguardadas++;
        }
    }
    if (reservar_inicio(1))
        inicio[n_inicio++] = 0;
}

LINHAS::~LINHAS()
{
    devolver(dados, capacidade);
    devolver(inicio, cap_inicio * sizeof(std::uint32_t));
}

bool LINHAS::reservar_dados(std::size_t mais)
{
    if (usados + mais <= capacidade)
        return true;
    if (usados + mais > std::numeric_limits<std::uint32_t>::max())
        return false;
    std::size_t nova = capacidade ? capacidade : 4096;
    while (nova < usados + mais)
        nova *= 2;
    char* p = static_cast<char*>(crescer(dados, usados, &capacidade, nova));
    if (!p)
        return false;
    dados = p;
    return true;
}

bool LINHAS::reservar_inicio(std::size_t mais)
{
    if (n_inicio + mais <= cap_inicio)
        return true;
    std::size_t nova = cap_inicio ? cap_inicio : 256;
    while (nova < n_inicio + mais)
        nova *= 2;
    std::size_t bytes = cap_inicio * sizeof(std::uint32_t);
    std::uint32_t* p = static_cast<std::uint32_t*>(
        crescer(inicio, n_inicio * sizeof(std::uint32_t), &bytes, nova * sizeof(std::uint32_t)));
    if (!p)
        return false;
    inicio = p;
    cap_inicio = bytes / sizeof(std::uint32_t);
    return true;
}

bool LINHAS::acrescentar(const PGresult* r)
{
    if (!r || !inicio || pq::PQnfields(r) != ncolunas)
        return false;
    const int n = pq::PQntuples(r);
    // A value that is not valid UTF-8 (a server that passes bytes on as
    // they are, as a SQL_ASCII database does) is kept with each invalid
    // byte as U+FFFD, so that every text read from here can be measured
    // and shown. Those of the row being read, by column (empty: as sent).
    std::vector<std::string> reparados(static_cast<std::size_t>(ncolunas));
    std::vector<bool> reparado(static_cast<std::size_t>(ncolunas));
    for (int l = 0; l < n; ++l) {
        std::size_t tamanho_linha = 0;
        for (int c = 0; c < ncolunas; ++c) {
            if (vaga(c) < 0)
                continue;
            const std::size_t k = static_cast<std::size_t>(c);
            std::size_t t = static_cast<std::size_t>(pq::PQgetlength(r, l, c));
            reparado[k] = conferir_utf8 && t > 0 && !utf8_valido(pq::PQgetvalue(r, l, c), t);
            if (reparado[k]) {
                reparados[k] = utf8_reparado(pq::PQgetvalue(r, l, c), t);
                t = reparados[k].size();
            }
            tamanho_linha += t + 1;
        }
        if (!reservar_dados(tamanho_linha) || !reservar_inicio(static_cast<std::size_t>(nguardadas)))
            return false;
        for (int c = 0; c < ncolunas; ++c) {
            if (vaga(c) < 0)
                continue;
            const std::size_t k = static_cast<std::size_t>(c);
            const std::size_t t = reparado[k] ? reparados[k].size() : static_cast<std::size_t>(pq::PQgetlength(r, l, c));
            std::memcpy(dados + usados, reparado[k] ? reparados[k].data() : pq::PQgetvalue(r, l, c), t);
            usados += t;
            dados[usados++] = '\0';
            inicio[n_inicio++] = static_cast<std::uint32_t>(usados);
        }
        ++nlinhas;
    }
    return true;
}

void LINHAS::encerrar()
{
    if (usados && usados < capacidade) {
        if (char* p = static_cast<char*>(std::realloc(dados, usados))) {
            dados = p;
            capacidade = usados;
        }
    }
    if (n_inicio < cap_inicio) {
        if (std::uint32_t* p = static_cast<std::uint32_t*>(std::realloc(inicio, n_inicio * sizeof(std::uint32_t)))) {
            inicio = p;
            cap_inicio = n_inicio;
        }
    }
}
