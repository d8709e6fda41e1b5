// The yardstick of start-up: the least a gtkmm 2.4 program does to show a
// window (the toolkit started, one window with one label, mapped), under
// the login window's title so that the benchmark waits for it the same way.
#include <gtkmm/label.h>
#include <gtkmm/main.h>
#include <gtkmm/window.h>

int main(int argc, char** argv)
{
    Gtk::Main kit(argc, argv);
    Gtk::Window janela;
    janela.set_title("Acesso ao Sistema");
    Gtk::Label rotulo("Zumbrel");
    janela.add(rotulo);
    janela.show_all();
    Gtk::Main::run(janela);
    return 0;
}
