#include "gui/form_rastreabilidade.h"

#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>

#include "gui/apiarios_listados.h"
#include "gui/campos_registro.h"
#include "gui/dialogo_registro.h"
#include "gui/janelas.h"
#include "gui/modelo_achados.h"
#include "gui/montagem.h"
#include "model/colmeia.h"

namespace {

// The trace's lines as the list reads them, where they are: the hive, the
// kind, the day and the text; the code is the line's place.
class LinhasRastro : public Achados
{
public:
    explicit LinhasRastro(const std::vector<LINHA_RASTRO>& l) : linhas(l)
    {
        colmeias.reserve(linhas.size());
        for (const LINHA_RASTRO& r : linhas)
            colmeias.push_back(r.tipo == Rastro::LOTE ? std::string() : std::to_string(r.id_colmeia));
    }
    std::size_t tamanho() const override { return linhas.size(); }
    int textos() const override { return 4; }
    int codigo(std::size_t i) const override { return static_cast<int>(i); }
    const char* texto(std::size_t i, int coluna) const override
    {
        switch (coluna) {
        case 1: return colmeias[i].c_str();
        case 2: return nome_do_rastro(linhas[i].tipo);
        case 3: return linhas[i].data.c_str();
        default: return linhas[i].descricao.c_str();
        }
    }

private:
    const std::vector<LINHA_RASTRO>& linhas;
    std::vector<std::string> colmeias;
};

// What a trace line opens: a window, or a journal entry's dialog.
int janela_da_linha(Rastro r)
{
    switch (r) {
    case Rastro::COLHEITA: return ids::COLMEIAS;
    case Rastro::APIARIO: return ids::APIARIOS;
    case Rastro::RAINHA: return ids::ABELHAS;
    case Rastro::LOTE: return ids::LOTES_MEL;
    default: return 0;
    }
}

Registro registro_da_linha(Rastro r)
{
    switch (r) {
    case Rastro::OCORRENCIA: return Registro::OCORRENCIA;
    case Rastro::MOVIMENTACAO: return Registro::MOVIMENTACAO;
    default: return Registro::TRATAMENTO;
    }
}

} // namespace

FORM_RASTREABILIDADE::FORM_RASTREABILIDADE(int id, Contexto& contexto) : FormularioCom(id, contexto), lotes(contexto.query)
{
}

