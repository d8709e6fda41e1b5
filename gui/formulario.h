// The frame every window of the program is built in: its window, the
// toolbar and navigation items, the pending New or Edit, the display states,
// save, load, navigation and delete. Each window is a class derived from it
// in its own files (gui/janelas.cc lists them), which builds its widgets and
// fills in the steps that are its own: the state of its widgets, loading,
// saving and deleting a record.
#ifndef ZUMBREL_GUI_FORMULARIO_H
#define ZUMBREL_GUI_FORMULARIO_H

#include <cstddef>
#include <memory>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stockid.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/toolbutton.h>
#include <gtkmm/window.h>

#include "gui/contexto.h"
#include "gui/eventos.h"

// The toolbar and navigation items of a form; a form makes only those it
// uses, the others stay null.
struct BotoesForm
{
    Gtk::ToolButton* button_novo = nullptr;
    Gtk::ToolButton* button_editar = nullptr;
    Gtk::ToolButton* button_salvar = nullptr;
    Gtk::ToolButton* button_cancelar = nullptr;
    Gtk::ToolButton* button_buscar = nullptr;
    Gtk::ToolButton* button_excluir = nullptr;

    Gtk::ToolButton* button_primeiro = nullptr;
    Gtk::ToolButton* button_anterior = nullptr;
    Gtk::ToolButton* button_proximo = nullptr;
    Gtk::ToolButton* button_ultimo = nullptr;
    Gtk::Label* label_contador = nullptr;
};

class Formulario : public EVENTOS
{
public:
    Formulario(int id, Contexto& contexto);
    virtual ~Formulario();

    Formulario(const Formulario&) = delete;
    Formulario& operator=(const Formulario&) = delete;

    int get_id() const { return id_; }
    Gtk::Window* janela() const { return janela_.get(); }
    // The open form whose window this one was opened over, if any.
    Formulario* origem() const { return origem_; }
    void set_origem(Formulario* f) { origem_ = f; }
    virtual const BotoesForm& botoes() const = 0;
    // The toolbar and navigation items; a form class gives all its widgets.
    const BotoesForm& widgets() const { return botoes(); }
    bool inserindo() const { return inserindo_; }
    bool editando() const { return editando_; }

    // Builds the widgets into the window; the window is shown afterwards.
    virtual void montar() = 0;

    // Writes the id and the state, then sets the widgets for it: 1 browse
    // (and load), 2 edit, 0 new record.
    void estado(int e);
    void inserir_dados();
    void editar_dados();
    // Inserts or updates, as New or Edit asked; on success back to browsing.
    // A refused save says why and keeps the pending New or Edit with all
    // that was typed, so that Save after fixing it saves; only a record
    // another desktop changed or deleted since it was shown is shown again
    // as it now is.
    void salvar_dados();
    // 0 first, 1 back, 2 forward, 3 last; then loads the record there.
    void navegar(int direcao);
    // Loads what the window shows (`dado` is its own id, or a lookup it
    // runs, such as the postal code of the user forms).
    virtual void carregar_dados(int dado);
    // Asks, deletes the record shown and says how it went (and why not).
    void excluir_dados(Gtk::Window* pai);
    // Drops a pending New or Edit: nothing typed is saved by the next Save.
    void esquecer_acao() { inserindo_ = editando_ = false; }

