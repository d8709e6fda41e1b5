// Drives the real windows from inside the program's own loops, for the window
// tests and for the benchmark. The program runs nested main loops (every form
// and dialog runs one), so a script lays out its steps first; each runs from
// the main loop once the windows have settled, and the next one is queued
// before a step runs, so a step that blocks in a nested loop (clicking a
// button that opens a form or a dialog) lets the following steps run inside
// that loop. Steps laid out while a step runs go right after it.
//
// A timed action (the benchmark's): `medir` notes the clock, runs the action,
// and the figure is taken when the given condition holds, the X server has
// caught up (a round trip) and the main loop has nothing left to do.
#ifndef ZUMBREL_ROTEIRO_ROTEIRO_H
#define ZUMBREL_ROTEIRO_ROTEIRO_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

namespace teste {

class Respondedor;

// Milliseconds of a steady clock.
double agora_ms();

class Roteiro
{
public:
    // How the next step is run: a short pause after the last one (windows get
    // mapped and resized before the next step looks at them), or as soon as
    // the loop is idle, which is what the benchmark times.
    enum Ritmo { PAUSADO, OCIOSO };

    explicit Roteiro(Ritmo ritmo = PAUSADO);
    ~Roteiro();
    Roteiro(const Roteiro&) = delete;
    Roteiro& operator=(const Roteiro&) = delete;

    // What a failure does (by default it is written to standard error; the
    // first one is kept in erro()), and what tells the script to stop early.
    std::function<void(const std::string&)> ao_falhar;
    std::function<bool()> interromper;
    // Where the figures of `medir` go: name and milliseconds.
    std::function<void(const std::string&, double)> ao_medir;

    // A step to run.
    Roteiro& passo(std::function<void()> acao);
    // Waits (up to `segundos`) until the condition holds; a failure that ends
    // the script if it never does.
    Roteiro& esperar(std::function<bool()> condicao, const std::string& o_que, double segundos = 10);
    // Waits for a visible message dialog whose shown text is `texto` (any
    // text when empty), checks it, then answers it with `resposta`.
    Roteiro& responder(const std::string& texto, int resposta);
    // The same, and its secondary text must be `detalhe` ("" for none).
    Roteiro& responder(const std::string& texto, const std::string& detalhe, int resposta);
    // Times an action until `pronto` holds and everything has settled.
    Roteiro& medir(const std::string& nome, std::function<void()> acao, std::function<bool()> pronto);
    // Two figures for one action: until the moment `visto` tells (a clock
    // reading noted by a handler, negative while there is none), and, under
    // the name followed by ", until idle", until the loop is idle as for medir.
    Roteiro& medir_visto(const std::string& nome, std::function<void()> acao, std::function<double()> visto);
    // Lays out `uma` (the steps of one run) up to `vezes` times; after a run,
    // it stops early once the runs took more than `orcamento_s` seconds.
    Roteiro& repetir(const std::string& nome, int vezes, double orcamento_s, std::function<void()> uma);

    // Runs the script: queues the first step and calls `inicio`, which may
    // block in the program's loop (Gtk::Main::run on the login window, say).
    // When `inicio` returns before the steps are done, the loop is turned
    // here until they are (or until `limite_segundos`, when not 0). After the
    // last step (or a failure), every window still shown is hidden, which
    // ends all nested loops; a message dialog still open then is a failure,
    // and so is every window the program opens while its handlers unwind (a
    // dialog that follows the one just closed, say): each is answered or
    // hidden as soon as it is up, so that the script ends instead of waiting
    // for a click that never comes. False when something failed.
    bool executar(std::function<void()> inicio = nullptr, double limite_segundos = 40);
    const std::string& erro() const { return erro_; }

private:
    struct Passo
    {
        std::function<void()> acao;
        std::function<bool()> condicao;
        std::string descricao;
        double segundos = 0;
        bool assentar = false;   // a measure: also wait for the X server and the loop
        std::function<double()> visto;
        std::string descricao_visto;
    };
    void adicionar(Passo p);
    void agendar();
    void agendar_espera();
    bool rodar_proximo();
    void falhar(const std::string& texto);
    void encerrar();

    Ritmo ritmo_;
    std::vector<Passo> passos_;
    std::size_t proximo_ = 0;
    // While a step runs, new steps go in here at this index.
    std::size_t inserir_em_ = 0;
    bool inserindo_ = false;
    double esperando_desde_ = -1;
    double inicio_medida_ = 0;
    bool terminado_ = false;
    std::string erro_;
    // Closes what opens once the script has ended (set from then on).
    std::unique_ptr<Respondedor> fechador_;
};

// Every toplevel window that is visible now, newest last.
std::vector<Gtk::Window*> janelas_visiveis();
// The visible window with this title, or null.
Gtk::Window* janela_com_titulo(const std::string& titulo);
// The newest visible message dialog, or null.
Gtk::MessageDialog* dialogo_visivel();
// Hides every visible toplevel window.
void esconder_tudo();
// Turns the main loop until nothing is pending.
void processar_eventos();

} // namespace teste

#endif // ZUMBREL_ROTEIRO_ROTEIRO_H
