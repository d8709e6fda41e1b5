// Drives the real windows from inside the program's own loops. The program
// runs nested main loops (every form and dialog runs one), so a test lays out
// its steps first; each runs from the main loop once the windows have
// settled, and the next one is queued before a step runs, so a step that
// blocks in a nested loop (clicking a button that opens a form or a dialog)
// lets the following steps run inside that loop.
#ifndef ZUMBREL_TESTS_GUI_ROTEIRO_H
#define ZUMBREL_TESTS_GUI_ROTEIRO_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/toolbutton.h>
#include <gtkmm/window.h>

namespace teste {

class Respondedor;

class Roteiro
{
public:
    Roteiro();
    ~Roteiro();
    Roteiro(const Roteiro&) = delete;
    Roteiro& operator=(const Roteiro&) = delete;

    // A step to run.
    Roteiro& passo(std::function<void()> acao);
    // Waits (up to `segundos`) until the condition holds; fails the test and
    // ends the script if it never does.
    Roteiro& esperar(std::function<bool()> condicao, const std::string& o_que, double segundos = 10);
    // Waits for a visible message dialog whose shown text is `texto` (any
    // text when empty), checks it, then answers it with `resposta`.
    Roteiro& responder(const std::string& texto, int resposta);

    // Runs the script: queues the first step and calls `inicio`, which may
    // block in the program's loop (Gtk::Main::run on the login window, say).
    // When `inicio` returns before the steps are done, the loop is turned
    // here until they are. After the last step (or a failure), every window
    // still shown is hidden, which ends all nested loops; a message dialog
    // still open then is a failure, and so is every window the program
    // opens while its handlers unwind (a dialog that follows the one just
    // closed, say): each is answered or hidden as soon as it is up, so that
    // the test ends instead of waiting for a click that never comes.
    void executar(std::function<void()> inicio = nullptr, double limite_segundos = 40);

private:
    struct Passo
    {
        std::function<void()> acao;
        std::function<bool()> condicao;
        std::string descricao;
        double segundos = 0;
    };
    void agendar();
    bool rodar_proximo();
    void encerrar();

    std::vector<Passo> passos;
    // Closes what opens once the script has ended (set from then on).
    std::unique_ptr<Respondedor> fechador;
    std::size_t proximo = 0;
    double esperando_desde = -1;
    bool terminado = false;
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

#endif // ZUMBREL_TESTS_GUI_ROTEIRO_H
