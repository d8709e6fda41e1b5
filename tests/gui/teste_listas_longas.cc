// The drop-down list made for long lists (the mother bees), what the queen
// bee form writes while browsing, and the progress of "Gerar Filhas".
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtkmm/box.h>
#include <gtkmm/liststore.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include "gui/colunas_fixas.h"
#include "gui/form_abelha.h"
#include "gui/lista_textos.h"
#include "gui/modelo_achados.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;
using teste::textos_lista;

namespace {

std::vector<std::string> rgns(int de, int ate, int mae)
{
    std::vector<std::string> t { "Não Sabe" };
    char texto[32];
    for (int i = de; i <= ate; ++i) {
        std::snprintf(texto, sizeof texto, "%05d-%05d", i, mae == 0 ? i / 2 : mae);
        t.push_back(texto);
    }
    return t;
}

// A window holding a long list, and a plain list of the same style and
// texts whose size the toolkit works out by measuring every entry.
struct Janela
{
    Gtk::Window janela;
    Gtk::VBox caixa;
    ListaTextos lista;
    Gtk::ComboBoxText simples;

    Janela()
    {
        janela.add(caixa);
        caixa.pack_start(lista, false, false, 0);
        caixa.pack_start(simples, false, false, 0);
        simples.set_name(lista.get_name());
        janela.show_all();
        teste::processar_eventos();
    }
    ~Janela() { janela.hide(); }

    // The whole list handed over at once, as the long list does, but
    // measured by the toolkit entry by entry.
    void encher_simples(const std::vector<std::string>& textos)
    {
        GtkListStore* modelo = gtk_list_store_new(1, G_TYPE_STRING);
        for (const std::string& t : textos)
            gtk_list_store_insert_with_values(modelo, nullptr, -1, 0, t.c_str(), -1);
        simples.set_model(Glib::wrap(modelo));
    }
};

void requisicoes_iguais(Gtk::Widget& a, Gtk::Widget& b)
{
    a.queue_resize();
    b.queue_resize();
    Gtk::Requisition ra = a.size_request(), rb = b.size_request();
    EXPECT_EQ(ra.width, rb.width);
    EXPECT_EQ(ra.height, rb.height);
}

} // namespace

TEST(ListaTextos, RefazSoQuandoOsTextosMudamEGuardaAOrdem)
{
    Janela j;
    std::vector<std::string> t = rgns(1, 300, 0);
    EXPECT_TRUE(j.lista.preencher(t));
    EXPECT_EQ(textos_lista(&j.lista), t);
    EXPECT_EQ(j.lista.get_active_row_number(), -1);

    j.lista.set_active(7);
    Glib::RefPtr<Gtk::TreeModel> antes = j.lista.get_model();
    EXPECT_FALSE(j.lista.preencher(t));
    EXPECT_EQ(j.lista.get_model(), antes);
    EXPECT_EQ(j.lista.get_active_text(), t[7]);

    // One entry more, one less, one changed: rebuilt each time, nothing chosen.
    t.push_back("00301-00150");
    EXPECT_TRUE(j.lista.preencher(t));
    EXPECT_EQ(textos_lista(&j.lista), t);
    EXPECT_EQ(j.lista.get_active_row_number(), -1);
    t.erase(t.begin() + 5);
    EXPECT_TRUE(j.lista.preencher(t));
    t[3] = "00004-00001";
    EXPECT_TRUE(j.lista.preencher(t));
    EXPECT_EQ(textos_lista(&j.lista), t);
    EXPECT_TRUE(j.lista.preencher({ "Não Sabe" }));
    EXPECT_EQ(textos_lista(&j.lista), (std::vector<std::string> { "Não Sabe" }));
}

TEST(ListaTextos, MostraComoListaEOTamanhoEOQueMedeTodos)
{
    Janela j;
    gboolean lista = FALSE;
    gtk_widget_style_get(GTK_WIDGET(j.lista.gobj()), "appears-as-list", &lista, nullptr);
    EXPECT_TRUE(lista);

    // Five- and six-digit codes and texts of other shapes: the size equals
    // the one the toolkit finds by measuring every entry.
    std::vector<std::string> t = rgns(99990, 100012, 0);
    t.push_back("Mãe desconhecida, linhagem antiga");
    t.push_back("W");
    j.lista.preencher(t);
    j.encher_simples(t);
    requisicoes_iguais(j.lista, j.simples);

    // Choosing another entry keeps it.
    j.lista.set_active(3);
    j.simples.set_active(3);
    requisicoes_iguais(j.lista, j.simples);

    t = rgns(1, 40, 7);
    j.lista.preencher(t);
    j.encher_simples(t);
    requisicoes_iguais(j.lista, j.simples);
}

