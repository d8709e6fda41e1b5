// A walk over a list whose items are made when asked for by position (a
// list that reads its rows where the database left them): each step makes
// the item at the next position. `Lista` gives `T operator[](std::size_t)
// const`.
#ifndef ZUMBREL_UTIL_ITERADOR_INDICE_H
#define ZUMBREL_UTIL_ITERADOR_INDICE_H

#include <cstddef>
#include <iterator>

template <class Lista, class T>
class ITERADOR_INDICE
{
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = T;

    ITERADOR_INDICE(const Lista* lista, std::size_t i) : lista_(lista), i_(i) {}
    T operator*() const { return (*lista_)[i_]; }
    ITERADOR_INDICE& operator++()
    {
        ++i_;
        return *this;
    }
    bool operator==(const ITERADOR_INDICE& outro) const { return i_ == outro.i_; }
    bool operator!=(const ITERADOR_INDICE& outro) const { return i_ != outro.i_; }

private:
    const Lista* lista_;
    std::size_t i_;
};

#endif // ZUMBREL_UTIL_ITERADOR_INDICE_H
