// A drop-down list of plain texts made for long lists (every queen bee of a
// breeder, thousands of them). It shows as a scrolled list rather than a
// menu, since a menu makes one item widget per entry; its model reads the
// entries where the list keeps them (gui/modelo_achados.h) instead of
// copying each into a store, and is swapped only when the entries differ
// from the ones it holds; and it works out its size from one entry of each
// shape instead of measuring every entry at every change of the chosen one.
#ifndef ZUMBREL_GUI_LISTA_TEXTOS_H
#define ZUMBREL_GUI_LISTA_TEXTOS_H

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include <gtkmm/comboboxtext.h>

class ListaTextos : public Gtk::ComboBoxText
{
public:
    ListaTextos();

    // Makes `textos` the entries, in this order. When they are the ones the
    // list holds already, nothing is rebuilt and false is returned; else the
    // list gets them with no entry chosen and true is returned. Given before
    // the list sits in a window, they go in when it does, with the entry
    // chosen meanwhile.
    bool preencher(std::vector<std::string> textos);
    const std::vector<std::string>& textos() const { return *textos_; }
    // Whether preencher(textos) would leave the list as it is.
    bool ja_mostra(const std::vector<std::string>& textos) const { return medida_valida_ && textos == *textos_; }

    // The key under which entries are taken to be as wide as one another:
    // every digit counts as "0" when the font draws all digits equally wide.
    static std::string forma(const std::string& texto, bool digitos_iguais);

protected:
    void on_size_request(Gtk::Requisition* requisicao) override;
    void on_style_changed(const Glib::RefPtr<Gtk::Style>& anterior) override;
    void on_hierarchy_changed(Gtk::Widget* anterior) override;
    void on_direction_changed(Gtk::TextDirection anterior) override;
    void on_screen_changed(const Glib::RefPtr<Gdk::Screen>& anterior) override;

private:
    // Whether the toolkit shows this list as a list (its style says so once
    // the widget sits in a window).
    bool em_lista() const;
    // Whether the font draws all ten digits equally wide (asked once per
    // style).
    bool digitos_iguais();
    // Whether the list sits in a window (its style settled then).
    bool na_janela();
    // Entries given before the list sat in a window go in once it does.
    void entrar_pendentes();
    // Makes `novos` the entries, in the model, measured.
    void encher(std::shared_ptr<const std::vector<std::string>> novos);
    // The size the toolkit gives a list holding one entry of each shape of
    // `textos`, which is the size it gives the whole list.
    void medir(const std::vector<std::string>& textos);

    // Shared with the model that shows them.
    std::shared_ptr<const std::vector<std::string>> textos_;
    Gtk::Requisition medida_;
    bool medida_valida_ = false;
    // The shapes the size was worked out from.
    std::unordered_set<std::string> formas_;
    int digitos_iguais_ = -1;
    bool pendentes_ = false;   // textos_ not in the model yet
};

#endif // ZUMBREL_GUI_LISTA_TEXTOS_H
