// A queen bee's insert and its change of mother are two statements each: the
// row, then its registry number. A connection lost between the two (here:
// every statement that writes the number is refused) still leaves the bee
// with its full, current number, never an empty or stale one.
#include <string>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/abelha.h"

namespace {

class AbelhaRgn : public teste::ModeloTeste
{
protected:
    std::string rgn(int id)
    {
        return banco.valor("select rgn from cadastro.abelha_rainha where id_abelha = " + std::to_string(id));
    }

    void perder_o_segundo_comando()
    {
        ASSERT_EQ(banco.executar(
                      "create function cadastro.cair() returns trigger language plpgsql as $$ begin "
                      "if current_query() like '%set  rgn=%' then raise exception 'conexão perdida'; end if; "
                      "return new; end $$; "
                      "create trigger cair before update on cadastro.abelha_rainha "
                      "for each row execute function cadastro.cair()"),
                  "");
    }
};

} // namespace

TEST_F(AbelhaRgn, NovaAbelhaTemONumeroMesmoSemOSegundoComando)
{
    perder_o_segundo_comando();
    ABELHA abelha(q.get());
    for (int mae : { 4, 0 }) {
        ABELHAS b;
        b.nascimento = "10/03/2011";
        b.mae = mae;
        ASSERT_TRUE(abelha.inserir(&b)) << q->get_mensagem();
        // The second statement was refused: its message went to the trace.
        EXPECT_NE(saida.tomar().find("conexão perdida"), std::string::npos);
        EXPECT_EQ(rgn(b.id), formatar_rgn(b.id, mae));
    }
}

TEST_F(AbelhaRgn, TrocaDeMaeLevaONumeroJunto)
{
    perder_o_segundo_comando();
    ABELHA abelha(q.get());
    ABELHAS b = abelha.get_abelha("00003-00001");
    ASSERT_EQ(b.id, 3);
    for (int mae : { 2, 0, 4 }) {
        b.mae = mae;
        ASSERT_TRUE(abelha.atualizar(&b)) << q->get_mensagem();
        EXPECT_EQ(rgn(3), formatar_rgn(3, mae));
    }
    // Without a change of mother the number stays as it is.
    b.matriz = true;
    ASSERT_TRUE(abelha.atualizar(&b));
    EXPECT_EQ(rgn(3), "00003-00004");
    // Codes past five digits are written in full.
    ASSERT_EQ(banco.executar("insert into cadastro.abelha_rainha (id_abelha, data_nasc, filha) "
                             "values (123456, '01/01/2020', 3)"),
              "");
    EXPECT_EQ(rgn(123456), "123456-00003");
}
