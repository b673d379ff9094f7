#include "../reports/DadosRelatorio.h"
#include "BancoTeste.h"
#include "CartaoPonto.h"
#include "Clock.h"
#include "Esquema.h"
#include "GradeHorarios.h"
#include "JornadaDiaria.h"
#include "ListaFuncionarios.h"
#include "Processo.h"
#include "SaldoPorDia.h"
#include "ServidorCups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

Execucao Executar(const QStringList& args) {
    return ExecutarProcesso(QStringLiteral(VELTO_RELATORIO), args);
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

    // A card or a code that finds nobody is an error, not a card without a name.
    for (const QStringList& quem : {QStringList{QStringLiteral("--cartao"), QStringLiteral("0000000000000")},
                                    QStringList{QStringLiteral("--funcionario"), QStringLiteral("999")}}) {
        r = Executar(QStringList{QStringLiteral("cartao")} + quem + Periodo());
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.erro, QStringLiteral("velto-relatorio: Funcionário não encontrado\n"));
        EXPECT_TRUE(r.saida.isEmpty());
    }
    r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QStringLiteral("x")} +
                 Periodo());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.erro, QStringLiteral("FORNECA UM FUNCIONARIO!\n"));
    r = Executar({QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--de"),
                  QStringLiteral("31/03/2010"), QStringLiteral("--ate"), QStringLiteral("01/03/2010")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erro.startsWith(QStringLiteral("velto-relatorio: o período termina (01/03/2010) antes")))
        << r.erro.toStdString();

    // Mistakes in the call: exit 2, the tool's name first, nothing on the standard output.
    const QStringList errados[] = {
        QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QStringLiteral("1"),
                    QStringLiteral("--todos")} +
            Periodo(),
        {QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--de"),
         QStringLiteral("01/03/2010")},
        QStringList{QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--copias")} +
            Periodo(),
        QStringList{QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--pdf"),
                    QStringLiteral("a.pdf"), QStringLiteral("--impressora")} +
            Periodo(),
        {QStringLiteral("inexistente")},
        {}};
    for (const QStringList& args : errados) {
        r = Executar(args);
        EXPECT_EQ(r.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.erro.startsWith(QStringLiteral("velto-relatorio: "))) << r.erro.toStdString();
        EXPECT_TRUE(r.saida.isEmpty());
    }
    r = Executar({QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.saida.contains(QStringLiteral("velto-relatorio cartao (--funcionario N")));
    EXPECT_TRUE(r.erro.isEmpty());
    r = Executar({QStringLiteral("--version")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.saida.startsWith(QStringLiteral("velto-relatorio 2.")));
}

TEST_F(VeltoRelatorioTeste, PdfDeUmCartaoEDeTodosNumSoArquivo) {
    // A folder that does not exist is not made up.
    const QString um = banco.raiz() + QStringLiteral("/pdf/ana.pdf");
    const QStringList args = QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"),
                                         QString::number(ana), QStringLiteral("--pdf"), um} +
                             Periodo();
    Execucao r = Executar(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erro.contains(QStringLiteral("não existe"))) << r.erro.toStdString();
    EXPECT_FALSE(QFileInfo::exists(banco.raiz() + QStringLiteral("/pdf")));

    ASSERT_TRUE(QDir().mkpath(banco.raiz() + QStringLiteral("/pdf")));
    r = Executar(args);
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.saida.isEmpty());
    EXPECT_TRUE(r.erro.isEmpty()) << "no toolkit warnings: " << r.erro.toStdString();
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
    // A folder nobody can write a file into, not even root.
    const QString arquivo = QStringLiteral("/proc/velto-cartao.pdf");
    const Execucao r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"),
                                            QString::number(ana), QStringLiteral("--pdf"), arquivo} +
                                Periodo());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erro.contains(QStringLiteral("velto-relatorio: Não foi possível gravar o arquivo")))
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
    EXPECT_EQ(r.erro, QStringLiteral("velto-relatorio: Funcionário não encontrado\n"));
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

