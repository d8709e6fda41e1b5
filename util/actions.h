// Field helpers that the forms attach to their entries (masks, digits filter,
// Enter to the next field, hide a window), two text conversions, and the
// column record of every list.
#ifndef ZUMBREL_UTIL_ACTIONS_H
#define ZUMBREL_UTIL_ACTIONS_H

#include <string>

#include <glibmm/ustring.h>
#include <gtkmm/entry.h>
#include <gtkmm/treemodelcolumn.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>

#include "util/mascara.h"

class EVENTOS
{
public:
    EVENTOS() = default;
    ~EVENTOS() = default;

    void data_mascara(int tag, Gtk::Entry* entry);
    void cpf_mascara(int tag, Gtk::Entry* entry);
    void cep_mascara(int tag, Gtk::Entry* entry);
    void checar_digito(Gtk::Entry* entry, int modo);
    void set_posicao(Gtk::Entry* entry, int posicao);
    void tabular(Gtk::Window* janela, Gtk::Widget* widget);
    void sair(Gtk::Window* janela);
    std::string intToString(int numero);
    char* StringToChar(std::string texto);
    void case_upper(Gtk::Entry* entry);

protected:
    int ultimo_tamanho = 0;
    int ultimo_campo = 0;

private:
    void mascarar(const Mascara& mascara, int tag, Gtk::Entry* entry);
    bool mascarando = false;   // true while a mask writes its own result back
};

class COLUNAS : public Gtk::TreeModelColumnRecord
{
public:
    COLUNAS();
    ~COLUNAS() override = default;

    Gtk::TreeModelColumn<int> codigo;
    Gtk::TreeModelColumn<int> inteiros[10];
    Gtk::TreeModelColumn<float> reais[10];
    Gtk::TreeModelColumn<Glib::ustring> textos[10];
};

#endif // ZUMBREL_UTIL_ACTIONS_H
