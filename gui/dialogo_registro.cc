#include "gui/dialogo_registro.h"

#include <gtkmm/box.h>
#include <gtkmm/stock.h>

#include "gui/montagem.h"

namespace {

const int LARGURA_ROTULO = 130;

const char* const DIVISAO = "Divisão";
const char* const JUNCAO = "Junção";
const char* const CAPTURA = "Captura de Enxame";
const char* const PERDA = "Perda";



} // namespace

DialogoRegistro::DialogoRegistro(Gtk::Window& pai, QUERY* query, Registro tipo, const COLMEIAS& colmeia, int id)
    : Gtk::Dialog(std::string(nome_do_registro(tipo)) + " da colméia " + std::to_string(colmeia.id), pai, true),
      tipo_(tipo), id_(id), colmeia_(colmeia), diario(query), colmeias(query)
{
    set_border_width(10);
    if (tipo_ == Registro::EVENTO) {
        montar_evento();
    } else {
        w.campos = Gtk::manage(new CamposRegistro(tipo_, query));
        get_vbox()->pack_start(*w.campos, false, false, 0);
    }
    // A move and an event are stored once: opened, they are only shown.
    const bool so_mostrar = id_ != 0 && (tipo_ == Registro::MOVIMENTACAO || tipo_ == Registro::EVENTO);
    if (!so_mostrar)
        w.button_salvar = add_button("Salvar", Gtk::RESPONSE_OK);
    w.button_fechar = add_button(so_mostrar ? "Fechar" : "Cancelar", Gtk::RESPONSE_CANCEL);
    if (id_ != 0)
        carregar();
    if (so_mostrar) {
        if (w.campos)
            w.campos->so_leitura();
        for (Gtk::ComboBoxText* c : { w.combo_evento, w.combo_tipo_nova, w.combo_juncao, w.combo_motivo })
            if (c)
                c->set_sensitive(false);
        for (Gtk::Entry* e : { w.entry_data_evento, w.entry_rgn, w.entry_local, w.entry_obs_evento })
            if (e)
                e->set_editable(false);
        if (w.check_com_rainha)
            w.check_com_rainha->set_sensitive(false);
    }
}

void DialogoRegistro::montar_evento()
{
    Gtk::VBox& caixa = *get_vbox();
    w.combo_evento = lista_de_textos(TIPOS_EVENTO, 5, false);
    linha(caixa, "Tipo", *w.combo_evento, 10, LARGURA_ROTULO);
    w.entry_data_evento = Gtk::manage(new Gtk::Entry());
    w.entry_data_evento->set_max_length(10);
    w.entry_data_evento->set_width_chars(10);
    w.entry_data_evento->set_text(data_de_hoje());
    w.entry_data_evento->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 1, w.entry_data_evento));
    linha(caixa, "Data", *w.entry_data_evento, 10, LARGURA_ROTULO);

    auto so_para = [this](Gtk::Widget* l, std::vector<std::string> tipos) {
        l->set_no_show_all(true);
        linhas_evento.emplace_back(l, std::move(tipos));
    };
    w.combo_tipo_nova = lista_de_textos(TIPOS_COLMEIA, 4, false);
    so_para(linha(caixa, "Tipo da nova colméia", *w.combo_tipo_nova, 10, LARGURA_ROTULO), { DIVISAO, CAPTURA });
    w.check_com_rainha = Gtk::manage(new Gtk::CheckButton("Com rainha"));
    w.entry_rgn = Gtk::manage(new Gtk::Entry());
    w.entry_rgn->set_width_chars(14);
    w.entry_rgn->set_sensitive(false);
    Gtk::HBox* rainha = linha(caixa, "", *w.check_com_rainha, 10, LARGURA_ROTULO);
    rainha->pack_start(*rotulo("RGN da rainha"), false, false, 10);
    rainha->pack_start(*w.entry_rgn, false, false, 0);
    so_para(rainha, { DIVISAO });

    w.combo_juncao = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_juncao->append("");
    ids_juncao.clear();
    FILTRO_COLMEIAS filtro;
    filtro.id_apiario = colmeia_.id_apiario;
    for (const COLMEIAS& c : colmeias.pesquisar(filtro)) {
        if (c.id == colmeia_.id || colmeia_encerrada(c.status))
            continue;
        ids_juncao.push_back(c.id);
        w.combo_juncao->append(std::to_string(c.id) + " - " + c.tipo);
    }
    w.combo_juncao->set_active(0);
    so_para(linha(caixa, "Unir à colméia", *w.combo_juncao, 10, LARGURA_ROTULO), { JUNCAO });
    w.entry_local = Gtk::manage(new Gtk::Entry());
    w.entry_local->set_width_chars(30);
    so_para(linha(caixa, "Local", *w.entry_local, 10, LARGURA_ROTULO), { CAPTURA });
    w.combo_motivo = lista_de_textos(MOTIVOS_PERDA, 6, true);
    so_para(linha(caixa, "Motivo", *w.combo_motivo, 10, LARGURA_ROTULO), { PERDA });
    w.entry_obs_evento = Gtk::manage(new Gtk::Entry());
    w.entry_obs_evento->set_width_chars(40);
    linha(caixa, "Observações", *w.entry_obs_evento, 10, LARGURA_ROTULO);

    w.check_com_rainha->signal_toggled().connect(
        [this] { w.entry_rgn->set_sensitive(w.check_com_rainha->get_active()); });
    w.combo_evento->signal_changed().connect(sigc::mem_fun(*this, &DialogoRegistro::evento_escolhido));
    evento_escolhido();
}

