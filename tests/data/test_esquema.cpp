#include "BancoTeste.h"
#include "Clock.h"
#include "DatabaseError.h"
#include "Esquema.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(Esquema, CodigosCrescemESaoNuncaReusados) {
    BancoTeste banco;
    const qint64 a = banco.funcionario(QStringLiteral("A"), QStringLiteral("1"));
    const qint64 b = banco.funcionario(QStringLiteral("B"), QStringLiteral("2"));
    banco.sql(QStringLiteral("Delete from FUNCIONARIOS where codigo = %1").arg(b));
    const qint64 c = banco.funcionario(QStringLiteral("C"), QStringLiteral("3"));
    EXPECT_LT(a, b);
    EXPECT_GT(c, b);

    banco.ponto(a, QStringLiteral("01/12/2026"), QStringLiteral("08:00:00"), QStringLiteral("E"));
    const qint64 p = banco.sql(QStringLiteral("Select max(codigo) as s from movimentacao"))["s"].toInteger();
    banco.sql(QStringLiteral("Delete From  MOVIMENTACAO  WHERE CODIGO = %1").arg(p));
    banco.ponto(a, QStringLiteral("01/12/2026"), QStringLiteral("09:00:00"), QStringLiteral("E"));
    EXPECT_GT(banco.sql(QStringLiteral("Select max(codigo) as s from movimentacao"))["s"].toInteger(), p);
}

TEST(Esquema, ColunasGuardamOQueAsTelasEscrevem) {
    BancoTeste banco;
    banco.sql(QStringLiteral("INSERT INTO FUNCIONARIOS(nome, registro, Aniversario, VALORHORA) "
                             "VALUES('A', '1', '__/__/____', '')"));
    banco.sql(QStringLiteral("INSERT INTO FUNCIONARIOS(nome, registro, Aniversario, VALORHORA) "
                             "VALUES('B', '2', '05/12/1980', '12,50')"));
    Recordset rs = banco.sql(QStringLiteral("Select * from FUNCIONARIOS  order by codigo"));
    EXPECT_EQ(rs["Aniversario"].toString(), QStringLiteral("__/__/____"));
    EXPECT_TRUE(rs["VALORHORA"].isNull());
    rs.MoveNext();
    EXPECT_EQ(rs["Aniversario"].toString(), QStringLiteral("05/12/1980"));
    EXPECT_EQ(rs["VALORHORA"].toString(), QStringLiteral("12,5"));
    EXPECT_DOUBLE_EQ(rs["VALORHORA"].toReal(), 12.5);

    banco.sql(
        QStringLiteral("INSERT INTO horarios(registro, DiaSemana, CODHORA, nome, tele, endereco, cidade, "
                       "totalhoras) VALUES('001', 'SABADO', '7', '08:00:00', '12:00:00', '__:__:__', "
                       "'__:__:__', '04:00:00')"));
    rs = banco.sql(QStringLiteral("Select * from horarios where registro = '001'  and CodHora = '7'  "));
    EXPECT_EQ(rs["endereco"].toString(), QStringLiteral("__:__:__"));
    EXPECT_EQ(rs["nome"].type(), Variant::Type::Text);

    // The agreed-hours table as the program creates it; employee 7 compares as text.
    banco.sql(QStringLiteral(
        "CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, "
        "funcionario TEXT (5), data TEXT (15), horas TEXT (15), obs TEXT (50), combinado TEXT (5))"));
    banco.sql(
        QStringLiteral("INSERT INTO HoraCombinada(codigo, funcionario, data) VALUES(1, '7', '05/12/2026')"));
    EXPECT_FALSE(banco
                     .sql(QStringLiteral("select combinado,data,horas,obs from HoraCombinada where "
                                         "funcionario='7'"))
                     .Eof());
    EXPECT_EQ(banco.sql(QStringLiteral("select data from HoraCombinada"))["data"].toString(),
              QStringLiteral("05/12/2026"));
}

