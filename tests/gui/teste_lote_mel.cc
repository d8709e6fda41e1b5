// The windows of the menu "Produção" driven through their widgets: a
// harvest entered for many hives at once, a lot built from the harvests of
// an apiary (one in withdrawal refused with its reason, kilos lowered, the
// total summed, the moisture warned about), a refusal keeping what was
// typed, annulment, and the trace whose lines open their records.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <gtkmm/cellrenderertoggle.h>

#include "gui/colmeia_view.h"
#include "gui/form_apiario.h"
#include "gui/form_lote_mel.h"
#include "gui/form_manejo_lote.h"
#include "gui/form_rastreabilidade.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"
#include "support/leitura_arquivos.h"
#include "model/diario.h"

using Roteiro = teste::RoteiroTeste;
using teste::escolher;
using Linhas = std::vector<std::vector<std::string>>;

namespace {

class Producao : public teste::SistemaTeste
{
protected:
    int colmeia(int apiario)
    {
        return std::stoi(banco->valor("insert into cadastro.colmeia (tipo, status, id_apiario) values ('Langstroth', "
                                      "'Ativa', " + std::to_string(apiario) + ") returning id_colmeia"));
    }
    FORM_LOTE_MEL* fl() { return form<FORM_LOTE_MEL>(ids::LOTES_MEL); }
    FORM_RASTREABILIDADE* fr() { return form<FORM_RASTREABILIDADE>(ids::RASTREABILIDADE); }
    // The row of the harvest list showing hive `colmeia`, or -1.
    int linha_da_colmeia(int colmeia)
    {
        for (Gtk::TreeModel::Row l : fl()->get_colheitas()->children()) {
            if (l[ColunasColheita().colmeia] == colmeia)
                return l[ColunasColheita().indice];
        }
        return -1;
    }
};

} // namespace

