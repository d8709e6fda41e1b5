// The queen bee form with "Gerar Filhas" and Delete, and the layout of the
// beehive window (tests/gui/teste_colmeia.cc drives it), through their
// widgets on the sample database.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtkmm/label.h>

#include "gui/form_abelha.h"
#include "gui/form_genealogia.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;
using teste::escolher;
using teste::textos_lista;

namespace {

class Abelha : public teste::SistemaTeste
{
protected:
    FormAbelha* ab() { return form<FormAbelha>(ids::ABELHAS); }

    // The stored bee as "rgn|nascimento|matriz|mae".
    std::string linha(int id)
    {
        return banco->valor("select rgn || '|' || to_char(data_nasc,'DD/MM/YYYY') || '|' || matriz || '|' || "
                            "coalesce(filha::text, 'null') from cadastro.abelha_rainha where id_abelha=" +
                            std::to_string(id));
    }

    std::string mostrada()
    {
        FormAbelha* f = ab();
        return f->widgets().entry_codigo->get_text() + "|" + f->widgets().entry_rgn->get_text() + "|" +
            f->widgets().entry_nascimento->get_text() + "|" + (f->widgets().radio_sim->get_active() ? "Sim" : "Não") +
            "|" + f->widgets().combo_mae->get_active_text();
    }

    std::string contagem() { return banco->valor("select count(*) from cadastro.abelha_rainha"); }

    // Browses from the first bee on to the one with that code, and checks it
    // is the one shown.
    void ir_para(int codigo)
    {
        for (int i = 1; i < codigo; ++i)
            teste::clicar(ab()->widgets().button_proximo);
        EXPECT_EQ(ab()->widgets().entry_codigo->get_text(), std::to_string(codigo));
    }

    // Logs in, shows bee 4 in the queen bee form and opens her "Genealogia".
    void genealogia_da_quarta(Roteiro& r)
    {
        entrar(r);
        abrir(r, ids::ABELHAS);
        r.passo([this] {
            ir_para(4);
            EXPECT_EQ(ab()->abelha_mostrada(), 4);
            EXPECT_TRUE(ab()->widgets().button_genealogia->get_mapped());
            teste::clicar(ab()->widgets().button_genealogia);
        });
        esperar_aberto(r, ids::GENEALOGIA, "the lineage window");
    }

    // How far the progress bar of the dialog shows the work (0 without one).
    static double fracao_feita(DialogoFilhas& d)
    {
        Gtk::ProgressBar* barra = teste::barra_de_progresso(d);
        return barra ? barra->get_fraction() : 0;
    }
    // Fills the dialog and answers it.
    void responder_filhas(Roteiro& r, const std::string& quantidade, const std::string& data, int resposta)
    {
        r.passo([this, quantidade, data, resposta] {
            FormAbelha* f = ab();
            f->get_dialogo_filhas()->widgets().entry_quantidade->set_text(quantidade);
            f->get_dialogo_filhas()->widgets().entry_data->set_text(data);
            f->get_dialogo_filhas()->response(resposta);
        });
        r.esperar([this] { return ab()->get_dialogo_filhas() == nullptr; }, "the daughters dialog to close");
    }
};

} // namespace

TEST_F(Abelha, NavegaPelasAbelhasComOContador)
{
    Roteiro r;
    entrar(r);
    r.passo([this] { saida.tomar(); });
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        FormAbelha* f = ab();
        EXPECT_EQ(f->janela()->get_title(), "Cadastro de Abelhas");
        EXPECT_NE(saida.tomar().find(" Primeiro acesso à janela \n"), std::string::npos);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 8");
        EXPECT_EQ(mostrada(), "1|00001-00000|01/10/2009|Sim|Não Sabe");
        std::vector<std::string> maes { "Não Sabe" };
        for (const LINHA& l : banco->consultar("select rgn from cadastro.abelha_rainha order by id_abelha"))
            maes.push_back(l[0]);
        EXPECT_EQ(textos_lista(f->widgets().combo_mae), maes);

        EXPECT_FALSE(f->widgets().entry_codigo->get_sensitive());
        EXPECT_FALSE(f->widgets().entry_rgn->get_editable());
        EXPECT_FALSE(f->widgets().entry_nascimento->get_editable());
        EXPECT_FALSE(f->widgets().combo_mae->get_sensitive());
        EXPECT_FALSE(f->widgets().button_salvar->get_sensitive());
        EXPECT_TRUE(f->widgets().button_novo->get_sensitive());
        EXPECT_TRUE(f->widgets().button_excluir->get_sensitive());
        EXPECT_TRUE(f->widgets().button_gerar->get_sensitive());
        // Every tool is on screen, none hidden behind an overflow arrow.
        EXPECT_TRUE(f->widgets().button_gerar->get_mapped());
        EXPECT_TRUE(f->widgets().button_excluir->get_mapped());
        EXPECT_EQ(f->widgets().entry_nascimento->get_max_length(), 10);

        teste::clicar(f->widgets().button_anterior);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 8");
        teste::clicar(f->widgets().button_proximo);
        teste::clicar(f->widgets().button_proximo);
        EXPECT_NE(saida.tomar().find("2\n\nPROXIMO\n00003-00001\n"), std::string::npos);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "3 / 8");
        EXPECT_EQ(mostrada(), "3|00003-00001|15/11/2010|Não|00001-00000");
        EXPECT_EQ(f->get_mae_selecionada().id, 1);
        teste::clicar(f->widgets().button_ultimo);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "8 / 8");
        EXPECT_EQ(mostrada(), "8|00008-00000|07/10/2016|Sim|Não Sabe");
        teste::clicar(f->widgets().button_proximo);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "8 / 8");
        teste::clicar(f->widgets().button_primeiro);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 8");
    });
    rodar(r);
}

