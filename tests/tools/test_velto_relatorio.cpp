#include "../reports/DadosRelatorio.h"
#include "BancoTeste.h"
#include "CartaoPonto.h"
#include "GradeHorarios.h"
#include "JornadaDiaria.h"
#include "ListaFuncionarios.h"
#include "SaldoPorDia.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct Execucao {
    int status = -1;
    QString saida;
    QString erro;
};

Execucao Executar(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VELTO_RELATORIO), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString Rodar(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << programa.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << programa.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The page count of a PDF file, as pdfinfo reads it; -1 when it has none.
int Paginas(const QString& arquivo) {
    const QRegularExpression paginas(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                     QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = paginas.match(Rodar(QStringLiteral("pdfinfo"), {arquivo}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of one page, blanks run together (the PDF keeps positions, not blanks).
QString TextoDaPagina(const QString& arquivo, int pagina) {
    const QString n = QString::number(pagina);
    return Rodar(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                               QStringLiteral("-l"), n, arquivo, QStringLiteral("-")})
        .simplified();
}

QStringList Periodo() {
    return {QStringLiteral("--de"), QStringLiteral("01/03/2010"), QStringLiteral("--ate"),
            QStringLiteral("31/03/2010")};
}

class VeltoRelatorioTeste : public ::testing::Test {
protected:
    void SetUp() override {
        zeca = banco.funcionario(QStringLiteral("ZECA"), QStringLiteral("7891000079195"));
        ana = banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000158388"));
        maria = banco.funcionario(QStringLiteral("MARIA"), QStringLiteral("7891000237571"));
        banco.ponto(ana, "02/03/2010", "08:00:00", "E");
        banco.ponto(ana, "02/03/2010", "12:00:00", "S");
    }

    // The list the report screen would show for the employee.
    QString ListaDaTela(qint64 codigo, const QString& nome) {
        ListaTexto lista;
        EntradaCartaoPonto e{"01/03/2010", "31/03/2010", QString::number(codigo), nome, false, {}};
        EXPECT_TRUE(CartaoPonto(e, {&lista, nullptr}));
        return lista.itens().join(QLatin1Char('\n')) + QLatin1Char('\n');
    }

    BancoTeste banco;
    qint64 zeca = 0;
    qint64 ana = 0;
    qint64 maria = 0;
};

} // namespace

TEST_F(VeltoRelatorioTeste, CartaoDeUmFuncionarioPorCodigoOuPorCartao) {
    const QString esperado = ListaDaTela(ana, QStringLiteral("ANA"));
    ASSERT_TRUE(esperado.contains(QStringLiteral("08:00:00  12:00:00  04:00:00")));

    const Execucao porCodigo = Executar(
        QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QString::number(ana)} +
        Periodo());
    EXPECT_EQ(porCodigo.status, 0) << porCodigo.erro.toStdString();
    EXPECT_EQ(porCodigo.saida, esperado);
    EXPECT_TRUE(porCodigo.erro.isEmpty());

    // Blanks and apostrophes of a typed card are stripped, as on the screen.
    const Execucao porCartao = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--cartao"),
                                                    QStringLiteral(" 78910'00158388 ")} +
                                        Periodo());
    EXPECT_EQ(porCartao.status, 0);
    EXPECT_EQ(porCartao.saida, esperado);
}

TEST_F(VeltoRelatorioTeste, TodosEmOrdemDeNome) {
    const Execucao r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--todos")} + Periodo());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.saida, ListaDaTela(ana, QStringLiteral("ANA")) + ListaDaTela(maria, QStringLiteral("MARIA")) +
                           ListaDaTela(zeca, QStringLiteral("ZECA")));
}

