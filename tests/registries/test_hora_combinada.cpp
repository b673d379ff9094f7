#include "BancoTeste.h"
#include "MDautoNumeracao.h"
#include "MdConsultaHComb.h"
#include "MdTabelaComb.h"

#include <gtest/gtest.h>

namespace {

struct Consulta {
    QString funcionario, data, horas, obs;
};

Consulta Consultar(const QString& funcionario, const QString& data) {
    Consulta c{funcionario, data, QStringLiteral("h"), QStringLiteral("o")};
    consultarHoraCombinada(c.funcionario, c.data, c.horas, c.obs);
    return c;
}

} // namespace

TEST(HoraCombinada, LookupBeforeTheTableExistsKeepsTheCallersValues) {
    BancoTeste banco;
    const Consulta c = Consultar(QStringLiteral("3"), QStringLiteral("05/12/2026"));
    EXPECT_EQ(c.funcionario, "3");
    EXPECT_EQ(c.data, "05/12/2026");
    EXPECT_EQ(c.horas, "h");
    EXPECT_EQ(c.obs, "o");
}

TEST(HoraCombinada, NumbersAndLookupOutcomes) {
    BancoTeste banco;
    criarTabelaHoraCombinada();
    criarTabelaHoraCombinada(); // a second load finds the table and says nothing
    EXPECT_EQ(proximoCodigoHoraCombinada(), 1);

    banco.sql("INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( 1, "
              "'3','05/12/2026','04:00:00','meio dia','1' )");
    banco.sql("INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( 7, "
              "'3','06/12/2026','__:__:__','folga','2' )");
    EXPECT_EQ(proximoCodigoHoraCombinada(), 8);
    // Past the largest signed 32-bit number there is none to give.
    banco.sql("INSERT INTO HoraCombinada(codigo,funcionario,data,horas,obs,combinado) VALUES( 2147483647, "
              "'4','05/12/2026','04:00:00','x','1' )");
    try {
        proximoCodigoHoraCombinada();
        ADD_FAILURE() << "deu um número";
    } catch (const std::overflow_error& e) {
        EXPECT_STREQ(e.what(), "Não há mais números livres para horários combinados.");
    }
    banco.sql("delete from HoraCombinada where codigo = 2147483647");

    Consulta c = Consultar(QStringLiteral("3"), QStringLiteral("05/12/2026"));
    EXPECT_EQ(c.funcionario, "1");
    EXPECT_EQ(c.data, "05/12/2026");
    EXPECT_EQ(c.horas, "04:00:00");
    EXPECT_EQ(c.obs, "meio dia");

    EXPECT_EQ(Consultar(QStringLiteral("3"), QStringLiteral("06/12/2026")).funcionario, "2");

    c = Consultar(QStringLiteral("3"), QStringLiteral("07/12/2026"));
    EXPECT_TRUE(c.funcionario.isEmpty() && c.data.isEmpty() && c.horas.isEmpty() && c.obs.isEmpty());
}
