// The queen bee form ("Cadastro de Abelhas", id 5): one bee at a time with
// its registry number, birth date, breeding flag and mother; browsing,
// insert, update, delete and "Gerar Filhas", which creates a number of
// daughters of the shown bee at once.
#include <chrono>
#include <climits>
#include <iostream>
#include <memory>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/main.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/toolitem.h>

#include "gui/form_abelha.h"
#include "gui/sistemagui.h"

namespace {

const char* const NAO_SABE = "Não Sabe";

// A row of the data frame: the label and then the fields, 10 pixels apart.
Gtk::HBox* linha_dados(Gtk::VBox* dados, const char* texto)
{
    Gtk::HBox* linha = Gtk::manage(new Gtk::HBox(false, 0));
    linha->pack_start(*Gtk::manage(new Gtk::Label(texto)), false, false, 10);
    dados->pack_start(*linha, false, false, 0);
    return linha;
}

// The number of daughters asked for: digits only and within an int, else 0.
int quantidade_filhas(const std::string& texto)
{
    if (texto.empty() || texto.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    long long n = 0;
    for (char c : texto) {
        n = n * 10 + (c - '0');
        if (n > INT_MAX)
            return 0;
    }
    return static_cast<int>(n);
}

// While many daughters are stored, the dialog stays up and shows how far it
// got; the windows keep being drawn, and since the dialog is modal and its
// buttons are off, nothing else takes input until the work is done.
class ProgressoFilhas
{
public:
    ProgressoFilhas(Gtk::Dialog& dialogo, int total)
        : dialogo_(dialogo), total_(total), ultima_(std::chrono::steady_clock::now())
    {
        dialogo_.set_response_sensitive(Gtk::RESPONSE_OK, false);
        dialogo_.set_response_sensitive(Gtk::RESPONSE_CLOSE, false);
        barra_ = Gtk::manage(new Gtk::ProgressBar());
        dialogo_.get_vbox()->pack_start(*barra_, false, false, 5);
        avancar(1);
    }
    ProgressoFilhas(const ProgressoFilhas&) = delete;
    ProgressoFilhas& operator=(const ProgressoFilhas&) = delete;

    // `feitas` daughters are stored. The bar moves and the pending events
    // are handled every 100 ms, so showing progress costs next to nothing
    // beside the statements.
    void avancar(int feitas)
    {
        const auto agora = std::chrono::steady_clock::now();
        if (feitas > 1 && feitas < total_ && agora - ultima_ < std::chrono::milliseconds(100))
            return;
        ultima_ = agora;
        barra_->set_fraction(static_cast<double>(feitas) / total_);
        barra_->set_text("Filhas cadastradas: " + std::to_string(feitas) + " de " + std::to_string(total_));
        if (feitas == 1)
            barra_->show();
        // A bounded turn of the loop: a handler that keeps itself pending
        // must not hold the work up.
        for (int i = 0; i < 200 && Gtk::Main::events_pending(); ++i)
            Gtk::Main::iteration(false);
    }

private:
    Gtk::Dialog& dialogo_;
    int total_;
    std::chrono::steady_clock::time_point ultima_;
    Gtk::ProgressBar* barra_ = nullptr;
};

} // namespace

void SISTEMAGUI::montar_abelha(FormAbelha* f)
{
    Gtk::Window& janela = *f->janela;
    janela.set_title("Cadastro de Abelhas");
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    // The content is in the window from the start, so that each widget has
    // its style before it is filled (the mother list shows as a list).
    janela.add(*vertical);

    Gtk::Toolbar* barra = nova_barra();
    f->button_novo = botao(*barra, Gtk::Stock::NEW);
    f->button_editar = botao(*barra, Gtk::Stock::EDIT);
    f->button_salvar = botao(*barra, Gtk::Stock::SAVE);
    f->button_cancelar = botao(*barra, Gtk::Stock::CANCEL);
    f->button_excluir = botao(*barra, Gtk::Stock::DELETE);
    Gtk::ToolItem* item_gerar = Gtk::manage(new Gtk::ToolItem());
    f->button_gerar = Gtk::manage(new Gtk::Button("Gerar Filhas"));
    item_gerar->add(*f->button_gerar);
    barra->append(*item_gerar);
    vertical->pack_start(*barra, false, false, 0);

    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Dados abelha"));
    Gtk::VBox* dados = Gtk::manage(new Gtk::VBox(false, 5));
    quadro->add(*dados);
    vertical->pack_start(*quadro, false, false, 0);

    f->entry_codigo = Gtk::manage(new Gtk::Entry());
    f->entry_codigo->set_sensitive(false);
    linha_dados(dados, "Código:\t")->pack_start(*f->entry_codigo, false, false, 10);

    f->entry_rgn = Gtk::manage(new Gtk::Entry());
    f->entry_rgn->set_editable(false);
    f->entry_rgn->set_size_request(265, -1);
    linha_dados(dados, "RGN:\t")->pack_start(*f->entry_rgn, false, false, 10);

    f->entry_nascimento = Gtk::manage(new Gtk::Entry());
    f->entry_nascimento->set_max_length(10);
    f->entry_nascimento->set_size_request(100, -1);
    linha_dados(dados, "Nascimento:\t")->pack_start(*f->entry_nascimento, false, false, 10);

    Gtk::HBox* linha_matriz = linha_dados(dados, "Matriz:\t");
    f->radio_sim = Gtk::manage(new Gtk::RadioButton("Sim"));
    Gtk::RadioButton::Group grupo = f->radio_sim->get_group();
    f->radio_nao = Gtk::manage(new Gtk::RadioButton(grupo, "Não"));
    linha_matriz->pack_start(*f->radio_sim, false, false, 10);
    linha_matriz->pack_start(*f->radio_nao, false, false, 10);

    f->combo_mae = Gtk::manage(new ListaTextos());
    linha_dados(dados, "Filha de:\t")->pack_start(*f->combo_mae, false, false, 10);
    Carregar_combo(3, -1);

    vertical->pack_start(*barra_navegacao(f, "1/1"), false, false, 0);

    janela.signal_show().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::estado), 5, 1)));
    f->entry_rgn->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), &janela, f->entry_nascimento));
    f->entry_nascimento->signal_changed().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::data_mascara), 1, f->entry_nascimento));
    f->entry_nascimento->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), &janela, f->radio_sim));
    f->combo_mae->signal_changed().connect(em(f, sigc::mem_fun(*this, &SISTEMAGUI::selecionar_abelha)));

    f->button_novo->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::inserir_dados), 5)));
    f->button_editar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::editar_dados), 5)));
    f->button_salvar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::salvar_dados), 5)));
    f->button_cancelar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::estado), 5, 1)));
    f->button_excluir->signal_clicked().connect(em(f, [this, f] { excluir_dados(5, f->janela.get()); }));
    f->button_gerar->signal_clicked().connect(em(f, [this, f] { gerar_filhas(f->janela.get()); }));
}

