// The rows of one result, every value in one buffer with its start in an
// index: a list of 100,000 users costs little more than its text. Filled one
// row at a time as the server sends them, so a long result never exists
// twice (libpq's copy and ours) in memory.
#ifndef ZUMBREL_DB_LINHAS_H
#define ZUMBREL_DB_LINHAS_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include <libpq-fe.h>

class LINHAS
{
public:
    // `guardadas`, when not empty, names the only columns whose values are
    // kept; the others read as "".
    explicit LINHAS(int colunas, const std::vector<int>& guardadas = {});
    ~LINHAS();

    LINHAS(const LINHAS&) = delete;
    LINHAS& operator=(const LINHAS&) = delete;

    int ntuples() const { return nlinhas; }
    int nfields() const { return ncolunas; }
    // The value at (linha, coluna), NUL-terminated ("" for SQL NULL). Both
    // must be inside the table.
    const char* valor(int linha, int coluna) const { return dados + inicio[indice(linha, coluna)]; }
    int tamanho(int linha, int coluna) const
    {
        const std::size_t i = indice(linha, coluna);
        return static_cast<int>(inicio[i + 1] - inicio[i] - 1);
    }

    // Appends the rows of a libpq result with the same columns. False when
    // the table would outgrow what its index can address (4 GiB of text).
    bool acrescentar(const PGresult* r);
    // Gives back the room reserved for rows that did not come.
    void encerrar();

private:
    std::size_t indice(int linha, int coluna) const
    {
        return static_cast<std::size_t>(linha) * static_cast<std::size_t>(ncolunas) + static_cast<std::size_t>(coluna);
    }
    bool reservar_dados(std::size_t mais);
    bool reservar_inicio(std::size_t mais);

    int nlinhas = 0;
    int ncolunas;
    std::vector<bool> guardar;   // per column; empty: every column
    // Grown with realloc: large blocks are mapped pages, which grow without
    // copying and hold no memory for room not yet written.
    char* dados = nullptr;
    std::size_t usados = 0;
    std::size_t capacidade = 0;
    std::uint32_t* inicio = nullptr;   // one more than the values: where the next would start
    std::size_t n_inicio = 0;
    std::size_t cap_inicio = 0;
};

#endif // ZUMBREL_DB_LINHAS_H
