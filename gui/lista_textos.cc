#include "gui/lista_textos.h"

#include <algorithm>

#include <gtk/gtk.h>
#include <gtkmm/liststore.h>
#include <pangomm/layout.h>

#include "gui/modelo_achados.h"

namespace {

const char* const NOME = "zumbrel-lista-longa";

// Lists of this kind show as a scrolled list (a style property of the
// toolkit, given here to the widgets of this name).
void registrar_estilo()
{
    static bool feito = false;
    if (feito)
        return;
    feito = true;
    gtk_rc_parse_string("style \"zumbrel-lista-longa\" { GtkComboBox::appears-as-list = 1 }\n"
                        "widget \"*.zumbrel-lista-longa\" style \"zumbrel-lista-longa\"\n");
}

// The entries as the model reads them: entry i is text 1 of row i.
class Entradas : public Achados
{
public:
    explicit Entradas(std::shared_ptr<const std::vector<std::string>> textos) : textos_(std::move(textos)) {}
    std::size_t tamanho() const override { return textos_->size(); }
    int textos() const override { return 1; }
    int codigo(std::size_t i) const override { return static_cast<int>(i); }
    const char* texto(std::size_t i, int) const override { return (*textos_)[i].c_str(); }

private:
    std::shared_ptr<const std::vector<std::string>> textos_;
};

// A one-column store of a few texts (one of each shape, to be measured).
Glib::RefPtr<Gtk::ListStore> modelo_de(const std::vector<std::string>& textos)
{
    GtkListStore* modelo = gtk_list_store_new(1, G_TYPE_STRING);
    for (const std::string& t : textos)
        gtk_list_store_insert_with_values(modelo, nullptr, -1, 0, t.c_str(), -1);
    return Glib::wrap(modelo);
}

} // namespace

ListaTextos::ListaTextos() : textos_(std::make_shared<const std::vector<std::string>>())
{
    registrar_estilo();
    set_name(NOME);
}

std::string ListaTextos::forma(const std::string& texto, bool digitos_iguais)
{
    if (!digitos_iguais)
        return texto;
    std::string chave = texto;
    for (char& c : chave) {
        if (c >= '0' && c <= '9')
            c = '0';
    }
    return chave;
}

bool ListaTextos::em_lista() const
{
    gboolean lista = FALSE;
    gtk_widget_style_get(GTK_WIDGET(const_cast<GtkComboBox*>(gobj())), "appears-as-list", &lista, nullptr);
    return lista;
}

bool ListaTextos::digitos_iguais()
{
    if (digitos_iguais_ >= 0)
        return digitos_iguais_ == 1;
    digitos_iguais_ = 0;
    Glib::RefPtr<Pango::Layout> layout = create_pango_layout("0");
    int largura0 = 0, altura = 0;
    layout->get_size(largura0, altura);
    for (char d = '1'; d <= '9'; ++d) {
        layout->set_text(std::string(1, d));
        int largura = 0;
        layout->get_size(largura, altura);
        if (largura != largura0)
            return false;
    }
    digitos_iguais_ = 1;
    return true;
}

void ListaTextos::medir(const std::vector<std::string>& textos)
{
    // A row's width depends only on its text; with equally wide digits,
    // texts that differ only in their digits are equally wide. The toolkit
    // measures a list of one text of each shape: the size it finds is the
    // size of the whole list.
    const bool iguais = digitos_iguais();
    formas_.clear();
    std::vector<std::string> uma_de_cada;
    for (const std::string& t : textos) {
        if (formas_.insert(forma(t, iguais)).second)
            uma_de_cada.push_back(t);
    }
    set_model(modelo_de(uma_de_cada));
    medida_valida_ = false;
    queue_resize();
    size_request();
}

bool ListaTextos::na_janela()
{
    Gtk::Widget* topo = get_toplevel();
    if (!topo || !topo->get_is_toplevel())
        return false;
    // The style (list or menu) is known once the widget sits in a window.
    ensure_style();
    return true;
}

