// The rules of a rearing batch without a database: the timetable and the
// dates it proposes, and the steps as typed.
#include <string>

#include <gtest/gtest.h>

#include "model/criacao.h"

namespace {

// A batch of 40 larvae grafted on 01/03/2024 with the usual timetable.
CRIACOES lote()
{
    CRIACOES c;
    c.rgn_matriz = "00004-00002";
    c.enxertia = "01/03/2024";
    c.larvas = "40";
    return c;
}

void etapa(CRIACOES& c, std::size_t k, const char* data, const char* quantidade)
{
    c.etapas[k].data = data;
    c.etapas[k].quantidade = quantidade;
}

const char* const HOJE = "30/04/2024";

} // namespace

TEST(Criacao, DatasSomadasAtravessamMesesAnosEBissextos)
{
    struct Caso { const char* data; int dias; const char* soma; };
    const Caso casos[] = {
        { "01/03/2024", 0, "01/03/2024" },  { "01/03/2024", 26, "27/03/2024" }, { "20/02/2024", 10, "01/03/2024" },
        { "20/02/2023", 10, "02/03/2023" }, { "25/12/2023", 12, "06/01/2024" }, { "01/03/2024", -1, "29/02/2024" },
        { "31/12/9999", 1, "" },            { "31/02/2024", 1, "" },            { "", 1, "" },
    };
    for (const Caso& c : casos)
        EXPECT_EQ(somar_dias(c.data, c.dias), c.soma) << c.data << " + " << c.dias;
    EXPECT_EQ(dias_entre("25/12/2023", "06/01/2024"), 12);
    EXPECT_EQ(dias_entre("06/01/2024", "25/12/2023"), -12);
    EXPECT_EQ(dias_entre("xx", "06/01/2024"), 0);
}

TEST(Criacao, CalendarioPropoeCadaEtapaAPartirDaEnxertia)
{
    CRIACOES c = lote();
    EXPECT_EQ(datas_previstas(c),
              (std::vector<std::string> { "02/03/2024", "06/03/2024", "11/03/2024", "13/03/2024", "27/03/2024" }));
    // A timetable the user changed is the one followed, edges included.
    const int proprio[ETAPAS_CRIACAO] = { 0, 0, 9, 11, 365 };
    std::copy(proprio, proprio + ETAPAS_CRIACAO, c.dias);
    EXPECT_EQ(conferir_calendario(c.dias), "");
    EXPECT_EQ(datas_previstas(c),
              (std::vector<std::string> { "01/03/2024", "01/03/2024", "10/03/2024", "12/03/2024", "01/03/2025" }));
    c.enxertia = "";
    EXPECT_EQ(datas_previstas(c), std::vector<std::string>(ETAPAS_CRIACAO, ""));

    struct Caso { int dias[ETAPAS_CRIACAO]; const char* recusa; };
    const Caso ruins[] = {
        { { -1, 5, 10, 12, 26 }, "No calendário, \"Células aceitas\" deve ser de 0 a 365 dias após a enxertia." },
        { { 1, 5, 10, 12, 366 },
          "No calendário, \"Rainhas fecundadas em postura\" deve ser de 0 a 365 dias após a enxertia." },
        { { 1, 5, 4, 12, 26 },
          "No calendário, \"Células levadas aos núcleos\" não pode vir antes de \"Células operculadas\": as "
          "etapas seguem a ordem." },
    };
    for (const Caso& r : ruins)
        EXPECT_EQ(conferir_calendario(r.dias), r.recusa);
}

