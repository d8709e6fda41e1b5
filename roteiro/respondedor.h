// Answers the windows the program shows while a test step runs, so that one
// step can drive many saves whose outcome (a dialog or none) is known only
// afterwards: every message dialog is answered as soon as its loop turns
// (its text is kept), and every other window that shows is handed to
// `ao_abrir` once it is up (a form opened over another, a search window,
// the daughters dialog, the main window after a login).
#ifndef ZUMBREL_ROTEIRO_RESPONDEDOR_H
#define ZUMBREL_ROTEIRO_RESPONDEDOR_H

#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtk/gtk.h>
#include <gtkmm/dialog.h>
#include <gtkmm/window.h>

namespace teste {

class Respondedor
{
public:
    Respondedor()
    {
        // The signal exists once the widget classes are set up.
        classe_ = g_type_class_ref(GTK_TYPE_WINDOW);
        sinal_ = g_signal_lookup("show", GTK_TYPE_WIDGET);
        gancho_ = g_signal_add_emission_hook(sinal_, 0, &Respondedor::ao_mostrar, this, nullptr);
    }
    ~Respondedor()
    {
        g_signal_remove_emission_hook(sinal_, gancho_);
        std::set<guint> fontes = pendentes_;
        for (guint fonte : fontes)
            g_source_remove(fonte);
        g_type_class_unref(classe_);
    }
    Respondedor(const Respondedor&) = delete;
    Respondedor& operator=(const Respondedor&) = delete;

    // The texts of the message dialogs answered since the last call.
    std::vector<std::string> tomar()
    {
        std::vector<std::string> t;
        t.swap(textos_);
        return t;
    }
    // Their secondary texts ("" for a dialog without one), since the last
    // call of this one.
    std::vector<std::string> tomar_detalhes()
    {
        std::vector<std::string> d;
        d.swap(detalhes_);
        return d;
    }

    // The answer given to a message dialog with that text (Close when unset).
    std::function<int(const std::string&)> resposta;
    // What to do with any other window once it shows (nothing when unset).
    std::function<void(Gtk::Window&)> ao_abrir;

private:
    struct Pendente
    {
        Respondedor* dono;
        GtkWidget* janela;
        guint fonte;
    };

    static gboolean ao_mostrar(GSignalInvocationHint*, guint n, const GValue* valores, gpointer dados)
    {
        if (n < 1)
            return TRUE;
        GObject* objeto = static_cast<GObject*>(g_value_get_object(&valores[0]));
        if (!GTK_IS_WINDOW(objeto))
            return TRUE;
        Respondedor* r = static_cast<Respondedor*>(dados);
        Pendente* p = new Pendente { r, GTK_WIDGET(g_object_ref(objeto)), 0 };
        p->fonte = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &Respondedor::tratar, p, &Respondedor::soltar);
        r->pendentes_.insert(p->fonte);
        return TRUE;
    }

    static void soltar(gpointer dados)
    {
        Pendente* p = static_cast<Pendente*>(dados);
        p->dono->pendentes_.erase(p->fonte);
        g_object_unref(p->janela);
        delete p;
    }

    static gboolean tratar(gpointer dados)
    {
        Pendente* p = static_cast<Pendente*>(dados);
        Respondedor* r = p->dono;
        GtkWidget* w = p->janela;
        if (!gtk_widget_get_visible(w))
            return FALSE;
        if (GTK_IS_MESSAGE_DIALOG(w)) {
            gchar* texto = nullptr;
            gchar* detalhe = nullptr;
            g_object_get(w, "text", &texto, "secondary-text", &detalhe, nullptr);
            std::string t = texto ? texto : "";
            r->detalhes_.push_back(detalhe ? detalhe : "");
            g_free(texto);
            g_free(detalhe);
            r->textos_.push_back(t);
            gtk_dialog_response(GTK_DIALOG(w), r->resposta ? r->resposta(t) : GTK_RESPONSE_CLOSE);
            return FALSE;
        }
        if (r->ao_abrir) {
            // A copy: the action may open windows whose handling replaces it.
            std::function<void(Gtk::Window&)> acao = r->ao_abrir;
            acao(*Glib::wrap(GTK_WINDOW(w)));
        }
        return FALSE;
    }

    gpointer classe_ = nullptr;
    guint sinal_ = 0;
    gulong gancho_ = 0;
    std::set<guint> pendentes_;
    std::vector<std::string> textos_;
    std::vector<std::string> detalhes_;
};

} // namespace teste

#endif // ZUMBREL_ROTEIRO_RESPONDEDOR_H
