// What every open form window has: its id, its window, the toolbar and
// navigation items it created, the record counter and its own New/Edit flags.
// Each opening makes a new one, so two open forms never share widgets.
#ifndef ZUMBREL_GUI_FORMULARIO_H
#define ZUMBREL_GUI_FORMULARIO_H

#include <memory>

#include <gtkmm/label.h>
#include <gtkmm/toolbutton.h>
#include <gtkmm/window.h>

struct Formulario
{
    explicit Formulario(int id_janela) : id(id_janela), janela(new Gtk::Window()) {}
    virtual ~Formulario() = default;

    Formulario(const Formulario&) = delete;
    Formulario& operator=(const Formulario&) = delete;

    int id;
    std::unique_ptr<Gtk::Window> janela;
    // The open form whose window this one was opened over, if any.
    Formulario* origem = nullptr;

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

    // New or Edit pressed in this form: the next save inserts or updates.
    bool editando = false;
    bool inserindo = false;
};

#endif // ZUMBREL_GUI_FORMULARIO_H
