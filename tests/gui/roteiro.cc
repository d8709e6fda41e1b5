#include "gui/roteiro.h"

#include <glibmm/main.h>
#include <glibmm/timer.h>
#include <gtest/gtest.h>
#include <gtkmm/main.h>

#include "gui/respondedor.h"

namespace teste {

namespace {

double agora()
{
    static Glib::Timer relogio;
    return relogio.elapsed();
}

} // namespace

Roteiro::Roteiro() = default;

Roteiro::~Roteiro() = default;

Roteiro& Roteiro::passo(std::function<void()> acao)
{
    Passo p;
    p.acao = std::move(acao);
    passos.push_back(std::move(p));
    return *this;
}

Roteiro& Roteiro::esperar(std::function<bool()> condicao, const std::string& o_que, double segundos)
{
    Passo p;
    p.condicao = std::move(condicao);
    p.descricao = o_que;
    p.segundos = segundos;
    passos.push_back(std::move(p));
    return *this;
}

Roteiro& Roteiro::responder(const std::string& texto, int resposta)
{
    esperar([] { return dialogo_visivel() != nullptr; }, "a message dialog showing \"" + texto + "\"");
    passo([texto, resposta] {
        Gtk::MessageDialog* d = dialogo_visivel();
        ASSERT_NE(d, nullptr);
        if (!texto.empty()) {
            EXPECT_EQ(std::string(d->property_text().get_value()), texto);
        }
        d->response(resposta);
    });
    return *this;
}

void Roteiro::agendar()
{
    // A short timeout rather than an idle: windows get mapped and resized
    // (idle work of the toolkit) before the next step looks at them.
    Glib::signal_timeout().connect(sigc::mem_fun(*this, &Roteiro::rodar_proximo), 15);
}

bool Roteiro::rodar_proximo()
{
    if (terminado)
        return false;
    if (proximo >= passos.size() || ::testing::Test::HasFatalFailure()) {
        encerrar();
        return false;
    }
    Passo& p = passos[proximo];
    if (p.condicao) {
        if (esperando_desde < 0)
            esperando_desde = agora();
        if (p.condicao()) {
            esperando_desde = -1;
            ++proximo;
        } else if (agora() - esperando_desde > p.segundos) {
            ADD_FAILURE() << "gave up waiting for " << p.descricao;
            encerrar();
            return false;
        }
        return true;   // check again (or run the next step) on the next turn
    }
    ++proximo;
    agendar();
    p.acao();
    return false;
}

void Roteiro::encerrar()
{
    if (terminado)
        return;
    terminado = true;
    // Nobody answers the program any more. Hiding a dialog ends its loop,
    // but the handler that opened it may go on and open another one (a
    // failed save shows "Edite primeiro" and then "Verifique as informações
    // digitadas !"), which would wait for an answer until the test is
    // killed. From now on every message dialog is closed as a person would
    // close it, never with OK, and every other window is hidden, each as
    // soon as its loop turns; all of them are failures of the test.
    for (Gtk::Window* j : janelas_visiveis()) {
        if (Gtk::MessageDialog* d = dynamic_cast<Gtk::MessageDialog*>(j))
            ADD_FAILURE() << "a message dialog was still open when the script ended: \""
                          << d->property_text().get_value() << "\"";
    }
    fechador.reset(new Respondedor());
    fechador->resposta = [](const std::string& texto) {
        ADD_FAILURE() << "a message dialog opened after the script ended: \"" << texto << "\"";
        return static_cast<int>(Gtk::RESPONSE_DELETE_EVENT);
    };
    fechador->ao_abrir = [](Gtk::Window& janela) {
        // Menus and tooltips are windows too, but run no loop of their own.
        if (janela.get_window_type() != Gtk::WINDOW_TOPLEVEL)
            return;
        ADD_FAILURE() << "a window opened after the script ended: \"" << janela.get_title() << "\"";
        janela.hide();
    };
    esconder_tudo();
}

void Roteiro::executar(std::function<void()> inicio, double limite_segundos)
{
    bool estourou = false;
    sigc::connection vigia = Glib::signal_timeout().connect(
        [this, &estourou] {
            estourou = true;
            encerrar();
            return false;
        },
        static_cast<unsigned>(limite_segundos * 1000));
    agendar();
    if (inicio)
        inicio();
    while (!terminado)
        Gtk::Main::iteration();
    vigia.disconnect();
    processar_eventos();
    fechador.reset();
    EXPECT_FALSE(estourou) << "the script did not end within " << limite_segundos << " s";
    EXPECT_EQ(proximo, passos.size()) << "steps left undone";
}

std::vector<Gtk::Window*> janelas_visiveis()
{
    std::vector<Gtk::Window*> visiveis;
    for (Gtk::Window* j : Gtk::Window::list_toplevels()) {
        if (j->is_visible() && j->get_type_hint() != Gdk::WINDOW_TYPE_HINT_TOOLTIP)
            visiveis.push_back(j);
    }
    return visiveis;
}

Gtk::Window* janela_com_titulo(const std::string& titulo)
{
    for (Gtk::Window* j : janelas_visiveis()) {
        if (j->get_title() == titulo)
            return j;
    }
    return nullptr;
}

Gtk::MessageDialog* dialogo_visivel()
{
    Gtk::MessageDialog* achado = nullptr;
    for (Gtk::Window* j : janelas_visiveis()) {
        if (Gtk::MessageDialog* d = dynamic_cast<Gtk::MessageDialog*>(j))
            achado = d;
    }
    return achado;
}

void esconder_tudo()
{
    for (Gtk::Window* j : janelas_visiveis())
        j->hide();
}

void processar_eventos()
{
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
}

} // namespace teste
