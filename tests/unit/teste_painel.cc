// The panel's small pieces drawn and written without a window: the stacked
// bar of the hives by status, and the texts of an apiary's line (the mark
// of an apiary not visited is tested against the database's clock).
#include <string>
#include <vector>

#include <cairo.h>
#include <gtest/gtest.h>

#include "model/painel.h"
#include "relatorios/grafico.h"

TEST(Painel, BarraEmpilhadaDivideALarguraPelasContagens)
{
    // Counts, width, and the widths of the pieces.
    struct Caso
    {
        std::vector<int> contagens;
        double largura;
        std::vector<double> partes;
    };
    const Caso casos[] = {
        { { 3, 1, 0, 0 }, 80, { 60, 20, 0, 0 } },
        { { 0, 0, 0, 0 }, 80, { 0, 0, 0, 0 } },
        { { 0, 5, 0, 5 }, 90, { 0, 45, 0, 45 } },
        // One weak hive among 199 keeps a piece one unit wide.
        { { 199, 1 }, 50, { 49, 1 } },
        { { 2, -1 }, 10, { 10, 0 } },
    };
    for (const Caso& c : casos) {
        const std::vector<double> p = partes_empilhadas(c.contagens, c.largura);
        ASSERT_EQ(p.size(), c.partes.size());
        double soma = 0;
        for (std::size_t k = 0; k < p.size(); ++k) {
            EXPECT_NEAR(p[k], c.partes[k], 1e-9) << "piece " << k << " of case " << c.contagens[0];
            soma += p[k];
        }
        if (c.partes != std::vector<double>(c.partes.size(), 0.0)) {
            EXPECT_NEAR(soma, c.largura, 1e-9);
        }
    }

    // Drawn: each piece in its colour, the rest of the ground grey.
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 10);
    cairo_t* cr = cairo_create(s);
    desenhar_empilhada(cr, { 1, 3 }, { "#ff0000", "#0000ff" }, 0, 0, 100, 10);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    auto pixel = [s](int x, int y) {
        const unsigned char* d = cairo_image_surface_get_data(s);
        return *reinterpret_cast<const unsigned int*>(d + y * cairo_image_surface_get_stride(s) + 4 * x) & 0xffffff;
    };
    EXPECT_EQ(pixel(10, 5), 0xff0000u);
    EXPECT_EQ(pixel(60, 5), 0x0000ffu);
    EXPECT_NE(pixel(0, 0), 0xff0000u);  // the edge
    cairo_surface_destroy(s);
}

TEST(Painel, TextosDaLinhaDoApiario)
{
    RESUMO_APIARIO r;
    struct Caso
    {
        std::vector<int> por_status;
        std::string colmeias;
    };
    const Caso casos[] = {
        { { 0, 0, 0, 0, 0, 0, 0, 0 }, "Nenhuma colméia" },
        { { 1, 0, 0, 0, 0, 0, 0, 0 }, "1 colméia: 1 Ativa" },
        { { 8, 2, 1, 1, 0, 0, 0, 0 }, "12 colméias: 8 Ativa, 2 Fraca, 1 Órfã, 1 Zanganeira" },
        { { 0, 0, 0, 0, 2, 1, 0, 0 }, "Nenhuma colméia (3 encerradas)" },
        { { 0, 3, 0, 0, 0, 0, 0, 1 }, "3 colméias: 3 Fraca (1 encerrada)" },
    };
    for (const Caso& c : casos) {
        for (int k = 0; k < 8; ++k)
            r.por_status[k] = c.por_status[k];
        EXPECT_EQ(texto_colmeias(r), c.colmeias);
    }
    r.mel_safra = 1234.56;
    r.mel_anterior = 0;
    EXPECT_EQ(texto_mel(r, 2026), "Mel em 2026: 1.234,6 kg; em 2025, até o mesmo dia: 0,0 kg");

    r.ultima_revisao = "01/12/2026";
    r.dias_sem_revisao = 1;
    EXPECT_EQ(texto_revisao(r), "Última revisão: 01/12/2026 (ontem)");
}
