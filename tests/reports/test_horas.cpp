#include "DadosRelatorio.h"

#include <climits>
#include <stdexcept>

namespace {

int Hms(int h, int m, int s) {
    return h * 3600 + m * 60 + s;
}

} // namespace

TEST(Horas, DuracoesTextosEValores) {
    EXPECT_EQ(DuracaoPeriodo(Hms(22, 0, 0), Hms(6, 0, 0)), Hms(8, 0, 0));
    EXPECT_EQ(DuracaoPeriodo(Hms(8, 0, 0), Hms(8, 0, 0)), 0);
    EXPECT_EQ(DuracaoPeriodo(Hms(8, 2, 10), Hms(12, 0, 5)), Hms(3, 57, 55));
    EXPECT_EQ(DuracaoPeriodo(Hms(23, 59, 59), Hms(0, 0, 0)), 1);
    EXPECT_EQ(DuracaoPeriodo(0, Hms(5, 0, 0)), Hms(5, 0, 0));
    EXPECT_EQ(SegundosDoTexto(u"08:02:10"_s), Hms(8, 2, 10));
    EXPECT_EQ(SegundosDoTexto(u"8:00:00"_s), Hms(8, 0, 0));
    for (const QString& nenhum : {u"__:__:__"_s, QString(), u"24:00:00"_s})
        EXPECT_EQ(SegundosDoTexto(nenhum), std::nullopt);

    // The sign is lost and whole days wrap around; the split through minutes and hours with
    // hundredths rounds twice, ties away from zero (a binary 0.3 / 60 falls short of 18 s).
    const std::pair<QString, const char*> textos[] = {{TextoHora(-5400), "01:30:00"},
                                                      {TextoHora(Hms(26, 0, 0)), "02:00:00"},
                                                      {TextoHora(Hms(7, 0, 0) - Hms(8, 0, 0)), "01:00:00"},
                                                      {TextoHora(kSegundosDia), "00:00:00"},
                                                      {TextoHorasAlem24(Hms(32, 0, 0)), "32:00:00"},
                                                      {TextoHorasAlem24(-Hms(100, 5, 9)), "100:05:09"}};
    for (const auto& [obtido, esperado] : textos)
        EXPECT_EQ(obtido, QLatin1String(esperado));
    const std::pair<int, const char*> divididas[] = {
        {9000, "02:30:00"},  {5370, "01:29:30"},  {5390, "01:30:50"},        {3599, "01:00:59"},
        {-1800, "00:30:00"}, {0, "00:00:00"},     {360000, "100:00:00"},     {-7200, "02:00:00"},
        {18, "00:01:18"},    {-5390, "01:30:50"}, {INT_MAX, "596523:14:07"}, {158400, "44:00:00"}};
    for (const auto& [segundos, texto] : divididas)
        EXPECT_EQ(CalcularHorasMinutos(segundos).juntos(), QLatin1String(texto)) << segundos;
    const std::pair<double, const char*> valores[] = {
        {12.5, "12,50"},     {0.125, "0,13"}, {12.345, "12,35"}, {2.675, "2,68"},
        {0, "0,00"},         {0.004, "0,00"}, {-0.004, "0,00"},  {-2.5, "-2,50"},
        {1234.5, "1234,50"}, {1e-20, "0,00"}, {99.995, "100,00"}};
    for (const auto& [valor, texto] : valores)
        EXPECT_EQ(FormatarValor(valor), QLatin1String(texto)) << valor;

    // Totals are 32 bits and say when they overflow.
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

namespace {

// ANA (1) on schedule 001: a night Monday, a Saturday without total, weekdays of 8 hours; BIA
// (2) on a schedule with no rows. Holidays with and without year, and rows that are none.
void Montar(BancoTeste& banco) {
    banco.funcionario(u"ANA"_s, u"7891000079195"_s, u"001"_s);
    banco.funcionario(u"BIA"_s, u"7891000158388"_s, u"009"_s);
    Horario(banco, "001", 2, "22:00:00", "02:00:00", "03:00:00", "06:00:00", "07:00:00");
    for (int dia = 3; dia <= 6; ++dia)
        Horario(banco, "001", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
    Horario(banco, "001", 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__", "__:__:__");
    Horario(banco, "001", 1, "__:__:__", "__:__:__", "__:__:__", "__:__:__", "__:__:__");
    for (const QStringList& f : {QStringList{"Natal", "25", "12", ""},
                                 {"Confraternizacao", "01", "01", ""},
                                 {"So em 2009", "7", "9", "2009"},
                                 {"Lixo", "xx", "3", ""},
                                 {"Primeiro", "15", "11", ""},
                                 {"Segundo", "15", "11", ""}})
        Feriado(banco, f[0], f[1], f[2], f[3]);
    banco.sql(u"Insert into feriados(feriado, dia, mes) values('Ano nulo', '2', '2')"_s);
}

class HorasTeste : public ::testing::Test {
protected:
    BancoTeste banco{u"horas"_s, Montar};
};

} // namespace

TEST_F(HorasTeste, RotinaFeriadoPorValorComAnoOpcional) {
    banco.enviadas().clear();
    EXPECT_EQ(RotinaFeriado(QDate(2009, 12, 25)), u"SEXTA-FEIRA - F. Natal"_s);
    EXPECT_EQ(banco.enviadas(), QStringList{u"Select * from feriados"_s});
    const std::pair<QDate, const char*> casos[] = {{{2030, 12, 25}, "QUARTA-FEIRA - F. Natal"},
                                                   {{2010, 1, 1}, "SEXTA-FEIRA - F. Confraternizacao"},
                                                   {{2009, 9, 7}, "SEGUNDA-FEIRA - F. So em 2009"},
                                                   {{2010, 9, 7}, "TERCA-FEIRA"},
                                                   {{2010, 11, 15}, "SEGUNDA-FEIRA - F. Primeiro"},
                                                   {{2010, 2, 2}, "TERCA-FEIRA - F. Ano nulo"},
                                                   {{2010, 3, 7}, "DOMINGO"},
                                                   {{2010, 3, 6}, "SABADO"}};
    for (const auto& [dia, texto] : casos)
        EXPECT_EQ(RotinaFeriado(dia), QString::fromUtf8(texto)) << dia.toString().toStdString();
}

TEST_F(HorasTeste, HorasPrevistasPelaGradeDoDiaETotalDaSemana) {
    banco.enviadas().clear();
    CamposHoras campos;
    HORAR_TRABALHADA(Hms(6, 0, 0), Hms(22, 0, 0), u"1"_s, QDate(2010, 3, 1), campos);
    EXPECT_EQ(campos.horasTrabalhadas, Hms(8, 0, 0));
    EXPECT_EQ(campos.horasPrevistas, Hms(7, 0, 0));
    EXPECT_EQ(banco.enviadas(),
              QStringList({"Select CODHORA from funcionarios where codigo = 1",
                           "Select * from horarios where registro = '001'  and CodHora = '2'  "}));
    // A weekday without a row, an unfilled total, nobody: nothing expected, and the value of the
    // call before does not stay.
    for (const auto& [codigo, dia] :
         {std::pair{"1", QDate(2010, 3, 7)}, {"1", QDate(2010, 3, 6)}, {"999", QDate(2010, 3, 1)}}) {
        HORAR_TRABALHADA(Hms(6, 0, 0), Hms(22, 0, 0), u"1"_s, QDate(2010, 3, 1), campos);
        HORAR_TRABALHADA(Hms(12, 0, 0), Hms(8, 0, 0), QLatin1String(codigo), dia, campos);
        EXPECT_EQ(campos.horasTrabalhadas, Hms(4, 0, 0));
        EXPECT_EQ(campos.horasPrevistas, 0) << codigo << dia.toString().toStdString();
    }

    banco.enviadas().clear();
    QString codigo = u" 1' "_s;
    TotalHorasSemana(codigo);
    EXPECT_EQ(codigo, u"39:00:00"_s);
    EXPECT_EQ(banco.enviadas(), QStringList({"Select * from funcionarios where  codigo  = 1",
                                             "SELECT * FROM horarios where registro = '001'"}));
    // No schedule rows, nobody, not a number (nothing goes to the database): the argument back.
    for (const QString& outro : {u"2"_s, u"77"_s, u"1 or 1=1"_s}) {
        banco.enviadas().clear();
        QString texto = outro;
        TotalHorasSemana(texto);
        EXPECT_EQ(texto, outro);
        EXPECT_EQ(banco.enviadas().isEmpty(), outro == u"1 or 1=1"_s);
    }
}