// The terminal's count statements are answered from the maintained counts; after any mix of
// inserts, updates and deletes they must equal a real count.
TEST(Esquema, ContagensMantidasIgualamContagemReal) {
    BancoTeste banco;
    QRandomGenerator r(42);
    const auto contagem = [&](int f, const char* tipo, bool mantida) {
        conexaoBanco->setRewritesEnabled(mantida);
        const QString sql =
            QStringLiteral("Select count(EntradaSaida) as s from movimentacao where  funcionario  = "
                           "%1 and EntradaSaida = '%2' ")
                .arg(f)
                .arg(QLatin1String(tipo));
        const qint64 n = banco.sql(sql)["s"].toInteger();
        conexaoBanco->setRewritesEnabled(true);
        return n;
    };
    const char* tipos[] = {"E", "S", "e", "X"};
    for (int passo = 0; passo < 400; ++passo) {
        const int acao = r.bounded(10);
        const int f = r.bounded(1, 5);
        if (acao < 5) {
            banco.ponto(f, QStringLiteral("01/12/2026"), QStringLiteral("08:00:00"),
                        QLatin1String(tipos[r.bounded(4)]));
        } else {
            Recordset todos = banco.sql(QStringLiteral("Select codigo from movimentacao"));
            if (todos.Eof())
                continue;
            for (int i = r.bounded(todos.rowCount()); i > 0; --i)
                todos.MoveNext();
            const QString codigo = todos["codigo"].toString();
            if (acao < 7)
                banco.sql(QStringLiteral("Delete From  MOVIMENTACAO  WHERE CODIGO = ") + codigo);
            else if (acao < 9)
                banco.sql(QStringLiteral("update   MOVIMENTACAO set entradaSaida= '%1' WHERE CODIGO = %2")
                              .arg(QLatin1String(tipos[r.bounded(4)]), codigo));
            else
                banco.sql(QStringLiteral("update   MOVIMENTACAO set funcionario= %1 WHERE CODIGO = %2")
                              .arg(r.bounded(1, 5))
                              .arg(codigo));
        }
        for (int g = 1; g <= 4; ++g) {
            for (const char* tipo : {"E", "S"})
                ASSERT_EQ(contagem(g, tipo, true), contagem(g, tipo, false))
                    << "passo " << passo << " f " << g;
        }
    }
    // The rewrite is taken only for the exact statement text.
    banco.enviadas().clear();
    EXPECT_TRUE(RespostaContagem(
                    QStringLiteral("Select count(EntradaSaida) as s from movimentacao where  funcionario  "
                                   "= 3 and EntradaSaida = 'E' "))
                    .has_value());
    EXPECT_FALSE(RespostaContagem(
                     QStringLiteral("Select count(EntradaSaida) as s from movimentacao where  funcionario  "
                                    "= 3 and EntradaSaida = 'E' or 1=1 "))
                     .has_value());
}

TEST(Esquema, CriacaoQueFalhaNaoDeixaArquivo) {
    BancoTeste banco;
    const QString outro = QStringLiteral("Dbq=C:\\PONTO\\novo.mdb;Pwd=QWZRTLK;");
    // An existing file is never replaced...
    EXPECT_THROW(CriarBanco(kStringConexao, QStringLiteral("x")), DatabaseError);
    EXPECT_FALSE(banco.sql(QStringLiteral("Select * from permissao where  codigo  =1")).Eof());
    // A creation that fails half-way (here, its first rows) leaves nothing behind.
    const QString arquivoFalho = banco.raiz() + QStringLiteral("/C/PONTO/falho.mdb");
    EXPECT_THROW(CriarBanco(QStringLiteral("Dbq=C:\\PONTO\\falho.mdb;Pwd=QWZRTLK;"), QStringLiteral("x"),
                            [](Connection& c) {
                                c.Execute(QStringLiteral("INSERT INTO funcionarios(nome) VALUES('A')"));
                                c.Execute(
                                    QStringLiteral("Insert into movimentacao(data) values('31/02/2026')"));
                            }),
                 DatabaseError);
    for (const char* sufixo : {"", "-wal", "-shm"})
        EXPECT_FALSE(QFile::exists(arquivoFalho + QLatin1String(sufixo))) << sufixo;
    // ...and a new one holds the five tables and the password row.
    auto novo = CriarBanco(outro, QStringLiteral("s'enha"));
    Recordset rs = novo->Execute(QStringLiteral("Select * from permissao where  codigo  =1"));
    EXPECT_EQ(rs["senha"].toString(), QStringLiteral("s'enha"));
    for (const char* tabela : {"funcionarios", "movimentacao", "horarios", "feriados", "permissao"})
        EXPECT_NO_THROW(novo->Execute(QStringLiteral("Select * from %1").arg(QLatin1String(tabela))));
}

