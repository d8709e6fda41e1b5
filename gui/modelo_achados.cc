#include "gui/modelo_achados.h"

#include <cstring>

#include <gtk/gtk.h>

#include "gui/colunas.h"
#include "util/utf8.h"

namespace {

enum Forma { COMO_COLUNAS, SO_TEXTO, COM_MARCA, COMO_REGISTRO };

// The toolkit's side of the model: a GObject that implements GtkTreeModel.
struct ModeloAchados
{
    GObject pai;
    std::shared_ptr<const Achados>* achados;   // owned; made and freed with the object
    gint carimbo;                              // tells this model's iterators from others'
    // Laid out as COLUNAS, as one text column (text 1), as a tick, text 1
    // and the code, or as the caller's column record (its types here).
    int forma;
    GType* tipos;
    int n_tipos;
};

struct ModeloAchadosClasse
{
    GObjectClass pai;
};

// Where the code and the texts sit among the columns of COLUNAS: texto[c]
// is the text (1, 2...) column c holds, 0 for none.
struct Posicoes
{
    int codigo, colunas;
    GType tipos[64];
    int texto[64];
};

const Posicoes& posicoes()
{
    static const Posicoes p = [] {
        Posicoes r = {};
        COLUNAS c;
        r.codigo = c.codigo.index();
        r.colunas = static_cast<int>(c.size());
        for (int k = 0; k < 10; ++k) {
            if (c.textos[k].index() < 64)
                r.texto[c.textos[k].index()] = k + 1;
        }
        for (int i = 0; i < r.colunas && i < 64; ++i)
            r.tipos[i] = c.types()[i];
        return r;
    }();
    return p;
}

GType modelo_achados_get_type();

ModeloAchados* MODELO(gpointer p) { return G_TYPE_CHECK_INSTANCE_CAST(p, modelo_achados_get_type(), ModeloAchados); }

std::size_t tamanho(ModeloAchados* m) { return *m->achados ? (*m->achados)->tamanho() : 0; }

// Row i as an iterator: the index rides in the iterator itself.
gboolean apontar(ModeloAchados* m, GtkTreeIter* iter, std::size_t i)
{
    if (i >= tamanho(m)) {
        iter->stamp = 0;
        return FALSE;
    }
    iter->stamp = m->carimbo;
    iter->user_data = GSIZE_TO_POINTER(i);
    iter->user_data2 = nullptr;
    iter->user_data3 = nullptr;
    return TRUE;
}

std::size_t indice(const GtkTreeIter* iter) { return GPOINTER_TO_SIZE(iter->user_data); }

GtkTreeModelFlags get_flags(GtkTreeModel*)
{
    return static_cast<GtkTreeModelFlags>(GTK_TREE_MODEL_LIST_ONLY | GTK_TREE_MODEL_ITERS_PERSIST);
}

gint get_n_columns(GtkTreeModel* modelo)
{
    switch (MODELO(modelo)->forma) {
    case SO_TEXTO: return 1;
    case COM_MARCA: return 3;
    case COMO_REGISTRO: return MODELO(modelo)->n_tipos;
    default: return posicoes().colunas;
    }
}

GType get_column_type(GtkTreeModel* modelo, gint coluna)
{
    if (MODELO(modelo)->forma == SO_TEXTO)
        return coluna == 0 ? G_TYPE_STRING : G_TYPE_INVALID;
    if (MODELO(modelo)->forma == COM_MARCA) {
        static const GType tipos[] = { G_TYPE_BOOLEAN, G_TYPE_STRING, G_TYPE_INT };
        return coluna >= 0 && coluna < 3 ? tipos[coluna] : G_TYPE_INVALID;
    }
    if (MODELO(modelo)->forma == COMO_REGISTRO) {
        const ModeloAchados* m = MODELO(modelo);
        return coluna >= 0 && coluna < m->n_tipos ? m->tipos[coluna] : G_TYPE_INVALID;
    }
    const Posicoes& p = posicoes();
    return coluna >= 0 && coluna < p.colunas ? p.tipos[coluna] : G_TYPE_INVALID;
}

gboolean get_iter(GtkTreeModel* modelo, GtkTreeIter* iter, GtkTreePath* caminho)
{
    if (gtk_tree_path_get_depth(caminho) != 1)
        return FALSE;
    const gint i = gtk_tree_path_get_indices(caminho)[0];
    return i >= 0 && apontar(MODELO(modelo), iter, static_cast<std::size_t>(i));
}

GtkTreePath* get_path(GtkTreeModel*, GtkTreeIter* iter)
{
    GtkTreePath* caminho = gtk_tree_path_new();
    gtk_tree_path_append_index(caminho, static_cast<gint>(indice(iter)));
    return caminho;
}

// A text as the list shows it: read in place when it is valid UTF-8 (as
// good as every one), else a mended copy, each invalid byte as U+FFFD.
void texto_mostravel(GValue* valor, const char* t)
{
    const std::size_t n = std::strlen(t);
    if (utf8_valido(t, n))
        g_value_set_static_string(valor, t);
    else
        g_value_take_string(valor, g_strdup(utf8_reparado(t, n).c_str()));
}

void get_value(GtkTreeModel* modelo, GtkTreeIter* iter, gint coluna, GValue* valor)
{
    ModeloAchados* m = MODELO(modelo);
    const Posicoes& p = posicoes();
    g_value_init(valor, get_column_type(modelo, coluna));
    const std::size_t i = indice(iter);
    if (iter->stamp != m->carimbo || i >= tamanho(m))
        return;
    const Achados& a = **m->achados;
    if (m->forma == COMO_REGISTRO) {
        const GType tipo = get_column_type(modelo, coluna);
        if (tipo == G_TYPE_STRING)
            texto_mostravel(valor, a.texto(i, coluna));
        else if (tipo == G_TYPE_BOOLEAN)
            g_value_set_boolean(valor, a.numero(i, coluna) != 0);
        else if (tipo == G_TYPE_INT)
            g_value_set_int(valor, a.numero(i, coluna));
        return;
    }
    if (m->forma == SO_TEXTO)
        texto_mostravel(valor, a.texto(i, 1));
    else if (m->forma == COM_MARCA && coluna == 0)
        g_value_set_boolean(valor, a.marcado(i));
    else if (m->forma == COM_MARCA && coluna == 1)
        texto_mostravel(valor, a.texto(i, 1));
    else if (m->forma == COM_MARCA)
        g_value_set_int(valor, a.codigo(i));
    else if (coluna == p.codigo)
        g_value_set_int(valor, a.codigo(i));
    else if (coluna >= 0 && coluna < 64 && p.texto[coluna] > 0 && p.texto[coluna] <= a.textos())
        texto_mostravel(valor, a.texto(i, p.texto[coluna]));
}

gboolean iter_next(GtkTreeModel* modelo, GtkTreeIter* iter)
{
    return apontar(MODELO(modelo), iter, indice(iter) + 1);
}

gboolean iter_nth_child(GtkTreeModel* modelo, GtkTreeIter* iter, GtkTreeIter* pai, gint n)
{
    if (pai || n < 0) {
        iter->stamp = 0;
        return FALSE;
    }
    return apontar(MODELO(modelo), iter, static_cast<std::size_t>(n));
}

gboolean iter_children(GtkTreeModel* modelo, GtkTreeIter* iter, GtkTreeIter* pai)
{
    return iter_nth_child(modelo, iter, pai, 0);
}

gboolean iter_has_child(GtkTreeModel*, GtkTreeIter*) { return FALSE; }

gint iter_n_children(GtkTreeModel* modelo, GtkTreeIter* iter)
{
    return iter ? 0 : static_cast<gint>(tamanho(MODELO(modelo)));
}

gboolean iter_parent(GtkTreeModel*, GtkTreeIter* iter, GtkTreeIter*)
{
    iter->stamp = 0;
    return FALSE;
}

void iniciar_interface(gpointer interface, gpointer)
{
    GtkTreeModelIface* i = static_cast<GtkTreeModelIface*>(interface);
    i->get_flags = get_flags;
    i->get_n_columns = get_n_columns;
    i->get_column_type = get_column_type;
    i->get_iter = get_iter;
    i->get_path = get_path;
    i->get_value = get_value;
    i->iter_next = iter_next;
    i->iter_children = iter_children;
    i->iter_has_child = iter_has_child;
    i->iter_n_children = iter_n_children;
    i->iter_nth_child = iter_nth_child;
    i->iter_parent = iter_parent;
}

void iniciar(GTypeInstance* instancia, gpointer)
{
    ModeloAchados* m = reinterpret_cast<ModeloAchados*>(instancia);
    static gint carimbos = 0;
    m->achados = new std::shared_ptr<const Achados>();
    m->carimbo = ++carimbos == 0 ? ++carimbos : carimbos;
}

void finalizar(GObject* objeto)
{
    ModeloAchados* m = MODELO(objeto);
    delete m->achados;
    m->achados = nullptr;
    delete[] m->tipos;
    m->tipos = nullptr;
    G_OBJECT_CLASS(g_type_class_peek_parent(G_OBJECT_GET_CLASS(objeto)))->finalize(objeto);
}

void iniciar_classe(gpointer classe, gpointer) { G_OBJECT_CLASS(classe)->finalize = finalizar; }

GType modelo_achados_get_type()
{
    static GType tipo = 0;
    if (!tipo) {
        static const GTypeInfo info = {
            sizeof(ModeloAchadosClasse), nullptr, nullptr, iniciar_classe,
            nullptr, nullptr, sizeof(ModeloAchados), 0, iniciar, nullptr,
        };
        static const GInterfaceInfo interface = { iniciar_interface, nullptr, nullptr };
        tipo = g_type_register_static(G_TYPE_OBJECT, "ZumbrelModeloAchados", &info, GTypeFlags(0));
        g_type_add_interface_static(tipo, GTK_TYPE_TREE_MODEL, &interface);
    }
    return tipo;
}

} // namespace