TEST_F(Abelha, NovaAbelhaGanhaRgnEEntraNaListaDeMaes)
{
    std::string antes;
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this, &antes] {
        FormAbelha* f = ab();
        teste::clicar(f->widgets().button_novo);
        EXPECT_EQ(f->widgets().entry_rgn->get_text(), "");
        EXPECT_EQ(f->widgets().entry_nascimento->get_text(), "");
        EXPECT_EQ(f->widgets().entry_codigo->get_text(), "");
        EXPECT_TRUE(f->widgets().entry_nascimento->get_editable());
        EXPECT_TRUE(f->widgets().combo_mae->get_sensitive());
        EXPECT_FALSE(f->widgets().button_novo->get_sensitive());
        EXPECT_FALSE(f->widgets().button_editar->get_sensitive());
        EXPECT_TRUE(f->widgets().button_salvar->get_sensitive());
        EXPECT_FALSE(f->widgets().button_proximo->get_sensitive());
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_nascimento);

        // A date the database can't read: the error, nothing stored.
        antes = banco->despejo();
        teste::digitar(f->widgets().entry_nascimento, "31022020");
        EXPECT_EQ(f->widgets().entry_nascimento->get_text(), "31/02/2020");
        EXPECT_TRUE(escolher(f->widgets().combo_mae, "00004-00002"));
        teste::clicar(f->widgets().button_salvar);
    });
    r.responder("Verifique as informações digitadas !", "A data digitada não existe ou não está no formato DD/MM/AAAA.",
                Gtk::RESPONSE_CLOSE);
    r.passo([this, &antes] {
        FormAbelha* f = ab();
        EXPECT_EQ(banco->despejo(), antes);
        EXPECT_EQ(f->widgets().entry_nascimento->get_text(), "31/02/2020");
        EXPECT_EQ(f->widgets().combo_mae->get_active_text(), "00004-00002");
        EXPECT_FALSE(f->widgets().button_novo->get_sensitive());

        teste::clicar(f->widgets().button_cancelar);
        teste::clicar(f->widgets().button_novo);
        f->widgets().entry_nascimento->set_text("05/06/2020");
        f->widgets().radio_nao->set_active(true);
        EXPECT_TRUE(escolher(f->widgets().combo_mae, "00004-00002"));
        saida.tomar();
        teste::clicar(f->widgets().button_salvar);
        std::string s = saida.tomar();
        EXPECT_NE(s.find("1\n0\n00004-00002\n"), std::string::npos) << s;
        EXPECT_EQ(linha(9), "00009-00004|05/06/2020|false|4");
        std::vector<std::string> maes = textos_lista(f->widgets().combo_mae);
        ASSERT_EQ(maes.size(), 10u);
        EXPECT_EQ(maes.back(), "00009-00004");
        EXPECT_EQ(f->widgets().combo_mae->get_active_text(), "Não Sabe");
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 9");
        EXPECT_FALSE(f->widgets().combo_mae->get_sensitive());

        // A breeding queen with unknown mother.
        teste::clicar(f->widgets().button_novo);
        f->widgets().entry_nascimento->set_text("06/06/2020");
        f->widgets().radio_sim->set_active(true);
        EXPECT_TRUE(escolher(f->widgets().combo_mae, "Não Sabe"));
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(linha(10), "00010-00000|06/06/2020|true|null");
        teste::clicar(f->widgets().button_ultimo);
        EXPECT_EQ(mostrada(), "10|00010-00000|06/06/2020|Sim|Não Sabe");
    });
    rodar(r);
}