void DialogoRegistro::evento_escolhido()
{
    const std::string tipo = texto(w.combo_evento);
    for (const auto& l : linhas_evento) {
        bool mostra = false;
        for (const std::string& t : l.second)
            mostra = mostra || t == tipo;
        if (mostra) {
            l.first->set_no_show_all(false);
            l.first->show_all();
        } else {
            l.first->hide();
            l.first->set_no_show_all(true);
        }
    }
}

void DialogoRegistro::carregar()
{
    switch (tipo_) {
    case Registro::TRATAMENTO: {
        const TRATAMENTOS t = diario.get_tratamento(id_);
        w.campos->mostrar(t);
        versao_ = t.versao;
        break;
    }
    case Registro::ALIMENTACAO: {
        const ALIMENTACOES a = diario.get_alimentacao(id_);
        w.campos->mostrar(a);
        versao_ = a.versao;
        break;
    }
    case Registro::PESAGEM: {
        const PESAGENS p = diario.get_pesagem(id_);
        w.campos->mostrar(p);
        versao_ = p.versao;
        break;
    }
    case Registro::COLHEITA: {
        const COLHEITAS c = diario.get_colheita(id_);
        w.campos->mostrar(c);
        versao_ = c.versao;
        break;
    }
    case Registro::OCORRENCIA: {
        const OCORRENCIAS o = diario.get_ocorrencia(id_);
        w.campos->mostrar(o);
        versao_ = o.versao;
        break;
    }
    case Registro::MOVIMENTACAO:
        w.campos->mostrar(diario.get_movimentacao(id_));
        break;
    case Registro::EVENTO: {
        const EVENTOS_COLONIA e = diario.get_evento(id_);
        escolher_texto(*w.combo_evento, e.tipo);
        w.entry_data_evento->set_text(e.data);
        w.check_com_rainha->set_active(e.com_rainha);
        w.entry_local->set_text(e.local);
        escolher_texto(*w.combo_motivo, e.motivo);
        w.entry_obs_evento->set_text(e.obs);
        // The hive a union joined into, also when it is not offered now.
        const int outra = e.id_colmeia == colmeia_.id ? e.id_relacionada : e.id_colmeia;
        if (outra != 0 && e.tipo == JUNCAO) {
            ids_juncao.push_back(outra);
            w.combo_juncao->append(std::to_string(outra));
            w.combo_juncao->set_active(static_cast<int>(ids_juncao.size()));
        }
        break;
    }
    default:
        break;
    }
}

bool DialogoRegistro::executar()
{
    show_all();
    if (w.combo_evento)
        evento_escolhido();
    bool gravou = false;
    while (!gravou) {
        const int resposta = run();
        if (resposta != Gtk::RESPONSE_OK || so_leitura())
            break;
        gravou = salvar();
    }
    hide();
    return gravou;
}

bool DialogoRegistro::recusado(const DADOS& dados)
{
    avisar_recusa(*this, dados.falha());
    // Changed or deleted elsewhere since it was opened: shown as it is now.
    if (dados.falha().conflito() && id_ != 0)
        carregar();
    return false;
}

