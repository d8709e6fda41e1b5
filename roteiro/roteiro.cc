#include "roteiro/roteiro.h"

#include <chrono>
#include <cstdio>

#include <gdk/gdk.h>
#include <glibmm/main.h>
#include <gtkmm/main.h>

#include "roteiro/respondedor.h"

namespace teste {

double agora_ms()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

Roteiro::Roteiro(Ritmo ritmo) : ritmo_(ritmo) {}

Roteiro::~Roteiro() = default;

void Roteiro::adicionar(Passo p)
{
    if (inserindo_) {
        passos_.insert(passos_.begin() + static_cast<std::ptrdiff_t>(inserir_em_), std::move(p));
        ++inserir_em_;
    } else {
        passos_.push_back(std::move(p));
    }
}

Roteiro& Roteiro::passo(std::function<void()> acao)
{
    Passo p;
    p.acao = std::move(acao);
    adicionar(std::move(p));
    return *this;
}

Roteiro& Roteiro::esperar(std::function<bool()> condicao, const std::string& o_que, double segundos)
{
    Passo p;
    p.condicao = std::move(condicao);
    p.descricao = o_que;
    p.segundos = segundos;
    adicionar(std::move(p));
    return *this;
}

Roteiro& Roteiro::responder(const std::string& texto, int resposta)
{
    esperar([] { return dialogo_visivel() != nullptr; }, "a message dialog showing \"" + texto + "\"");
    passo([this, texto, resposta] {
        Gtk::MessageDialog* d = dialogo_visivel();
        if (!d) {
            falhar("no message dialog to answer");
            return;
        }
        const std::string visto = d->property_text().get_value();
        if (!texto.empty() && visto != texto)
            falhar("the message dialog shows \"" + visto + "\" instead of \"" + texto + "\"");
        d->response(resposta);
    });
    return *this;
}

Roteiro& Roteiro::responder(const std::string& texto, const std::string& detalhe, int resposta)
{
    esperar([] { return dialogo_visivel() != nullptr; }, "a message dialog showing \"" + texto + "\"");
    passo([this, detalhe] {
        Gtk::MessageDialog* d = dialogo_visivel();
        const std::string visto = d ? std::string(d->property_secondary_text().get_value()) : std::string();
        if (d && visto != detalhe)
            falhar("the message dialog's secondary text is \"" + visto + "\" instead of \"" + detalhe + "\"");
    });
    return responder(texto, resposta);
}

Roteiro& Roteiro::medir(const std::string& nome, std::function<void()> acao, std::function<bool()> pronto)
{
    passo([this, acao] {
        inicio_medida_ = agora_ms();
        acao();
    });
    Passo p;
    p.condicao = std::move(pronto);
    p.descricao = nome;
    p.segundos = 600;
    p.assentar = true;
    adicionar(std::move(p));
    return *this;
}

Roteiro& Roteiro::medir_visto(const std::string& nome, std::function<void()> acao, std::function<double()> visto)
{
    passo([this, acao] {
        inicio_medida_ = agora_ms();
        acao();
    });
    Passo p;
    p.condicao = [visto] { return visto() >= 0; };
    p.descricao = nome + ", until idle";
    p.segundos = 600;
    p.assentar = true;
    p.visto = visto;
    p.descricao_visto = nome;
    adicionar(std::move(p));
    return *this;
}

Roteiro& Roteiro::repetir(const std::string& nome, int vezes, double orcamento_s, std::function<void()> uma)
{
    auto inicio = std::make_shared<double>(-1);
    auto feitas = std::make_shared<int>(0);
    auto rodada = std::make_shared<std::function<void()>>();
    std::weak_ptr<std::function<void()>> fraca = rodada;
    *rodada = [this, nome, vezes, orcamento_s, uma, inicio, feitas, fraca] {
        if (*inicio < 0) {
            *inicio = agora_ms();
        } else if (*feitas >= vezes || agora_ms() - *inicio > orcamento_s * 1000) {
            if (*feitas < vezes)
                std::fprintf(stderr, "  %-52s stopped after %d runs (time budget)\n", nome.c_str(), *feitas);
            return;
        }
        ++*feitas;
        uma();
        if (auto r = fraca.lock())
            passo(*r);
    };
    // The script keeps the one strong reference, in its first step.
    passo([rodada] { (*rodada)(); });
    return *this;
}

void Roteiro::agendar()
{
    if (ritmo_ == OCIOSO)
        Glib::signal_idle().connect(sigc::mem_fun(*this, &Roteiro::rodar_proximo), Glib::PRIORITY_LOW);
    else
        Glib::signal_timeout().connect(sigc::mem_fun(*this, &Roteiro::rodar_proximo), 15);
}

void Roteiro::agendar_espera()
{
    // Looked at again soon; when timing, only once the loop has nothing more
    // urgent: a check that kept the loop busy would slow the program down
    // while it works (the progress of "Gerar Filhas" turns the loop).
    if (ritmo_ == OCIOSO)
        Glib::signal_timeout().connect(sigc::mem_fun(*this, &Roteiro::rodar_proximo), 1, Glib::PRIORITY_LOW);
    else
        Glib::signal_timeout().connect(sigc::mem_fun(*this, &Roteiro::rodar_proximo), 15);
}

void Roteiro::falhar(const std::string& texto)
{
    if (erro_.empty())
        erro_ = texto;
    if (ao_falhar)
        ao_falhar(texto);
    else
        std::fprintf(stderr, "%s\n", texto.c_str());
}

bool Roteiro::rodar_proximo()
{
    if (terminado_)
        return false;
    if (proximo_ >= passos_.size() || (interromper && interromper()) || (!ao_falhar && !erro_.empty())) {
        encerrar();
        return false;
    }

    Passo& p = passos_[proximo_];
    if (p.condicao) {
        if (esperando_desde_ < 0)
            esperando_desde_ = agora_ms();
        bool pronto = p.condicao();
        if (pronto && p.assentar) {
            // Drawing requests reach the X server and its answers come
            // back as events: done only when none is left to handle.
            gdk_display_sync(gdk_display_get_default());
            if (Gtk::Main::events_pending())
                pronto = false;
        }
        if (pronto) {
            if (p.visto && ao_medir)
                ao_medir(p.descricao_visto, p.visto() - inicio_medida_);
            if (p.assentar && ao_medir)
                ao_medir(p.descricao, agora_ms() - inicio_medida_);
            esperando_desde_ = -1;
            ++proximo_;
            agendar();
            return false;
        }
        if (agora_ms() - esperando_desde_ > p.segundos * 1000) {
            falhar("gave up waiting for " + p.descricao);
            encerrar();
            return false;
        }
        agendar_espera();
        return false;
    }

    std::function<void()> acao = p.acao;
    ++proximo_;
    inserindo_ = true;
    inserir_em_ = proximo_;
    agendar();
    acao();
    inserindo_ = false;
    return false;
}

void Roteiro::encerrar()
{
    if (terminado_)
        return;
    terminado_ = true;
    // Nobody answers the program any more. Hiding a dialog ends its loop,
    // but the handler that opened it may go on and open another one (a
    // failed save shows "Edite primeiro" and then "Verifique as informações
    // digitadas !"), which would wait for an answer forever. From now on
    // every message dialog is closed as a person would close it, never with
    // OK, and every other window is hidden, each as soon as its loop turns;
    // all of them are failures.
    for (Gtk::Window* j : janelas_visiveis()) {
        if (Gtk::MessageDialog* d = dynamic_cast<Gtk::MessageDialog*>(j))
            falhar("a message dialog was still open when the script ended: \"" + d->property_text().get_value() +
                   "\"");
    }
    fechador_.reset(new Respondedor());
    fechador_->resposta = [this](const std::string& texto) {
        falhar("a message dialog opened after the script ended: \"" + texto + "\"");
        return static_cast<int>(Gtk::RESPONSE_DELETE_EVENT);
    };
    fechador_->ao_abrir = [this](Gtk::Window& janela) {
        // Menus and tooltips are windows too, but run no loop of their own.
        if (janela.get_window_type() != Gtk::WINDOW_TOPLEVEL)
            return;
        falhar("a window opened after the script ended: \"" + janela.get_title() + "\"");
        janela.hide();
    };
    esconder_tudo();
}

bool Roteiro::executar(std::function<void()> inicio, double limite_segundos)
{
    bool estourou = false;
    sigc::connection vigia;
    if (limite_segundos > 0) {
        vigia = Glib::signal_timeout().connect(
            [this, &estourou] {
                estourou = true;
                encerrar();
                return false;
            },
            static_cast<unsigned>(limite_segundos * 1000));
    }
    agendar();
    if (inicio)
        inicio();
    while (!terminado_)
        Gtk::Main::iteration();
    vigia.disconnect();
    processar_eventos();
    fechador_.reset();
    if (estourou)
        falhar("the script did not end within " + std::to_string(limite_segundos) + " s");
    if (proximo_ != passos_.size())
        falhar("steps left undone");
    return erro_.empty();
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