// Filled before it sits in a window (as a window's montar fills it), a long
// list takes its entries once it does, as a list, never as a menu of an item
// an entry; the entry chosen before is chosen then.
TEST(ListaTextos, CheiaAntesDeEstarNumaJanela)
{
    auto* lista = Gtk::manage(new ListaTextos());
    const std::vector<std::string> t = rgns(1, 20000, 0);
    lista->preencher(t);
    lista->set_active(12345);
    EXPECT_EQ(lista->textos(), t);

    Gtk::Window janela;
    Gtk::VBox caixa;
    caixa.pack_start(*lista, false, false, 0);
    janela.add(caixa);
    janela.show_all();
    teste::processar_eventos();
    gboolean como_lista = FALSE;
    gtk_widget_style_get(GTK_WIDGET(lista->gobj()), "appears-as-list", &como_lista, nullptr);
    EXPECT_TRUE(como_lista);
    EXPECT_EQ(textos_lista(lista), t);
    EXPECT_EQ(lista->get_active_text(), t[12345]);
    // Filled again in the window: at once, nothing chosen.
    EXPECT_TRUE(lista->preencher(rgns(1, 10, 0)));
    EXPECT_EQ(textos_lista(lista), rgns(1, 10, 0));
    EXPECT_EQ(lista->get_active_row_number(), -1);
    janela.hide();
}

TEST(ListaTextos, FormaIgualaSoOsDigitos)
{
    EXPECT_EQ(ListaTextos::forma("00123-04567", true), "00000-00000");
    EXPECT_EQ(ListaTextos::forma("123456-00007", true), "000000-00000");
    EXPECT_EQ(ListaTextos::forma("Não Sabe", true), "Não Sabe");
    EXPECT_EQ(ListaTextos::forma("00123-04567", false), "00123-04567");
}

namespace {

struct ColunasTexto : Gtk::TreeModel::ColumnRecord
{
    Gtk::TreeModelColumn<Glib::ustring> c[3];
    ColunasTexto() { for (auto& x : c) add(x); }
};

// Two lists of the same rows: one whose columns the toolkit sizes by
// measuring every row, one laid out from the texts.
struct DuasListas
{
    Gtk::Window janela;
    Gtk::VBox caixa;
    Gtk::TreeView medida, fixa;
    ColunasTexto colunas;
    std::vector<std::vector<std::string>> linhas;

    explicit DuasListas(std::vector<std::vector<std::string>> l) : linhas(std::move(l))
    {
        janela.add(caixa);
        caixa.pack_start(medida, false, false, 0);
        caixa.pack_start(fixa, false, false, 0);
        const char* titulos[] = { "Código", "Nome", "CPF" };
        for (Gtk::TreeView* v : { &medida, &fixa }) {
            for (int i = 0; i < 3; ++i)
                v->append_column(titulos[i], colunas.c[i]);
        }
        janela.show_all();
        teste::processar_eventos();
        fixar_colunas(fixa, linhas.size(), [this](std::size_t i, int c) { return linhas[i][c].c_str(); });
        Glib::RefPtr<Gtk::ListStore> modelo = Gtk::ListStore::create(colunas);
        for (const auto& l : linhas) {
            Gtk::TreeModel::Row r = *modelo->append();
            for (int i = 0; i < 3; ++i)
                r[colunas.c[i]] = l[i];
        }
        medida.set_model(modelo);
        fixa.set_model(modelo);
        teste::processar_eventos();
    }
    ~DuasListas() { janela.hide(); }

    void conferir()
    {
        EXPECT_TRUE(fixa.get_fixed_height_mode());
        // The views ask for the same width (the last column would take up
        // any difference of the other's allocation) and share their columns' widths.
        EXPECT_EQ(fixa.size_request().width, medida.size_request().width);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(fixa.get_column(i)->get_width(), medida.get_column(i)->get_width()) << "column " << i;
        Gdk::Rectangle a, b;
        medida.get_cell_area(Gtk::TreeModel::Path("0"), *medida.get_column(1), a);
        fixa.get_cell_area(Gtk::TreeModel::Path("0"), *fixa.get_column(1), b);
        EXPECT_EQ(a.get_height(), b.get_height());
    }
};

} // namespace