TEST_F(Abelha, TrocarAMaeReescreveORgn)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        FormAbelha* f = ab();
        teste::clicar(f->widgets().button_proximo);
        teste::clicar(f->widgets().button_proximo);
        teste::clicar(f->widgets().button_editar);
        EXPECT_TRUE(f->widgets().button_novo->get_sensitive());
        EXPECT_FALSE(f->widgets().button_editar->get_sensitive());
        EXPECT_TRUE(f->widgets().entry_nascimento->get_editable());
        EXPECT_FALSE(f->widgets().entry_rgn->get_editable());
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_nascimento);
        EXPECT_TRUE(escolher(f->widgets().combo_mae, "00002-00001"));
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(linha(3), "00003-00002|15/11/2010|false|2");
        EXPECT_EQ(mostrada(), "3|00003-00002|15/11/2010|Não|00002-00001");
        EXPECT_EQ(f->widgets().label_contador->get_text(), "3 / 8");

        teste::clicar(f->widgets().button_editar);
        EXPECT_TRUE(escolher(f->widgets().combo_mae, "Não Sabe"));
        f->widgets().entry_nascimento->set_text("16/11/2010");
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(linha(3), "00003-00000|16/11/2010|false|null");
        EXPECT_EQ(mostrada(), "3|00003-00000|16/11/2010|Não|Não Sabe");
        EXPECT_EQ(contagem(), "8");
    });
    rodar(r);
}

TEST_F(Abelha, GerarFilhasCriaComCodigosSeguidos)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        ir_para(4);
    });
    abrir_filhas(r);
    r.passo([this] {
        FormAbelha* f = ab();
        Gtk::Dialog* d = f->get_dialogo_filhas();
        EXPECT_EQ(d->get_title(), "Gerar Filhas");
        EXPECT_TRUE(d->get_modal());
        EXPECT_EQ(d->get_transient_for(), f->janela());
        // Digits only in the quantity, the date mask in the date.
        teste::digitar(f->get_dialogo_filhas()->widgets().entry_quantidade, "3x");
        EXPECT_EQ(f->get_dialogo_filhas()->widgets().entry_quantidade->get_text(), "3");
        teste::digitar(f->get_dialogo_filhas()->widgets().entry_data, "10032011");
        EXPECT_EQ(f->get_dialogo_filhas()->widgets().entry_data->get_text(), "10/03/2011");
        f->get_dialogo_filhas()->widgets().entry_quantidade->activate();
        EXPECT_EQ(d->get_focus(), f->get_dialogo_filhas()->widgets().entry_data);
        // The maximum is stated beside the quantity.
        const std::vector<Gtk::Widget*> linhas = d->get_vbox()->get_children();
        Gtk::Container* linha = dynamic_cast<Gtk::Container*>(linhas.front());
        ASSERT_NE(linha, nullptr);
        std::vector<std::string> rotulos;
        for (Gtk::Widget* w : linha->get_children()) {
            if (Gtk::Label* l = dynamic_cast<Gtk::Label*>(w))
                rotulos.push_back(l->get_text());
        }
        EXPECT_EQ(rotulos, (std::vector<std::string> { "Quantidade:\t", "  (até 10.000)" }));
        f->get_dialogo_filhas()->response(Gtk::RESPONSE_OK);
    });
    r.esperar([this] { return ab()->get_dialogo_filhas() == nullptr; }, "the dialog to close");
    // Stored all together, and said so.
    r.responder("3 filhas cadastradas", "", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(contagem(), "11");
        EXPECT_EQ(linha(9), "00009-00004|10/03/2011|false|4");
        EXPECT_EQ(linha(10), "00010-00004|10/03/2011|false|4");
        EXPECT_EQ(linha(11), "00011-00004|10/03/2011|false|4");
        EXPECT_EQ(ab()->widgets().label_contador->get_text(), "4 / 11");
        EXPECT_EQ(textos_lista(ab()->widgets().combo_mae).back(), "00011-00004");
    });
    // Close, an empty, a zero and a non-numeric quantity create nothing.
    abrir_filhas(r);
    responder_filhas(r, "2", "10/03/2011", Gtk::RESPONSE_CLOSE);
    abrir_filhas(r);
    responder_filhas(r, "", "10/03/2011", Gtk::RESPONSE_OK);
    abrir_filhas(r);
    responder_filhas(r, "0", "10/03/2011", Gtk::RESPONSE_OK);
    abrir_filhas(r);
    responder_filhas(r, "1a2", "10/03/2011", Gtk::RESPONSE_OK);
    r.passo([this] {
        EXPECT_EQ(contagem(), "11");
        EXPECT_EQ(ab()->widgets().label_contador->get_text(), "4 / 11");
    });
    // An unreadable date: no daughter at all, and the user is told.
    abrir_filhas(r);
    responder_filhas(r, "3", "31/02/2011", Gtk::RESPONSE_OK);
    r.responder("Nenhuma filha foi cadastrada: verifique a data de nascimento.",
                "A data digitada não existe ou não está no formato DD/MM/AAAA.", Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(contagem(), "11"); });
    // More than the maximum: refused, the dialog stays with what was typed.
    abrir_filhas(r);
    r.passo([this] {
        DialogoFilhas* d = ab()->get_dialogo_filhas();
        d->widgets().entry_quantidade->set_text("10001");
        d->widgets().entry_data->set_text("11/03/2011");
        d->response(Gtk::RESPONSE_OK);
    });
    r.responder("No máximo 10.000 filhas de cada vez.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        DialogoFilhas* d = ab()->get_dialogo_filhas();
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->is_visible());
        EXPECT_EQ(d->widgets().entry_data->get_text(), "11/03/2011");
        EXPECT_EQ(contagem(), "11");
        // A number past what an int holds is over the maximum too.
        d->widgets().entry_quantidade->set_text("99999999999");
        d->response(Gtk::RESPONSE_OK);
    });
    r.responder("No máximo 10.000 filhas de cada vez.", Gtk::RESPONSE_CLOSE);
    responder_filhas(r, "1", "11/03/2011", Gtk::RESPONSE_OK);
    r.responder("1 filha cadastrada", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(contagem(), "12");
        EXPECT_EQ(linha(12), "00012-00004|11/03/2011|false|4");
    });
    rodar(r);
}