TEST_F(Producao, ColheitaEmLoteLoteComCarenciaEAnulacao)
{
    const std::string ano = "2025";
    std::string pdf;
    const int a = colmeia(1), b = colmeia(1), tratada = colmeia(1), outra = colmeia(3);
    Roteiro r;
    entrar(r);
    r.passo([&] {
        DIARIO diario(query.get());
        TRATAMENTOS t;
        t.id_produto = 2;   // timol, 30 days
        t.inicio = "01/03/" + ano;
        t.fim = "05/03/" + ano;
        ASSERT_TRUE(diario.tratar(t, { tratada }));
        COLHEITAS c;
        c.data = "20/03/" + ano;
        c.quilos = "15";
        ASSERT_TRUE(diario.colher(c, { tratada, outra }));
    });
    abrir(r, ids::COLHEITA_LOTE);
    r.passo([&] {
        FORM_MANEJO_LOTE* f = form<FORM_MANEJO_LOTE>(ids::COLHEITA_LOTE);
        const WidgetsManejoLote& w = f->widgets();
        EXPECT_EQ(f->janela()->get_title(), "Colheita em Lote");
        ASSERT_TRUE(f->marcar(a, true));
        ASSERT_TRUE(f->marcar(b, true));
        w.campos->widgets().entry_data->set_text("10/03/" + ano);
        w.campos->widgets().entry_peso->set_text("22,5");
        teste::clicar(w.button_salvar_lote);
    });
    r.responder("Colheita registrada em 2 colméias.", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        EXPECT_EQ(banco->unidos("select id_colmeia, data, mel_kg from cadastro.colheita where data = '2025-03-10' "
                                "order by 1"),
                  std::to_string(a) + "|2025-03-10|22.500|" + std::to_string(b) + "|2025-03-10|22.500|");
        form<FORM_MANEJO_LOTE>(ids::COLHEITA_LOTE)->janela()->hide();
    });
    esperar_fechado(r, ids::COLHEITA_LOTE, "the batch window to close");

    abrir(r, ids::LOTES_MEL);
    r.passo([&] {
        const WidgetsLoteMel& w = fl()->widgets();
        EXPECT_EQ(fl()->janela()->get_title(), "Lotes de Mel");
        EXPECT_EQ(teste::titulos(w.treeview_colheitas),
                  (std::vector<std::string> { "", "Colméia", "Apiário", "Data", "Origem", "Colhido", "Em outros lotes",
                                              "Disponível", "No lote (kg)", "Carência" }));
        teste::clicar(w.button_novo);
        ASSERT_TRUE(fl()->marcar_apiario(1, true));
        w.entry_de->set_text("01/01/" + ano);
        w.entry_ate->set_text("31/12/" + ano);
        teste::clicar(w.button_buscar_colheitas);
        // Apiary 1 only: the three hives there, not the one of apiary 3.
        EXPECT_EQ(fl()->get_colheitas()->children().size(), 3u);
        EXPECT_EQ(linha_da_colmeia(outra), -1);
        // Each apiary's check box toggled as a click does (apiary 1 off, the
        // others on): apiary 3's hive comes in; toggled back, apiary 1 alone.
        auto* marca = dynamic_cast<Gtk::CellRendererToggle*>(w.treeview_apiarios->get_column(0)->get_first_cell_renderer());
        ASSERT_NE(marca, nullptr);
        const std::size_t apiarios = w.treeview_apiarios->get_model()->children().size();
        for (std::size_t k = 0; k < apiarios; ++k)
            g_signal_emit_by_name(marca->gobj(), "toggled", std::to_string(k).c_str());
        teste::clicar(w.button_buscar_colheitas);
        EXPECT_GE(linha_da_colmeia(outra), 0);
        for (std::size_t k = 0; k < apiarios; ++k)
            g_signal_emit_by_name(marca->gobj(), "toggled", std::to_string(k).c_str());
        teste::clicar(w.button_buscar_colheitas);
        EXPECT_EQ(fl()->get_colheitas()->children().size(), 3u);
        EXPECT_EQ(linha_da_colmeia(outra), -1);
        const Linhas l = teste::linhas(w.treeview_colheitas);
        const int i = linha_da_colmeia(tratada);
        ASSERT_GE(i, 0);
        EXPECT_EQ(l[i][9], "Timol em gel (exemplo) até 04/04/" + ano);
        EXPECT_FALSE(fl()->marcar(i, true));
    });
    r.responder("A colheita de 20/03/2025 da colméia " + std::to_string(tratada) +
                    " foi feita em carência de Timol em gel (exemplo) (até 04/04/2025): ela não pode entrar em um lote.",
                "O mel colhido durante a carência de um tratamento não pode ser vendido.", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        const WidgetsLoteMel& w = fl()->widgets();
        EXPECT_TRUE(fl()->marcar(linha_da_colmeia(a), true));
        EXPECT_TRUE(fl()->marcar(linha_da_colmeia(b), true));
        fl()->quilos_no_lote(linha_da_colmeia(b), "10,25");
        EXPECT_EQ(fl()->total(), "32,75");
        EXPECT_EQ(w.label_total->get_text(), "32,75 kg, de 2 colheitas");
        // The list shows the ticks and kilos given; kilos cleared take the
        // tick off, kilos typed put it back.
        const ColunasColheita c;
        const auto linha = [&](int colmeia) { return *fl()->get_colheitas()->children()[linha_da_colmeia(colmeia)]; };
        const auto no_lote = [&](int colmeia) { return teste::linhas(w.treeview_colheitas)[linha_da_colmeia(colmeia)][8]; };
        for (const auto& caso : { std::make_pair(a, true), std::make_pair(b, true), std::make_pair(tratada, false) })
            EXPECT_EQ(linha(caso.first)[c.marcada], caso.second) << caso.first;
        EXPECT_EQ(no_lote(b), "10,25");
        EXPECT_EQ(no_lote(tratada), "");
        fl()->quilos_no_lote(linha_da_colmeia(b), " ");
        EXPECT_FALSE(linha(b)[c.marcada]);
        EXPECT_EQ(no_lote(b), "");
        EXPECT_EQ(w.label_total->get_text(), "22,5 kg, de 1 colheita");
        fl()->quilos_no_lote(linha_da_colmeia(b), "10,25");
        EXPECT_TRUE(linha(b)[c.marcada]);
        EXPECT_EQ(w.label_total->get_text(), "32,75 kg, de 2 colheitas");
        teste::digitar(w.entry_umidade, "21");
        EXPECT_EQ(w.label_umidade->get_text(),
                  "Umidade acima de 20 %: o limite das normas brasileiras de qualidade do mel.");
        w.entry_umidade->set_text("18,5");
        EXPECT_EQ(w.label_umidade->get_text(), "");
        w.entry_extracao->set_text("15/04/" + ano);
        w.entry_destino->set_text("Entreposto Mel do Cerrado");
        EXPECT_TRUE(escolher(w.combo_inspecao, "SIF"));
        w.entry_numero_inspecao->set_text("1234");
        w.entry_tambores->set_text("2");
        // Kilos over what a harvest has left: refused, all kept.
        fl()->quilos_no_lote(linha_da_colmeia(a), "30");
        teste::clicar(w.button_salvar);
    });
    r.responder("Verifique as informações digitadas !", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        const WidgetsLoteMel& w = fl()->widgets();
        EXPECT_EQ(banco->valor("select count(*) from cadastro.lote_mel"), "0");
        EXPECT_TRUE(fl()->inserindo());
        EXPECT_EQ(w.entry_destino->get_text(), "Entreposto Mel do Cerrado");
        EXPECT_EQ(fl()->total(), "40,25");
        fl()->quilos_no_lote(linha_da_colmeia(a), "22,5");
        teste::clicar(w.button_salvar);
        EXPECT_EQ(banco->unidos("select codigo, data_extracao, umidade, tambores, destino, inspecao, numero_inspecao, "
                                "(select sum(mel_kg) from cadastro.lote_mel_colheita) from cadastro.lote_mel"),
                  ano + "-001|2025-04-15|18.5|2|Entreposto Mel do Cerrado|SIF|1234|32.750|");
        EXPECT_FALSE(fl()->inserindo());
        const Linhas lotes = teste::linhas(w.treeview_lotes);
        ASSERT_EQ(lotes.size(), 1u);
        EXPECT_EQ(lotes[0][0] + "|" + lotes[0][3] + "|" + lotes[0][7], ano + "-001|32,75|");
        // With an invoice it is annulled instead of deleted.
        teste::clicar(w.button_editar);
        w.entry_nota->set_text("NF 881");
        teste::clicar(w.button_salvar);
        teste::clicar(w.button_excluir);
    });
    r.responder("Este lote tem nota fiscal: ele não pode ser excluído.",
                "Anule-o, dizendo o motivo: ele continua nos relatórios, marcado como anulado.", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        const std::string motivo = "Nota fiscal cancelada";
        fl()->anular(&motivo);
        const WidgetsLoteMel& w = fl()->widgets();
        EXPECT_EQ(banco->valor("select motivo_anulacao from cadastro.lote_mel where anulado_em = current_date"), motivo);
        EXPECT_EQ(teste::linhas(w.treeview_lotes)[0][7], "Anulado");
        EXPECT_FALSE(w.button_editar->is_sensitive());
        EXPECT_FALSE(w.button_anular->is_sensitive());
        EXPECT_EQ(w.label_situacao->get_text(), "Anulado em " + banco->valor("select to_char(current_date, "
                                                                             "'DD/MM/YYYY')") + ": " + motivo);
        // Its two drums' labels, one page of PDF.
        EXPECT_EQ(fl()->etiquetas().size(), 2u);
        pdf = teste::pasta_temporaria() + "/etiquetas.pdf";
        fl()->exportar_etiquetas(&pdf);
    });
    r.responder("", Gtk::RESPONSE_CLOSE);   // the file's name is known only then
    r.passo([&] {
        EXPECT_EQ(teste::paginas_pdf(pdf), 1);
        EXPECT_NE(teste::texto_pdf(pdf).find("Tambor 2 de 2"), std::string::npos);
        teste::clicar(fl()->widgets().button_rastrear);
    });
    esperar_aberto(r, ids::RASTREABILIDADE, "the trace window");
    r.passo([&] {
        const Linhas l = teste::linhas(fr()->widgets().treeview_rastro);
        ASSERT_EQ(l.size(), 6u);   // two hives: harvest, apiary and queen each, no treatment of theirs
        EXPECT_EQ(l[0][1] + "|" + l[0][2] + "|" + l[0][3], "Colheita|10/03/2025|Colheita de 22,5 kg");
        EXPECT_EQ(l[1][1], "Apiário");
        EXPECT_EQ(l[2][3], "Sem rainha registrada nesta data");
        EXPECT_EQ(fr()->widgets().label_resumo->get_text(),
                  "Lote 2025-001, extraído em 15/04/2025: 32,75 kg de 2 colméias de 1 apiário (anulado).");
        // A hive's lots, then an apiary line that opens the apiary.
        fr()->widgets().radio_colmeia->set_active(true);
        fr()->widgets().entry_colmeia->set_text(std::to_string(b));
        fr()->rastrear();
        EXPECT_EQ(teste::linhas(fr()->widgets().treeview_rastro)[0][3], "Lote 2025-001: 10,25 kg (anulado)");
        fr()->widgets().radio_lote->set_active(true);
        fr()->rastrear();
        fr()->abrir_linha(1);
    });
    esperar_aberto(r, ids::APIARIOS, "the apiary window");
    // The record goes to the window once it is up.
    r.esperar([&] {
        return form<FormApiario>(ids::APIARIOS)->widgets().entry_nome->get_text() ==
               banco->valor("select nome from cadastro.apiario where id_apiario = 1");
    }, "the apiary of the line shown");
    r.passo([&] { form<FormApiario>(ids::APIARIOS)->janela()->hide(); });
    esperar_fechado(r, ids::APIARIOS, "the apiary window to close");
    r.passo([&] { fr()->abrir_linha(0); });
    esperar_aberto(r, ids::COLMEIAS, "the hive window");
    r.esperar([&] { return form<COLMEIA_VIEW>(ids::COLMEIAS)->get_colmeia_mostrada() == a; },
              "the hive of the line shown");
    r.passo([&] { form<COLMEIA_VIEW>(ids::COLMEIAS)->janela()->hide(); });
    esperar_fechado(r, ids::COLMEIAS, "the hive window to close");
    rodar(r, 60);
}