namespace {

// Rows made up in memory; counts how often a text is asked for.
class AchadosDeTeste : public Achados
{
public:
    explicit AchadosDeTeste(std::vector<std::pair<int, std::string>> l) : linhas(std::move(l)) {}
    std::size_t tamanho() const override { return linhas.size(); }
    int codigo(std::size_t i) const override { return linhas[i].first; }
    const char* texto(std::size_t i, int c) const override
    {
        ++lidos;
        return c == 1 ? linhas[i].second.c_str() : "segundo";
    }
    bool marcado(std::size_t i) const override { return marcadas.count(i) > 0; }
    mutable int lidos = 0;
    std::set<std::size_t> marcadas;

private:
    std::vector<std::pair<int, std::string>> linhas;
};

} // namespace

TEST(ModeloAchados, LeCadaCelulaDasLinhasSemCopiarENaoPassaDoFim)
{
    auto achados = std::make_shared<AchadosDeTeste>(
        std::vector<std::pair<int, std::string>> { { 7, "Ana" }, { 3, "Bia" }, { 12, "Caio" } });
    std::weak_ptr<AchadosDeTeste> vivo = achados;
    Glib::RefPtr<Gtk::TreeModel> m = modelo_achados(achados);
    const COLUNAS colunas;
    ASSERT_EQ(m->children().size(), 3u);
    EXPECT_EQ(achados->lidos, 0);   // nothing is read until asked for
    Gtk::TreeModel::iterator it = m->children().begin();
    EXPECT_EQ((*it)[colunas.codigo], 7);
    EXPECT_EQ(Glib::ustring((*it)[colunas.textos[0]]), "Ana");
    EXPECT_EQ(Glib::ustring((*it)[colunas.textos[1]]), "segundo");
    EXPECT_EQ((*it)[colunas.inteiros[0]], 0);
    EXPECT_EQ(Glib::ustring((*it)[colunas.textos[2]]), "");
    ++it;
    ++it;
    EXPECT_EQ((*it)[colunas.codigo], 12);
    EXPECT_EQ(m->get_path(it).to_string(), "2");
    ++it;
    EXPECT_FALSE(it);
    EXPECT_FALSE(m->get_iter("3"));
    EXPECT_FALSE(m->get_iter("0:0"));
    EXPECT_FALSE(m->children().begin()->children().begin());

    // The model keeps the rows as long as it lives, and lets them go with it.
    achados.reset();
    EXPECT_FALSE(vivo.expired());
    EXPECT_EQ(Glib::ustring((*m->get_iter("1"))[colunas.textos[0]]), "Bia");
    m.reset();
    EXPECT_TRUE(vivo.expired());
}

// A list to choose from: each row's tick, text 1 and code in that order, and
// a tick changed is told to the views, which read it anew.
TEST(ModeloAchados, MarcasLidasDasLinhasEMudancaAvisada)
{
    auto achados = std::make_shared<AchadosDeTeste>(
        std::vector<std::pair<int, std::string>> { { 7, "Ana" }, { 3, "Bia" }, { 12, "Caio" } });
    achados->marcadas = { 1 };
    Glib::RefPtr<Gtk::TreeModel> m = modelo_marcas(achados);
    ASSERT_EQ(m->get_n_columns(), 3);
    EXPECT_EQ(m->get_column_type(0), G_TYPE_BOOLEAN);
    EXPECT_EQ(m->get_column_type(1), G_TYPE_STRING);
    EXPECT_EQ(m->get_column_type(2), G_TYPE_INT);
    EXPECT_EQ(m->get_column_type(3), G_TYPE_INVALID);
    const auto linha = [&m](const char* caminho) {
        Gtk::TreeModel::iterator it = m->get_iter(caminho);
        bool marcada = false;
        Glib::ustring nome;
        int codigo = 0;
        it->get_value(0, marcada);
        it->get_value(1, nome);
        it->get_value(2, codigo);
        return std::to_string(marcada) + " " + nome.raw() + " " + std::to_string(codigo);
    };
    EXPECT_EQ(linha("0"), "0 Ana 7");
    EXPECT_EQ(linha("1"), "1 Bia 3");
    EXPECT_EQ(linha("2"), "0 Caio 12");

    std::vector<std::string> mudadas;
    m->signal_row_changed().connect([&mudadas](const Gtk::TreeModel::Path& p, const Gtk::TreeModel::iterator&) {
        mudadas.push_back(p.to_string());
    });
    achados->marcadas = { 2 };
    linha_mudou(m, 2);
    linha_mudou(m, 3);   // past the end: nothing to tell
    EXPECT_EQ(mudadas, std::vector<std::string> { "2" });
    EXPECT_EQ(linha("2"), "1 Caio 12");
}