void FORM_RASTREABILIDADE::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Rastreabilidade");
    j.set_default_size(900, 640);
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 4));
    j.add(*vertical);

    Gtk::RadioButton::Group grupo;
    w.radio_lote = Gtk::manage(new Gtk::RadioButton(grupo, "Lote"));
    w.radio_colmeia = Gtk::manage(new Gtk::RadioButton(grupo, "Colméia"));
    w.radio_apiario = Gtk::manage(new Gtk::RadioButton(grupo, "Apiário"));
    w.entry_lote = Gtk::manage(new Gtk::Entry());
    w.entry_lote->set_width_chars(14);
    // The newest lot is traced unless another is typed.
    const std::vector<LOTES_MEL> lotes_listados = lotes.listar();
    if (!lotes_listados.empty())
        w.entry_lote->set_text(lotes_listados.front().codigo);
    w.entry_meses = Gtk::manage(new Gtk::Entry());
    w.entry_meses->set_width_chars(4);
    w.entry_meses->set_max_length(3);
    w.entry_meses->set_text("12");
    w.entry_colmeia = Gtk::manage(new Gtk::Entry());
    w.entry_colmeia->set_width_chars(8);
    // Every apiary, shown from the rows the list read.
    lista_apiarios = modelo_achados(std::make_shared<ApiariosListados>(COLMEIA(ctx.query).apiarios()));
    w.treeview_apiarios = Gtk::manage(new Gtk::TreeView(lista_apiarios));
    w.treeview_apiarios->set_headers_visible(false);
    coluna_texto(*w.treeview_apiarios, "Apiário", colunas_apiario.textos[0], 260);
    altura_fixa(*w.treeview_apiarios);
    w.button_rastrear = Gtk::manage(new Gtk::Button("Rastrear"));

    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Rastrear"));
    Gtk::VBox* escolha = Gtk::manage(new Gtk::VBox(false, 4));
    Gtk::HBox* l = linha_com(*w.radio_lote);
    l->pack_start(*w.entry_lote, false, false, 0);
    l->pack_start(*rotulo("tratamentos, ocorrências e movimentações dos últimos"), false, false, 5);
    l->pack_start(*w.entry_meses, false, false, 0);
    l->pack_start(*rotulo("meses antes da extração"), false, false, 5);
    escolha->pack_start(*l, false, false, 0);
    l = linha_com(*w.radio_colmeia);
    l->pack_start(*w.entry_colmeia, false, false, 0);
    escolha->pack_start(*l, false, false, 0);
    l = linha_com(*w.radio_apiario);
    l->pack_start(*rolagem(*w.treeview_apiarios, 70), false, false, 0);
    l->pack_start(*w.button_rastrear, false, false, 20);
    escolha->pack_start(*l, false, false, 0);
    quadro->add(*escolha);
    vertical->pack_start(*quadro, false, false, 0);

    w.label_resumo = rotulo("");
    vertical->pack_start(*linha_com(*w.label_resumo), false, false, 0);
    lista = modelo_achados(std::make_shared<LinhasRastro>(linhas));
    w.treeview_rastro = Gtk::manage(new Gtk::TreeView(lista));
    coluna_texto(*w.treeview_rastro, "Colméia", colunas.textos[0], 70);
    coluna_texto(*w.treeview_rastro, "Tipo", colunas.textos[1], 110);
    coluna_texto(*w.treeview_rastro, "Data", colunas.textos[2], 85);
    coluna_texto(*w.treeview_rastro, "Descrição", colunas.textos[3], 560);
    altura_fixa(*w.treeview_rastro);
    vertical->pack_start(*rolagem(*w.treeview_rastro, 300), true, true, 0);

    w.button_abrir = Gtk::manage(new Gtk::Button("Abrir"));
    w.button_fechar = Gtk::manage(new Gtk::Button("Fechar"));
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    for (Gtk::Button* b : { w.button_abrir, w.button_fechar }) {
        b->set_size_request(100, -1);
        botoes->pack_start(*b, false, false, 10);
    }
    vertical->pack_end(*botoes, false, false, 0);

    w.entry_colmeia->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_colmeia, 2));
    w.entry_meses->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_meses, 2));
    w.entry_colmeia->signal_activate().connect(sigc::mem_fun(*this, &FORM_RASTREABILIDADE::rastrear));
    w.entry_lote->signal_activate().connect(sigc::mem_fun(*this, &FORM_RASTREABILIDADE::rastrear));
    // Typing or choosing picks what is traced.
    w.entry_lote->signal_changed().connect([this] { w.radio_lote->set_active(true); });
    w.entry_colmeia->signal_changed().connect([this] { w.radio_colmeia->set_active(true); });
    w.treeview_apiarios->get_selection()->signal_changed().connect([this] {
        if (apiario_escolhido() != 0)
            w.radio_apiario->set_active(true);
    });
    w.button_rastrear->signal_clicked().connect(sigc::mem_fun(*this, &FORM_RASTREABILIDADE::rastrear));
    auto abrir_escolhida = [this] {
        Gtk::TreeModel::iterator it = w.treeview_rastro->get_selection()->get_selected();
        if (!it) {
            avisar(*janela(), "Escolha na lista a linha a abrir.", Gtk::MESSAGE_WARNING);
            return;
        }
        abrir_linha(static_cast<std::size_t>((*it)[colunas.codigo]));
    };
    w.button_abrir->signal_clicked().connect(abrir_escolhida);
    w.treeview_rastro->signal_row_activated().connect(
        [abrir_escolhida](const Gtk::TreePath&, Gtk::TreeViewColumn*) { abrir_escolhida(); });
    w.button_fechar->signal_clicked().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &j));
}

bool FORM_RASTREABILIDADE::receber_escolha(int de_onde, int chave)
{
    if (de_onde != ids::LOTES_MEL)
        return false;
    escolher_lote(chave);
    rastrear();
    return true;
}

void FORM_RASTREABILIDADE::escolher_lote(int id)
{
    w.entry_lote->set_text(lotes.get_lote(id).codigo);
    w.radio_lote->set_active(true);
}

