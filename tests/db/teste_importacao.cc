// "Importar planilha" against the sample database: each row's problem said
// as the user reads it, a file with one wrong row (or one the database
// refuses) storing nothing, and what the program exports reading back into
// an empty database as the same records, hostile texts included.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "db/query.h"
#include "model/importacao.h"
#include "relatorios/catalogo.h"
#include "relatorios/csv.h"
#include "relatorios/planilha.h"
#include "support/textos_hostis.h"
#include "modelo_teste.h"

namespace {

class Importacao : public teste::ModeloTeste
{
protected:
    PLANILHA planilha(const std::string& texto)
    {
        PLANILHA p;
        std::string erro;
        EXPECT_TRUE(ler_planilha(texto, &p, &erro)) << erro;
        return p;
    }
    std::vector<std::string> problemas(TIPO_IMPORTACAO tipo, const std::string& texto)
    {
        const CONFERENCIA c = IMPORTACAO(q.get()).conferir(tipo, planilha(texto));
        EXPECT_EQ(c.erro, "") << texto;
        std::vector<std::string> p;
        for (const LINHA_CONFERIDA& l : c.linhas)
            p.push_back(l.problema);
        return p;
    }
};

// The records compared after a round trip, each table as one text.
const char* const REGISTROS[] = {
    "select a.id_apiario, a.nome, a.endereco, a.distrito, a.data_criacao, a.latitude, a.longitude, a.obs, "
    "f.nome_florada, a.cod_cid from cadastro.apiario a join cadastro.florada f using (id_florada) order by 1",
    "select id_abelha, rgn, data_nasc, matriz, filha, cor_marcacao, asa_cortada from cadastro.abelha_rainha order by 1",
    "select id_colmeia, tipo, status, id_abelha, id_apiario, data_instalacao, obs from cadastro.colmeia order by 1",
    "select id_colmeia, data_revisao, status, mel_kg, obs from cadastro.revisao order by 1, 2, 4, 5",
};

} // namespace