namespace {

// A record of the caller's own: a tick, a number, a text.
struct RegistroDeTeste : Gtk::TreeModelColumnRecord
{
    RegistroDeTeste()
    {
        add(marca);
        add(numero);
        add(nome);
    }
    Gtk::TreeModelColumn<bool> marca;
    Gtk::TreeModelColumn<int> numero;
    Gtk::TreeModelColumn<Glib::ustring> nome;
};

// Column c of row i read as "i:c", the tick of even rows set, the numbers
// 10 * i + c; row 1's text is not valid UTF-8.
class TabelaDeTeste : public Achados
{
public:
    std::size_t tamanho() const override { return 3; }
    int codigo(std::size_t i) const override { return static_cast<int>(i); }
    int numero(std::size_t i, int c) const override { return c == 0 ? (i % 2 == 0) : static_cast<int>(10 * i) + c; }
    const char* texto(std::size_t i, int c) const override
    {
        textos[i] = i == 1 ? std::string("B\xe9") : std::to_string(i) + ":" + std::to_string(c);
        return textos[i].c_str();
    }
    mutable std::string textos[3];
};

} // namespace

// A model laid out by the caller's column record: its types, each column
// read by its type from numero or texto, text not valid UTF-8 mended.
TEST(ModeloAchados, ColunasDoRegistroDeQuemChamaLidasPeloTipo)
{
    const RegistroDeTeste registro;
    Glib::RefPtr<Gtk::TreeModel> m = modelo_registro(std::make_shared<TabelaDeTeste>(), registro);
    ASSERT_EQ(m->get_n_columns(), 3);
    EXPECT_EQ(m->get_column_type(0), G_TYPE_BOOLEAN);
    EXPECT_EQ(m->get_column_type(1), G_TYPE_INT);
    EXPECT_EQ(m->get_column_type(2), G_TYPE_STRING);
    EXPECT_EQ(m->get_column_type(3), G_TYPE_INVALID);
    const struct
    {
        const char* caminho;
        bool marca;
        int numero;
        const char* nome;
    } casos[] = { { "0", true, 1, "0:2" }, { "1", false, 11, "B\xef\xbf\xbd" }, { "2", true, 21, "2:2" } };
    ASSERT_EQ(m->children().size(), 3u);
    for (const auto& c : casos) {
        Gtk::TreeModel::Row linha = *m->get_iter(c.caminho);
        EXPECT_EQ(linha[registro.marca], c.marca) << c.caminho;
        EXPECT_EQ(linha[registro.numero], c.numero) << c.caminho;
        EXPECT_EQ(Glib::ustring(linha[registro.nome]).raw(), c.nome) << c.caminho;
    }
    EXPECT_FALSE(m->get_iter("3"));
}

TEST(ModeloAchados, ListaLongaSoLeAsLinhasQueMostra)
{
    std::vector<std::pair<int, std::string>> muitas;
    for (int i = 0; i < 100000; ++i)
        muitas.emplace_back(i, "Nome " + std::to_string(i));
    auto achados = std::make_shared<AchadosDeTeste>(std::move(muitas));
    Gtk::Window janela;
    Gtk::ScrolledWindow rolagem;
    Gtk::TreeView lista;
    rolagem.add(lista);
    janela.add(rolagem);
    janela.set_size_request(300, 300);
    janela.show_all();
    const COLUNAS colunas;
    static const char* const titulos[3] = { "Código", "Nome", "CPF" };
    mostrar_achados(lista, colunas, titulos, achados);
    achados->lidos = 0;
    teste::processar_eventos();
    ASSERT_EQ(lista.get_model()->children().size(), 100000u);
    // Drawing reads the rows on screen, not the 100,000.
    EXPECT_GT(achados->lidos, 0);
    EXPECT_LT(achados->lidos, 2000);
}