// Cancel while the daughters are stored: the work stops and none is kept.
TEST_F(Abelha, GerarFilhasCanceladoNoMeioNadaGuarda)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    abrir_filhas(r);
    r.passo([this] {
        DialogoFilhas* d = ab()->get_dialogo_filhas();
        EXPECT_FALSE(d->widgets().button_cancelar->is_visible());
        d->widgets().entry_quantidade->set_text("10000");
        d->widgets().entry_data->set_text("10/03/2011");
        d->response(Gtk::RESPONSE_OK);
    });
    r.esperar([this] {
        DialogoFilhas* d = ab()->get_dialogo_filhas();
        return d && d->widgets().button_cancelar->is_visible() && fracao_feita(*d) >= 0.01;
    }, "the work to be under way", 60);
    r.passo([this] {
        DialogoFilhas* d = ab()->get_dialogo_filhas();
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->widgets().button_cancelar->is_sensitive());
        d->widgets().button_cancelar->clicked();
    });
    r.responder("Geração cancelada: nenhuma filha foi cadastrada.", "", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(ab()->get_dialogo_filhas(), nullptr);
        EXPECT_EQ(contagem(), "8");
        EXPECT_EQ(ab()->widgets().label_contador->get_text(), "1 / 8");
    });
    // The form works on: two daughters now.
    abrir_filhas(r);
    responder_filhas(r, "2", "10/03/2011", Gtk::RESPONSE_OK);
    r.responder("2 filhas cadastradas", Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(contagem(), "10"); });
    rodar(r);
}

TEST_F(Abelha, GerarFilhasSemAbelhaMostradaSoAvisa)
{
    ASSERT_EQ(banco->executar("delete from cadastro.abelha_rainha"), "");
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        EXPECT_EQ(mostrada(), "|||Sim|Não Sabe");
        EXPECT_EQ(textos_lista(ab()->widgets().combo_mae), (std::vector<std::string> { "Não Sabe" }));
        teste::clicar(ab()->widgets().button_gerar);
    });
    r.responder("Nenhuma abelha exibida: não há de quem gerar filhas.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(ab()->get_dialogo_filhas(), nullptr);
        EXPECT_EQ(contagem(), "0");
        // The first bee of an empty table.
        FormAbelha* f = ab();
        teste::clicar(f->widgets().button_novo);
        f->widgets().entry_nascimento->set_text("01/02/2010");
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(banco->valor("select count(*) from cadastro.abelha_rainha where filha is null and "
                               "rgn = lpad(id_abelha::text, 5, '0') || '-00000'"),
                  "1");
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 1");
        EXPECT_EQ(textos_lista(f->widgets().combo_mae).size(), 2u);
    });
    rodar(r);
}