bool ListaTextos::preencher(std::vector<std::string> textos)
{
    if (medida_valida_ && textos == *textos_)
        return false;
    auto novos = std::make_shared<const std::vector<std::string>>(std::move(textos));
    // Until the list sits in a window its style is the toolkit's default, a
    // menu, which would make a menu item an entry, each appended at the end
    // of a linked list (minutes for 100,000): the entries wait for the
    // window. An entry chosen meanwhile is chosen once they are in.
    if (!na_janela()) {
        if (get_model())
            unset_model();
        textos_ = std::move(novos);
        medida_valida_ = false;
        pendentes_ = true;
        return true;
    }
    pendentes_ = false;
    encher(std::move(novos));
    return true;
}

void ListaTextos::encher(std::shared_ptr<const std::vector<std::string>> novos)
{
    const bool lista = em_lista();

    // Entries only added at the end (new bees), all of shapes seen before:
    // the size stays.
    bool mesma_medida = false;
    if (lista && medida_valida_ && novos->size() > textos_->size() &&
        std::equal(textos_->begin(), textos_->end(), novos->begin())) {
        const bool iguais = digitos_iguais();
        mesma_medida = true;
        for (std::size_t i = textos_->size(); i < novos->size() && mesma_medida; ++i)
            mesma_medida = formas_.count(forma((*novos)[i], iguais)) > 0;
    }

    Glib::RefPtr<Gtk::TreeModel> modelo = modelo_textos(std::make_shared<Entradas>(novos));
    if (mesma_medida) {
        set_active(-1);
    } else if (lista) {
        medir(*novos);
    } else {
        // Not shown as a list (a theme of the user's): the toolkit measures
        // the whole list when it is shown.
        medida_valida_ = false;
    }
    set_model(modelo);
    textos_ = std::move(novos);
}

void ListaTextos::on_size_request(Gtk::Requisition* requisicao)
{
    // Choosing another entry asks for the size again; it is the same.
    if (medida_valida_) {
        *requisicao = medida_;
        return;
    }
    Gtk::ComboBoxText::on_size_request(requisicao);
    medida_ = *requisicao;
    medida_valida_ = em_lista();
}

void ListaTextos::on_style_changed(const Glib::RefPtr<Gtk::Style>& anterior)
{
    medida_valida_ = false;
    digitos_iguais_ = -1;
    Gtk::ComboBoxText::on_style_changed(anterior);
    entrar_pendentes();
}

void ListaTextos::on_hierarchy_changed(Gtk::Widget* anterior)
{
    Gtk::ComboBoxText::on_hierarchy_changed(anterior);
    entrar_pendentes();
}

void ListaTextos::entrar_pendentes()
{
    // Settling the style (na_janela) tells of a new style, which comes back
    // here: the entries are taken first.
    if (!pendentes_)
        return;
    pendentes_ = false;
    if (!na_janela()) {
        pendentes_ = true;
        return;
    }
    // The toolkit keeps an entry chosen with no model until one comes: it
    // is read off the entries, then chosen again once they are measured.
    std::shared_ptr<const std::vector<std::string>> novos = textos_;
    set_model(modelo_textos(std::make_shared<Entradas>(novos)));
    const int escolhida = get_active_row_number();
    textos_ = std::make_shared<const std::vector<std::string>>();
    encher(std::move(novos));
    if (escolhida >= 0)
        set_active(escolhida);
}

void ListaTextos::on_direction_changed(Gtk::TextDirection anterior)
{
    medida_valida_ = false;
    Gtk::ComboBoxText::on_direction_changed(anterior);
}

void ListaTextos::on_screen_changed(const Glib::RefPtr<Gdk::Screen>& anterior)
{
    // The first screen comes right after the window (hierarchy changed):
    // entries that went in then were measured on it already, and are not
    // measured again entry by entry.
    if (anterior) {
        medida_valida_ = false;
        digitos_iguais_ = -1;
    }
    Gtk::ComboBoxText::on_screen_changed(anterior);
}
