#include "Conexao.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Saida {
    int status;
    QString out;
    QString err;
};

class VeltoBanco : public ::testing::Test {
protected:
    QTemporaryDir pasta;

    Saida rodar(const QStringList& args, const QByteArray& entrada = {}, const char* programa = VELTO_BANCO) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELTO_DRIVE_ROOT"), pasta.path());
        p.setProcessEnvironment(env);
        p.start(QString::fromUtf8(programa), args);
        p.write(entrada);
        p.closeWriteChannel();
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString arquivo() const { return pasta.path() + QStringLiteral("/C/PONTO/ponto.mdb"); }
};

} // namespace

TEST_F(VeltoBanco, CriarComExemploEConsultar) {
    const Saida criar = rodar({QStringLiteral("criar"), QStringLiteral("--exemplo")});
    ASSERT_EQ(criar.status, 0) << criar.err.toStdString();
    EXPECT_TRUE(criar.out.contains(QStringLiteral("Senha de manutenção: "))) << criar.out.toStdString();
    EXPECT_TRUE(criar.out.contains(arquivo()));

    const Saida f =
        rodar({QStringLiteral("sql"), QStringLiteral("Select codigo, registro from funcionarios")});
    ASSERT_EQ(f.status, 0) << f.err.toStdString();
    const QStringList linhas = f.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(linhas.first(), QStringLiteral("codigo\tregistro"));
    EXPECT_EQ(linhas.size(), 13);
    for (const QString& l : linhas.mid(1))
        EXPECT_EQ(l.section(QLatin1Char('\t'), 1).size(), 13) << l.toStdString();

    const Saida h =
        rodar({QStringLiteral("sql"), QStringLiteral("Select DiaSemana from horarios group by DiaSemana")});
    EXPECT_GE(h.out.count(QLatin1Char('\n')), 6);
    const Saida p = rodar({QStringLiteral("sql"), QStringLiteral("Select count(*) as n from movimentacao")});
    EXPECT_GT(p.out.section(QLatin1Char('\n'), 1, 1).toInt(), 300);

    // Creating again refuses to overwrite.
    const Saida denovo = rodar({QStringLiteral("criar")});
    EXPECT_NE(denovo.status, 0);
    EXPECT_TRUE(denovo.err.contains(QStringLiteral("já existe")));
}

TEST_F(VeltoBanco, SenhaSqlELote) {
    ASSERT_EQ(rodar({QStringLiteral("criar"), QStringLiteral("--senha"), QStringLiteral("abc")}).status, 0);
    const Saida senha =
        rodar({QStringLiteral("sql"), QStringLiteral("Select senha from permissao where  codigo  =1")});
    EXPECT_EQ(senha.out, QStringLiteral("senha\nabc\n"));
    ASSERT_EQ(rodar({QStringLiteral("senha"), QStringLiteral("nova'senha")}).status, 0);
    EXPECT_EQ(rodar({QStringLiteral("sql"), QStringLiteral("Select senha from permissao")}).out,
              QStringLiteral("senha\nnova'senha\n"));

    // A batch is applied whole or not at all.
    const QByteArray bom =
        "INSERT INTO funcionarios(nome, registro) VALUES('A', '1')\n\n"
        "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('05/12/2026',"
        "'08:00:00', 'E', 1, 'M' )\n";
    EXPECT_EQ(rodar({QStringLiteral("sql")}, bom).status, 0);
    const QByteArray ruim = "INSERT INTO funcionarios(nome, registro) VALUES('B', '2')\n"
                            "Insert into movimentacao(data) values('32/12/2026')\n";
    const Saida falha = rodar({QStringLiteral("sql")}, ruim);
    EXPECT_NE(falha.status, 0);
    EXPECT_TRUE(falha.err.contains(QStringLiteral("linha 2"))) << falha.err.toStdString();
    const Saida depois =
        rodar({QStringLiteral("sql"), QStringLiteral("Select nome, VALORHORA from funcionarios")});
    EXPECT_EQ(depois.out, QStringLiteral("nome\tVALORHORA\nA\t\n"));
    const Saida m = rodar(
        {QStringLiteral("sql"), QStringLiteral("Select * from movimentacao where data>= #12-01-2026#")});
    EXPECT_EQ(m.out.section(QLatin1Char('\n'), 1, 1), QStringLiteral("1\t05/12/2026\t08:00:00\tE\t1\tM"));

    const Saida erro = rodar({QStringLiteral("sql"), QStringLiteral("Select * from nada")});
    EXPECT_NE(erro.status, 0);
    EXPECT_TRUE(erro.err.contains(QStringLiteral("nada")));
    EXPECT_TRUE(erro.out.isEmpty());
}

TEST_F(VeltoBanco, ArquivoIlegivelSemASenha) {
    ASSERT_EQ(rodar({QStringLiteral("criar")}).status, 0);
    QProcess p;
    p.start(QStringLiteral("sqlcipher"), {arquivo()});
    p.write(".tables\n");
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString tudo = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    EXPECT_FALSE(tudo.contains(QStringLiteral("funcionarios")));
    EXPECT_TRUE(tudo.contains(QStringLiteral("not a database"))) << tudo.toStdString();
}

TEST_F(VeltoBanco, TotaisRecalculaOsHorariosEOExemploJaEstaCerto) {
    ASSERT_EQ(rodar({QStringLiteral("criar"), QStringLiteral("--exemplo")}).status, 0);
    const QStringList consulta = {
        QStringLiteral("sql"), QStringLiteral("Select registro, CODHORA, totalhoras from horarios order by "
                                              "registro, CODHORA")};
    const Saida antes = rodar(consulta);
    // The night schedule totals its real hours: 03:00-06:00 and 22:00-02:00.
    EXPECT_TRUE(antes.out.contains(QStringLiteral("002\t3\t07:00:00\n"))) << antes.out.toStdString();

    const Saida totais = rodar({QStringLiteral("totais")});
    ASSERT_EQ(totais.status, 0) << totais.err.toStdString();
    EXPECT_EQ(totais.out,
              QStringLiteral("Totais de horas recalculados: 11 linhas de horários atualizadas.\n"));
    EXPECT_EQ(rodar(consulta).out, antes.out);

    // A row corrected by hand gets the total of its new times.
    ASSERT_EQ(rodar({QStringLiteral("sql"),
                     QStringLiteral(
                         "update horarios set cidade = '18:30:00' where registro = '001' and CODHORA = '2'")})
                  .status,
              0);
    ASSERT_EQ(rodar({QStringLiteral("totais")}).status, 0);
    EXPECT_TRUE(rodar(consulta).out.contains(QStringLiteral("001\t2\t09:30:00\n")));
    EXPECT_NE(rodar({QStringLiteral("totais"), QStringLiteral("x")}).status, 0);
}