TEST(ColunasFixas, LargurasIguaisAsQueMedemTodasAsLinhas)
{
    // Names with accents and with letter pairs the font draws closer
    // (kerning), codes and CPFs of digits, and a title wider than its texts.
    std::vector<std::vector<std::string>> linhas;
    const char* nomes[] = { "Ana Silva", "WAVE Tavares Yolanda", "José Antônio Ávila", "Iii",
                            "AVATAR Toyota Vovó", "Maria Aparecida Souza Nascimento", "Tânia Yara" };
    for (int i = 0; i < 3000; ++i) {
        char codigo[16], cpf[20];
        std::snprintf(codigo, sizeof codigo, "%04d", i * 7);
        std::snprintf(cpf, sizeof cpf, "%03d.%03d.%03d-%02d", i % 1000, (i * 7) % 1000, (i * 13) % 1000, i % 100);
        linhas.push_back({ codigo, nomes[i % 7] + std::string(i % 3, 'i'), cpf });
    }
    DuasListas duas(linhas);
    duas.conferir();

    // Twenty thousand texts of one width, the widest last, or guessed
    // wide and drawn narrow (kerning) ahead of one guessed a little less.
    std::vector<std::vector<std::string>> iguais;
    for (int i = 0; i < 20000; ++i)
        iguais.push_back({ std::to_string(10000 + i), "Apiário " + std::to_string(10000 + i), "Ipê" });
    iguais.push_back({ "30000", "Apiário Boa Esperança do Norte", "WWW" });
    DuasListas muitas(iguais);
    muitas.conferir();
    DuasListas kerning({ { "1", "AVAVAVAVAVAVAVAVAVAV", "To" }, { "2", "AVAVAVAVAVAVAVAVAVAi", "Ta" },
                         { "3", "mmmmmmmmmmmmmmmmmmm", "Yo" } });
    kerning.conferir();

    DuasListas curtas({ { "1", "W", "2" }, { "7", "Ab", "" } });
    curtas.conferir();

    DuasListas vazias({});
    vazias.conferir();
}

namespace {

class AbelhasLongas : public teste::SistemaTeste
{
protected:
    FormAbelha* ab() { return form<FormAbelha>(ids::ABELHAS); }
    std::string contagem() { return banco->valor("select count(*) from cadastro.abelha_rainha"); }
};

const char* const LISTAR =
    "select id_abelha, rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada, xmin from cadastro.abelha_rainha "
    "order by id_abelha\n"
    "true\ntrue\ntrue\ntrue\n";

// How the bee shown was mated, read for her card.
std::string ficha(int id)
{
    return "select f.tipo, to_char(f.data,'DD/MM/YYYY'), f.id_apiario, (select a.nome from cadastro.apiario as a "
           "where a.id_apiario = f.id_apiario), f.estacao, f.obs, (select string_agg(coalesce(z.id_colmeia::text, "
           "(select a.rgn from cadastro.abelha_rainha as a where a.id_abelha = z.id_zangao)), ' ' order by "
           "z.id_colmeia, z.id_zangao) from cadastro.fecundacao_zangao as z where z.id_abelha = f.id_abelha) from "
           "cadastro.fecundacao as f where f.id_abelha=" + std::to_string(id) + "\n";
}

} // namespace

