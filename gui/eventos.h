// Field helpers that the forms attach to their entries: masks, digits filter,
// Enter to the next field, hide a window, and the two text conversions the
// data-access classes use as well (util/conversoes.h).
#ifndef ZUMBREL_GUI_EVENTOS_H
#define ZUMBREL_GUI_EVENTOS_H

#include <string>

#include <glibmm/ustring.h>
#include <gtkmm/entry.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>

#include "util/conversoes.h"
#include "util/mascara.h"

class EVENTOS
{
public:
    EVENTOS() = default;
    ~EVENTOS() = default;

    void data_mascara(int tag, Gtk::Entry* entry);
    void cpf_mascara(int tag, Gtk::Entry* entry);
    void cep_mascara(int tag, Gtk::Entry* entry);
    void cnpj_mascara(int tag, Gtk::Entry* entry);
    void checar_digito(Gtk::Entry* entry, int modo);
    void set_posicao(Gtk::Entry* entry, int posicao);
    void tabular(Gtk::Window* janela, Gtk::Widget* widget);
    void sair(Gtk::Window* janela);
    void case_upper(Gtk::Entry* entry);
    static std::string intToString(int numero) { return ::intToString(numero); }
    static char* StringToChar(const std::string& texto) { return ::StringToChar(texto); }

    // This object as EVENTOS, for the slots of the handlers above: bound
    // to it, a handler is called on this part itself, wherever it sits in
    // the class of the window that derives from it.
    EVENTOS& eventos() { return *this; }

protected:
    int ultimo_tamanho = 0;
    int ultimo_campo = 0;

private:
    void mascarar(const Mascara& mascara, int tag, Gtk::Entry* entry);
    bool mascarando = false;   // true while a mask writes its own result back
};

#endif // ZUMBREL_GUI_EVENTOS_H
