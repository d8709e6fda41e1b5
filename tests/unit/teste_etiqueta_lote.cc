// The drum labels of a honey lot, drawn without a window: one label a
// drum with the producer, the lot, its origin and "Tambor n de m", eight to
// a page, the QR code of the lot's code (and of a hive's key on its card),
// read back as a phone reads it, and a PDF written whole or not at all.
#include <string>
#include <vector>

#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gtest/gtest.h>

#include "relatorios/codigo_qr.h"
#include "relatorios/desenho.h"
#include "relatorios/etiqueta_lote.h"
#include "support/banco_teste.h"
#include "support/leitura_arquivos.h"

namespace {

LOTES_MEL lote(const std::string& tambores)
{
    LOTES_MEL l;
    l.id = 7;
    l.codigo = "2026-007";
    l.extracao = "15/04/2026";
    l.florada = "Eucalipto";
    l.total = "1234,5";
    l.tambores = tambores;
    return l;
}

EMPRESAS empresa()
{
    EMPRESAS e;
    e.nome = "Apiário Flor do Cerrado Ltda.";
    e.documento = "12.345.678/0001-95";
    return e;
}

} // namespace

TEST(EtiquetaLote, UmaPorTamborOitoPorPaginaNoPdf)
{
    const std::vector<ETIQUETA_LOTE> e = etiquetas_do_lote(lote("10"), { "Dourados/MS", "Itaporã/MS" }, empresa());
    ASSERT_EQ(e.size(), 10u);
    EXPECT_EQ(e[9].tambor, 10);
    EXPECT_EQ(e[9].tambores, 10);
    EXPECT_EQ(e[0].quilos, "1.234,500 kg");
    EXPECT_EQ(e[0].documento, "CNPJ 12.345.678/0001-95");
    EXPECT_EQ(e[0].origem, "Dourados/MS, Itaporã/MS");
    for (const auto& [drums, pages] : std::vector<std::pair<std::size_t, int>>{ { 1, 1 }, { 8, 1 }, { 9, 2 }, { 16, 2 }, { 17, 3 } })
        EXPECT_EQ(paginas_de_etiquetas(drums), pages) << drums;

    const std::string pasta = teste::pasta_temporaria();
    const std::string pdf = pasta + "/etiquetas.pdf";
    std::string erro;
    ASSERT_TRUE(exportar_etiquetas_pdf(e, pdf, &erro)) << erro;
    EXPECT_EQ(teste::paginas_pdf(pdf), 2);
    const std::string texto = teste::texto_pdf(pdf);
    for (const char* parte : { "Apiário Flor do Cerrado Ltda.", "CNPJ 12.345.678/0001-95", "Lote 2026-007",
                               "Extração: 15/04/2026", "Florada: Eucalipto", "Peso: 1.234,500 kg",
                               "Origem: Dourados/MS, Itaporã/MS", "Tambor 1 de 10", "Tambor 10 de 10" })
        EXPECT_NE(texto.find(parte), std::string::npos) << parte << "\n" << texto;

    // A whole number of kilos has no decimals; a lot without the company's
    // data says so where the producer goes.
    LOTES_MEL redondo = lote("1");
    redondo.total = "300";
    const std::vector<ETIQUETA_LOTE> sem_empresa = etiquetas_do_lote(redondo, {}, EMPRESAS());
    EXPECT_EQ(sem_empresa[0].quilos, "300 kg");
    EXPECT_EQ(sem_empresa[0].produtor, "Produtor não cadastrado (Dados da Empresa)");
    EXPECT_EQ(sem_empresa[0].documento, "");

    // A folder that does not exist: the message names the file, nothing left.
    const std::string ruim = pasta + "/nao/existe.pdf";
    EXPECT_FALSE(exportar_etiquetas_pdf(e, ruim, &erro));
    EXPECT_NE(erro.find(ruim), std::string::npos) << erro;
    EXPECT_EQ(teste::nomes_na_pasta(pasta), std::vector<std::string> { "etiquetas.pdf" });
}

