// The field handlers on real entries and windows, the list column record
// and the window icon.
#include <cstring>
#include <set>
#include <string>

#include <gdkmm/pixbuf.h>
#include <gtest/gtest.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/liststore.h>
#include <gtkmm/main.h>
#include <gtkmm/window.h>
#include <sigc++/adaptors/bind.h>
#include <sigc++/functors/mem_fun.h>

#include "res/icone.h"
#include "gui/colunas.h"
#include "gui/eventos.h"
#include "roteiro/roteiro.h"

namespace {

class Eventos : public EVENTOS
{
public:
    int tamanho() const { return ultimo_tamanho; }
    int campo() const { return ultimo_campo; }
};

// Typing one key at the end of the entry, as the toolkit reports it: the
// new text arrives with one "changed".
void teclar(Gtk::Entry& entry, const std::string& tecla)
{
    entry.set_text(entry.get_text() + tecla);
}

typedef void (EVENTOS::*Mascarar)(int, Gtk::Entry*);

void ligar(Eventos& eventos, Gtk::Entry& entry, Mascarar mascara, int tag)
{
    entry.signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos, mascara), tag, &entry));
}

} // namespace

TEST(Eventos, DataNaEntryComCursor)
{
    Eventos eventos;
    Gtk::Entry entry;
    entry.set_max_length(10);
    ligar(eventos, entry, &EVENTOS::data_mascara, 1);

    const char* esperado[] = {"0", "01/", "01/0", "01/02/", "01/02/2", "01/02/20", "01/02/201", "01/02/2010"};
    const int cursor[] = {1, 3, 4, 6, 7, 8, 9, 10};
    const std::string digitos = "01022010";
    for (std::size_t i = 0; i < digitos.size(); ++i) {
        teclar(entry, digitos.substr(i, 1));
        EXPECT_EQ(entry.get_text(), esperado[i]);
        teste::processar_eventos();
        EXPECT_EQ(entry.get_position(), cursor[i]) << "after digit " << i + 1;
    }
    EXPECT_EQ(eventos.tamanho(), 10);
    EXPECT_EQ(eventos.campo(), 1);
    // the maximum length refuses an eleventh character
    teclar(entry, "7");
    EXPECT_EQ(entry.get_text(), "01/02/2010");

    entry.set_text("");
    EXPECT_EQ(eventos.tamanho(), 0);
    teclar(entry, "1");
    teclar(entry, "2");
    EXPECT_EQ(entry.get_text(), "12/");
    teste::processar_eventos();
    EXPECT_EQ(entry.get_position(), 3);
    teclar(entry, "/");
    EXPECT_EQ(entry.get_text(), "12/");
    teclar(entry, "a");
    EXPECT_EQ(entry.get_text(), "12/");
    teclar(entry, "ç");
    EXPECT_EQ(entry.get_text(), "12/");

    entry.set_text("12/");
    entry.set_text("12");   // Backspace
    teclar(entry, "3");
    EXPECT_EQ(entry.get_text(), "123");

    entry.set_text("");
    EXPECT_EQ(eventos.tamanho(), 0);
    teclar(entry, "1");
    teclar(entry, "/");   // the pattern's own "/" comes next: dropped
    EXPECT_EQ(entry.get_text(), "1");
    teste::processar_eventos();
    EXPECT_EQ(entry.get_position(), 1);
}

TEST(Eventos, CpfCepETrocaDeCampo)
{
    Eventos eventos;
    Gtk::Entry cpf, cep, data;
    cpf.set_max_length(14);
    cep.set_max_length(9);
    data.set_max_length(10);
    ligar(eventos, cpf, &EVENTOS::cpf_mascara, 1);
    ligar(eventos, cep, &EVENTOS::cep_mascara, 2);
    ligar(eventos, data, &EVENTOS::data_mascara, 3);

    for (char c : std::string("12345678901"))
        teclar(cpf, std::string(1, c));
    EXPECT_EQ(cpf.get_text(), "123.456.789-01");
    for (char c : std::string("12345678"))
        teclar(cep, std::string(1, c));
    EXPECT_EQ(cep.get_text(), "12345-678");
    teste::processar_eventos();
    EXPECT_EQ(cep.get_position(), 9);

    for (char c : std::string("010220"))
        teclar(data, std::string(1, c));
    EXPECT_EQ(data.get_text(), "01/02/20");
    // a field with another tag starts from its own length
    cep.set_text("");
    teclar(cep, "5");
    EXPECT_EQ(eventos.campo(), 2);
    EXPECT_EQ(eventos.tamanho(), 2);
    teclar(data, "1");
    teclar(data, "0");
    EXPECT_EQ(data.get_text(), "01/02/2010");
    EXPECT_EQ(eventos.campo(), 3);
}