int FORM_RASTREABILIDADE::apiario_escolhido() const
{
    Gtk::TreeModel::iterator it = w.treeview_apiarios->get_selection()->get_selected();
    return it ? static_cast<int>((*it)[colunas_apiario.codigo]) : 0;
}

void FORM_RASTREABILIDADE::rastrear()
{
    if (w.radio_lote->get_active()) {
        const std::string codigo = texto(w.entry_lote);
        const int id = codigo.empty() ? 0 : lotes.chave_do_codigo(codigo);
        if (id == 0) {
            avisar(*janela(), codigo.empty() ? "Escreva o código do lote a rastrear."
                                             : "Não há lote com o código " + codigo + ".",
                   Gtk::MESSAGE_WARNING);
            return;
        }
        const std::string meses = texto(w.entry_meses);
        const int n = meses.empty() ? 12 : std::atoi(meses.c_str());
        const LOTES_MEL lote = lotes.get_lote(id);
        const std::vector<LINHA_RASTRO> l = lotes.rastrear(lote.id, n);
        std::set<int> colmeias, apiarios;
        for (const LINHA_RASTRO& r : l) {
            colmeias.insert(r.id_colmeia);
            if (r.tipo == Rastro::APIARIO)
                apiarios.insert(r.id);
        }
        mostrar(l, "Lote " + lote.codigo + ", extraído em " + lote.extracao + ": " + lote.total + " kg de " +
                       colmeias_n(static_cast<int>(colmeias.size())) + " de " + std::to_string(apiarios.size()) +
                       (apiarios.size() == 1 ? " apiário" : " apiários") + (lote.anulado() ? " (anulado)" : "") + ".");
    } else if (w.radio_colmeia->get_active()) {
        const std::string codigo = texto(w.entry_colmeia);
        if (codigo.empty()) {
            avisar(*janela(), "Escreva o código da colméia a rastrear.", Gtk::MESSAGE_WARNING);
            return;
        }
        const std::vector<LINHA_RASTRO> l = lotes.lotes_da_colmeia(std::atoi(codigo.c_str()));
        mostrar(l, l.empty() ? "O mel da colméia " + codigo + " não está em nenhum lote."
                             : "Lotes com mel da colméia " + codigo + ": " + std::to_string(l.size()) + ".");
    } else {
        const int id = apiario_escolhido();
        if (id == 0) {
            avisar(*janela(), "Escolha na lista o apiário a rastrear.", Gtk::MESSAGE_WARNING);
            return;
        }
        Gtk::TreeModel::iterator it = w.treeview_apiarios->get_selection()->get_selected();
        const std::string nome = Glib::ustring((*it)[colunas_apiario.textos[0]]).raw();
        const std::vector<LINHA_RASTRO> l = lotes.lotes_do_apiario(id);
        mostrar(l, l.empty() ? "O mel do apiário " + nome + " não está em nenhum lote."
                             : "Lotes com mel do apiário " + nome + ": " + std::to_string(l.size()) + ".");
    }
    if (lotes.falha().houve)
        avisar_recusa(*janela(), lotes.falha());
}

void FORM_RASTREABILIDADE::mostrar(const std::vector<LINHA_RASTRO>& l, const std::string& resumo)
{
    // The list lets go of the lines before they change.
    w.treeview_rastro->unset_model();
    lista.reset();
    linhas = l;
    w.label_resumo->set_text(resumo);
    lista = modelo_achados(std::make_shared<LinhasRastro>(linhas));
    w.treeview_rastro->set_model(lista);
}

void FORM_RASTREABILIDADE::abrir_linha(std::size_t i)
{
    if (i >= linhas.size())
        return;
    const LINHA_RASTRO r = linhas[i];
    if (r.id <= 0) {
        avisar(*janela(), "Esta linha não tem um registro a abrir.", Gtk::MESSAGE_INFO);
        return;
    }
    if (const int janela_id = janela_da_linha(r.tipo)) {
        abrir_com_escolha(janela_id, r.id);
        return;
    }
    const COLMEIAS colmeia = COLMEIA(ctx.query).get_colmeia(r.id_colmeia);
    DialogoRegistro d(*janela(), ctx.query, registro_da_linha(r.tipo), colmeia, r.id);
    d.executar();
}
