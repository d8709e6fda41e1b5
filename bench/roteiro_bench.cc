#include "bench/roteiro_bench.h"

#include <cstdio>
#include <memory>

#include <gdk/gdk.h>
#include <glibmm/main.h>
#include <gtkmm/main.h>
#include <gtkmm/window.h>

namespace bench {

double agora_ms()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void Amostras::juntar(const std::string& nome, double ms)
{
    auto it = valores_.find(nome);
    if (it == valores_.end()) {
        ordem_.push_back(nome);
        it = valores_.emplace(nome, std::vector<double>()).first;
    }
    it->second.push_back(ms);
    std::fprintf(stderr, "  %-52s run %2zu: %10.1f ms\n", nome.c_str(), it->second.size(), ms);
}

const std::vector<double>& Amostras::de(const std::string& nome) const
{
    static const std::vector<double> vazio;
    auto it = valores_.find(nome);
    return it == valores_.end() ? vazio : it->second;
}

double Amostras::total(const std::string& nome) const
{
    double soma = 0;
    for (double v : de(nome))
        soma += v;
    return soma;
}

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
    Glib::signal_idle().connect(sigc::mem_fun(*this, &Roteiro::rodar_proximo), Glib::PRIORITY_LOW);
}

void Roteiro::falhar(const std::string& texto)
{
    if (erro_.empty())
        erro_ = texto;
    terminado_ = true;
    esconder_tudo();
}

bool Roteiro::rodar_proximo()
{
    if (terminado_)
        return false;
    if (proximo_ >= passos_.size()) {
        terminado_ = true;
        esconder_tudo();
        return false;
    }

    if (passos_[proximo_].condicao) {
        if (esperando_desde_ < 0)
            esperando_desde_ = agora_ms();
        Passo& p = passos_[proximo_];
        bool pronto = p.condicao();
        if (pronto && p.assentar) {
            // Drawing requests reach the X server and its answers come
            // back as events: done only when none is left to handle.
            gdk_display_sync(gdk_display_get_default());
            if (Gtk::Main::events_pending())
                pronto = false;
        }
        if (pronto) {
            if (p.visto)
                amostras_.juntar(p.descricao_visto, p.visto() - inicio_medida_);
            if (p.assentar)
                amostras_.juntar(p.descricao, agora_ms() - inicio_medida_);
            esperando_desde_ = -1;
            ++proximo_;
            agendar();
            return false;
        }
        if (agora_ms() - esperando_desde_ > p.segundos * 1000) {
            falhar("gave up waiting for " + p.descricao);
            return false;
        }
        // Looked at again in a millisecond, when the loop has nothing more
        // urgent: a check that kept the loop busy would slow the program
        // down while it works (the progress of "Gerar Filhas" turns the loop).
        Glib::signal_timeout().connect(sigc::mem_fun(*this, &Roteiro::rodar_proximo), 1, Glib::PRIORITY_LOW);
        return false;
    }

    std::function<void()> acao = passos_[proximo_].acao;
    ++proximo_;
    inserindo_ = true;
    inserir_em_ = proximo_;
    agendar();
    acao();
    inserindo_ = false;
    return false;
}

bool Roteiro::executar()
{
    agendar();
    while (!terminado_)
        Gtk::Main::iteration();
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
    return erro_.empty();
}

void esconder_tudo()
{
    std::vector<Gtk::Window*> janelas = Gtk::Window::list_toplevels();
    for (Gtk::Window* j : janelas) {
        if (j->is_visible())
            j->hide();
    }
}

} // namespace bench