TEST(Eventos, DataSemLimiteRecebeColagemLonga)
{
    Eventos eventos;
    Gtk::Entry data;   // like the daughters dialog: no maximum length
    ligar(eventos, data, &EVENTOS::data_mascara, 3);
    data.set_text("01/02/2010 e mais alguma coisa");
    EXPECT_EQ(data.get_text(), "01/02/2010");
    data.set_text(std::string(5000, 'x'));
    EXPECT_EQ(data.get_text(), "");
    teclar(data, "1");
    teclar(data, "2");
    EXPECT_EQ(data.get_text(), "12/");

    // letters at the end of a paste go, one by one
    teclar(data, "3abc");
    EXPECT_EQ(data.get_text(), "12/3");
    teste::processar_eventos();
    EXPECT_EQ(data.get_position(), 4);   // the request is past the end
}

TEST(Eventos, ChecarDigito)
{
    Eventos eventos;
    Gtk::Entry nivel, valor;
    nivel.signal_changed().connect(sigc::bind(sigc::mem_fun(eventos, &EVENTOS::checar_digito), &nivel, 2));
    valor.signal_changed().connect(sigc::bind(sigc::mem_fun(eventos, &EVENTOS::checar_digito), &valor, 1));

    nivel.set_text("12x");
    EXPECT_EQ(nivel.get_text(), "12");
    nivel.set_text("12,");
    EXPECT_EQ(nivel.get_text(), "12");
    nivel.set_text("1x2");
    EXPECT_EQ(nivel.get_text(), "1x2");
    nivel.set_text("");
    EXPECT_EQ(nivel.get_text(), "");
    valor.set_text("3,5");
    EXPECT_EQ(valor.get_text(), "3,5");
    valor.set_text("3,5€");
    EXPECT_EQ(valor.get_text(), "3,5");
}

TEST(Eventos, SetPosicaoEsperaOcioso)
{
    Eventos eventos;
    Gtk::Entry entry;
    entry.set_text("abcdef");
    entry.set_position(6);
    teste::processar_eventos();
    eventos.set_posicao(&entry, 2);
    EXPECT_EQ(entry.get_position(), 6);   // not before the toolkit is idle
    teste::processar_eventos();
    EXPECT_EQ(entry.get_position(), 2);
    eventos.set_posicao(&entry, 99);   // past the end: the toolkit puts it at the end
    teste::processar_eventos();
    EXPECT_EQ(entry.get_position(), 6);
    // runs once: moving the cursor afterwards sticks
    entry.set_position(1);
    teste::processar_eventos();
    EXPECT_EQ(entry.get_position(), 1);
}

TEST(Eventos, SetPosicaoEntryDestruidaAntes)
{
    Eventos eventos;
    teste::processar_eventos();
    Gtk::Entry* entry = new Gtk::Entry;
    entry->set_text("abc");
    eventos.set_posicao(entry, 1);
    EXPECT_TRUE(Glib::MainContext::get_default()->pending());
    delete entry;
    // the request went away with the entry
    EXPECT_FALSE(Glib::MainContext::get_default()->pending());
    teste::processar_eventos();
}

