// Every apiary of a list to choose from, shown straight from the rows the
// list read (a model of gui/modelo_achados.h over them): its key, its name
// (text 1), its municipality (text 2) and whether it is ticked. A list of
// 100,000 apiaries costs its rows, not a copy of each in a list store.
#ifndef ZUMBREL_GUI_APIARIOS_LISTADOS_H
#define ZUMBREL_GUI_APIARIOS_LISTADOS_H

#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gui/modelo_achados.h"
#include "model/apiario.h"

class ApiariosListados : public Achados
{
public:
    explicit ApiariosListados(LISTA_APIARIOS l) : lista(std::move(l)) {}

    std::size_t tamanho() const override { return lista.size(); }
    int codigo(std::size_t i) const override { return lista.id(i); }
    const char* texto(std::size_t i, int coluna) const override
    {
        return coluna == 1 ? lista.nome(i) : lista.municipio(i);
    }
    bool marcado(std::size_t i) const override { return marcadas.count(i) > 0; }

    void marcar(std::size_t i, bool sim)
    {
        if (sim)
            marcadas.insert(i);
        else
            marcadas.erase(i);
    }
    // The rows ticked, in the list's order.
    const std::set<std::size_t>& marcados() const { return marcadas; }
    // The row of the apiary of key `id` (false when none is).
    bool linha_de(int id, std::size_t* i) const
    {
        for (std::size_t k = 0; k < lista.size(); ++k) {
            if (lista.id(k) == id) {
                *i = k;
                return true;
            }
        }
        return false;
    }

private:
    LISTA_APIARIOS lista;
    std::set<std::size_t> marcadas;
};

// The entries of a drop-down list of every apiary (gui/lista_textos.h):
// `primeira` ("" or "Todos"), then each apiary's name in the list's order;
// their keys are appended to `ids` in the same order when it is given.
inline std::vector<std::string> nomes_de_apiarios(const LISTA_APIARIOS& l, const char* primeira,
                                                  std::vector<int>* ids = nullptr)
{
    std::vector<std::string> nomes;
    nomes.reserve(l.size() + 1);
    nomes.emplace_back(primeira);
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (ids)
            ids->push_back(l.id(i));
        nomes.emplace_back(l.nome(i));
    }
    return nomes;
}

#endif // ZUMBREL_GUI_APIARIOS_LISTADOS_H