TEST_F(VeltoRelatorioTeste, MensagensDeValidacaoEUso) {
    Execucao r =
        Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QStringLiteral("1"),
                             QStringLiteral("--de"), QStringLiteral("31/02/2010"), QStringLiteral("--ate"),
                             QStringLiteral("31/03/2010")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.erro, QStringLiteral("Forneca uma data Valida!\n"));
    EXPECT_TRUE(r.saida.isEmpty());

    // An unknown card leaves the employee empty, as the screen does.
    r = Executar(
        QStringList{QStringLiteral("cartao"), QStringLiteral("--cartao"), QStringLiteral("0000000000000")} +
        Periodo());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.erro, QStringLiteral("FORNECA UM FUNCIONARIO!\n"));
    EXPECT_TRUE(r.saida.isEmpty());

    r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QStringLiteral("1"),
                             QStringLiteral("--todos")} +
                 Periodo());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erro.startsWith(QStringLiteral("Uso:")));
    r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--de"),
                             QStringLiteral("01/03/2010")});
    EXPECT_EQ(r.status, 2);
    r = Executar({QStringLiteral("jornada")});
    EXPECT_EQ(r.status, 2);
}

TEST_F(VeltoRelatorioTeste, PdfDeUmCartaoEDeTodosNumSoArquivo) {
    // The folder of the file does not exist yet.
    const QString um = banco.raiz() + QStringLiteral("/pdf/ana.pdf");
    Execucao r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"),
                                      QString::number(ana), QStringLiteral("--pdf"), um} +
                          Periodo());
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.saida.isEmpty());
    EXPECT_EQ(Paginas(um), 1);
    const QString texto = TextoDaPagina(um, 1);
    EXPECT_TRUE(texto.contains(QStringLiteral("VELTO - Referente período: 01/03/2010 - 31/03/2010")));
    EXPECT_TRUE(texto.contains(QStringLiteral("FUNCIONARIO.............: %1 - ANA").arg(ana)));
    EXPECT_TRUE(texto.contains(QStringLiteral("08:00:00 12:00:00 04:00:00")));

    // Each card starts on a page of its own, in name order.
    const QString todos = banco.raiz() + QStringLiteral("/todos.pdf");
    r = Executar(
        QStringList{QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--pdf"), todos} +
        Periodo());
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.saida.isEmpty());
    ASSERT_EQ(Paginas(todos), 3);
    const std::pair<qint64, const char*> ordem[] = {{ana, "ANA"}, {maria, "MARIA"}, {zeca, "ZECA"}};
    for (int pagina = 1; pagina <= 3; ++pagina) {
        const auto [codigo, nome] = ordem[pagina - 1];
        const QString linha =
            QStringLiteral("FUNCIONARIO.............: %1 - %2").arg(codigo).arg(QLatin1String(nome));
        const QString daPagina = TextoDaPagina(todos, pagina);
        EXPECT_TRUE(daPagina.contains(linha)) << pagina;
        EXPECT_EQ(daPagina.count(QStringLiteral("FUNCIONARIO.....")), 1) << pagina;
    }
}

TEST_F(VeltoRelatorioTeste, PdfQueNaoPodeSerGravadoNaoFingeSucesso) {
    // A file stands where the folder of the PDF would be.
    QFile bloqueio(banco.raiz() + QStringLiteral("/bloqueio"));
    ASSERT_TRUE(bloqueio.open(QIODevice::WriteOnly));
    bloqueio.close();
    const QString arquivo = bloqueio.fileName() + QStringLiteral("/cartao.pdf");
    const Execucao r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"),
                                            QString::number(ana), QStringLiteral("--pdf"), arquivo} +
                                Periodo());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erro.contains(QStringLiteral("velto-relatorio: Não foi possível criar a pasta")))
        << r.erro.toStdString();
    EXPECT_TRUE(r.saida.isEmpty());
    EXPECT_FALSE(QFile::exists(arquivo));
}