// The QR code: its finder patterns at three corners, after a quiet zone of
// four light modules all round.
TEST(EtiquetaLote, CodigoQrComZonaDeSilencio)
{
    auto desenhar = [](const std::string& texto, int lado) {
        Cairo::RefPtr<Cairo::ImageSurface> imagem = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, lado, lado);
        Cairo::RefPtr<Cairo::Context> cr = Cairo::Context::create(imagem);
        EXPECT_TRUE(desenhar_qr(cr->cobj(), texto, 0, 0, lado));
        imagem->flush();
        return imagem;
    };
    auto escuro = [](const Cairo::RefPtr<Cairo::ImageSurface>& im, double x, double y) {
        const unsigned char* p = im->get_data() + static_cast<int>(y) * im->get_stride() + static_cast<int>(x) * 4;
        return p[0] < 128 && p[1] < 128 && p[2] < 128;
    };
    // "2026-007" fits a version 1 code: 21 modules, 29 with the quiet zone.
    const int lado = 29 * 10;
    Cairo::RefPtr<Cairo::ImageSurface> qr = desenhar("2026-007", lado);
    EXPECT_FALSE(escuro(qr, 15, 15));                  // quiet zone
    EXPECT_TRUE(escuro(qr, 45, 45));                   // finder pattern's outer ring, top left
    EXPECT_FALSE(escuro(qr, 55, 55));                  // its light ring
    EXPECT_TRUE(escuro(qr, 75, 75));                   // its dark centre
    EXPECT_TRUE(escuro(qr, lado - 45, 45));            // top right finder
    EXPECT_TRUE(escuro(qr, 45, lado - 45));            // bottom left finder
    for (int x = 0; x < lado; x += 5)
        EXPECT_FALSE(escuro(qr, x, 5) || escuro(qr, 5, x) || escuro(qr, x, lado - 5)) << x;   // quiet zone all round
}

// What a reader finds in the codes printed: each of the eight labels of a
// page holds the lot's code, and a hive's card holds the hive's key, above
// its tables and on the first page only.
TEST(EtiquetaLote, CodigosQrLidosDeVoltaDoPdf)
{
    const std::string pasta = teste::pasta_temporaria();
    std::string erro;
    const std::string etiquetas = pasta + "/etiquetas.pdf";
    ASSERT_TRUE(exportar_etiquetas_pdf(etiquetas_do_lote(lote("9"), { "Dourados/MS" }, empresa()), etiquetas, &erro))
        << erro;
    std::string oito;
    for (int i = 0; i < 8; ++i)
        oito += "2026-007\n";
    EXPECT_EQ(teste::qr_do_pdf(etiquetas), oito);

    RELATORIO ficha;
    ficha.titulo = "Ficha da colméia";
    ficha.qr.texto = "4711";
    ficha.qr.legenda = { "Colméia 4711", "Apiário Boa Esperança — Dourados/MS", "Rainha 00012-00003" };
    TABELA_RELATORIO t;
    t.titulo = "Últimos registros do diário";
    t.colunas = { { "Data", 1 }, { "O que foi feito", 5 } };
    for (int i = 0; i < 120; ++i)
        t.linhas.push_back({ { CELULA::de_texto("01/02/2026"), CELULA::de_texto("Revisão " + std::to_string(i)) } });
    ficha.tabelas.push_back(t);
    const std::string pdf = pasta + "/ficha.pdf";
    ASSERT_TRUE(exportar_pdf(ficha, pdf, &erro)) << erro;
    EXPECT_EQ(teste::qr_do_pdf(pdf), "4711\n");
    const std::string texto = teste::texto_pdf(pdf);
    EXPECT_NE(texto.find("Colméia 4711"), std::string::npos);
    EXPECT_NE(texto.find("Rainha 00012-00003"), std::string::npos);
    EXPECT_LT(texto.find("Rainha 00012-00003"), texto.find("Revisão 0"));
    EXPECT_EQ(teste::paginas_pdf(pdf), DESENHO_RELATORIO(ficha).paginas());
    EXPECT_GE(teste::paginas_pdf(pdf), 2);
}
