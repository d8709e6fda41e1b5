#include "gui/colunas_fixas.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <gtk/gtk.h>
#include <pangomm/layout.h>

#include "gui/gtk2_interno.h"
#include "gui/lista_textos.h"
#include "util/conversoes.h"
#include "util/utf8.h"

namespace {

// Widths of single characters in the view's font, for a first guess of a
// text's width (it leaves out kerning, hence the margin below).
class Avancos
{
public:
    explicit Avancos(Gtk::TreeView& lista) : layout_(lista.create_pango_layout(""))
    {
        std::fill(std::begin(ascii_), std::end(ascii_), -1);
    }

    // Whether all ten digits are equally wide: then texts that differ only
    // in their digits are equally wide.
    bool digitos_iguais()
    {
        for (gunichar d = '1'; d <= '9'; ++d) {
            if (caractere(d) != caractere('0'))
                return false;
        }
        return true;
    }

    // The text must be valid UTF-8: a character walk over anything else
    // may step past its end. Plain ASCII, as most texts are, is summed from
    // a table.
    int texto(const char* t)
    {
        int soma = 0;
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(t); *p;) {
            if (*p < 0x80) {
                const int l = ascii_[*p];
                soma += l >= 0 ? l : (ascii_[*p] = caractere(*p));
                ++p;
            } else {
                const char* c = reinterpret_cast<const char*>(p);
                soma += caractere(g_utf8_get_char(c));
                p = reinterpret_cast<const unsigned char*>(g_utf8_next_char(c));
            }
        }
        return soma;
    }

private:
    int caractere(gunichar c)
    {
        auto it = largura_.find(c);
        if (it != largura_.end())
            return it->second;
        char utf8[8] = {};
        g_unichar_to_utf8(c, utf8);
        layout_->set_text(utf8);
        int largura = 0, altura = 0;
        layout_->get_size(largura, altura);
        largura_.emplace(c, largura);
        return largura;
    }

    Glib::RefPtr<Pango::Layout> layout_;
    std::unordered_map<gunichar, int> largura_;
    int ascii_[128];
};

// How much wider than its guess a text may turn out (kerning mostly draws
// letters closer; a wider pair is rare and slight). A text whose guess falls
// more than this short of the widest text measured cannot be wider.
const int MARGEM = 3 * PANGO_SCALE;

// The guesses near the widest go in bins of one pixel, this many of them.
const int PASSO = PANGO_SCALE;
const int FAIXAS = 16;

// The texts of one column measured for real, each form of text once (with
// digits of one width, "Apiário 12" and "Apiário 47" are of one form): the
// widest text's width and the widest cell's.
class Medida
{
public:
    Medida(Pango::Layout& layout, GtkCellRenderer* celula, GtkTreeView* view, bool iguais)
        : layout_(layout), celula_(celula), view_(view), iguais_(iguais)
    {
    }

    void medir(const char* t)
    {
        // Rows in a row are often of one form: that is seen without a copy.
        if (!ultima_.empty() && mesma_forma(t))
            return;
        ultima_ = ListaTextos::forma(t, iguais_);
        if (!medidas_.insert(ultima_).second)
            return;
        layout_.set_text(t);
        int lt = 0, at = 0;
        layout_.get_size(lt, at);
        maior_texto = std::max(maior_texto, lt);
        g_object_set(celula_, "text", t, nullptr);
        gint w = 0, h = 0;
        gtk_cell_renderer_get_size(celula_, GTK_WIDGET(view_), nullptr, nullptr, nullptr, &w, &h);
        maior_celula = std::max(maior_celula, static_cast<int>(w));
    }

    int maior_texto = -1;   // Pango units
    int maior_celula = 0;   // pixels

private:
    bool mesma_forma(const char* t) const
    {
        std::size_t k = 0;
        for (; t[k]; ++k) {
            if (k >= ultima_.size())
                return false;
            const char c = iguais_ && t[k] >= '0' && t[k] <= '9' ? '0' : t[k];
            if (c != ultima_[k])
                return false;
        }
        return k == ultima_.size();
    }

    Pango::Layout& layout_;
    GtkCellRenderer* celula_;
    GtkTreeView* view_;
    bool iguais_;
    std::string ultima_;
    std::unordered_set<std::string> medidas_;
};

// A text as the list shows it: valid UTF-8, invalid bytes as U+FFFD. Valid
// texts (as good as all) are read in place; a mended one is kept in `copia`.
const char* mostravel(const char* t, std::string& copia)
{
    const std::size_t n = std::strlen(t);
    if (utf8_valido(t, n))
        return t;
    copia = utf8_reparado(t, n);
    return copia.c_str();
}

} // namespace