    // Another window hands over a record it chose: the user or apiary found
    // by a search (`de_onde` is that window's id). False when this form does
    // not show it (it no longer exists, say).
    virtual bool receber_escolha(int de_onde, int chave);
    // Fills one of the window's drop-down lists (1 floral sources,
    // 2 municipalities, 3 mother bees), with the entry of that key chosen.
    virtual void Carregar_combo(int qual, int selecionado);

protected:
    // The steps of each window. A save or delete gives back why it was
    // refused (houve false when it was not).
    virtual void mudar_estado(int e);
    virtual FALHA salvar(bool inserir);
    virtual FALHA excluir();
    // What a data-access call that returned `ok` gives a save or delete:
    // none, or the call's refusal.
    static FALHA desfecho(bool ok, const DADOS& dados);
    // What the delete question adds below it (what goes with the record),
    // or nothing.
    virtual std::string detalhe_exclusao() { return std::string(); }
    // After a successful save, before the form goes back to browsing.
    virtual void depois_de_salvar() {}
    // Whether Delete acts now (it asks first), and what it asks.
    virtual bool pode_excluir() const { return true; }
    virtual std::string pergunta_exclusao() const { return "Deseja realmente excluir esse item?"; }
    // Back to browsing, showing the record that was shown as it is stored
    // now (after another desktop changed or deleted it). Browsable forms
    // find it again by its key, wherever the reload put it.
    virtual void mostrar_como_esta();

    // Browsable windows: where their list stands, its size, and the text
    // the trace shows for record i (0-based).
    virtual Lembranca* lembranca() { return nullptr; }
    virtual std::size_t tamanho() const { return 0; }
    virtual std::string texto_registro(std::size_t) const { return std::string(); }
    // The key of record i (0-based), to find it again after a reload.
    virtual int chave_registro(std::size_t) const { return 0; }
    virtual void antes_de_navegar() {}
    // The shared steps after a browsable list was loaded: false when it is
    // empty; else the first-opening line, the position kept inside the list
    // and the counter.
    bool posicionar(std::size_t tamanho);

    // A message dialog over the login window, created with `primeiro` and
    // then showing `texto` (markup) and, below it, `detalhe` (plain text):
    // the dialogs of saves and passwords.
    int mensagem(const Glib::ustring& primeiro, const Glib::ustring& texto, Gtk::MessageType tipo,
                 const Glib::ustring& detalhe = Glib::ustring());
    // Opens another window over `pai` (this form's window when null).
    void abrir(int id, Gtk::Window* pai = nullptr);
    // Opens the window of that id over this one, showing the record of
    // that key (handed over by receber_escolha once it is up).
    void abrir_com_escolha(int id, int chave);

    // Toolbar and navigation building blocks. A form's toolbar never hides
    // tools behind an overflow arrow: the window is as wide as its tools.
    static Gtk::Toolbar* nova_barra();
    static Gtk::ToolButton* botao(Gtk::Toolbar& barra, const Gtk::StockID& stock,
                                  const Glib::ustring& dica = Glib::ustring());
    // A new toolbar with New, Edit, Save and Cancel, then Delete or Find.
    enum class Depois { EXCLUIR, BUSCAR };
    static Gtk::Toolbar* barra_registro(BotoesForm& b, Depois depois);
    Gtk::Toolbar* barra_navegacao(BotoesForm& b, const Glib::ustring& contador);
    Gtk::HBox* caixa_navegacao(BotoesForm& b, const Glib::ustring& contador);
    // Connects the toolbar items the form made to the frame's operations
    // (New, Edit, Save, Cancel; Delete over this window).
    void ligar_barra(BotoesForm& b);
    // Makes a widget the one that has the focus in this form's window.
    void focar(Gtk::Widget& w) { janela_->set_focus(w); }
    // Enter in `de` moves the focus to `para`.
    void tab(Gtk::Entry& de, Gtk::Widget& para);

    Contexto& ctx;

private:
    void botoes_navegacao(BotoesForm& b, const Glib::ustring& contador);

    int id_;
    std::unique_ptr<Gtk::Window> janela_;
    Formulario* origem_ = nullptr;
    // New or Edit pressed in this form: the next save inserts or updates.
    bool editando_ = false;
    bool inserindo_ = false;
};

// A form with its own widgets, kept as one record of pointers that tests and
// the benchmark read through widgets().
template <class W>
class FormularioCom : public Formulario
{
public:
    using Formulario::Formulario;
    const W& widgets() const { return w; }
    const BotoesForm& botoes() const override { return w; }

protected:
    W w;
};

#endif // ZUMBREL_GUI_FORMULARIO_H
