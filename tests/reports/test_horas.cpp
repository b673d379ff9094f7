#include "DadosRelatorio.h"

#include <climits>
#include <stdexcept>

namespace {

int Hms(int h, int m, int s) {
    return h * 3600 + m * 60 + s;
}

QStringList Partes(qint32 segundos) {
    const HorasMinutos r = CalcularHorasMinutos(segundos);
    return {r.horas, r.minutos, r.segundos};
}

} // namespace

TEST(Horas, DuracaoENormalizacao) {
    EXPECT_EQ(DuracaoPeriodo(Hms(22, 0, 0), Hms(6, 0, 0)), Hms(8, 0, 0));
    EXPECT_EQ(DuracaoPeriodo(Hms(8, 0, 0), Hms(8, 0, 0)), 0);
    EXPECT_EQ(DuracaoPeriodo(Hms(8, 2, 10), Hms(12, 0, 5)), Hms(3, 57, 55));
    EXPECT_EQ(DuracaoPeriodo(Hms(23, 59, 59), Hms(0, 0, 0)), 1);
    EXPECT_EQ(DuracaoPeriodo(0, Hms(5, 0, 0)), Hms(5, 0, 0));

    // The sign is lost and whole days wrap around.
    EXPECT_EQ(TextoHora(-5400), QStringLiteral("01:30:00"));
    EXPECT_EQ(TextoHora(Hms(26, 0, 0)), QStringLiteral("02:00:00"));
    EXPECT_EQ(TextoHora(Hms(7, 0, 0) - Hms(8, 0, 0)), QStringLiteral("01:00:00"));
    EXPECT_EQ(TextoHora(kSegundosDia), QStringLiteral("00:00:00"));
    EXPECT_EQ(TextoHorasAlem24(Hms(32, 0, 0)), QStringLiteral("32:00:00"));
    EXPECT_EQ(TextoHorasAlem24(-Hms(100, 5, 9)), QStringLiteral("100:05:09"));

    EXPECT_EQ(SegundosDoTexto(QStringLiteral("08:02:10")), Hms(8, 2, 10));
    EXPECT_EQ(SegundosDoTexto(QStringLiteral("8:00:00")), Hms(8, 0, 0));
    EXPECT_EQ(SegundosDoTexto(QStringLiteral("__:__:__")), std::nullopt);
    EXPECT_EQ(SegundosDoTexto(QString()), std::nullopt);
    EXPECT_EQ(SegundosDoTexto(QStringLiteral("24:00:00")), std::nullopt);
}

TEST(Horas, CalcularHorasMinutosArredondaDuasVezes) {
    EXPECT_EQ(Partes(9000), QStringList({"02", "30", "00"}));
    EXPECT_EQ(Partes(5370), QStringList({"01", "29", "30"}));
    EXPECT_EQ(Partes(5390), QStringList({"01", "30", "50"}));
    EXPECT_EQ(Partes(3599), QStringList({"01", "00", "59"}));
    EXPECT_EQ(Partes(-1800), QStringList({"00", "30", "00"}));
    EXPECT_EQ(Partes(0), QStringList({"00", "00", "00"}));
    EXPECT_EQ(Partes(360000), QStringList({"100", "00", "00"}));
    EXPECT_EQ(Partes(-7200), QStringList({"02", "00", "00"}));
    // 18 s are 0.30 min and 0.005 h: the tie rounds away from zero (a binary 0.3 / 60 falls short of it).
    EXPECT_EQ(Partes(18), QStringList({"00", "01", "18"}));
    EXPECT_EQ(Partes(-5390), QStringList({"01", "30", "50"}));
    EXPECT_EQ(Partes(INT_MAX), QStringList({"596523", "14", "07"}));
    EXPECT_EQ(CalcularHorasMinutos(158400).juntos(), QStringLiteral("44:00:00"));
}