TEST_F(Importacao, CadaLinhaComSeuProblema)
{
    ASSERT_EQ(banco.executar("insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario) values "
                             "(1, 'Langstroth', 'Ativa', 1)"),
              "");
    struct Caso
    {
        TIPO_IMPORTACAO tipo;
        std::string arquivo;
        std::vector<std::string> problemas;
    };
    const Caso casos[] = {
        { TIPO_IMPORTACAO::APIARIOS,
          "Apiário;Município;UF;Desde;Produção (florada)\n"
          "Novo;Dourados;MS;01/02/2020;Eucalipto\n"
          "Outro;Campo Grande;MT;1/2/2020;Eucalipto\n"
          "X;campo grande;ms;31/02/2024;Florada nova\n"
          "  ;Dourados;MS;;\n"
          "apiário boa esperança;Dourados;MS;01/02/2020;Eucalipto\n"
          " NOVO ;Dourados;MS;01/02/2020;Eucalipto\n",
          { "", "município desconhecido (Campo Grande/MT)", "data impossível (31/02/2024)",
            "nome do apiário em branco; data de criação em branco; florada em branco",
            "já há um apiário chamado apiário boa esperança", "apiário repetido (também na linha 2)" } },
        { TIPO_IMPORTACAO::APIARIOS,
          "Código,Apiário,Código IBGE,Desde,Florada\n"
          "1,A,5003702,01/01/2020,Eucalipto\n"
          "9,B,123,01/01/2020,Eucalipto\n"
          "9,C,5003702,01/01/2020,Eucalipto\n"
          "x,D,5003702,01/01/2020,Eucalipto\n",
          { "código 1 já cadastrado", "município desconhecido (código IBGE 123)",
            "código 9 repetido (também na linha 3)", "código inválido (x)" } },
        // A mother may come later in the file; the RGN carries the code.
        { TIPO_IMPORTACAO::RAINHAS,
          "RGN;Nascimento;Mãe;Matriz;Cor de marcação\n"
          "00020-00021;01/01/2020;00021-00000;sim;azul\n"
          "00021-00000;01/01/2019;;;\n"
          "00001-00000;01/01/2019;;;\n"
          "00022-00099;01/01/2019;00099-00000;;\n"
          "00021-00000;01/01/2019;;;\n"
          "00023-00002;30/02/2019;00001-00000;talvez;Roxa\n"
          "abc;01/01/2019;;;\n"
          "00024-00005;01/01/2019;;;\n"
          "00025-00098;01/01/2019;;;\n",
          { "", "", "RGN repetido (00001-00000): já cadastrado", "mãe não encontrada (RGN 00099-00000)",
            "RGN repetido (00021-00000): também na linha 3",
            "data impossível (30/02/2019); matriz deve ser sim ou não (talvez); cor de marcação desconhecida (Roxa); "
            "o RGN 00023-00002 não é de uma filha da mãe 00001-00000",
            "RGN inválido (abc): escreva-o como 00012-00003", "",
            "mãe não encontrada (RGN 00025-00098 aponta a mãe de código 98)" } },
        { TIPO_IMPORTACAO::RAINHAS,
          "RGN;Nascimento;Mãe\n00030-00031;01/01/2020;00031-00030\n00031-00030;01/01/2020;00030-00031\n",
          { "mãe e filha uma da outra: corrija a coluna Mãe", "mãe e filha uma da outra: corrija a coluna Mãe" } },
        { TIPO_IMPORTACAO::COLMEIAS,
          "Colméia;Tipo;Status;Rainha;Apiário;Instalação\n"
          "50;Langstroth;Ativa;00003-00001;Apiário Santa Luzia;\n"
          ";langstroth;ativa;;3;05/05/2024\n"
          ";Caixa;Ativa;00003-00001;Apiário Nenhum;\n"
          "1;Schenk;Feliz;00099-00000;Apiário Fronteira;31/04/2024\n",
          { "", "", "tipo desconhecido (Caixa); apiário não encontrado (Apiário Nenhum); "
                    "a rainha 00003-00001 já está na colméia da linha 2",
            "colméia 1 já cadastrada; status desconhecido (Feliz); rainha não encontrada (RGN 00099-00000); "
            "data impossível (31/04/2024)" } },
        { TIPO_IMPORTACAO::REVISOES,
          "Colméia;Data;Status;Mel (kg)\n1;10/03/2025;Ativa;12,5\n1;11/03/2025;Fraca;12.5\n77;10/03/2025;Ativa;\n"
          "1;10/03/2025;Ativa;-3\n",
          { "", "", "colméia não encontrada (77)", "mel inválido (-3): escreva os quilos, como 12,5" } },
    };
    for (const Caso& c : casos)
        EXPECT_EQ(problemas(c.tipo, c.arquivo), c.problemas) << c.arquivo;

    // A column the records need, missing: said for the whole file.
    const CONFERENCIA sem = IMPORTACAO(q.get()).conferir(TIPO_IMPORTACAO::APIARIOS, planilha("Apiário;UF\nA;MS\n"));
    EXPECT_EQ(sem.erro, "A planilha não tem a coluna \"Município\", que os apiários precisam.");
    EXPECT_FALSE(sem.pronta());
    const CONFERENCIA longa =
        IMPORTACAO(q.get()).conferir(TIPO_IMPORTACAO::REVISOES, planilha("Colméia;Data;Status\n1;10/03/2025;Ativa;x\n"));
    EXPECT_EQ(longa.erro, "Linha 2: há mais campos que títulos; confira o separador e as aspas dessa linha.");
    const CONFERENCIA vazia = IMPORTACAO(q.get()).conferir(TIPO_IMPORTACAO::REVISOES, planilha("Colméia;Data;Status\n"));
    EXPECT_FALSE(vazia.pronta());
    EXPECT_EQ(vazia.resumo(), "A planilha só tem a linha dos títulos: não há registros a importar.");
}