void fixar_colunas(Gtk::TreeView& lista, std::size_t linhas,
                   const std::function<const char*(std::size_t, int)>& texto)
{
    GtkTreeView* view = lista.gobj();
    gint linha_foco = 0, separador = 0;
    gtk_widget_style_get(GTK_WIDGET(view), "focus-line-width", &linha_foco, "horizontal-separator", &separador,
                         nullptr);
    Avancos avancos(lista);
    const bool iguais = avancos.digitos_iguais();
    Glib::RefPtr<Pango::Layout> medida = lista.create_pango_layout("");
    Pango::Layout& layout = *medida.operator->();

    GList* colunas = gtk_tree_view_get_columns(view);
    int c = 0;
    for (GList* l = colunas; l; l = l->next, ++c) {
        GtkTreeViewColumn* coluna = GTK_TREE_VIEW_COLUMN(l->data);

        // The title's button, as the toolkit asks it.
        GtkRequisition botao = { 0, 0 };
        if (GtkWidget* titulo = botao_do_titulo(coluna))
            gtk_widget_size_request(titulo, &botao);
        int largura = botao.width;

        GList* celulas = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(coluna));
        GtkCellRenderer* celula = celulas ? GTK_CELL_RENDERER(celulas->data) : nullptr;
        g_list_free(celulas);
        if (celula && linhas > 0) {
            // Guess every text, then measure for real, as the toolkit does
            // for each row, the texts of the widest guesses until no guess
            // left can be wider than the widest text measured. The guesses
            // within a few pixels of the widest are put in one bin a pixel,
            // widest first, so that a list of 100,000 texts of one width
            // (codes, names with a number) is not ordered, only gone through;
            // each form of text is measured once. The room of the guesses is
            // kept from list to list.
            std::string copia;
            static std::vector<int> palpites;
            static std::vector<std::size_t> perto[FAIXAS];
            palpites.resize(linhas);
            int maior_palpite = 0;
            for (std::size_t i = 0; i < linhas; ++i) {
                palpites[i] = avancos.texto(mostravel(texto(i, c), copia));
                maior_palpite = std::max(maior_palpite, palpites[i]);
            }
            for (std::vector<std::size_t>& faixa : perto)
                faixa.clear();
            for (std::size_t i = 0; i < linhas; ++i) {
                const int abaixo = maior_palpite - palpites[i];
                if (abaixo < FAIXAS * PASSO)
                    perto[abaixo / PASSO].push_back(i);
            }
            Medida m(layout, celula, view, iguais);
            bool decidido = false;
            for (int f = 0; f < FAIXAS && !decidido; ++f) {
                if (m.maior_texto >= 0 && maior_palpite - f * PASSO + MARGEM < m.maior_texto) {
                    decidido = true;
                    break;
                }
                for (std::size_t i : perto[f])
                    m.medir(mostravel(texto(i, c), copia));
            }
            // The texts further down matter only when the nearest ones were
            // measured much narrower than guessed: then they are gone
            // through as well, widest guess first.
            if (!decidido && maior_palpite - FAIXAS * PASSO + MARGEM >= m.maior_texto) {
                std::vector<std::pair<int, std::size_t>> resto;
                for (std::size_t i = 0; i < linhas; ++i) {
                    if (maior_palpite - palpites[i] >= FAIXAS * PASSO)
                        resto.emplace_back(palpites[i], i);
                }
                std::make_heap(resto.begin(), resto.end());
                for (auto fim = resto.end(); fim != resto.begin(); --fim) {
                    std::pop_heap(resto.begin(), fim);
                    const std::pair<int, std::size_t>& p = *(fim - 1);
                    if (m.maior_texto >= 0 && p.first + MARGEM < m.maior_texto)
                        break;
                    m.medir(mostravel(texto(p.second, c), copia));
                }
            }
            largura = std::max(largura, m.maior_celula + 2 * linha_foco + separador);
        }
        gtk_tree_view_column_set_sizing(coluna, GTK_TREE_VIEW_COLUMN_FIXED);
        gtk_tree_view_column_set_fixed_width(coluna, std::max(1, largura));
    }
    g_list_free(colunas);
    gtk_tree_view_set_fixed_height_mode(view, TRUE);
}

Glib::RefPtr<Gtk::TreeModel> mostrar_achados(Gtk::TreeView& lista, const COLUNAS& colunas,
                                             const char* const (&titulos)[3], std::shared_ptr<const Achados> achados)
{
    const Achados& a = *achados;
    Glib::RefPtr<Gtk::TreeModel> modelo = modelo_achados(achados);

    lista.unset_model();
    lista.set_fixed_height_mode(false);
    lista.remove_all_columns();
    lista.append_column_numeric(titulos[0], colunas.codigo, "%04d");
    lista.append_column(titulos[1], colunas.textos[0]);
    lista.append_column(titulos[2], colunas.textos[1]);
    for (int c = 0; c < 3; ++c)
        lista.get_column(c)->set_reorderable(true);
    char numero[16];
    fixar_colunas(lista, a.tamanho(), [&a, &numero](std::size_t i, int c) -> const char* {
        if (c != 0)
            return a.texto(i, c);
        return com_quatro_digitos(a.codigo(i), numero);
    });
    lista.set_model(modelo);
    return modelo;
}