TEST_F(Abelha, ExcluirPerguntaPeloRgnERecusaQuemTemFilhas)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        ir_para(4);
        teste::clicar(ab()->widgets().button_excluir);
    });
    // Cancel: nothing deleted, no second dialog.
    r.responder("Deseja realmente excluir a abelha 00004-00002?", Gtk::RESPONSE_CANCEL);
    r.passo([this] {
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_EQ(contagem(), "8");
        // Bee 4 is the mother of 5 and 6.
        teste::clicar(ab()->widgets().button_excluir);
    });
    r.responder("Deseja realmente excluir a abelha 00004-00002?", Gtk::RESPONSE_OK);
    r.responder("Erro ao Excluir!", "Esta abelha é mãe de outras abelhas cadastradas: ela não pode ser excluída.",
                Gtk::RESPONSE_OK);
    r.passo([this] {
        EXPECT_EQ(contagem(), "8");
        EXPECT_EQ(mostrada(), "4|00004-00002|20/12/2011|Sim|00002-00001");
        teste::clicar(ab()->widgets().button_proximo);
        teste::clicar(ab()->widgets().button_proximo);
        EXPECT_EQ(ab()->widgets().entry_codigo->get_text(), "6");
        // While editing, Delete is off; back to browsing, it is on.
        teste::clicar(ab()->widgets().button_editar);
        EXPECT_FALSE(ab()->widgets().button_excluir->is_sensitive());
        teste::clicar(ab()->widgets().button_cancelar);
        teste::clicar(ab()->widgets().button_excluir);
    });
    r.responder("Deseja realmente excluir a abelha 00006-00004?", Gtk::RESPONSE_OK);
    r.responder("Excluído com Sucesso!", Gtk::RESPONSE_OK);
    r.passo([this] {
        FormAbelha* f = ab();
        EXPECT_EQ(contagem(), "7");
        EXPECT_EQ(linha(6), "");
        // Back to browsing; the next bee takes the place.
        EXPECT_EQ(f->widgets().label_contador->get_text(), "6 / 7");
        EXPECT_EQ(f->widgets().entry_codigo->get_text(), "7");
        EXPECT_FALSE(f->widgets().button_salvar->get_sensitive());
        std::vector<std::string> maes = textos_lista(f->widgets().combo_mae);
        EXPECT_EQ(std::count(maes.begin(), maes.end(), "00006-00004"), 0);
        EXPECT_EQ(maes.size(), 8u);
    });
    rodar(r);
}

TEST_F(Abelha, ExcluirAUltimaAbelhaEsvaziaOFormulario)
{
    ASSERT_EQ(banco->executar("delete from cadastro.abelha_rainha where id_abelha <> 1"), "");
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        EXPECT_EQ(ab()->widgets().label_contador->get_text(), "1 / 1");
        teste::clicar(ab()->widgets().button_excluir);
    });
    r.responder("Deseja realmente excluir a abelha 00001-00000?", Gtk::RESPONSE_OK);
    r.responder("Excluído com Sucesso!", Gtk::RESPONSE_OK);
    r.passo([this] {
        EXPECT_EQ(contagem(), "0");
        EXPECT_EQ(mostrada(), "|||Sim|Não Sabe");
        EXPECT_EQ(textos_lista(ab()->widgets().combo_mae), (std::vector<std::string> { "Não Sabe" }));
        // Nothing shown: nothing to delete.
        EXPECT_FALSE(ab()->widgets().button_excluir->is_sensitive());
        // Nothing shown: no mother for daughters.
        teste::clicar(ab()->widgets().button_gerar);
    });
    r.responder("Nenhuma abelha exibida: não há de quem gerar filhas.", Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(contagem(), "0"); });
    rodar(r);
}

// Delete acts on the bee shown, while browsing: in New (the fields empty)
// and in Edit it does nothing, not even ask.
TEST_F(Abelha, ExcluirNoNovoOuNaEdicaoNaoFazNada)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        FormAbelha* f = ab();
        teste::clicar(f->widgets().button_ultimo);
        teste::clicar(f->widgets().button_novo);
        EXPECT_FALSE(f->widgets().button_excluir->is_sensitive());
        // Even if a click got through.
        f->excluir_dados(f->janela());
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_TRUE(f->inserindo());
        EXPECT_EQ(f->widgets().entry_rgn->get_text(), "");
        teste::clicar(f->widgets().button_cancelar);
        teste::clicar(f->widgets().button_editar);
        f->excluir_dados(f->janela());
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_TRUE(f->editando());
        EXPECT_EQ(contagem(), "8");
    });
    rodar(r);
}