TEST_F(Importacao, UmaLinhaErradaNadaGrava)
{
    const std::string antes = banco.despejo();
    IMPORTACAO imp(q.get());
    const PLANILHA errada = planilha("Apiário;Município;UF;Desde;Produção (florada)\n"
                                     "Novo;Dourados;MS;01/02/2020;Florada nova\n"
                                     "Outro;Itaporã;MS;01/02/2020;Eucalipto\n"
                                     "Terceiro;Campo Grande;MT;01/02/2020;Eucalipto\n");
    int gravados = -1;
    EXPECT_FALSE(imp.importar(TIPO_IMPORTACAO::APIARIOS, errada, &gravados));
    EXPECT_EQ(imp.falha().motivo(), "Nada foi importado: Linha 4: município desconhecido (Campo Grande/MT).");
    EXPECT_EQ(gravados, 0);
    EXPECT_FALSE(imp.importar(TIPO_IMPORTACAO::REVISOES, planilha("Colméia;Data;Status\n")));
    EXPECT_EQ(imp.falha().motivo(), "A planilha só tem a linha dos títulos: não há registros a importar.");
    EXPECT_EQ(banco.despejo(), antes);

    // Rows the check finds right but the database refuses: the ones stored
    // before it are undone with it, and the refused line is named.
    ASSERT_EQ(banco.executar("insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario) values "
                             "(1, 'Langstroth', 'Ativa', 1);"
                             "alter table cadastro.revisao add constraint recusa check (obs <> 'recusar')"),
              "");
    const std::string com_colmeia = banco.despejo();
    // The refused row among the first few, last of many, or in the middle
    // of many (the rows go to the database in groups).
    for (const auto& [linhas, recusar] : { std::pair { 3, 2 }, std::pair { 250, 250 }, std::pair { 250, 151 } }) {
        std::string texto = "Colméia;Data;Status;Observações\n";
        for (int k = 1; k <= linhas; ++k)
            texto += "1;01/03/2025;Ativa;" + std::string(k == recusar ? "recusar" : "a") + "\n";
        const PLANILHA recusada = planilha(texto);
        ASSERT_TRUE(imp.conferir(TIPO_IMPORTACAO::REVISOES, recusada).pronta());
        EXPECT_FALSE(imp.importar(TIPO_IMPORTACAO::REVISOES, recusada, &gravados));
        const std::string dita = "Nada foi importado: a linha " + std::to_string(recusar + 1) + " foi recusada.";
        EXPECT_EQ(imp.falha().motivo().rfind(dita, 0), 0u) << imp.falha().motivo();
        EXPECT_EQ(gravados, 0);
        EXPECT_EQ(banco.valor("select count(*) from cadastro.revisao"), "0");
        EXPECT_EQ(banco.despejo(), com_colmeia);
    }
    // Right rows over several groups all go in, each counted once.
    std::string muitas = "Colméia;Data;Status;Observações\n";
    for (int k = 1; k <= 250; ++k)
        muitas += "1;01/03/2025;Ativa;r" + std::to_string(k) + "\n";
    ASSERT_TRUE(imp.importar(TIPO_IMPORTACAO::REVISOES, planilha(muitas), &gravados)) << imp.falha().motivo();
    EXPECT_EQ(gravados, 250);
    EXPECT_EQ(banco.valor("select count(distinct obs) || '|' || min(obs) || '|' || max(obs) from cadastro.revisao"),
              "250|r1|r99");
    ASSERT_EQ(banco.executar("delete from cadastro.revisao"), "");

    // The right rows of the first file go in, with the floral source new to
    // the records; the same file again repeats nothing.
    const PLANILHA certa = planilha("Apiário;Município;UF;Desde;Produção (florada)\n"
                                    "Novo;Dourados;MS;01/02/2020;Florada nova\n"
                                    "Outro;Itaporã;MS;1/2/2020;florada NOVA\n");
    ASSERT_TRUE(imp.importar(TIPO_IMPORTACAO::APIARIOS, certa, &gravados)) << imp.falha().motivo();
    EXPECT_EQ(gravados, 2);
    EXPECT_EQ(banco.unidos("select a.nome, a.data_criacao, f.nome_florada, a.cod_cid from cadastro.apiario a "
                           "join cadastro.florada f using (id_florada) where a.id_apiario > 4 order by 1"),
              "Novo|2020-02-01|Florada nova|5003702|Outro|2020-02-01|Florada nova|5004502|");
}

