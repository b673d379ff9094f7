#include "AccessDialect.h"
#include "DatabaseError.h"

#include <gtest/gtest.h>

namespace {

QList<ColumnInfo> colunasDeTeste(const QString& tabela) {
    if (tabela.compare(QLatin1String("movimentacao"), Qt::CaseInsensitive) == 0)
        return {{QStringLiteral("codigo"), ColumnKind::Number},
                {QStringLiteral("data"), ColumnKind::Date},
                {QStringLiteral("hora"), ColumnKind::Time},
                {QStringLiteral("EntradaSaida"), ColumnKind::Text},
                {QStringLiteral("funcionario"), ColumnKind::Number},
                {QStringLiteral("periodo"), ColumnKind::Text}};
    if (tabela.compare(QLatin1String("funcionarios"), Qt::CaseInsensitive) == 0)
        return {{QStringLiteral("nome"), ColumnKind::Text},
                {QStringLiteral("VALORHORA"), ColumnKind::Number}};
    return {};
}

QString traduzir(const QString& sql) {
    return translateAccessSql(sql, colunasDeTeste);
}

} // namespace

TEST(Dialeto, LiteraisDeDataEHoraSaoMesPrimeiro) {
    EXPECT_EQ(traduzir(QStringLiteral(
                  "select * from movimentacao where data>= #12-05-2026# and data<= #01-31-2027#")),
              QStringLiteral("select * from movimentacao where data>= '2026-12-05' and data<= '2027-01-31'"));
    EXPECT_EQ(traduzir(QStringLiteral("select 1 where HORA >= #08:00:00# and hora <= #7:05:00#")),
              QStringLiteral("select 1 where HORA >= '08:00:00' and hora <= '07:05:00'"));
    EXPECT_THROW(traduzir(QStringLiteral("select * from t where data = #13-01-2026#")), DatabaseError);
    EXPECT_THROW(traduzir(QStringLiteral("select * from t where data = #12-05-2026")), DatabaseError);
}

TEST(Dialeto, ConstantesDeTextoNaoSaoTocadas) {
    const QString sql =
        QStringLiteral("select * from funcionarios where nome = 'top 1 #12-05-2026# d''Ávila'");
    EXPECT_EQ(traduzir(sql), sql);
    EXPECT_EQ(traduzir(QStringLiteral("select \"a'b\" as x")), QStringLiteral("select 'a''b' as x"));
}

TEST(Dialeto, TopViraLimit) {
    EXPECT_EQ(traduzir(QStringLiteral("Select top 1 codigo from movimentacao where  funcionario  = 5")),
              QStringLiteral("Select codigo from movimentacao where  funcionario  = 5 LIMIT 1"));
    EXPECT_EQ(traduzir(QStringLiteral("SELECT DISTINCT TOP 3 nome FROM funcionarios ORDER BY nome ;")),
              QStringLiteral("SELECT DISTINCT nome FROM funcionarios ORDER BY nome LIMIT 3 ;"));
    // "top" as a plain word elsewhere stays.
    EXPECT_EQ(traduzir(QStringLiteral("select top from t")), QStringLiteral("select top from t"));
}

TEST(Dialeto, TextoGravadoEmDataHoraENumeroEConvertido) {
    EXPECT_EQ(traduzir(QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                                      "values('05/12/2026','8:02:10', 'E', 7, 'M' )")),
              QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                             "values('2026-12-05','08:02:10', 'E', 7, 'M' )"));
    EXPECT_EQ(traduzir(QStringLiteral("update   MOVIMENTACAO set periodo= 'T', data = '1/2/2026', HORA = "
                                      "'13:00:00'   WHERE CODIGO = 4 ")),
              QStringLiteral("update   MOVIMENTACAO set periodo= 'T', data = '2026-02-01', HORA = "
                             "'13:00:00'   WHERE CODIGO = 4 "));
    EXPECT_EQ(traduzir(QStringLiteral(
                  "UPDATE FUNCIONARIOS SET nome = '12,50', VALORHORA = '1.234,50' WHERE codigo = 1")),
              QStringLiteral("UPDATE FUNCIONARIOS SET nome = '12,50', VALORHORA = 1234.50 WHERE codigo = 1"));
    EXPECT_EQ(traduzir(QStringLiteral("INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', '')")),
              QStringLiteral("INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', NULL)"));
    EXPECT_EQ(traduzir(QStringLiteral("INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', '12.5')")),
              QStringLiteral("INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', 12.5)"));
    // A text that is no date, time or number is refused, as the original engine refuses it.
    EXPECT_THROW(traduzir(QStringLiteral("Insert into movimentacao(data) values('31/02/2026')")),
                 DatabaseError);
    EXPECT_THROW(traduzir(QStringLiteral("Insert into movimentacao(hora) values('__:__:__')")),
                 DatabaseError);
    EXPECT_THROW(traduzir(QStringLiteral("INSERT INTO funcionarios(nome, VALORHORA) VALUES('x', 'doze')")),
                 DatabaseError);
}