// The bee shown was changed on another desktop: Delete is refused, saying
// so, and the form shows the bee as it now is.
TEST_F(Abelha, ExcluirAbelhaMudadaNoutraEstacaoERecusado)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        FormAbelha* f = ab();
        ir_para(7);
        ASSERT_EQ(banco->executar("update cadastro.abelha_rainha set data_nasc = '2019-01-01' where id_abelha = 7"), "");
        teste::clicar(f->widgets().button_excluir);
    });
    r.responder("Deseja realmente excluir a abelha 00007-00002?", Gtk::RESPONSE_OK);
    recusa_exclusao_mudado_noutra_estacao(r);
    r.passo([this] {
        EXPECT_EQ(contagem(), "8");
        EXPECT_EQ(mostrada(), "7|00007-00002|01/01/2019|Não|00002-00001");
    });
    rodar(r);
}

// A bee chosen as its own mother: refused by the database, the reason in the
// dialog, and the edit stays to be set right.
TEST_F(Abelha, MaeDeSiMesmaERecusadaEAEdicaoFica)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        FormAbelha* f = ab();
        ir_para(5);
        teste::clicar(f->widgets().button_editar);
        EXPECT_TRUE(escolher(f->widgets().combo_mae, "00005-00004"));
        teste::clicar(f->widgets().button_salvar);
    });
    r.responder("Verifique as informações digitadas !",
                "Uma abelha não pode ser mãe de si mesma: escolha outra mãe, ou \"Não Sabe\".", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        FormAbelha* f = ab();
        EXPECT_TRUE(f->editando());
        EXPECT_EQ(f->widgets().combo_mae->get_active_text(), "00005-00004");
        EXPECT_EQ(linha(5), "00005-00004|03/02/2013|false|4");
        EXPECT_TRUE(escolher(f->widgets().combo_mae, "00002-00001"));
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_EQ(linha(5), "00005-00002|03/02/2013|false|2");
    });
    rodar(r);
}

namespace {

// The code of the bee in a row of the lineage tree, 0 when there is none.
int codigo_em(FormGenealogia* g, std::vector<int> indices)
{
    Gtk::TreePath caminho;
    for (int i : indices)
        caminho.push_back(i);
    Gtk::TreeModel::iterator it = g->get_arvore()->get_iter(caminho);
    const COLUNAS colunas;
    return it ? static_cast<int>((*it)[colunas.codigo]) : 0;
}

} // namespace