TEST(Horas, ValorComDuasCasasArredondandoParaLongeDoZero) {
    EXPECT_EQ(FormatarValor(12.5), QStringLiteral("12,50"));
    EXPECT_EQ(FormatarValor(0.125), QStringLiteral("0,13"));
    EXPECT_EQ(FormatarValor(12.345), QStringLiteral("12,35"));
    EXPECT_EQ(FormatarValor(2.675), QStringLiteral("2,68"));
    EXPECT_EQ(FormatarValor(0), QStringLiteral("0,00"));
    EXPECT_EQ(FormatarValor(0.004), QStringLiteral("0,00"));
    EXPECT_EQ(FormatarValor(-0.004), QStringLiteral("0,00"));
    EXPECT_EQ(FormatarValor(-2.5), QStringLiteral("-2,50"));
    EXPECT_EQ(FormatarValor(1234.5), QStringLiteral("1234,50"));
    EXPECT_EQ(FormatarValor(1e-20), QStringLiteral("0,00"));
    EXPECT_EQ(FormatarValor(99.995), QStringLiteral("100,00"));
}

TEST(Horas, TotaisDe32BitsAcusamEstouro) {
    EXPECT_EQ(SomarSegundos(INT_MAX - 1, 1), INT_MAX);
    EXPECT_EQ(SubtrairSegundos(INT_MIN + 1, 1), INT_MIN);
    try {
        SomarSegundos(INT_MAX, 1);
        ADD_FAILURE() << "sem erro";
    } catch (const std::overflow_error& e) {
        EXPECT_STREQ(e.what(), "Estouro de capacidade");
    }
    EXPECT_THROW(SubtrairSegundos(INT_MIN, 1), std::overflow_error);
    EXPECT_THROW(SubtrairSegundos(0, INT_MIN), std::overflow_error);
}

TEST(Horas, RotinaFeriadoPorValorComAnoOpcional) {
    BancoTeste banco;
    Feriado(banco, QStringLiteral("Natal"), QStringLiteral("25"), QStringLiteral("12"), QString());
    Feriado(banco, QStringLiteral("Confraternizacao"), QStringLiteral("01"), QStringLiteral("01"), QString());
    Feriado(banco, QStringLiteral("So em 2009"), QStringLiteral("7"), QStringLiteral("9"),
            QStringLiteral("2009"));
    Feriado(banco, QStringLiteral("Lixo"), QStringLiteral("xx"), QStringLiteral("3"), QString());
    Feriado(banco, QStringLiteral("Primeiro"), QStringLiteral("15"), QStringLiteral("11"), QString());
    Feriado(banco, QStringLiteral("Segundo"), QStringLiteral("15"), QStringLiteral("11"), QString());
    banco.sql(QStringLiteral("Insert into feriados(feriado, dia, mes) values('Ano nulo', '2', '2')"));
    banco.enviadas().clear();

    EXPECT_EQ(RotinaFeriado(QDate(2009, 12, 25)), QStringLiteral("SEXTA-FEIRA - F. Natal"));
    EXPECT_EQ(banco.enviadas(), QStringList{QStringLiteral("Select * from feriados")});
    EXPECT_EQ(RotinaFeriado(QDate(2030, 12, 25)), QStringLiteral("QUARTA-FEIRA - F. Natal"));
    EXPECT_EQ(RotinaFeriado(QDate(2010, 1, 1)), QStringLiteral("SEXTA-FEIRA - F. Confraternizacao"));
    EXPECT_EQ(RotinaFeriado(QDate(2009, 9, 7)), QStringLiteral("SEGUNDA-FEIRA - F. So em 2009"));
    EXPECT_EQ(RotinaFeriado(QDate(2010, 9, 7)), QStringLiteral("TERCA-FEIRA"));
    EXPECT_EQ(RotinaFeriado(QDate(2010, 11, 15)), QStringLiteral("SEGUNDA-FEIRA - F. Primeiro"));
    EXPECT_EQ(RotinaFeriado(QDate(2010, 2, 2)), QStringLiteral("TERCA-FEIRA - F. Ano nulo"));
    EXPECT_EQ(RotinaFeriado(QDate(2010, 3, 7)), QStringLiteral("DOMINGO"));
    EXPECT_EQ(RotinaFeriado(QDate(2010, 3, 6)), QStringLiteral("SABADO"));
}