TEST_F(VeltoRelatorioTeste, JornadaSaldoGradeEFuncionariosComoNaTela) {
    const auto texto = [](const QStringList& linhas) {
        return linhas.join(QLatin1Char('\n')) + QLatin1Char('\n');
    };
    const auto doPeriodo = [&](bool (*relatorio)(const EntradaRelatorio&, const DestinoRelatorio&)) {
        QString todos;
        for (const auto& [codigo, nome] : {std::pair{ana, "ANA"}, {maria, "MARIA"}, {zeca, "ZECA"}}) {
            ListaTexto lista;
            EXPECT_TRUE(relatorio({"01/03/2010", "31/03/2010", QString::number(codigo), nome, false, {}},
                                  {&lista, nullptr}));
            todos += texto(lista.itens());
        }
        return todos;
    };
    for (const auto& [comando, relatorio] : {std::pair{"jornada", &JornadaDiaria}, {"saldo", &SaldoPorDia}}) {
        const Execucao r =
            Executar(QStringList{QLatin1String(comando), QStringLiteral("--todos")} + Periodo());
        EXPECT_EQ(r.status, 0) << comando << r.erro.toStdString();
        EXPECT_EQ(r.saida, doPeriodo(relatorio)) << comando;
    }
    const Execucao saldo = Executar(QStringList{"saldo", "--funcionario", QString::number(ana)} + Periodo());
    EXPECT_TRUE(saldo.saida.contains(QStringLiteral("          T: 04:00:00  J: 00:00:00  S: 04:00:00 +")));

    ListaTexto grade;
    ASSERT_TRUE(GradeHorarios(QString::number(zeca), false, {&grade, nullptr}));
    Execucao r = Executar({"grade", "--cartao", "7891000079195"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.saida, texto(grade.itens()));
    r = Executar({"grade", "--funcionario", "99"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.erro, QStringLiteral("velto-relatorio: funcionário não encontrado\n"));
    EXPECT_TRUE(r.saida.isEmpty());

    ListaTexto funcionarios;
    ListaFuncionarios(funcionarios);
    r = Executar({"funcionarios"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.saida, texto(funcionarios.itens()));
    EXPECT_EQ(Executar({"funcionarios", "--todos"}).status, 2);

    r = Executar({"jornada", "--funcionario", "1", "--de", "01/03/2010", "--ate", "31/13/2010"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.erro, QStringLiteral("Data Invalida!\n"));
    r = Executar(QStringList{"saldo", "--funcionario", "x"} + Periodo());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.erro, QStringLiteral("FORNECA UM FUNCIONARIO!\n"));
}

TEST_F(VeltoRelatorioTeste, JornadaEGradeEmPdf) {
    banco.sql("UPDATE funcionarios SET CODHORA = '001' WHERE codigo = " + QString::number(ana));
    Horario(banco, "001", 3, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
    const QString jornada = banco.raiz() + QStringLiteral("/jornada.pdf");
    Execucao r = Executar(QStringList{"jornada", "--todos", "--pdf", jornada} + Periodo());
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    ASSERT_EQ(Paginas(jornada), 3);
    EXPECT_TRUE(
        TextoDaPagina(jornada, 1)
            .contains(QStringLiteral(
                "02/03/2010 TERCA-FEIRA 08:00:00 12:00:00 00:00:00 00:00:00 08:00:00 04:00:00 -04:00:00")));
    EXPECT_TRUE(
        TextoDaPagina(jornada, 3).contains(QStringLiteral("FUNCIONARIO.............: %1 - ZECA").arg(zeca)));

    const QString grade = banco.raiz() + QStringLiteral("/grade.pdf");
    r = Executar({"grade", "--funcionario", QString::number(ana), "--pdf", grade});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(TextoDaPagina(grade, 1).startsWith(
        QStringLiteral("HORARIO FUNCIONARIO - VELTO NOME......: %1 - ANA").arg(ana)));
    EXPECT_TRUE(
        TextoDaPagina(grade, 1).contains(QStringLiteral("TERCA-FEIRA 08:00:00 12:00:00 13:00:00 17:00:00")));
    // Nobody found: no file.
    const QString nada = banco.raiz() + QStringLiteral("/nada.pdf");
    EXPECT_EQ(Executar({"grade", "--funcionario", "99", "--pdf", nada}).status, 1);
    EXPECT_FALSE(QFile::exists(nada));
}

TEST(VeltoRelatorioSemBanco, ErroDoBancoVaiParaOErro) {
    QTemporaryDir vazio;
    const QByteArray antes = qgetenv("VELTO_DRIVE_ROOT");
    qputenv("VELTO_DRIVE_ROOT", vazio.path().toUtf8());
    const Execucao r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--todos")} + Periodo());
    qputenv("VELTO_DRIVE_ROOT", antes);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erro.startsWith(QStringLiteral("velto-relatorio: "))) << r.erro.toStdString();
}