// A file with only the five tables, never opened by the program: every reader reads it as it is.
TEST(VeltoRelatorioArquivoAntigo, LeitoresLeemUmArquivoSoComAsCincoTabelas) {
    QTemporaryDir pasta;
    const QByteArray antes = qgetenv("VELTO_DRIVE_ROOT");
    qputenv("VELTO_DRIVE_ROOT", pasta.path().toUtf8());
    {
        const std::unique_ptr<Connection> c = Connection::Create(kStringConexao);
        CriarEsquema(*c, QStringLiteral("x"));
        c->Execute(QStringLiteral(
            "INSERT INTO funcionarios(nome, registro, CODHORA) VALUES('ANA', '7891000079195', '1')"));
        c->Execute(QStringLiteral("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) "
                                  "values('02/03/2010','08:00:00', 'E', 1, 'M' )"));
    }
    const QString pdf = pasta.filePath(QStringLiteral("etiquetas.pdf"));
    for (const QStringList& args :
         {QStringList{"cartao", "--todos"} + Periodo(), QStringList{"jornada", "--todos"} + Periodo(),
          QStringList{"saldo", "--todos"} + Periodo(), QStringList{"grade", "--todos"},
          QStringList{"funcionarios"}, QStringList{"etiquetas", "--pdf", pdf},
          QStringList{"auditoria"} + Periodo()}) {
        const Execucao r = Executar(args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << ": " << r.erro.toStdString();
        EXPECT_TRUE(r.erro.isEmpty()) << r.erro.toStdString();
        EXPECT_TRUE(args[0] != "auditoria" || r.saida.contains("Nenhuma alteração no período."))
            << r.saida.toStdString();
    }
    qputenv("VELTO_DRIVE_ROOT", antes);
}

// Printing through the print system: a running queue gets the whole run as one job; a stopped
// one gets nothing, and the cards stay as a PDF named on the error output.
TEST_F(VeltoRelatorioTeste, ImpressoraAtivaRecebeEParadaViraPdf) {
    ServidorCups cups;
    ASSERT_TRUE(cups.iniciado()) << cups.erro().toStdString();
    Execucao r = Executar(
        QStringList{QStringLiteral("cartao"), QStringLiteral("--todos"), QStringLiteral("--impressora")} +
        Periodo());
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.erro.isEmpty()) << r.erro.toStdString();
    const QByteArray recebido = cups.esperarTrabalho(QStringLiteral("Velto"));
    ASSERT_FALSE(recebido.isEmpty());
    const QString copia = banco.raiz() + QStringLiteral("/recebido.pdf");
    QFile f(copia);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(recebido);
    f.close();
    EXPECT_EQ(Paginas(copia), 3);

    r = Executar(QStringList{QStringLiteral("cartao"), QStringLiteral("--funcionario"), QString::number(ana),
                             QStringLiteral("--impressora"), QStringLiteral("Parada")} +
                 Periodo());
    EXPECT_EQ(r.status, 1);
    const QString prefixo = QStringLiteral(
        "velto-relatorio: A impressora Parada está parada: o documento foi gravado no arquivo\n");
    ASSERT_TRUE(r.erro.startsWith(prefixo)) << r.erro.toStdString();
    const QString guardado = r.erro.mid(prefixo.size()).trimmed();
    EXPECT_TRUE(guardado.startsWith(banco.raiz() + QStringLiteral("/C/PONTO/impressoes/velto-")));
    EXPECT_TRUE(
        TextoDaPagina(guardado, 1).contains(QStringLiteral("FUNCIONARIO.............: %1 - ANA").arg(ana)));
    EXPECT_TRUE(cups.trabalhosPendentes(QStringLiteral("Parada")).isEmpty());
}

TEST_F(VeltoRelatorioTeste, AuditoriaListaAsAlteracoesDoPeriodoNaOrdem) {
    Clock::set(QDateTime(QDate(2010, 3, 3), QTime(10, 15, 0)));
    const qint64 entrada =
        banco.sql(QStringLiteral("Select min(codigo) as s from movimentacao"))["s"].toInteger();
    {
        const OrigemAlteracao origem(QStringLiteral("frm_manutHorario"));
        banco.sql(QStringLiteral("update   MOVIMENTACAO set periodo= 'M', data = '02/03/2010', entradaSaida= "
                                 "'E', HORA = '07:55:00'   WHERE CODIGO = %1 ")
                      .arg(entrada));
    }
    Clock::set(QDateTime(QDate(2010, 3, 4), QTime(9, 0, 0)));
    {
        const OrigemAlteracao origem(QStringLiteral("frmLancarDia"));
        banco.ponto(zeca, "03/03/2010", "17:00:00", "S", "2");
    }
    Clock::set({});
    const QStringList de = {QStringLiteral("auditoria"), QStringLiteral("--de"),
                            QStringLiteral("03/03/2010")};

    Execucao r = Executar(de + QStringList{QStringLiteral("--ate"), QStringLiteral("04/03/2010")});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    QStringList linhas = r.saida.split('\n');
    ASSERT_GE(linhas.size(), 7);
    EXPECT_EQ(linhas[0],
              QStringLiteral("VELTO - Alterações de pontos feitas à mão: 03/03/2010 - 04/03/2010"));
    EXPECT_TRUE(linhas[2].startsWith(QStringLiteral("QUANDO")));
    EXPECT_EQ(linhas[3].simplified(),
              QStringLiteral("03/03/2010 10:15:00 ALTERADO frm_manutHorario %1 %2 ANA "
                             "02/03/2010 08:00:00 E M -> 02/03/2010 07:55:00 E M")
                  .arg(entrada)
                  .arg(ana));
    EXPECT_TRUE(
        linhas[4].simplified().startsWith(QStringLiteral("04/03/2010 09:00:00 LANCADO frmLancarDia")));
    EXPECT_TRUE(linhas[4].simplified().endsWith(QStringLiteral("ZECA -> 03/03/2010 17:00:00 S 2")));
    EXPECT_EQ(linhas[6], QStringLiteral("2 alterações."));

    // One employee; a period with nothing; a date that is none.
    r = Executar(de + QStringList{QStringLiteral("--ate"), QStringLiteral("04/03/2010"),
                                  QStringLiteral("--funcionario"), QString::number(zeca)});
    EXPECT_EQ(r.saida.count(QStringLiteral("LANCADO")) + r.saida.count(QStringLiteral("ALTERADO")), 1);
    r = Executar({QStringLiteral("auditoria"), QStringLiteral("--de"), QStringLiteral("05/03/2010"),
                  QStringLiteral("--ate"), QStringLiteral("31/03/2010")});
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Nenhuma alteração no período.")));
    r = Executar(de + QStringList{QStringLiteral("--ate"), QStringLiteral("32/03/2010")});
    EXPECT_EQ(r.status, 2);

    const QString pdf = banco.raiz() + QStringLiteral("/auditoria.pdf");
    r = Executar(de + QStringList{QStringLiteral("--ate"), QStringLiteral("04/03/2010"),
                                  QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(
        TextoDaPagina(pdf, 1).contains(QStringLiteral("02/03/2010 08:00:00 E M -> 02/03/2010 07:55:00 E M")));
}
