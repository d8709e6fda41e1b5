// Drives the real windows from inside the program's own loops and times
// what the user waits for. Steps run one after another from an idle handler
// of the lowest priority, so a step starts only when the toolkit has done
// all its pending work (events, resizing, drawing). The next step is queued
// before a step runs, so a step that blocks in a nested loop (opening a form
// or a dialog) lets the following steps run inside that loop.
//
// A timed action: `medir` notes the clock, runs the action (a click), and
// the figure is taken when the given condition holds, the X server has
// caught up (a round trip) and the main loop has nothing left to do.
#ifndef ZUMBREL_BENCH_ROTEIRO_BENCH_H
#define ZUMBREL_BENCH_ROTEIRO_BENCH_H

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bench {

double agora_ms();

// The samples of each workload, in the order the workloads were first met.
class Amostras
{
public:
    void juntar(const std::string& nome, double ms);
    const std::vector<double>& de(const std::string& nome) const;
    const std::vector<std::string>& nomes() const { return ordem_; }
    // The sum of the samples of a workload so far.
    double total(const std::string& nome) const;

private:
    std::map<std::string, std::vector<double>> valores_;
    std::vector<std::string> ordem_;
};

class Roteiro
{
public:
    explicit Roteiro(Amostras& amostras) : amostras_(amostras) {}

    // Appends to the steps being laid out: at the end of the script, or,
    // while a step runs, right after that step.
    Roteiro& passo(std::function<void()> acao);
    Roteiro& esperar(std::function<bool()> condicao, const std::string& o_que, double segundos = 120);
    Roteiro& medir(const std::string& nome, std::function<void()> acao, std::function<bool()> pronto);
    // Two figures for one action: until the moment `visto` tells (a clock
    // reading noted by a handler, negative while there is none), and, under
    // the name followed by ", until idle", until the loop is idle as for medir.
    Roteiro& medir_visto(const std::string& nome, std::function<void()> acao, std::function<double()> visto);
    // Lays out `uma` (the steps of one run) up to `vezes` times; after a run,
    // it stops early once the runs took more than `orcamento_s` seconds.
    Roteiro& repetir(const std::string& nome, int vezes, double orcamento_s, std::function<void()> uma);

    // Runs the script to its end (or a failure); returns false on a failure.
    bool executar();
    const std::string& erro() const { return erro_; }

private:
    struct Passo
    {
        std::function<void()> acao;
        std::function<bool()> condicao;
        std::string descricao;
        double segundos = 0;
        bool assentar = false;   // also wait for the X server and the loop
        std::function<double()> visto;
        std::string descricao_visto;
    };
    void adicionar(Passo p);
    void agendar();
    bool rodar_proximo();
    void falhar(const std::string& texto);

    Amostras& amostras_;
    std::vector<Passo> passos_;
    std::size_t proximo_ = 0;
    // While a step runs, new steps go in here at this index.
    std::size_t inserir_em_ = 0;
    bool inserindo_ = false;
    double esperando_desde_ = -1;
    double inicio_medida_ = 0;
    bool terminado_ = false;
    std::string erro_;
};

// Every visible toplevel window is hidden (ends all nested loops).
void esconder_tudo();

} // namespace bench

#endif // ZUMBREL_BENCH_ROTEIRO_BENCH_H
