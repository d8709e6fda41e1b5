#include "db/linhas.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "util/utf8.h"

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
    std::free(dados);
    std::free(inicio);
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
    char* p = static_cast<char*>(std::realloc(dados, nova));
    if (!p)
        return false;
    dados = p;
    capacidade = nova;
    return true;
}

bool LINHAS::reservar_inicio(std::size_t mais)
{
    if (n_inicio + mais <= cap_inicio)
        return true;
    std::size_t nova = cap_inicio ? cap_inicio : 256;
    while (nova < n_inicio + mais)
        nova *= 2;
    std::uint32_t* p = static_cast<std::uint32_t*>(std::realloc(inicio, nova * sizeof(std::uint32_t)));
    if (!p)
        return false;
    inicio = p;
    cap_inicio = nova;
    return true;
}

bool LINHAS::acrescentar(const PGresult* r)
{
    if (!r || !inicio || PQnfields(r) != ncolunas)
        return false;
    const int n = PQntuples(r);
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
            std::size_t t = static_cast<std::size_t>(PQgetlength(r, l, c));
            reparado[k] = conferir_utf8 && t > 0 && !utf8_valido(PQgetvalue(r, l, c), t);
            if (reparado[k]) {
                reparados[k] = utf8_reparado(PQgetvalue(r, l, c), t);
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
            const std::size_t t = reparado[k] ? reparados[k].size() : static_cast<std::size_t>(PQgetlength(r, l, c));
            std::memcpy(dados + usados, reparado[k] ? reparados[k].data() : PQgetvalue(r, l, c), t);
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