TEST_F(Importacao, ExportadoVoltaComoEraNumBancoVazio)
{
    // The sample records, with hives and inspections, and the hostile texts
    // in every text field an import writes.
    const std::vector<std::string>& corpus = teste::corpus_hostil();
    ASSERT_GE(corpus.size(), 20u);
    std::string sql = "update cadastro.abelha_rainha set cor_marcacao = 'Verde', asa_cortada = true where id_abelha = 3;"
                      "insert into cadastro.colmeia (id_colmeia, tipo, status, id_abelha, id_apiario, data_instalacao, obs) "
                      "values (1, 'Langstroth', 'Ativa', 2, 1, '2024-05-03', ''), (7, 'Núcleo', 'Fraca', null, 3, null, 'x');";
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        const std::string t = teste::cifrao(corpus[i]), n = std::to_string(10 + i);
        sql += "insert into cadastro.apiario (id_apiario, nome, endereco, distrito, data_criacao, latitude, longitude, "
               "obs, id_florada, cod_cid) values (" + n + ", " + teste::cifrao("A" + corpus[i]) + ", " + t + ", " + t +
               ", '2020-01-01', " + t + ", " + t + ", " + t + ", 2, 5002704);"
               "insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario, obs) values (" + n +
               ", 'Schenk', 'Ativa', " + n + ", " + t + ");"
               "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg, obs) values (" +
               (i % 2 ? "1" : "7") + ", '2025-03-0" + std::to_string(1 + i % 9) + "', 'Fraca', " +
               std::to_string(i) + ".125, " + t + ");";
    }
    ASSERT_EQ(banco.executar(sql), "");

    // Exported as a person does it, each kind to its own file.
    const std::string pasta = teste::pasta_temporaria();
    FILTRO_RELATORIO todos;
    todos.de = "01/01/1990";
    todos.ate = "31/12/2099";
    struct Arquivo
    {
        const char* relatorio;
        TIPO_IMPORTACAO tipo;
    };
    // In the order the records need each other.
    const Arquivo arquivos[] = { { "cadastro-apiarios", TIPO_IMPORTACAO::APIARIOS },
                                 { "rainhas", TIPO_IMPORTACAO::RAINHAS },
                                 { "colmeias", TIPO_IMPORTACAO::COLMEIAS },
                                 { "revisoes", TIPO_IMPORTACAO::REVISOES } };
    RELATORIOS_DO_BANCO fonte(q.get());
    for (const Arquivo& a : arquivos) {
        RELATORIO r;
        ASSERT_TRUE(fonte.montar(*tipo_de_relatorio(a.relatorio), todos, r)) << fonte.falha().motivo();
        std::string erro;
        ASSERT_TRUE(exportar_csv(r, pasta + "/" + a.relatorio + ".csv", &erro)) << erro;
    }

    // An empty database: no records, keys from the start.
    teste::BancoTeste destino;
    ASSERT_EQ(destino.executar("truncate cadastro.revisao, cadastro.colmeia, cadastro.abelha_rainha, cadastro.apiario, "
                               "cadastro.florada restart identity cascade"),
              "");
    QUERY outro(destino.escrever_conf(teste::pasta_temporaria()).c_str());
    ASSERT_TRUE(outro.get_conectado());
    teste::entrar_como_administrador(outro);
    IMPORTACAO imp(&outro);
    for (const Arquivo& a : arquivos) {
        PLANILHA p;
        std::string erro;
        ASSERT_TRUE(abrir_planilha(pasta + "/" + a.relatorio + ".csv", &p, &erro)) << erro;
        const CONFERENCIA c = imp.conferir(a.tipo, p);
        for (const LINHA_CONFERIDA& l : c.linhas)
            EXPECT_EQ(l.problema, "") << a.relatorio << " " << l.mensagem();
        int gravados = 0;
        ASSERT_TRUE(imp.importar(a.tipo, p, &gravados)) << a.relatorio << ": " << imp.falha().motivo();
        EXPECT_EQ(static_cast<std::size_t>(gravados), p.linhas.size()) << a.relatorio;
    }
    for (const char* consulta : REGISTROS)
        EXPECT_EQ(destino.unidos(consulta), banco.unidos(consulta)) << consulta;

    // Keys handed out afterwards follow those imported.
    ASSERT_EQ(destino.executar_como_programa("insert into cadastro.apiario (nome, data_criacao, id_florada, cod_cid) "
                                             "select 'Depois', '2025-01-01', min(id_florada), 5002704 from cadastro.florada"),
              "");
    EXPECT_EQ(destino.valor("select max(id_apiario) from cadastro.apiario where nome = 'Depois'"),
              std::to_string(10 + corpus.size()));
}