TEST_F(Abelha, GenealogiaDasMaesEDescendentesEscolheAAbelhaNoFormulario)
{
    // Below bee 4: 5 and 6; 9 and 10 daughters of 5, then 11, 12 and 13 one
    // below the other, and 40 daughters of 13.
    ASSERT_EQ(banco->executar("insert into cadastro.abelha_rainha (id_abelha, data_nasc, filha) values "
                              "(9, '2014-01-01', 5), (10, '2014-01-02', 5), (11, '2015-01-01', 9), "
                              "(12, '2016-01-01', 11), (13, '2017-03-04', 12); "
                              "insert into cadastro.abelha_rainha (id_abelha, data_nasc, filha) "
                              "select 100 + g, '2018-01-01', 13 from generate_series(1, 40) g"),
              "");
    Roteiro r;
    genealogia_da_quarta(r);
    r.passo([this] {
        FormGenealogia* g = form<FormGenealogia>(ids::GENEALOGIA);
        EXPECT_EQ(g->janela()->get_title(), "Genealogia");
        EXPECT_EQ(g->janela()->get_transient_for(), ab()->janela());
        EXPECT_EQ(g->get_abelha(), 4);
        EXPECT_EQ(g->widgets().label_abelha->get_text(), "Mães e descendentes de 00004-00002");
        EXPECT_EQ(teste::titulos(g->widgets().treeview_genealogia),
                  (std::vector<std::string> { "RGN", "Nascimento", "Matriz", "Marcação" }));
        // The mothers, each holding the next, then the bee and her line.
        EXPECT_EQ(g->get_arvore()->children().size(), 1u);
        EXPECT_EQ(codigo_em(g, { 0 }), 1);
        EXPECT_EQ(codigo_em(g, { 0, 0 }), 2);
        EXPECT_EQ(codigo_em(g, { 0, 1 }), 0);   // her sisters are not her line
        EXPECT_EQ(codigo_em(g, { 0, 0, 0 }), 4);
        EXPECT_EQ(g->get_caminho_abelha().to_string(), "0:0:0");
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0 }), 5);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 1 }), 6);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0, 0 }), 9);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0, 1 }), 10);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0, 0, 0, 0, 0 }), 13);
        Gtk::TreePath treze;
        for (int i = 0; i < 8; ++i)
            treze.push_back(0);
        EXPECT_EQ(g->get_arvore()->get_iter(treze)->children().size(), 40u);
        EXPECT_TRUE(g->widgets().treeview_genealogia->row_expanded(treze));
        const COLUNAS colunas;
        Gtk::TreeModel::Row abelha = *g->get_arvore()->get_iter(g->get_caminho_abelha());
        EXPECT_EQ(Glib::ustring(abelha[colunas.textos[0]]), "00004-00002");
        EXPECT_EQ(Glib::ustring(abelha[colunas.textos[1]]), "20/12/2011");
        EXPECT_EQ(Glib::ustring(abelha[colunas.textos[2]]), "Sim");
        Gtk::TreeModel::Row ultima = *g->get_arvore()->get_iter(treze);
        EXPECT_EQ(Glib::ustring(ultima[colunas.textos[0]]), "00013-00012");
        EXPECT_EQ(Glib::ustring(ultima[colunas.textos[1]]), "04/03/2017");
        EXPECT_EQ(Glib::ustring(ultima[colunas.textos[2]]), "Não");

        // Activating a row shows that bee in the queen bee form.
        g->widgets().treeview_genealogia->row_activated(treze, *g->widgets().treeview_genealogia->get_column(0));
        EXPECT_EQ(ab()->widgets().entry_codigo->get_text(), "13");
        EXPECT_EQ(ab()->widgets().entry_rgn->get_text(), "00013-00012");
        EXPECT_EQ(ab()->widgets().label_contador->get_text(), "13 / 53");
        g->widgets().treeview_genealogia->row_activated(Gtk::TreePath("0"),
                                                        *g->widgets().treeview_genealogia->get_column(0));
        EXPECT_EQ(ab()->widgets().entry_codigo->get_text(), "1");
        EXPECT_TRUE(g->janela()->is_visible());
        g->janela()->hide();
    });
    esperar_fechado(r, ids::GENEALOGIA, "the lineage window to close");
    r.passo([this] {
        // Nothing of it while a bee is being typed.
        teste::clicar(ab()->widgets().button_editar);
        EXPECT_FALSE(ab()->widgets().button_genealogia->get_sensitive());
        teste::clicar(ab()->widgets().button_cancelar);
        EXPECT_TRUE(ab()->widgets().button_genealogia->get_sensitive());
    });
    rodar(r);
}

// A line too long to open whole: the mothers, the bee and her daughters go
// in; the daughters of any other row go in when it is opened, once.
TEST_F(Abelha, GenealogiaLongaAbreCadaRamoQuandoAberto)
{
    // Below bee 4: 5 and 6; 9 daughter of 5, and 2,100 daughters of 9.
    ASSERT_EQ(banco->executar("insert into cadastro.abelha_rainha (id_abelha, data_nasc, filha) values "
                              "(9, '2014-01-01', 5); "
                              "insert into cadastro.abelha_rainha (id_abelha, data_nasc, filha) "
                              "select 1000 + g, '2018-01-01', 9 from generate_series(1, 2100) g"),
              "");
    Roteiro r;
    genealogia_da_quarta(r);
    r.passo([this] {
        FormGenealogia* g = form<FormGenealogia>(ids::GENEALOGIA);
        Gtk::TreeView& vista = *g->widgets().treeview_genealogia;
        EXPECT_EQ(g->widgets().label_abelha->get_text(), "Mães e descendentes de 00004-00002");
        EXPECT_EQ(g->get_caminho_abelha().to_string(), "0:0:0");
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0 }), 5);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 1 }), 6);
        EXPECT_TRUE(vista.row_expanded(g->get_caminho_abelha()));
        // 5 is shut, with her daughter not yet there; 6 has none.
        Gtk::TreePath cinco("0:0:0:0");
        EXPECT_FALSE(vista.row_expanded(cinco));
        EXPECT_EQ(g->get_arvore()->get_iter(cinco)->children().size(), 1u);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0, 0 }), 0);
        EXPECT_EQ(g->get_arvore()->get_iter(Gtk::TreePath("0:0:0:1"))->children().size(), 0u);
        // What stands in for them shows no bee when activated.
        vista.expand_row(cinco, false);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0, 0 }), 9);
        Gtk::TreePath nove("0:0:0:0:0");
        EXPECT_EQ(g->get_arvore()->get_iter(nove)->children().size(), 1u);
        vista.row_activated(Gtk::TreePath("0:0:0:0:0:0"), *vista.get_column(0));
        EXPECT_EQ(ab()->widgets().entry_codigo->get_text(), "4");

        vista.expand_row(nove, false);
        vista.collapse_row(nove);
        vista.expand_row(nove, false);
        EXPECT_EQ(g->get_arvore()->get_iter(nove)->children().size(), 2100u);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0, 0, 0 }), 1001);
        EXPECT_EQ(codigo_em(g, { 0, 0, 0, 0, 0, 2099 }), 3100);
        vista.row_activated(Gtk::TreePath("0:0:0:0:0:2099"), *vista.get_column(0));
        EXPECT_EQ(ab()->widgets().entry_codigo->get_text(), "3100");
        g->janela()->hide();
    });
    esperar_fechado(r, ids::GENEALOGIA, "the lineage window to close");
    rodar(r);
}

