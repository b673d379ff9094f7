#include "Conexao.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(VeltoBanco, ArquivoSemPermissaoDeGravarRecusadoPorQuemGravaELidoPorQuemLe) {
    ASSERT_EQ(rodar({QStringLiteral("criar"), QStringLiteral("--senha"), QStringLiteral("abc")}).status, 0);
    // Root may write any file: the tools then run as another account, for whom it is read-only.
    QStringList comoOutro;
    if (::geteuid() == 0) {
        comoOutro = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                     QStringLiteral("--clear-groups")};
        for (const QString& caminho :
             {pasta.path(), pasta.path() + QStringLiteral("/C"), pasta.path() + QStringLiteral("/C/PONTO")})
            ASSERT_EQ(::chmod(QFile::encodeName(caminho).constData(), 0755), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(arquivo()).constData(), 0444), 0);
    const auto executar = [&](const char* programa, const QStringList& args) {
        return comoOutro.isEmpty()
                   ? rodar(args, {}, programa)
                   : rodar(comoOutro + QStringList{QString::fromUtf8(programa)} + args, {}, "setpriv");
    };

    const Saida grava = executar(VELTO_BANCO, {QStringLiteral("senha"), QStringLiteral("nova")});
    EXPECT_EQ(grava.status, 1);
    EXPECT_TRUE(grava.err.contains(QStringLiteral("sem permissão para gravar"))) << grava.err.toStdString();
    EXPECT_TRUE(grava.err.contains(QStringLiteral("C:\\PONTO\\ponto.mdb")));
    EXPECT_TRUE(grava.err.contains(arquivo()));

    const Saida le =
        executar(VELTO_BANCO, {QStringLiteral("sql"), QStringLiteral("Select senha from permissao")});
    EXPECT_EQ(le.status, 0) << le.err.toStdString();
    EXPECT_EQ(le.out, QStringLiteral("senha\nabc\n"));
    const Saida relatorio =
        executar(VELTO_RELATORIO,
                 {QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--de"),
                  QStringLiteral("01/11/2026"), QStringLiteral("--ate"), QStringLiteral("30/11/2026")});
    EXPECT_EQ(relatorio.status, 0) << relatorio.err.toStdString();
}

TEST_F(VeltoBanco, BlobsSaemInteiros) {
    ASSERT_EQ(rodar({QStringLiteral("criar")}).status, 0);
    const Saida z = rodar({QStringLiteral("sql"), QStringLiteral("select zeroblob(1000) as z")});
    EXPECT_EQ(z.status, 0) << z.err.toStdString();
    EXPECT_EQ(z.out, "z\nX'" + QString(2000, QLatin1Char('0')) + "'\n");
}
