#include "gui/dialogo_fecundacao.h"

#include <gtkmm/box.h>
#include <gtkmm/stock.h>

#include "gui/apiarios_listados.h"
#include "gui/montagem.h"

namespace {

const int LARGURA_ROTULO = 150;

} // namespace

DialogoFecundacao::DialogoFecundacao(Gtk::Window* pai, const LISTA_APIARIOS& lista, const FECUNDACOES& gravada)
    : Gtk::Dialog("Fecundação"), apiarios(lista), id_abelha(gravada.id_abelha)
{
    if (pai) {
        set_transient_for(*pai);
        set_modal(true);
    }
    w.button_ok = add_button(Gtk::Stock::OK, Gtk::RESPONSE_OK);
    add_button(Gtk::Stock::CLOSE, Gtk::RESPONSE_CLOSE);

    w.combo_tipo = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_tipo->append_text("");
    for (const char* t : TIPOS_FECUNDACAO)
        w.combo_tipo->append_text(t);
    w.entry_data = Gtk::manage(new Gtk::Entry());
    w.entry_data->set_max_length(10);
    w.entry_data->set_width_chars(10);
    w.combo_apiario = Gtk::manage(new ListaTextos());
    limitar_largura(*w.combo_apiario, 30);
    w.entry_estacao = Gtk::manage(new Gtk::Entry());
    w.entry_estacao->set_width_chars(30);
    w.label_zangoes = rotulo("");
    w.label_zangoes->set_alignment(0, 0.5);
    w.entry_zangoes = Gtk::manage(new Gtk::Entry());
    w.entry_zangoes->set_width_chars(30);
    w.entry_obs = Gtk::manage(new Gtk::Entry());
    w.entry_obs->set_width_chars(40);

    Gtk::VBox& caixa = *get_vbox();
    linha(caixa, "Como", *w.combo_tipo, 10, LARGURA_ROTULO);
    linha(caixa, "Data", *w.entry_data, 10, LARGURA_ROTULO);
    linha(caixa, "Apiário", *w.combo_apiario, 10, LARGURA_ROTULO);
    // Filled in its window, read in place: 100,000 apiaries make no menu
    // item each.
    w.combo_apiario->preencher(nomes_de_apiarios(apiarios, ""));
    linha(caixa, "Estação de fecundação", *w.entry_estacao, 10, LARGURA_ROTULO);
    linha(caixa, "Zangões", *w.entry_zangoes, 10, LARGURA_ROTULO);
    linha(caixa, "", *w.label_zangoes, 10, LARGURA_ROTULO);
    linha(caixa, "Observações", *w.entry_obs, 10, LARGURA_ROTULO);

    int tipo = 0;
    for (int k = 0; k < 2; ++k) {
        if (gravada.tipo == TIPOS_FECUNDACAO[k])
            tipo = k + 1;
    }
    w.combo_tipo->set_active(tipo);
    w.entry_data->set_text(gravada.data);
    int apiario = 0;
    for (std::size_t i = 0; i < apiarios.size(); ++i) {
        if (apiarios.id(i) == gravada.id_apiario)
            apiario = static_cast<int>(i) + 1;
    }
    w.combo_apiario->set_active(apiario);
    w.entry_estacao->set_text(gravada.estacao);
    std::string zangoes;
    for (const std::string& z : gravada.zangoes)
        zangoes += (zangoes.empty() ? "" : ", ") + z;
    w.entry_zangoes->set_text(zangoes);
    w.entry_obs->set_text(gravada.obs);
    mudar_tipo();

    w.combo_tipo->signal_changed().connect(sigc::mem_fun(*this, &DialogoFecundacao::mudar_tipo));
    w.entry_data->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 3, w.entry_data));
}

void DialogoFecundacao::mudar_tipo()
{
    const bool inseminacao = w.combo_tipo->get_active_row_number() == 2;
    w.combo_apiario->set_sensitive(!inseminacao);
    w.entry_estacao->set_sensitive(!inseminacao);
    w.label_zangoes->set_text(inseminacao ? "RGN das rainhas dos zangões, separados por vírgula"
                                          : "Códigos das colméias dos zangões, separados por vírgula");
}

FECUNDACOES DialogoFecundacao::fecundacao() const
{
    FECUNDACOES f;
    f.id_abelha = id_abelha;
    const int tipo = w.combo_tipo->get_active_row_number();
    f.tipo = tipo >= 1 && tipo <= 2 ? TIPOS_FECUNDACAO[tipo - 1] : "";
    f.data = w.entry_data->get_text().raw();
    const int apiario = w.combo_apiario->get_active_row_number();
    f.id_apiario = apiario >= 1 ? apiarios.id(static_cast<std::size_t>(apiario) - 1) : 0;
    f.estacao = w.entry_estacao->get_text().raw();
    f.zangoes = separar_zangoes(w.entry_zangoes->get_text().raw());
    f.obs = w.entry_obs->get_text().raw();
    return f;
}