bool DialogoRegistro::salvar()
{
    const std::vector<int> esta { colmeia_.id };
    switch (tipo_) {
    case Registro::TRATAMENTO: {
        TRATAMENTOS t;
        w.campos->ler(t);
        t.id = id_;
        t.id_colmeia = colmeia_.id;
        t.versao = versao_;
        if (!(id_ == 0 ? diario.tratar(t, esta) : diario.atualizar(t)))
            return recusado(diario);
        return true;
    }
    case Registro::ALIMENTACAO: {
        ALIMENTACOES a;
        w.campos->ler(a);
        a.id = id_;
        a.id_colmeia = colmeia_.id;
        a.versao = versao_;
        if (!(id_ == 0 ? diario.alimentar(a, esta) : diario.atualizar(a)))
            return recusado(diario);
        return true;
    }
    case Registro::PESAGEM: {
        PESAGENS p;
        w.campos->ler(p);
        p.id = id_;
        p.id_colmeia = colmeia_.id;
        p.versao = versao_;
        if (!(id_ == 0 ? diario.pesar(p, esta) : diario.atualizar(p)))
            return recusado(diario);
        return true;
    }
    case Registro::COLHEITA: {
        COLHEITAS c;
        w.campos->ler(c);
        c.id = id_;
        c.id_colmeia = colmeia_.id;
        c.versao = versao_;
        if (!(id_ == 0 ? diario.colher(c, esta) : diario.atualizar(c)))
            return recusado(diario);
        return true;
    }
    case Registro::OCORRENCIA: {
        OCORRENCIAS o;
        w.campos->ler(o);
        o.id = id_;
        o.id_colmeia = colmeia_.id;
        o.versao = versao_;
        if (!(id_ == 0 ? diario.registrar(&o) : diario.atualizar(o)))
            return recusado(diario);
        if (notificacao_imediata(o.doenca))
            avisar_notificacao_imediata(*this);
        return true;
    }
    case Registro::MOVIMENTACAO: {
        MOVIMENTACOES m;
        w.campos->ler(m);
        if (m.gta.find_first_not_of(" \t") == std::string::npos && m.id_destino != 0 &&
            diario.para_outro_municipio(m, esta) > 0 && !confirmar_sem_gta(*this, 1))
            return false;
        if (!diario.mover(m, esta))
            return recusado(diario);
        return true;
    }
    case Registro::EVENTO:
        return salvar_evento();
    default:
        return false;
    }
}

bool DialogoRegistro::salvar_evento()
{
    EVENTOS_COLONIA e;
    e.tipo = texto(w.combo_evento);
    e.data = texto(w.entry_data_evento);
    e.obs = texto(w.entry_obs_evento);
    e.id_colmeia = colmeia_.id;
    bool ok = false;
    if (e.tipo == DIVISAO || e.tipo == CAPTURA) {
        // The new hive stands in this hive's apiary.
        COLMEIAS nova;
        nova.tipo = texto(w.combo_tipo_nova);
        nova.status = STATUS_COLMEIA[0];
        nova.id_apiario = colmeia_.id_apiario;
        nova.instalacao = e.data;
        if (e.tipo == DIVISAO) {
            e.id_relacionada = colmeia_.id;
            e.com_rainha = w.check_com_rainha->get_active();
            if (e.com_rainha)
                nova.rgn = texto(w.entry_rgn);
        } else {
            e.local = texto(w.entry_local);
        }
        e.id_colmeia = 0;
        ok = diario.registrar(&e, &nova);
        if (ok)
            nova_ = nova.id;
    } else {
        if (e.tipo == JUNCAO) {
            const int i = w.combo_juncao->get_active_row_number();
            e.id_relacionada = i > 0 && static_cast<std::size_t>(i) <= ids_juncao.size() ? ids_juncao[i - 1] : 0;
            if (e.id_relacionada == 0) {
                avisar(*this, "Escolha a colméia à qual esta se une.", Gtk::MESSAGE_WARNING);
                return false;
            }
        } else if (e.tipo == PERDA) {
            e.motivo = texto(w.combo_motivo);
        }
        ok = diario.registrar(&e);
    }
    if (!ok)
        return recusado(diario);
    if (nova_ != 0)
        avisar(*this, e.tipo + " registrada: a nova colméia é a " + std::to_string(nova_) + ".", Gtk::MESSAGE_INFO);
    return true;
}