TEST(Horas, HorarTrabalhadaEsperaOQueAGradeDizParaODia) {
    BancoTeste banco;
    const qint64 codigo = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000079195"), "001");
    Horario(banco, "001", 2, "22:00:00", "02:00:00", "03:00:00", "06:00:00", "07:00:00");
    Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "__:__:__");
    const QString n = QString::number(codigo);
    banco.enviadas().clear();

    CamposHoras campos;
    HORAR_TRABALHADA(Hms(6, 0, 0), Hms(22, 0, 0), n, QDate(2010, 3, 1), campos);
    EXPECT_EQ(campos.horasTrabalhadas, Hms(8, 0, 0));
    EXPECT_EQ(campos.horasPrevistas, Hms(7, 0, 0));
    EXPECT_EQ(banco.enviadas(),
              QStringList({"Select CODHORA from funcionarios where codigo = " + n,
                           "Select * from horarios where registro = '001'  and CodHora = '2'  "}));

    // A weekday without a row expects nothing: the value of the call before does not stay.
    HORAR_TRABALHADA(Hms(12, 0, 0), Hms(8, 0, 0), n, QDate(2010, 3, 7), campos);
    EXPECT_EQ(campos.horasTrabalhadas, Hms(4, 0, 0));
    EXPECT_EQ(campos.horasPrevistas, 0);

    HORAR_TRABALHADA(Hms(6, 0, 0), Hms(22, 0, 0), n, QDate(2010, 3, 1), campos);
    HORAR_TRABALHADA(Hms(12, 0, 0), Hms(8, 0, 0), n, QDate(2010, 3, 6), campos); // unfilled total
    EXPECT_EQ(campos.horasPrevistas, 0);

    HORAR_TRABALHADA(Hms(6, 0, 0), Hms(22, 0, 0), n, QDate(2010, 3, 1), campos);
    HORAR_TRABALHADA(Hms(12, 0, 0), Hms(8, 0, 0), QStringLiteral("999"), QDate(2010, 3, 1), campos);
    EXPECT_EQ(campos.horasPrevistas, 0);
}

TEST(Horas, TotalHorasSemanaSomaAGradeOuDevolveOArgumento) {
    BancoTeste banco;
    const qint64 ana = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000079195"), "001");
    const qint64 bia = banco.funcionario(QStringLiteral("BIA"), QStringLiteral("7891000158388"), "009");
    for (int dia = 2; dia <= 6; ++dia)
        Horario(banco, "001", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
    Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "04:00:00");
    Horario(banco, "001", 1, "__:__:__", "__:__:__", "__:__:__", "__:__:__", "__:__:__");
    banco.enviadas().clear();

    QString codigo = QStringLiteral(" ") + QString::number(ana) + QStringLiteral("' ");
    TotalHorasSemana(codigo);
    EXPECT_EQ(codigo, QStringLiteral("44:00:00"));
    EXPECT_EQ(banco.enviadas(),
              QStringList({"Select * from funcionarios where  codigo  = " + QString::number(ana),
                           "SELECT * FROM horarios where registro = '001'"}));

    QString semGrade = QString::number(bia);
    TotalHorasSemana(semGrade);
    EXPECT_EQ(semGrade, QString::number(bia));
    QString ninguem = QStringLiteral("77");
    TotalHorasSemana(ninguem);
    EXPECT_EQ(ninguem, QStringLiteral("77"));

    // Not a number: nothing goes to the database.
    banco.enviadas().clear();
    QString texto = QStringLiteral("1 or 1=1");
    TotalHorasSemana(texto);
    EXPECT_EQ(texto, QStringLiteral("1 or 1=1"));
    EXPECT_TRUE(banco.enviadas().isEmpty());
}