namespace {

Glib::RefPtr<Gtk::TreeModel> novo_modelo(std::shared_ptr<const Achados> achados, Forma forma,
                                         const Gtk::TreeModelColumnRecord* registro = nullptr)
{
    ModeloAchados* m = MODELO(g_object_new(modelo_achados_get_type(), nullptr));
    *m->achados = std::move(achados);
    m->forma = forma;
    if (registro) {
        m->n_tipos = static_cast<int>(registro->size());
        m->tipos = new GType[registro->size() ? registro->size() : 1];
        for (int c = 0; c < m->n_tipos; ++c)
            m->tipos[c] = registro->types()[c];
    }
    // The wrapper takes the one reference the object was made with.
    return Glib::wrap(GTK_TREE_MODEL(m), false);
}

} // namespace

Glib::RefPtr<Gtk::TreeModel> modelo_achados(std::shared_ptr<const Achados> achados)
{
    return novo_modelo(std::move(achados), COMO_COLUNAS);
}

Glib::RefPtr<Gtk::TreeModel> modelo_textos(std::shared_ptr<const Achados> achados)
{
    return novo_modelo(std::move(achados), SO_TEXTO);
}

Glib::RefPtr<Gtk::TreeModel> modelo_marcas(std::shared_ptr<const Achados> achados)
{
    return novo_modelo(std::move(achados), COM_MARCA);
}

Glib::RefPtr<Gtk::TreeModel> modelo_registro(std::shared_ptr<const Achados> achados,
                                             const Gtk::TreeModelColumnRecord& registro)
{
    return novo_modelo(std::move(achados), COMO_REGISTRO, &registro);
}

void linha_mudou(const Glib::RefPtr<Gtk::TreeModel>& modelo, std::size_t i)
{
    if (!modelo)
        return;
    GtkTreeModel* m = modelo->gobj();
    GtkTreeIter iter;
    if (!gtk_tree_model_iter_nth_child(m, &iter, nullptr, static_cast<gint>(i)))
        return;
    GtkTreePath* caminho = gtk_tree_model_get_path(m, &iter);
    gtk_tree_model_row_changed(m, caminho, &iter);
    gtk_tree_path_free(caminho);
}