TEST_F(Abelha, GenealogiaSemAbelhaMostradaSoAvisa)
{
    ASSERT_EQ(banco->executar("delete from cadastro.abelha_rainha"), "");
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] { teste::clicar(ab()->widgets().button_genealogia); });
    r.responder("Nenhuma abelha exibida: não há de quem mostrar a genealogia.", Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(form<FormGenealogia>(ids::GENEALOGIA), nullptr); });
    rodar(r);
}

namespace {

// The beehive window: the visible window over the main one with its title.
Gtk::Window* janela_colmeias(SISTEMAGUI& s)
{
    for (Gtk::Window* j : teste::janelas_visiveis()) {
        if (j != s.get_janela_principal() && j->get_transient_for() == s.get_janela_principal() &&
            j->get_title() == "Cadastro de Colméias")
            return j;
    }
    return nullptr;
}

// The texts of the labels and buttons inside a container, in packing order:
// "[label]" for a button.
std::vector<std::string> textos(Gtk::Widget* w)
{
    std::vector<std::string> saida;
    teste::percorrer(w, [&saida](Gtk::Widget* x) {
        if (Gtk::Button* b = dynamic_cast<Gtk::Button*>(x)) {
            saida.push_back("[" + b->get_label() + "]");
            return false;
        }
        if (Gtk::Label* l = dynamic_cast<Gtk::Label*>(x)) {
            saida.push_back(l->get_text());
            return false;
        }
        return true;
    });
    return saida;
}

class Colmeias : public teste::SistemaTeste {};

} // namespace

TEST_F(Colmeias, AbreOLayoutEFechaComAJanelaOuComOPrograma)
{
    Roteiro r;
    entrar(r);
    r.passo([this] { teste::item_menu(*sistema, ids::COLMEIAS).activate(); });
    r.esperar([this] { return janela_colmeias(*sistema) != nullptr; }, "the beehive window");
    r.passo([this] {
        Gtk::Window* j = janela_colmeias(*sistema);
        int largura = 0, altura = 0;
        j->get_size_request(largura, altura);
        EXPECT_EQ(largura, 650);
        EXPECT_EQ(altura, 380);
        EXPECT_EQ(j->get_border_width(), 15u);
        const std::vector<std::string> vistos = textos(j);
        // The four labels of the record in their order, each beside its
        // field, and the four buttons at the bottom in theirs; the code (and
        // the withdrawal in force, none here), the list of hives, and the
        // inspections and journal of the one shown between them.
        EXPECT_EQ(j->get_title(), "Cadastro de Colméias");
        EXPECT_EQ(vistos, (std::vector<std::string> {
                              "Código", "", "", "Tipo", "Status", "Rainha", "Apiario", "Instalação",
                              "Observações", "Colméias", "Data", "Status visto", "Mel (kg)", "Observações",
                              "[Adicionar revisão]", "[Excluir revisão]", "Revisões", "Mostrar", "[Novo registro]",
                              "[Exportar CSV]", "[Abrir]", "[Excluir registro]", "Diário", "[Salvar]", "[Pesquisar]", "[Cancelar]",
                              "[Excluir]" }));
        ASSERT_NE(sistema->formulario_aberto(ids::COLMEIAS), nullptr);
        EXPECT_EQ(sistema->formulario_aberto(ids::COLMEIAS)->janela(), j);
        j->hide();
    });
    r.esperar([this] { return janela_colmeias(*sistema) == nullptr; }, "the beehive window to close");
    // Opened again, and the program closing ends its loop too.
    r.passo([this] { teste::item_menu(*sistema, ids::COLMEIAS).activate(); });
    r.esperar([this] { return janela_colmeias(*sistema) != nullptr; }, "the beehive window again");
    r.passo([this] { sistema->get_janela_principal()->hide(); });
    rodar(r);
    EXPECT_TRUE(teste::janelas_visiveis().empty());
}
