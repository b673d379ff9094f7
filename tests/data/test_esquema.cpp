#include "BancoTeste.h"
#include "DatabaseError.h"
#include "Esquema.h"

#include <QFile>
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

QStringList Nomes() {
    QStringList nomes;
    for (Recordset rs = conexaoBanco->Execute(QStringLiteral("Select * from funcionarios ORDER BY NOME ASC"));
         !rs.Eof(); rs.MoveNext())
        nomes << rs["nome"].toString();
    return nomes;
}

QString Criacao() {
    return conexaoBanco
        ->Execute(QStringLiteral("SELECT sql FROM sqlite_master WHERE lower(name) = 'funcionarios'"))["sql"]
        .toString();
}

} // namespace

TEST(Esquema, NomesDeArquivoAntigoPassamACompararComoEmPortugues) {
    BancoTeste banco;
    // funcionarios as earlier versions made it, with a trigger of the office's own.
    conexaoBanco->ExecuteNative(QStringLiteral(R"SQL(
DROP TABLE funcionarios;
CREATE TABLE funcionarios(
  codigo INTEGER PRIMARY KEY AUTOINCREMENT,
  nome TEXT COLLATE NOCASE, tele TEXT COLLATE NOCASE, endereco TEXT COLLATE NOCASE,
  cidade TEXT COLLATE NOCASE, estado TEXT COLLATE NOCASE, Aniversario TEXT COLLATE NOCASE,
  registro TEXT COLLATE NOCASE, DataAdmissao TEXT COLLATE NOCASE, CODHORA TEXT COLLATE NOCASE,
  VALORHORA NUMERIC);
CREATE INDEX funcionarios_registro ON funcionarios(registro);
CREATE INDEX funcionarios_nome ON funcionarios(nome);
CREATE TRIGGER funcionarios_novo AFTER INSERT ON funcionarios
BEGIN INSERT INTO feriados(feriado) VALUES (NEW.nome); END;
)SQL"));
    for (const char* nome : {"Érica", "ÁLVARO", "Zeca", "Bruno"})
        banco.funcionario(QString::fromUtf8(nome), QStringLiteral("1"));
    banco.sql(QStringLiteral("Delete from funcionarios where nome = 'Bruno'"));
    EXPECT_EQ(Nomes(), QStringList({"Zeca", "ÁLVARO", "Érica"})) << "the old comparison puts accents last";

    AbrirConexao();
    EXPECT_TRUE(Criacao().contains(QStringLiteral("nome TEXT COLLATE PTBR"))) << Criacao().toStdString();
    EXPECT_EQ(Nomes(), QStringList({"ÁLVARO", "Érica", "Zeca"}));
    const qint64 novo = banco.funcionario(QStringLiteral("CARLA"), QStringLiteral("2"));
    EXPECT_EQ(novo, 5) << "the number of the deleted employee is not given again";
    EXPECT_EQ(banco.sql(QStringLiteral("Select count(*) as n from feriados where feriado = 'CARLA'"))["n"]
                  .toInteger(),
              1)
        << "the trigger is still there";
    EXPECT_EQ(banco
                  .sql(QStringLiteral("Select count(*) as n from sqlite_master where type = 'index' and "
                                      "tbl_name = 'funcionarios'"))["n"]
                  .toInteger(),
              2);
    EXPECT_EQ(banco.sql(QStringLiteral("PRAGMA integrity_check"))["integrity_check"].toString(),
              QStringLiteral("ok"));
    const QString convertida = Criacao();
    AbrirConexao();
    EXPECT_EQ(Criacao(), convertida) << "a converted file is left alone";

    // A table made by hand: quoted name, a type with a size, a default with a comma and parentheses.
    conexaoBanco->ExecuteNative(QStringLiteral(
        "DROP TABLE funcionarios; CREATE TABLE FUNCIONARIOS(codigo INTEGER PRIMARY KEY, \"Nome\" VARCHAR(50) "
        "DEFAULT 'a, (b)', registro TEXT, CODHORA TEXT, VALORHORA NUMERIC);"
        "INSERT INTO FUNCIONARIOS(Nome, registro) VALUES ('érica', '1'), ('Ana', '2');"));
    AbrirConexao();
    EXPECT_TRUE(Criacao().contains(QStringLiteral("\"Nome\" VARCHAR(50) DEFAULT 'a, (b)' COLLATE PTBR")))
        << Criacao().toStdString();
    EXPECT_EQ(Nomes(), QStringList({"Ana", "érica"}));
}