TEST_F(AbelhasLongas, NavegarEscreveOsMesmosComandosELinhas)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        FormAbelha* f = ab();
        teste::clicar(f->widgets().button_proximo);
        Glib::RefPtr<Gtk::TreeModel> modelo = f->widgets().combo_mae->get_model();
        saida.tomar();
        teste::clicar(f->widgets().button_proximo);
        std::string esperado = std::string("2\n\nPROXIMO\n00003-00001\n") + LISTAR + LISTAR;
        for (int i = 1; i <= 8; ++i)
            esperado += std::to_string(i) + " == 1\n";
        esperado += "00001-00000\nselect * from cadastro.abelha_rainha where rgn='00001-00000'\n" + ficha(3);
        EXPECT_EQ(saida.tomar(), esperado);
        // Same bees: the list was not rebuilt, and shows the mother.
        EXPECT_EQ(f->widgets().combo_mae->get_model(), modelo);
        EXPECT_EQ(f->widgets().combo_mae->get_active_text(), "00001-00000");
        EXPECT_EQ(f->get_mae_selecionada().id, 1);

        // Back to the first bee, whose mother is unknown: no lookup.
        teste::clicar(f->widgets().button_primeiro);
        std::string s = saida.tomar();
        EXPECT_NE(s.find("8 == 0\nNão Sabe\n"), std::string::npos) << s;
        EXPECT_EQ(s.find("where rgn="), std::string::npos) << s;
        EXPECT_EQ(f->widgets().combo_mae->get_active_text(), "Não Sabe");
        EXPECT_EQ(f->get_mae_selecionada().id, 0);
    });
    rodar(r);
}

TEST_F(AbelhasLongas, GerarMuitasFilhasMostraOProgresso)
{
    const int quantas = 1500;
    bool visto = false;
    // Each daughter takes the server 2 ms more, so that storing them lasts
    // long enough for the dialog to be seen halfway however fast the machine.
    ASSERT_EQ(banco->executar("create function cadastro.devagar() returns trigger language plpgsql as "
                              "$$begin perform pg_sleep(0.002); return new; end$$; "
                              "create trigger devagar before insert on cadastro.abelha_rainha "
                              "for each row execute function cadastro.devagar()"),
              "");
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    abrir_filhas(r);
    r.passo([this, quantas] {
        FormAbelha* f = ab();
        f->get_dialogo_filhas()->widgets().entry_quantidade->set_text(std::to_string(quantas));
        f->get_dialogo_filhas()->widgets().entry_data->set_text("10/03/2011");
        f->get_dialogo_filhas()->response(Gtk::RESPONSE_OK);
    });
    // While the daughters are stored, the dialog shows how far it got and
    // cannot be answered, but for its Cancel.
    r.esperar([this, &visto] {
        FormAbelha* f = ab();
        if (!f->get_dialogo_filhas())
            return true;
        Gtk::ProgressBar* barra = teste::barra_de_progresso(*f->get_dialogo_filhas());
        if (barra && barra->is_visible() && barra->get_text().find(" de 1500") != Glib::ustring::npos &&
            barra->get_fraction() > 0 && barra->get_fraction() < 1) {
            visto = true;
            EXPECT_FALSE(gtk_widget_is_sensitive(
                gtk_dialog_get_widget_for_response(f->get_dialogo_filhas()->gobj(), GTK_RESPONSE_OK)));
            EXPECT_FALSE(gtk_widget_is_sensitive(
                gtk_dialog_get_widget_for_response(f->get_dialogo_filhas()->gobj(), GTK_RESPONSE_CLOSE)));
            EXPECT_TRUE(f->get_dialogo_filhas()->widgets().button_cancelar->is_visible());
            EXPECT_TRUE(f->get_dialogo_filhas()->widgets().button_cancelar->is_sensitive());
            EXPECT_TRUE(f->get_dialogo_filhas()->get_modal());
        }
        return false;
    }, "the daughters to be stored", 120);
    r.responder("1500 filhas cadastradas", Gtk::RESPONSE_CLOSE);
    r.passo([this, &visto, quantas] {
        EXPECT_TRUE(visto) << "no progress was shown";
        EXPECT_EQ(contagem(), std::to_string(8 + quantas));
        // Bees 2 and 3 were daughters of bee 1 already.
        EXPECT_EQ(banco->valor("select count(*) from cadastro.abelha_rainha where filha = 1 and rgn = "
                               "lpad(id_abelha::text, 5, '0') || '-00001'"),
                  std::to_string(2 + quantas));
        EXPECT_EQ(ab()->widgets().label_contador->get_text(), "1 / " + std::to_string(8 + quantas));
        std::vector<std::string> maes = textos_lista(ab()->widgets().combo_mae);
        EXPECT_EQ(maes.size(), 9u + quantas);
        EXPECT_EQ(maes.back(), "01508-00001");
        EXPECT_EQ(ab()->widgets().combo_mae->get_active_text(), "Não Sabe");
    });
    rodar(r);
}