TEST(Criacao, EtapasEmOrdemComContagensQueSoDiminuem)
{
    struct Caso
    {
        std::size_t etapa;
        const char* data;
        const char* quantidade;
        const char* recusa;   // "" when accepted
    };
    // Each case is the usual batch with its first steps recorded up to the
    // one before `etapa` (accepted 35, capped 30, moved 20, emerged 18),
    // and that step as typed.
    const Caso casos[] = {
        { ACEITAS, "02/03/2024", "40", "" },
        { ACEITAS, "02/03/2024", "41",
          "A etapa \"Células aceitas\" não pode contar mais (41) do que \"Larvas enxertadas\" (40): a contagem só "
          "diminui." },
        { ACEITAS, "29/02/2024", "30", "A data da etapa \"Células aceitas\" não pode ser antes da enxertia." },
        { ACEITAS, "01/03/2024", "30", "" },
        { ACEITAS, "01/05/2024", "30",
          "A data da etapa \"Células aceitas\" ainda não chegou: registre a etapa quando ela acontecer." },
        { ACEITAS, "30/04/2024", "30", "" },
        { ACEITAS, "", "30", "Escreva a data da etapa \"Células aceitas\"." },
        { ACEITAS, "02/03/2024", "", "Escreva a quantidade da etapa \"Células aceitas\"." },
        { ACEITAS, "31/02/2024", "3",
          "A data da etapa \"Células aceitas\" não existe: escreva-a como DD/MM/AAAA." },
        { ACEITAS, "02/03/2024", "-3",
          "A quantidade da etapa \"Células aceitas\" deve ser um número inteiro, zero ou mais." },
        { OPERCULADAS, "06/03/2024", "35", "" },
        { OPERCULADAS, "06/03/2024", "36",
          "A etapa \"Células operculadas\" não pode contar mais (36) do que \"Células aceitas\" (35): a contagem "
          "só diminui." },
        { OPERCULADAS, "01/03/2024", "30",
          "A data da etapa \"Células operculadas\" não pode ser antes da etapa \"Células aceitas\"." },
        { NUCLEOS, "11/03/2024", "0", "" },
        { NASCIDAS, "13/03/2024", "21",
          "A etapa \"Rainhas nascidas\" não pode contar mais (21) do que \"Células levadas aos núcleos\" (20): a "
          "contagem só diminui." },
        { POSTURA, "27/03/2024", "18", "" },
    };
    const ETAPA feitas[] = { { "02/03/2024", "35" }, { "06/03/2024", "30" }, { "11/03/2024", "20" },
                             { "13/03/2024", "18" } };
    for (const Caso& caso : casos) {
        CRIACOES c = lote();
        for (std::size_t k = 0; k < caso.etapa; ++k)
            c.etapas[k] = feitas[k];
        etapa(c, caso.etapa, caso.data, caso.quantidade);
        EXPECT_EQ(conferir_criacao(c, HOJE), caso.recusa) << caso.etapa << " " << caso.data << " " << caso.quantidade;
        EXPECT_EQ(proxima_etapa(c), caso.etapa + 1);
    }
}

TEST(Criacao, LoteRecusadoPelaEnxertiaPelasLarvasPorEtapaPuladaOuPorNucleosDemais)
{
    struct Caso { void (*mudar)(CRIACOES&); const char* recusa; };
    const Caso casos[] = {
        { [](CRIACOES&) {}, "" },
        { [](CRIACOES& c) { c.enxertia = "1/3/2024"; }, "A data da enxertia não existe: escreva-a como DD/MM/AAAA." },
        { [](CRIACOES& c) { c.enxertia = "01/05/2024"; }, "A enxertia não pode ser depois de hoje." },
        { [](CRIACOES& c) { c.larvas = "0"; }, "O número de larvas enxertadas deve ser de 1 a 10000." },
        { [](CRIACOES& c) { c.larvas = "10001"; }, "O número de larvas enxertadas deve ser de 1 a 10000." },
        { [](CRIACOES& c) { c.larvas = "4 0"; }, "O número de larvas enxertadas deve ser de 1 a 10000." },
        { [](CRIACOES& c) { etapa(c, OPERCULADAS, "06/03/2024", "30"); },
          "Registre a etapa \"Células aceitas\" antes de \"Células operculadas\"." },
        { [](CRIACOES& c) { c.nucleos = { 7 }; },
          "Foi escolhido 1 núcleo, mas nenhuma célula foi levada a núcleos: registre a etapa \"Células levadas "
          "aos núcleos\" ou tire núcleos da lista." },
        { [](CRIACOES& c) {
              etapa(c, ACEITAS, "02/03/2024", "3");
              etapa(c, OPERCULADAS, "06/03/2024", "2");
              etapa(c, NUCLEOS, "11/03/2024", "2");
              c.nucleos = { 7, 8 };
          },
          "" },
        { [](CRIACOES& c) {
              etapa(c, ACEITAS, "02/03/2024", "3");
              etapa(c, OPERCULADAS, "06/03/2024", "2");
              etapa(c, NUCLEOS, "11/03/2024", "1");
              c.nucleos = { 7, 8 };
          },
          "Foram escolhidos 2 núcleos, mas 1 célula foi levada: registre a etapa \"Células levadas aos núcleos\" ou "
          "tire núcleos da lista." },
        { [](CRIACOES& c) { c.dias[POSTURA] = 2; },
          "No calendário, \"Rainhas fecundadas em postura\" não pode vir antes de \"Rainhas nascidas\": as etapas "
          "seguem a ordem." },
    };
    for (const Caso& caso : casos) {
        CRIACOES c = lote();
        caso.mudar(c);
        EXPECT_EQ(conferir_criacao(c, HOJE), caso.recusa);
    }
}
