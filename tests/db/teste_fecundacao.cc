// How a queen was mated through its data-access class: each way with its
// drone sources stored all or nothing, the refusals of what cannot be, the
// sentence of her card, and the queens on her father's side.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/fecundacao.h"
#include "support/textos_hostis.h"

namespace {

class Fecundacao : public teste::ModeloTeste
{
protected:
    void SetUp() override
    {
        teste::ModeloTeste::SetUp();
        // Hives 1 and 2 headed by bees 7 and 8.
        ASSERT_EQ(banco.executar("insert into cadastro.colmeia (tipo, status, id_abelha, id_apiario) values "
                                 "('Langstroth', 'Ativa', 7, 1), ('Langstroth', 'Ativa', 8, 2)"),
                  "");
        fecundacoes.reset(new FECUNDACAO(q.get()));
    }

    FECUNDACOES natural()
    {
        FECUNDACOES f;
        f.id_abelha = 5;
        f.tipo = NATURAL;
        f.id_apiario = 1;
        f.zangoes = { "1", "2" };
        return f;
    }

    std::string guardada()
    {
        return banco.unidos("select tipo, coalesce(to_char(data, 'DD/MM/YYYY'), '-'), coalesce(id_apiario, 0), estacao, "
                            "(select string_agg(coalesce(id_colmeia, 0) || '/' || coalesce(id_zangao, 0), ',' "
                            "order by id_colmeia, id_zangao) from cadastro.fecundacao_zangao z where z.id_abelha = "
                            "f.id_abelha) from cadastro.fecundacao f where id_abelha = 5");
    }

    std::unique_ptr<FECUNDACAO> fecundacoes;
};

} // namespace

TEST_F(Fecundacao, CadaJeitoGuardadoComSeusZangoesEDitoNaFichaDaRainha)
{
    FECUNDACOES f = natural();
    ASSERT_TRUE(fecundacoes->gravar(&f)) << fecundacoes->falha().motivo();
    EXPECT_EQ(guardada(), "Natural|-|1||1/0,2/0|");
    EXPECT_EQ(descrever_fecundacao(fecundacoes->get_fecundacao(5)),
              "Natural, no Apiário Boa Esperança; zangões das colméias 1 e 2.");
    // Her father's side: the queens heading those hives.
    EXPECT_EQ(fecundacoes->pais(5), (std::vector<std::string> { "00007-00002", "00008-00000" }));

    // Recorded again as an insemination: in place of the first, the
    // sources now queens.
    FECUNDACOES i;
    i.id_abelha = 5;
    i.tipo = INSEMINACAO;
    i.data = "10/03/2020";
    i.zangoes = separar_zangoes("00004-00002; 00006-00004 00004-00002");
    i.id_apiario = 1;
    i.estacao = "não vale para inseminação";
    ASSERT_TRUE(fecundacoes->gravar(&i)) << fecundacoes->falha().motivo();
    EXPECT_EQ(guardada(), "Inseminação instrumental|10/03/2020|0||0/4,0/6|");
    EXPECT_EQ(descrever_fecundacao(fecundacoes->get_fecundacao(5)),
              "Inseminação instrumental, em 10/03/2020; zangões das rainhas 00004-00002 e 00006-00004.");
    EXPECT_EQ(fecundacoes->pais(5), (std::vector<std::string> { "00004-00002", "00006-00004" }));

    FECUNDACOES estacao;
    estacao.id_abelha = 5;
    estacao.tipo = NATURAL;
    estacao.estacao = "Ilha do Mel";
    ASSERT_TRUE(fecundacoes->gravar(&estacao));
    EXPECT_EQ(descrever_fecundacao(fecundacoes->get_fecundacao(5)), "Natural, na estação de fecundação Ilha do Mel.");
    EXPECT_TRUE(fecundacoes->pais(5).empty());
    ASSERT_TRUE(fecundacoes->apagar(5));
    EXPECT_EQ(descrever_fecundacao(fecundacoes->get_fecundacao(5)), "Fecundação não registrada.");
}

TEST_F(Fecundacao, RecusadaNaoMudaNadaEDizPorque)
{
    FECUNDACOES f = natural();
    ASSERT_TRUE(fecundacoes->gravar(&f));
    const std::string antes = banco.despejo();
    struct Caso { void (*mudar)(FECUNDACOES&); const char* recusa; };
    const Caso casos[] = {
        { [](FECUNDACOES& f) { f.tipo = "Artificial"; },
          "Escolha como a rainha foi fecundada: Natural ou Inseminação instrumental." },
        { [](FECUNDACOES& f) { f.data = "31/02/2020"; }, "A data da fecundação não existe: escreva-a como DD/MM/AAAA." },
        { [](FECUNDACOES& f) { f.data = "01/01/2999"; }, "A data da fecundação ainda não chegou." },
        { [](FECUNDACOES& f) { f.id_apiario = 0; },
          "Escolha o apiário ou escreva a estação de fecundação onde a rainha foi fecundada." },
        { [](FECUNDACOES& f) { f.tipo = INSEMINACAO; f.zangoes = {}; }, "Escreva a data da inseminação instrumental." },
        { [](FECUNDACOES& f) { f.zangoes = { "1", "9" }; }, "Não existe colméia com o código 9." },
        { [](FECUNDACOES& f) { f.zangoes = separar_zangoes("1'; drop table cadastro.fecundacao; --"); },
          "As colméias de zangões são escritas pelo código (números), separados por vírgula: \"1'\" não é um "
          "código." },
        { [](FECUNDACOES& f) { f.tipo = INSEMINACAO; f.data = "01/01/2020"; f.zangoes = { "00005-00004" }; },
          "Uma rainha não pode ser fecundada por zangões seus." },
        { [](FECUNDACOES& f) { f.tipo = INSEMINACAO; f.data = "01/01/2020"; f.zangoes = { "99999-00000" }; },
          "Nenhuma abelha tem o RGN 99999-00000: escreva o RGN das rainhas dos zangões." },
        // The apiary deleted meanwhile: the database refuses it, and what was
        // recorded stays.
        { [](FECUNDACOES& f) { f.id_apiario = 999; }, "O apiário da fecundação não existe mais." },
    };
    for (const Caso& caso : casos) {
        FECUNDACOES g = natural();
        caso.mudar(g);
        EXPECT_FALSE(fecundacoes->gravar(&g)) << caso.recusa;
        EXPECT_EQ(fecundacoes->falha().motivo(), caso.recusa);
        EXPECT_FALSE(q->get_em_transacao());
    }
    EXPECT_EQ(banco.despejo(), antes);
}

TEST_F(Fecundacao, TextosHostisVoltamComoForam)
{
    for (const std::string& texto : teste::corpus_hostil()) {
        FECUNDACOES f = natural();
        f.estacao = "E" + texto;
        f.obs = texto;
        ASSERT_TRUE(fecundacoes->gravar(&f)) << teste::mostrar(texto) << fecundacoes->falha().motivo();
        const FECUNDACOES lida = fecundacoes->get_fecundacao(5);
        EXPECT_EQ(lida.estacao, f.estacao) << teste::mostrar(texto);
        EXPECT_EQ(lida.obs, texto) << teste::mostrar(texto);
    }
}
