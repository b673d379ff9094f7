#include "Conexao.h"

#include <QFileInfo>
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

// A copy taken while the program holds the file open, with punches still in the write-ahead log.
TEST_F(VeltoBanco, CopiaComPontosNoLogEVerificacao) {
    ASSERT_EQ(rodar({QStringLiteral("criar"), QStringLiteral("--senha"), QStringLiteral("x")}).status, 0);
    qputenv("VELTO_DRIVE_ROOT", pasta.path().toUtf8());
    AbrirConexao();
    conexaoBanco->Execute(QStringLiteral("INSERT INTO funcionarios(nome, registro) VALUES('A', '1')"));
    for (int i = 0; i < 200; ++i)
        conexaoBanco->Execute(
            QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                           "values('05/12/2026','08:00:00', '%1', 1, 'M' )")
                .arg(i % 2 ? QLatin1Char('S') : QLatin1Char('E')));
    ASSERT_GT(QFileInfo(arquivo() + QStringLiteral("-wal")).size(), 0) << "the punches are in the log";

    const QString copia = pasta.path() + QStringLiteral("/copia.mdb");
    const Saida s = rodar({QStringLiteral("copia"), copia});
    ASSERT_EQ(s.status, 0) << s.err.toStdString();
    EXPECT_EQ(s.out, QStringLiteral("Cópia gravada e verificada: %1\n").arg(copia));
    conexaoBanco.reset();
    {
        auto c = Connection::Open(QStringLiteral("Dbq=%1;Pwd=QWZRTLK;").arg(copia));
        EXPECT_EQ(c->Execute(QStringLiteral("Select count(*) as n from movimentacao"))["n"].toInteger(), 200);
        EXPECT_TRUE(c->IntegrityCheck().isEmpty());
    }
    const Saida verificada = rodar({QStringLiteral("verificar"), copia});
    EXPECT_EQ(verificada.status, 0);
    EXPECT_TRUE(verificada.out.contains(QStringLiteral("está íntegro"))) << verificada.out.toStdString();

    // Never over another file.
    const Saida denovo = rodar({QStringLiteral("copia"), copia});
    EXPECT_EQ(denovo.status, 1);
    EXPECT_TRUE(denovo.err.contains(QStringLiteral("já existe")));

    // A damaged page is found.
    QFile f(copia);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() - 2000);
    f.write(QByteArray(500, 'x'));
    f.close();
    const Saida danificada = rodar({QStringLiteral("verificar"), copia});
    EXPECT_EQ(danificada.status, 1);
    EXPECT_TRUE(danificada.err.startsWith(QStringLiteral("velto-banco: "))) << danificada.err.toStdString();
    EXPECT_TRUE(danificada.out.isEmpty());
}

TEST_F(VeltoBanco, ConvencoesDaLinhaDeComandoESenhaPelaEntrada) {
    const Saida ajuda = rodar({QStringLiteral("--help")});
    EXPECT_EQ(ajuda.status, 0);
    EXPECT_TRUE(ajuda.out.contains(QStringLiteral("velto-banco copia ARQUIVO")));
    EXPECT_TRUE(ajuda.err.isEmpty());
    const Saida versao = rodar({QStringLiteral("--version")});
    EXPECT_EQ(versao.status, 0);
    EXPECT_TRUE(versao.out.startsWith(QStringLiteral("velto-banco 2.")));
    const QStringList errados[] = {{},
                                   {QStringLiteral("nada")},
                                   {QStringLiteral("criar"), QStringLiteral("--senha")},
                                   {QStringLiteral("criar"), QStringLiteral("--sennha"), QStringLiteral("x")},
                                   {QStringLiteral("senha")},
                                   {QStringLiteral("copia")},
                                   {QStringLiteral("caminho"), QStringLiteral("a")}};
    for (const QStringList& args : errados) {
        const Saida s = rodar(args);
        EXPECT_EQ(s.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(s.err.startsWith(QStringLiteral("velto-banco: "))) << s.err.toStdString();
        EXPECT_TRUE(s.out.isEmpty());
    }

    // Passwords from standard input stay out of the arguments.
    ASSERT_EQ(rodar({QStringLiteral("criar"), QStringLiteral("--senha"), QStringLiteral("-")}, "com espaço\n")
                  .status,
              0);
    const QString consulta = QStringLiteral("Select senha from permissao");
    EXPECT_EQ(rodar({QStringLiteral("sql"), consulta}).out, QStringLiteral("senha\ncom espaço\n"));
    ASSERT_EQ(rodar({QStringLiteral("senha"), QStringLiteral("-")}, "outra\r\n").status, 0);
    EXPECT_EQ(rodar({QStringLiteral("sql"), consulta}).out, QStringLiteral("senha\noutra\n"));
    const Saida vazia = rodar({QStringLiteral("senha"), QStringLiteral("--senha"), QStringLiteral("-")}, "");
    EXPECT_EQ(vazia.status, 1);
    EXPECT_EQ(rodar({QStringLiteral("sql"), consulta}).out, QStringLiteral("senha\noutra\n"));
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
    ASSERT_EQ(rodar({QStringLiteral("sql"),
                     QStringLiteral("delete from horarios where not (registro = '001' and CODHORA = '2')")})
                  .status,
              0);
    EXPECT_EQ(rodar({QStringLiteral("totais")}).out,
              QStringLiteral("Totais de horas recalculados: 1 linha de horários atualizada.\n"));
    EXPECT_NE(rodar({QStringLiteral("totais"), QStringLiteral("x")}).status, 0);
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
