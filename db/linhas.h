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
    // kept; the others read as "" and take no room at all.
    explicit LINHAS(int colunas, const std::vector<int>& guardadas = {});
    ~LINHAS();

    LINHAS(const LINHAS&) = delete;
    LINHAS& operator=(const LINHAS&) = delete;

    int ntuples() const { return nlinhas; }
    int nfields() const { return ncolunas; }
    // The value at (linha, coluna), NUL-terminated ("" for SQL NULL). Both
    // must be inside the table.
    const char* valor(int linha, int coluna) const
    {
        const int v = vaga(coluna);
        return v < 0 ? "" : dados + inicio[indice(linha, v)];
    }
    int tamanho(int linha, int coluna) const
    {
        const int v = vaga(coluna);
        if (v < 0)
            return 0;
        const std::size_t i = indice(linha, v);
        return static_cast<int>(inicio[i + 1] - inicio[i] - 1);
    }

    // Texts the server has already made valid UTF-8 (it converts them to
    // the client's UTF-8 from an encoding it checks) are kept without
    // checking them again.
    void ja_em_utf8() { conferir_utf8 = false; }

    // Appends the rows of a libpq result with the same columns. False when
    // the table would outgrow what its index can address (4 GiB of text).
    bool acrescentar(const PGresult* r);
    // Gives back the room reserved for rows that did not come.
    void encerrar();
    // The large blocks that tables let go are kept for the next tables
    // (reading a long list again costs no fresh memory); this gives them
    // back to the system.
    static void soltar_guardados();

private:
    // Where a column's values sit among the kept ones (-1: not kept).
    int vaga(int coluna) const { return vagas.empty() ? coluna : vagas[static_cast<std::size_t>(coluna)]; }
    std::size_t indice(int linha, int v) const
    {
        return static_cast<std::size_t>(linha) * static_cast<std::size_t>(nguardadas) + static_cast<std::size_t>(v);
    }
    bool reservar_dados(std::size_t mais);
    bool reservar_inicio(std::size_t mais);

    int nlinhas = 0;
    int ncolunas;
    int nguardadas;
    std::vector<int> vagas;   // per column; empty: every column kept, in order
    bool conferir_utf8 = true;
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
