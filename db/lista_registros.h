// A list of records read from the rows of the statements that found them,
// each record made only when it is asked for: a list of 100,000 records costs
// little more than the text of its rows, and copying the list copies no row.
// The rows stay with the list when the statement builder moves on.
#ifndef ZUMBREL_DB_LISTA_REGISTROS_H
#define ZUMBREL_DB_LISTA_REGISTROS_H

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "db/linha_resultado.h"
#include "db/linhas.h"
#include "db/resultado.h"
#include "util/iterador_indice.h"

// How much of each row found a list keeps: every column, or only what the
// list of a search shows (each data-access class says what that is).
enum class Detalhe { COMPLETO, RESUMO };

template <class T>
class LISTA_REGISTROS
{
public:
    // Makes a record from one row (a row laid out as the statement that
    // found it selects its columns).
    using Leitor = T (*)(const LinhaResultado& linha);

    LISTA_REGISTROS() = default;
    // The first `quantos` rows of the result (all of them when negative).
    LISTA_REGISTROS(const RESULTADO& r, Leitor ler, int quantos = -1) { acrescentar(r, ler, quantos); }

    // Appends the rows of a result, each read by `ler`; a result without
    // rows adds nothing.
    void acrescentar(const RESULTADO& r, Leitor ler, int quantos = -1)
    {
        int n = r.linhas ? r.linhas->ntuples() : 0;
        if (quantos >= 0 && quantos < n)
            n = quantos;
        if (n <= 0 || !ler)
            return;
        trechos.push_back(Trecho { r.linhas, static_cast<std::size_t>(n), ler });
        total += static_cast<std::size_t>(n);
    }

    std::size_t size() const { return total; }
    bool empty() const { return total == 0; }
    void clear()
    {
        trechos.clear();
        total = 0;
    }

    // Record i (an empty record past the end).
    T operator[](std::size_t i) const
    {
        const Trecho* t = trecho(i);
        return t ? t->ler(LinhaResultado(t->linhas.get(), static_cast<int>(i))) : T();
    }
    T front() const { return (*this)[0]; }
    // Every record, made now, in place of what `registros` held; the room
    // it had is used again, so a list copied at every reload is not
    // allocated (and faulted in) anew each time.
    void copiar(std::vector<T>& registros) const
    {
        registros.clear();
        registros.reserve(total);
        for (std::size_t i = 0; i < total; ++i)
            registros.push_back((*this)[i]);
    }
    // The row of record i, read in place (an empty row past the end).
    LinhaResultado linha(std::size_t i) const
    {
        const Trecho* t = trecho(i);
        return LinhaResultado(t ? t->linhas.get() : nullptr, static_cast<int>(i));
    }

    // Walks the records in order, each made as it is reached.
    using const_iterator = ITERADOR_INDICE<LISTA_REGISTROS, T>;
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, total); }

protected:
    // How record i is read (null past the end): a list that reads some value
    // in place knows from it where the statement put that value.
    Leitor leitor(std::size_t i) const
    {
        const Trecho* t = trecho(i);
        return t ? t->ler : nullptr;
    }

private:
    struct Trecho
    {
        std::shared_ptr<const LINHAS> linhas;
        std::size_t quantos;
        Leitor ler;
    };

    // The rows holding record i, with i made the row's number in them.
    const Trecho* trecho(std::size_t& i) const
    {
        for (const Trecho& t : trechos) {
            if (i < t.quantos)
                return &t;
            i -= t.quantos;
        }
        return nullptr;
    }

    // Usually one: a list grows by another only when a load is appended.
    std::vector<Trecho> trechos;
    std::size_t total = 0;
};

#endif // ZUMBREL_DB_LISTA_REGISTROS_H
