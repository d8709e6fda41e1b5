#include "gui/eventos.h"

#include <glibmm/main.h>
#include <sigc++/adaptors/bind.h>
#include <sigc++/adaptors/bind_return.h>
#include <sigc++/functors/mem_fun.h>

#include "util/libex.h"

namespace {

// Raises a flag for as long as it lives, so that the flag drops again
// whatever way the block is left.
class Bandeira
{
public:
    explicit Bandeira(bool& bandeira) : bandeira_(bandeira) { bandeira_ = true; }
    ~Bandeira() { bandeira_ = false; }
    Bandeira(const Bandeira&) = delete;
    Bandeira& operator=(const Bandeira&) = delete;

private:
    bool& bandeira_;
};

} // namespace

void EVENTOS::data_mascara(int tag, Gtk::Entry* entry)
{
    mascarar(MASCARA_DATA, tag, entry);
}

void EVENTOS::cpf_mascara(int tag, Gtk::Entry* entry)
{
    mascarar(MASCARA_CPF, tag, entry);
}

void EVENTOS::cep_mascara(int tag, Gtk::Entry* entry)
{
    mascarar(MASCARA_CEP, tag, entry);
}

void EVENTOS::cnpj_mascara(int tag, Gtk::Entry* entry)
{
    mascarar(MASCARA_CNPJ, tag, entry);
}

void EVENTOS::mascarar(const Mascara& mascara, int tag, Gtk::Entry* entry)
{
    // The step already worked out what the runs caused by writing the text
    // back would do, so the "changed" of our own write is ignored.
    if (mascarando || entry == nullptr)
        return;

    EstadoMascara estado;
    estado.ultimo_tamanho = ultimo_tamanho;
    estado.ultimo_campo = ultimo_campo;
    const Glib::ustring texto = entry->get_text();
    const PassoMascara passo = passo_mascara(mascara, texto.raw(), tag, estado);
    ultimo_tamanho = estado.ultimo_tamanho;
    ultimo_campo = estado.ultimo_campo;

    if (passo.texto != texto.raw()) {
        Bandeira guarda(mascarando);
        entry->set_text(passo.texto);
    }
    if (passo.posicionar)
        set_posicao(entry, passo.posicao);
}

void EVENTOS::checar_digito(Gtk::Entry* entry, int modo)
{
    if (mascarando || entry == nullptr)
        return;
    const Glib::ustring texto = entry->get_text();
    const std::string filtrado = filtrar_digitos(texto.raw(), modo);
    if (filtrado != texto.raw()) {
        Bandeira guarda(mascarando);
        entry->set_text(filtrado);
    }
}

void EVENTOS::set_posicao(Gtk::Entry* entry, int posicao)
{
    if (entry == nullptr)
        return;
    // The toolkit puts the cursor where the user typed once it has handled
    // the key, so the position is applied afterwards, when it is idle. The
    // slot is bound to the entry itself, so it goes away with the entry if
    // a window closes first.
    Gtk::Editable& editavel = *entry;
    Glib::signal_idle().connect(
        sigc::bind_return(sigc::bind(sigc::mem_fun(editavel, &Gtk::Editable::set_position), posicao),
                          false),
        Glib::PRIORITY_DEFAULT_IDLE);
}

void EVENTOS::tabular(Gtk::Window* janela, Gtk::Widget* widget)
{
    if (janela != nullptr && widget != nullptr)
        janela->set_focus(*widget);
}

void EVENTOS::sair(Gtk::Window* janela)
{
    if (janela != nullptr)
        janela->hide();
}

void EVENTOS::case_upper(Gtk::Entry* entry)
{
    if (entry != nullptr)
        entry->set_text(ParaMaiusculos(entry->get_text().raw()));
}
