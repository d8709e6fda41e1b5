// One row of the rows a statement returned, read in place: the values stay
// in the result's own buffer and are copied only when asked for as text.
#ifndef ZUMBREL_DB_LINHA_RESULTADO_H
#define ZUMBREL_DB_LINHA_RESULTADO_H

#include <cstddef>
#include <string>

class LINHAS;

class LinhaResultado
{
public:
    // A row that the rows do not have (or no rows at all) reads as an empty one.
    LinhaResultado(const LINHAS* linhas, int linha);

    // How many values the row has (0 for a row that is not there).
    std::size_t size() const { return static_cast<std::size_t>(colunas_); }
    // Value i, in select-list order ("" for SQL NULL, a column not kept and
    // past the last column). The pointer lives as long as the rows.
    const char* c_str(std::size_t i) const;
    std::string operator[](std::size_t i) const;
    // Value i read as a number, by the rule of atoi (0 when it is not one).
    int inteiro(std::size_t i) const;

private:
    const LINHAS* linhas_;
    int linha_;
    int colunas_;
};

#endif // ZUMBREL_DB_LINHA_RESULTADO_H