TEST(Eventos, TabularSairECaixaAlta)
{
    Eventos eventos;
    Gtk::Window janela;
    Gtk::VBox caixa;
    Gtk::Entry primeira, segunda;
    caixa.pack_start(primeira);
    caixa.pack_start(segunda);
    janela.add(caixa);
    primeira.signal_activate().connect(
        sigc::bind(sigc::mem_fun(eventos, &EVENTOS::tabular), &janela, &segunda));
    janela.show_all();
    teste::processar_eventos();
    janela.set_focus(primeira);
    EXPECT_EQ(janela.get_focus(), &primeira);
    primeira.activate();   // Enter
    EXPECT_EQ(janela.get_focus(), &segunda);

    Gtk::Button cancelar("Cancelar");
    cancelar.signal_clicked().connect(sigc::bind(sigc::mem_fun(eventos, &EVENTOS::sair), &janela));
    EXPECT_TRUE(janela.is_visible());
    cancelar.clicked();
    EXPECT_FALSE(janela.is_visible());
    teste::processar_eventos();

    Gtk::Entry nome;
    nome.set_text("abelha rainha 1");
    eventos.case_upper(&nome);
    EXPECT_EQ(nome.get_text(), "ABELHA RAINHA 1");
}

TEST(Colunas, ListStoreDe31Colunas)
{
    COLUNAS colunas;
    Glib::RefPtr<Gtk::ListStore> lista = Gtk::ListStore::create(colunas);
    ASSERT_EQ(lista->get_n_columns(), 31);
    EXPECT_EQ(lista->get_column_type(0), G_TYPE_INT);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(lista->get_column_type(1 + 3 * i), G_TYPE_INT) << i;
        EXPECT_EQ(lista->get_column_type(2 + 3 * i), G_TYPE_FLOAT) << i;
        EXPECT_EQ(lista->get_column_type(3 + 3 * i), G_TYPE_STRING) << i;
    }
    EXPECT_EQ(colunas.textos[0].index(), 3);
    EXPECT_EQ(colunas.textos[9].index(), 30);

    Gtk::TreeModel::Row linha = *lista->append();
    linha[colunas.codigo] = 7;
    linha[colunas.inteiros[0]] = 3;
    linha[colunas.textos[1]] = "Região Sul";
    Gtk::TreeModel::Row lida = *lista->children().begin();
    EXPECT_EQ(lida[colunas.codigo], 7);
    EXPECT_EQ(lida[colunas.inteiros[0]], 3);
    EXPECT_EQ(Glib::ustring(lida[colunas.textos[1]]), "Região Sul");
}

TEST(Icone, ArrayXpmBemFormado)
{
    ASSERT_STREQ(pote_de_mel[0], "40 40 524 2");
    EXPECT_STREQ(pote_de_mel[1], "  \tc None");
    EXPECT_STREQ(pote_de_mel[2] + 2, "\tc #D1B78A");
    EXPECT_STREQ(pote_de_mel[3] + 2, "\tc #D0BA8F");
    EXPECT_STREQ(pote_de_mel[4] + 2, "\tc #D7C190");

    std::set<std::string> chaves;
    for (int i = 1; i <= 524; ++i) {
        const std::string linha = pote_de_mel[i];
        ASSERT_GE(linha.size(), 6u) << i;
        EXPECT_EQ(linha.substr(2, 3), "\tc ") << i;
        EXPECT_TRUE(chaves.insert(linha.substr(0, 2)).second) << "repeated key in line " << i;
    }
    EXPECT_EQ(chaves.size(), 524u);
    int opacos = 0;
    for (int y = 0; y < 40; ++y) {
        const std::string linha = pote_de_mel[525 + y];
        ASSERT_EQ(linha.size(), 80u) << y;
        for (int x = 0; x < 80; x += 2) {
            EXPECT_EQ(chaves.count(linha.substr(x, 2)), 1u) << "row " << y;
            if (linha.substr(x, 2) != "  ")
                ++opacos;
        }
    }
    EXPECT_GT(opacos, 400);   // a picture, not an empty square
}

TEST(Icone, PixbufDe40por40)
{
    Glib::RefPtr<Gdk::Pixbuf> icone = Gdk::Pixbuf::create_from_xpm_data(pote_de_mel);
    ASSERT_TRUE(icone);
    EXPECT_EQ(icone->get_width(), 40);
    EXPECT_EQ(icone->get_height(), 40);
    ASSERT_TRUE(icone->get_has_alpha());
    const guint8* pixels = icone->get_pixels();
    const int passo = icone->get_rowstride();
    EXPECT_EQ(pixels[3], 0);   // the corner is transparent
    const guint8* meio = pixels + 25 * passo + 20 * 4;
    EXPECT_EQ(meio[3], 255);
    // warm: more red than blue
    EXPECT_GT(meio[0], meio[2]);
}