namespace {

// The rows of a statement, the given columns of each joined by blanks.
QStringList Coluna(const QString& sql, const QStringList& colunas = {QStringLiteral("nome")}) {
    QStringList linhas;
    for (Recordset rs = conexaoBanco->Execute(sql); !rs.Eof(); rs.MoveNext()) {
        QStringList valores;
        for (const QString& c : colunas)
            valores << rs[c].toString();
        linhas << valores.join(QLatin1Char(' '));
    }
    return linhas;
}

// What a file of the previous version has that the plain shell cannot use: the program's own
// collation on the names and triggers calling the program's own functions.
void TornarVersaoAnterior() {
    conexaoBanco->ExecuteNative(QStringLiteral(R"SQL(
DROP TABLE funcionarios;
CREATE TABLE funcionarios(codigo INTEGER PRIMARY KEY AUTOINCREMENT, nome TEXT COLLATE PTBR,
  registro TEXT COLLATE NOCASE, CODHORA TEXT COLLATE NOCASE, VALORHORA NUMERIC);
CREATE INDEX funcionarios_nome ON funcionarios(nome);
CREATE TRIGGER funcionarios_novo AFTER INSERT ON funcionarios
BEGIN INSERT INTO feriados(feriado) VALUES (NEW.nome); END;
DROP TRIGGER auditoria_insercao; DROP TRIGGER auditoria_alteracao; DROP TRIGGER auditoria_exclusao;
DROP TABLE auditoria_contexto;
CREATE TRIGGER auditoria_insercao AFTER INSERT ON movimentacao WHEN change_origin() IS NOT NULL
BEGIN INSERT INTO auditoria_movimentacao(origem) VALUES (change_origin()); END;
CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, funcionario TEXT (5),
  data TEXT (15), horas TEXT (15), obs TEXT (50), combinado TEXT (5));
PRAGMA user_version = 2;
)SQL"));
}

} // namespace