void SISTEMAGUI::estado_abelha(FormAbelha* f, int e)
{
    if (!f || (e != 0 && e != 1 && e != 2))
        return;

    const bool editavel = e != 1;
    f->button_novo->set_sensitive(e != 0);
    f->button_editar->set_sensitive(e == 1);
    f->button_salvar->set_sensitive(editavel);
    f->button_cancelar->set_sensitive(editavel);
    f->entry_codigo->set_sensitive(false);
    f->entry_rgn->set_editable(false);
    f->entry_nascimento->set_editable(editavel);
    f->combo_mae->set_sensitive(editavel);
    Gtk::Widget* navegacao[] = { f->button_primeiro, f->button_anterior, f->button_proximo, f->button_ultimo };
    for (Gtk::Widget* w : navegacao)
        w->set_sensitive(!editavel);

    if (e == 1) {
        carregar_dados(5);
        return;
    }
    if (e == 0) {
        // A new bee has no code or number until it is stored.
        f->entry_codigo->set_text("");
        f->entry_rgn->set_text("");
        f->entry_nascimento->set_text("");
    }
    f->entry_nascimento->grab_focus();
}

void SISTEMAGUI::carregar_abelhas(FormAbelha* f)
{
    abelhas.clear();
    abelhas = abelha->listar();
    if (!posicionar(abelhas.size(), primeiro_acesso_abelhas, posicao_abelha, f ? f->label_contador : nullptr))
        return;
    if (!f)
        return;

    const ABELHAS b = abelhas[posicao_abelha - 1];
    f->entry_codigo->set_text(std::to_string(b.id));
    f->entry_rgn->set_text(b.rgn);
    f->entry_nascimento->set_text(b.nascimento);
    if (b.matriz)
        f->radio_sim->set_active(true);
    else
        f->radio_nao->set_active(true);
    Carregar_combo(3, b.mae);
}

void SISTEMAGUI::selecionar_abelha()
{
    FormAbelha* f = static_cast<FormAbelha*>(form_de(5));
    if (!f || f->preenchendo || !f->combo_mae)
        return;
    const std::string texto = f->combo_mae->get_active_text().raw();
    std::cout << texto << '\n';
    if (texto == NAO_SABE || texto.empty())
        f->mae_selecionada = ABELHAS();
    else
        f->mae_selecionada = abelha->get_abelha(texto);
}