// The file belongs to the office: the plain sqlcipher shell with the key reads, changes and
// checks it, made by the program or upgraded from the previous version, and what it changes in
// the punches is recorded as coming from outside the program.
TEST(Esquema, ArquivoServeAoShellDoSqlcipherEONomeSegueEmPortugues) {
    for (const bool anterior : {false, true}) {
        SCOPED_TRACE(anterior ? "upgraded" : "new");
        BancoTeste banco;
        Clock::set(QDateTime(QDate(2026, 12, 7), QTime(14, 30, 5)));
        if (anterior)
            TornarVersaoAnterior();
        for (const char* nome : {"Zeca", "Érica", "ÁLVARO", "ANA", "ana", "Bruno"})
            banco.funcionario(QString::fromUtf8(nome), QStringLiteral("1"));
        const qint64 ana = 4;
        banco.sql(QStringLiteral("Delete from funcionarios where codigo = 6"));
        if (anterior) {
            for (const char* guardado : {" 4", "004", "+4", "4", "99", "x"})
                conexaoBanco->ExecuteNative(
                    QStringLiteral("INSERT INTO HoraCombinada(codigo, funcionario) SELECT "
                                   "coalesce(max(codigo), 0) + 1, '%1' FROM HoraCombinada")
                        .arg(QLatin1String(guardado)));
            AbrirConexao();
            EXPECT_EQ(Coluna(QStringLiteral("select funcionario from HoraCombinada order by codigo"),
                             {"funcionario"}),
                      QStringList({"4", "4", "4", "4", "99", "x"}));
            EXPECT_EQ(Coluna(QStringLiteral("Select * from feriados"), {"feriado"}).size(), 6)
                << "the office's own trigger stays";
        }
        EXPECT_EQ(banco.funcionario(QStringLiteral("Cássio"), QStringLiteral("2")), 7)
            << "a deleted employee's number is not given again";
        // Accents and case do not count; equal names keep the order of their numbers.
        EXPECT_EQ(Coluna(QStringLiteral("Select * from funcionarios ORDER BY NOME ASC")),
                  QStringList({"ÁLVARO", "ANA", "ana", "Cássio", "Érica", "Zeca"}));
        EXPECT_EQ(Coluna(QStringLiteral(
                      "Select CODIGO,NOME from FUNCIONARIOS where NOME like 'e%'   ORDER BY NOME")),
                  QStringList({"Érica"}));
        EXPECT_EQ(Coluna(QStringLiteral("Select * from funcionarios where nome = 'erica'")),
                  QStringList({"Érica"}));

        QProcess shell;
        shell.start(QStringLiteral("sqlcipher"), {banco.caminhoArquivo()});
        shell.write(QStringLiteral(R"SQL(PRAGMA key='QWZRTLK';
INSERT INTO funcionarios(nome, registro) VALUES ('Débora', '5');
UPDATE funcionarios SET nome = 'Dalva' WHERE registro = '5';
DELETE FROM funcionarios WHERE registro = '5';
INSERT INTO movimentacao(data, hora, EntradaSaida, funcionario, periodo) VALUES ('2026-12-05', '08:00:00', 'E', %1, 'M');
UPDATE movimentacao SET hora = '08:05:00' WHERE codigo = (SELECT max(codigo) FROM movimentacao);
DELETE FROM movimentacao WHERE codigo = (SELECT max(codigo) FROM movimentacao);
PRAGMA integrity_check;
)SQL")
                        .arg(ana)
                        .toUtf8());
        shell.closeWriteChannel();
        ASSERT_TRUE(shell.waitForFinished(30000));
        EXPECT_EQ(shell.exitCode(), 0);
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardError()), QString());
        EXPECT_TRUE(
            QString::fromUtf8(shell.readAllStandardOutput()).split('\n').contains(QStringLiteral("ok")));

        // A terminal scan leaves no row; a screen's change is recorded at the program's clock.
        banco.ponto(ana, QStringLiteral("07/12/2026"), QStringLiteral("14:30:05"), QStringLiteral("E"));
        {
            const OrigemAlteracao origem(QStringLiteral("frmLancarDia"));
            banco.ponto(ana, QStringLiteral("07/12/2026"), QStringLiteral("18:00:00"), QStringLiteral("S"));
        }
        const QString hoje = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        EXPECT_EQ(Coluna(QStringLiteral("Select * from auditoria_movimentacao order by codigo"),
                         {"operacao", "data", "nome", "origem"}),
                  QStringList({"LANCADO " + hoje + " ANA fora do programa",
                               "ALTERADO " + hoje + " ANA fora do programa",
                               "EXCLUIDO " + hoje + " ANA fora do programa",
                               "LANCADO 07/12/2026 ANA frmLancarDia"}));
        EXPECT_TRUE(Coluna(QStringLiteral("Select origem from auditoria_contexto"), {"origem"}).isEmpty());
        Clock::set({});
    }
}