bool SISTEMAGUI::salvar_abelha(FormAbelha* f, bool inserir)
{
    if (!f)
        return false;

    ABELHAS b;
    if (!inserir) {
        if (posicao_abelha < 1 || posicao_abelha > abelhas.size())
            return false;
        b = abelhas[posicao_abelha - 1];
    }
    b.rgn = f->entry_rgn->get_text().raw();
    b.nascimento = f->entry_nascimento->get_text().raw();
    b.matriz = f->radio_sim->get_active();

    const std::string texto = f->combo_mae->get_active_text().raw();
    std::cout << texto << '\n';
    const bool desconhecida = texto == NAO_SABE || texto.empty();
    f->mae_selecionada = desconhecida ? ABELHAS() : abelha->get_abelha(texto);
    // A mother chosen in the list but no longer stored is not silently
    // turned into an unknown one.
    if (!desconhecida && f->mae_selecionada.id == 0)
        return false;
    b.mae = f->mae_selecionada.id;

    return inserir ? abelha->inserir(&b) : abelha->atualizar(&b);
}

bool SISTEMAGUI::excluir_abelha(FormAbelha* f)
{
    if (posicao_abelha < 1 || posicao_abelha > abelhas.size())
        return false;
    if (!abelha->deletar(abelhas[posicao_abelha - 1].id))
        return false;

    if (abelhas.size() == 1) {
        // That was the last bee. The listing keeps what it found last when
        // the table comes back empty, so a fresh data-access object is made,
        // and the form stops showing the deleted bee.
        abelha.reset(new ABELHA(query));
        abelhas.clear();
        if (f) {
            f->entry_codigo->set_text("");
            f->entry_rgn->set_text("");
            f->entry_nascimento->set_text("");
            Carregar_combo(3, -1);
        }
    }
    return true;
}

void SISTEMAGUI::gerar_filhas(Gtk::Window* janela)
{
    FormAbelha* f = static_cast<FormAbelha*>(form_de(5));
    if (!f)
        return;
    if (abelhas.empty() || posicao_abelha < 1 || posicao_abelha > abelhas.size()) {
        mensagem("Atenção", "Nenhuma abelha exibida: não há de quem gerar filhas.", Gtk::MESSAGE_WARNING);
        return;
    }
    const int mae = abelhas[posicao_abelha - 1].id;

    std::unique_ptr<Gtk::Dialog> dialogo(janela ? new Gtk::Dialog("Gerar Filhas", *janela, true)
                                                : new Gtk::Dialog("Gerar Filhas"));
    Gtk::Button* ok = dialogo->add_button(Gtk::Stock::OK, Gtk::RESPONSE_OK);
    dialogo->add_button(Gtk::Stock::CLOSE, Gtk::RESPONSE_CLOSE);

    Gtk::HBox* linha_qtd = Gtk::manage(new Gtk::HBox(false, 0));
    linha_qtd->pack_start(*Gtk::manage(new Gtk::Label("Quantidade:\t")), false, false, 0);
    Gtk::Entry* quantidade = Gtk::manage(new Gtk::Entry());
    linha_qtd->pack_start(*quantidade, false, false, 0);
    Gtk::HBox* linha_data = Gtk::manage(new Gtk::HBox(false, 0));
    linha_data->pack_start(*Gtk::manage(new Gtk::Label("Data Nascimento:\t")), false, false, 0);
    Gtk::Entry* data = Gtk::manage(new Gtk::Entry());
    data->set_max_length(10);
    linha_data->pack_start(*data, false, false, 0);
    dialogo->get_vbox()->pack_start(*linha_qtd, false, false, 0);
    dialogo->get_vbox()->pack_start(*linha_data, false, false, 0);

    quantidade->signal_changed().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::checar_digito), quantidade, 2));
    data->signal_changed().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::data_mascara), 3, data));
    quantidade->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), dialogo.get(), data));
    data->signal_activate().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), dialogo.get(), ok));

    f->dialogo_filhas = dialogo.get();
    f->entry_quantidade = quantidade;
    f->entry_data_filhas = data;
    dialogo->show_all();
    const int resposta = dialogo->run();
    const int n = quantidade_filhas(quantidade->get_text().raw());
    const std::string nascimento = data->get_text().raw();
    auto fechar = [&] {
        f->dialogo_filhas = nullptr;
        f->entry_quantidade = nullptr;
        f->entry_data_filhas = nullptr;
        dialogo->hide();
    };

    if (resposta == Gtk::RESPONSE_OK && n > 0) {
        // The first daughter tells whether the database takes the date:
        // if it does not, none is stored and the user is told.
        ABELHAS primeira;
        primeira.nascimento = nascimento;
        primeira.matriz = false;
        primeira.mae = mae;
        if (!abelha->inserir(&primeira)) {
            fechar();
            mensagem("Atenção", "Nenhuma filha foi cadastrada: verifique a data de nascimento.",
                     Gtk::MESSAGE_WARNING);
        } else {
            ProgressoFilhas progresso(*dialogo, n);
            for (int i = 1; i < n; ++i) {
                ABELHAS filha;
                filha.nascimento = nascimento;
                filha.matriz = false;
                filha.mae = mae;
                abelha->inserir(&filha);
                progresso.avancar(i + 1);
            }
        }
    }
    if (f->dialogo_filhas)
        fechar();
    estado(5, 1);
}
