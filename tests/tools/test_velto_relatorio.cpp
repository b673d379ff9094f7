#include "../reports/DadosRelatorio.h"
#include "CartaoPonto.h"
#include "Clock.h"
#include "Esquema.h"
#include "GradeHorarios.h"
#include "JornadaDiaria.h"
#include "LeitorCodigos.h"
#include "ListaFuncionarios.h"
#include "Processo.h"
#include "SaldoPorDia.h"
#include "ServidorCups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

Execucao Executar(const QStringList& args) {
    return ExecutarProcesso(QStringLiteral(VELTO_RELATORIO), args);
}

const QStringList kPeriodo = {"--de", "01/03/2010", "--ate", "31/03/2010"};
const QString kP = u" --de 01/03/2010 --ate 31/03/2010"_s;

// The text of one page, blanks run together (the PDF keeps positions, not blanks).
QString TextoDaPagina(const QString& arquivo, int pagina) {
    const QString n = QString::number(pagina);
    return ExecutarProcesso(u"pdftotext"_s, {"-layout", "-f", n, "-l", n, arquivo, "-"}).saida.simplified();
}

// ZECA (1), ANA (2) on a Tuesday schedule with one pair, MARIA (3).
void Montar(BancoTeste& banco) {
    banco.funcionario(u"ZECA"_s, u"7891000079195"_s);
    banco.funcionario(u"ANA"_s, u"7891000158388"_s, u"001"_s);
    banco.funcionario(u"MARIA"_s, u"7891000237571"_s);
    Horario(banco, "001", 3, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
    Pontos(banco, 2, {"02/03/2010 08:00:00 E", "02/03/2010 12:00:00 S"});
}

class VeltoRelatorioTeste : public ::testing::Test {
protected:
    BancoTeste banco{u"ferramenta"_s, Montar};
};

QString Texto(const std::function<void(ListaTexto&)>& relatorio) {
    ListaTexto lista;
    relatorio(lista);
    return lista.itens().join(u'\n') + u'\n';
}

// What the report screen lists for each employee in turn, as the tool prints it.
QString NaTela(bool (*relatorio)(const EntradaRelatorio&, const DestinoRelatorio&),
               const QList<qint64>& quem) {
    const char* nomes[] = {"", "ZECA", "ANA", "MARIA"};
    QString texto;
    for (const qint64 c : quem)
        texto += Texto([&](ListaTexto& l) {
            EXPECT_TRUE(relatorio({"01/03/2010", "31/03/2010", QString::number(c), nomes[c], false, {}},
                                  {&l, nullptr}));
        });
    return texto;
}

} // namespace

TEST_F(VeltoRelatorioTeste, CadaRelatorioComoNaTela) {
    const QString ana = NaTela(&CartaoPonto, {2});
    const QString zeca = Texto([](ListaTexto& l) { GradeHorarios(u"1"_s, false, {&l, nullptr}); });
    // Blanks and apostrophes of a typed card are stripped, as on the screen; all in name order.
    const std::pair<QStringList, QString> casos[] = {
        {QStringList{"cartao", "--funcionario", "2"} + kPeriodo, ana},
        {QStringList{"cartao", "--cartao", " 78910'00158388 "} + kPeriodo, ana},
        {QStringList{"cartao", "--todos"} + kPeriodo, NaTela(&CartaoPonto, {2, 3, 1})},
        {QStringList{"jornada", "--todos"} + kPeriodo, NaTela(&JornadaDiaria, {2, 3, 1})},
        {QStringList{"saldo", "--todos"} + kPeriodo, NaTela(&SaldoPorDia, {2, 3, 1})},
        {{"grade", "--cartao", "7891000079195"}, zeca},
        {{"funcionarios"}, Texto([](ListaTexto& l) { ListaFuncionarios(l); })}};
    for (const auto& [args, saida] : casos) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        EsperarExecucao(Executar(args), 0, saida);
    }
}

TEST_F(VeltoRelatorioTeste, MensagensDeValidacaoEUso) {
    const QString ninguem = u"velto-relatorio: Funcionário não encontrado\n"_s, uso = u"velto-relatorio: "_s;
    // Refused entries exit 1, mistakes in the call 2 (after the table), nothing on the standard output.
    const std::tuple<QString, int, QString> casos[] = {
        {"cartao --funcionario 1 --de 31/02/2010 --ate 31/03/2010", 1, "Forneca uma data Valida!\n"},
        {"cartao --cartao 0000000000000" + kP, 1, ninguem},
        {"cartao --funcionario 999" + kP, 1, ninguem},
        {"cartao --funcionario x" + kP, 1, "FORNECA UM FUNCIONARIO!\n"},
        {"cartao --todos --de 31/03/2010 --ate 01/03/2010", 1,
         "velto-relatorio: o período termina (01/03/2010) antes"},
        {"cartao --funcionario 2 --pdf /proc/velto-cartao.pdf" + kP, 1,
         "velto-relatorio: Não foi possível gravar o arquivo"},
        {"cartao --funcionario 2 --pdf " + banco.raiz() + "/pdf/ana.pdf" + kP, 1,
         "velto-relatorio: a pasta " + banco.raiz() + "/pdf não existe\n"},
        {"grade --funcionario 99 --pdf " + banco.raiz() + "/nada.pdf", 1, ninguem},
        {"etiquetas --cartao 000 --pdf " + banco.raiz() + "/nada.pdf", 1,
         "velto-relatorio: Funcionário não encontrado: nenhum funcionário tem o cartão 000\n"},
        {"jornada --funcionario 1 --de 01/03/2010 --ate 31/13/2010", 1, "Data Invalida!\n"},
        {"saldo --funcionario x" + kP, 1, "FORNECA UM FUNCIONARIO!\n"}};
    for (const auto& [args, status, erro] : casos) {
        SCOPED_TRACE(args.toStdString());
        EsperarExecucao(Executar(args.split(u' ', Qt::SkipEmptyParts)), status, {}, erro);
    }
    for (const QString& args :
         {"cartao --funcionario 1 --todos" + kP, u"cartao --todos --de 01/03/2010"_s,
          "cartao --todos --copias" + kP, "cartao --todos --pdf a.pdf --impressora" + kP,
          u"funcionarios --todos"_s, u"etiquetas"_s, u"auditoria --de 03/03/2010 --ate 32/03/2010"_s,
          u"inexistente"_s, QString()})
        EsperarExecucao(Executar(args.split(u' ', Qt::SkipEmptyParts)), 2, {}, uso);
    EXPECT_FALSE(QFileInfo::exists(banco.raiz() + u"/pdf"_s));
    EXPECT_FALSE(QFileInfo::exists(banco.raiz() + u"/nada.pdf"_s));
    for (const auto& [opcao, texto] : {std::pair{"--help", "velto-relatorio cartao (--funcionario N"},
                                       {"--version", "velto-relatorio 2."}}) {
        const Execucao r = Executar({opcao});
        EXPECT_TRUE(r.status == 0 && r.saida.contains(QString::fromUtf8(texto)) && r.erro.isEmpty()) << opcao;
    }
    // No file; then one with only the five tables, never opened by the program: every reader reads it.
    if (BancoTeste::noServidor())
        return;
    QTemporaryDir vazio;
    qputenv("VELTO_DRIVE_ROOT", vazio.path().toUtf8());
    EsperarExecucao(Executar(QStringList{"cartao", "--todos"} + kPeriodo), 1, {}, uso);
    {
        const std::unique_ptr<Connection> c = Connection::Create(kStringConexao);
        CriarEsquema(*c, u"x"_s);
        c->ExecuteNative(uR"SQL(
INSERT INTO funcionarios(nome, registro, CODHORA) VALUES('ANA', '7891000079195', '1');
INSERT INTO movimentacao(data, hora, EntradaSaida, funcionario, periodo)
  VALUES('2010-03-02', '08:00:00', 'E', 1, 'M');)SQL"_s);
    }
    for (const QStringList& args :
         {QStringList{"cartao", "--todos"} + kPeriodo, QStringList{"jornada", "--todos"} + kPeriodo,
          QStringList{"saldo", "--todos"} + kPeriodo, QStringList{"grade", "--todos"},
          QStringList{"funcionarios"}, QStringList{"etiquetas", "--pdf", vazio.filePath(u"e.pdf"_s)},
          QStringList{"auditoria"} + kPeriodo}) {
        const Execucao r = Executar(args);
        EXPECT_TRUE(r.status == 0 && r.erro.isEmpty())
            << args.join(' ').toStdString() << ": " << r.erro.toStdString();
    }
    qputenv("VELTO_DRIVE_ROOT", banco.raiz().toUtf8());
}

TEST_F(VeltoRelatorioTeste, PdfsDeUmEDeTodosNumSoArquivo) {
    // Each employee starts on a page of his own, in name order; no toolkit warnings either.
    for (const char* relatorio : {"cartao", "jornada"}) {
        const QString todos = banco.raiz() + u"/todos.pdf"_s;
        EsperarExecucao(Executar(QStringList{relatorio, "--todos", "--pdf", todos} + kPeriodo), 0, {});
        ASSERT_EQ(PaginasPdf(todos, 10).size(), 3);
        for (const auto& [pagina, linha] : {std::pair{1, "2 - ANA"}, {2, "3 - MARIA"}, {3, "1 - ZECA"}}) {
            const QString daPagina = TextoDaPagina(todos, pagina);
            EXPECT_TRUE(daPagina.contains(u"FUNCIONARIO.............: "_s + QLatin1String(linha))) << pagina;
            EXPECT_EQ(daPagina.count(u"FUNCIONARIO....."_s), 1) << pagina;
        }
        EXPECT_EQ(
            TextoDaPagina(todos, 1).contains(u"02/03/2010 TERCA-FEIRA 08:00:00 12:00:00 00:00:00 00:00:00 "
                                             u"08:00:00 04:00:00 -04:00:00"_s),
            relatorio == std::string("jornada"));
        QFile::remove(todos);
    }
    const QString grade = banco.raiz() + u"/grade.pdf"_s;
    EsperarExecucao(Executar({"grade", "--funcionario", "2", "--pdf", grade}), 0, {});
    EXPECT_TRUE(TextoDaPagina(grade, 1).startsWith(u"HORARIO FUNCIONARIO - VELTO NOME......: 2 - ANA"_s));
}

// The default queue gets the run as one job; any other queue state keeps a PDF, named with the reason.
TEST_F(VeltoRelatorioTeste, ImpressoraAtivaRecebeEAsOutrasViramPdfComOMotivo) {
    ServidorCups cups;
    ASSERT_TRUE(cups.iniciado()) << cups.erro().toStdString();
    EsperarExecucao(Executar(QStringList{"cartao", "--todos", "--impressora"} + kPeriodo), 0, {});
    const QByteArray recebido = cups.esperarTrabalho(u"Velto"_s);
    const QString copia = banco.raiz() + u"/recebido.pdf"_s;
    QFile f(copia);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(recebido) == recebido.size());
    f.close();
    EXPECT_EQ(PaginasPdf(copia, 10).size(), 3);
    const QString impressoes = banco.raiz() + u"/C/PONTO/impressoes"_s;
    EXPECT_TRUE(QDir(impressoes).entryList(QDir::Files).isEmpty());
    const std::pair<const char*, QString> filas[] = {
        {"Parada", u"A impressora Parada está parada"_s},
        {"Recusa", u"A impressora Recusa não está aceitando trabalhos"_s},
        {"Nenhuma", u"A impressora Nenhuma não foi encontrada"_s}};
    for (const auto& [fila, motivo] : filas) {
        SCOPED_TRACE(fila);
        const Execucao r =
            Executar(QStringList{"cartao", "--funcionario", "2", "--impressora", fila} + kPeriodo);
        const QString prefixo = u"velto-relatorio: "_s + motivo + u": o documento foi gravado no arquivo\n"_s;
        EsperarExecucao(r, 1, {}, prefixo.chopped(1));
        const QString guardado = r.erro.mid(prefixo.size()).trimmed();
        EXPECT_TRUE(guardado.startsWith(impressoes + u"/velto-"_s));
        EXPECT_TRUE(TextoDaPagina(guardado, 1).contains(u"FUNCIONARIO.............: 2 - ANA"_s));
    }
    EXPECT_TRUE(cups.trabalhosPendentes(u"Parada"_s).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(cups.saidaDaFila(u"Parada"_s)));
    EXPECT_EQ(QDir(impressoes).entryList(QDir::Files).size(), 3);
}

// Labels in codigo order, three to a row; one card's label, its blanks and apostrophes stripped.
TEST_F(VeltoRelatorioTeste, EtiquetasDeTodosDeUmCartaoEDeNinguem) {
    const QString folha = banco.raiz() + u"/folha.pdf"_s, uma = banco.raiz() + u"/uma.pdf"_s,
                  nada = banco.raiz() + u"/nada.pdf"_s;
    EsperarExecucao(Executar({"etiquetas", "--pdf", folha}), 0, {});
    const QList<QImage> paginas = PaginasPdf(folha, 150);
    ASSERT_EQ(paginas.size(), 1);
    const double p = 150 / 1440.0;
    for (const auto& [x, codigo] :
         {std::pair{300, "7891000079195"}, {4200, "7891000158388"}, {8200, "7891000237571"}})
        EXPECT_EQ(LerCodigoEm(paginas.first(), QRect(int(x * p), int(400 * p), int(3900 * p), int(1000 * p))),
                  QLatin1String(codigo));
    EsperarExecucao(Executar({"etiquetas", "--cartao", "7891000'158388", "--pdf", uma}), 0, {});
    EXPECT_EQ(LerCodigoEm(PaginasPdf(uma, 150).value(0), QRect(0, 0, int(4200 * p), int(1400 * p))),
              u"7891000158388"_s);
    banco.sql(u"Delete from funcionarios"_s);
    EsperarExecucao(Executar({"etiquetas", "--pdf", nada}), 0, {},
                    u"velto-relatorio: nenhum funcionário cadastrado\n"_s);
    EXPECT_FALSE(QFile::exists(nada));
}

// A screen's changes listed before and after; no line for the terminal's punches or a no-op change.
TEST_F(VeltoRelatorioTeste, AuditoriaListaAsAlteracoesDoPeriodoNaOrdem) {
    Clock::set(QDateTime(QDate(2010, 3, 3), QTime(10, 15, 0)));
    {
        const OrigemAlteracao origem(u"frm_manutHorario"_s);
        for (int vez = 0; vez < 2; ++vez)
            banco.sql(u"update   MOVIMENTACAO set periodo= 'M', data = '02/03/2010', entradaSaida= 'E', "
                      u"HORA = '07:55:00'   WHERE CODIGO = 1 "_s);
    }
    Clock::set(QDateTime(QDate(2010, 3, 4), QTime(9, 0, 0)));
    {
        const OrigemAlteracao origem(u"frmLancarDia"_s);
        banco.ponto(1, "03/03/2010", "17:00:00", "S", "2");
    }
    {
        const OrigemAlteracao origem(u"FrmFuncionarios"_s);
        banco.sql(u"delete from movimentacao where funcionario = 2"_s);
        banco.sql(u"delete from funcionarios where codigo = 2"_s);
    }
    banco.ponto(1, "04/03/2010", "08:00:00", "E");
    Clock::set({});
    const QStringList de = {"auditoria", "--de", "03/03/2010", "--ate"};
    Execucao r = Executar(de + QStringList{"04/03/2010"});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    QStringList linhas = r.saida.split(u'\n');
    for (QString& linha : linhas)
        linha = linha.simplified();
    EXPECT_EQ(
        linhas,
        QStringList({u"VELTO - Alterações de pontos feitas à mão: 03/03/2010 - 04/03/2010"_s,
                     QString(113, u'-'), u"QUANDO OPERACAO ORIGEM LANC. FUNCIONARIO ANTES DEPOIS"_s,
                     u"03/03/2010 10:15:00 ALTERADO frm_manutHorario 1 2 ANA 02/03/2010 08:00:00 E M -> "
                     u"02/03/2010 07:55:00 E M"_s,
                     u"04/03/2010 09:00:00 LANCADO frmLancarDia 3 1 ZECA -> 03/03/2010 17:00:00 S 2"_s,
                     u"04/03/2010 09:00:00 EXCLUIDO FrmFuncionarios 1 2 ANA 02/03/2010 07:55:00 E M ->"_s,
                     u"04/03/2010 09:00:00 EXCLUIDO FrmFuncionarios 2 2 ANA 02/03/2010 12:00:00 S M ->"_s,
                     QString(113, u'-'), u"4 alterações."_s, QString()}));
    r = Executar(de + QStringList{"04/03/2010", "--funcionario", "1"});
    EXPECT_EQ(r.saida.count(u"LANCADO"_s) + r.saida.count(u"ALTERADO"_s), 1);
    r = Executar({"auditoria", "--de", "05/03/2010", "--ate", "31/03/2010"});
    EXPECT_TRUE(r.saida.contains(u"Nenhuma alteração no período."_s));
    const QString pdf = banco.raiz() + u"/auditoria.pdf"_s;
    EsperarExecucao(Executar(de + QStringList{"04/03/2010", "--pdf", pdf}), 0, {});
    EXPECT_TRUE(TextoDaPagina(pdf, 1).contains(u"02/03/2010 08:00:00 E M -> 02/03/2010 07:55:00 E M"_s));
}

namespace {

// A month of a dozen employees whose names sort and match only when folded, two schedules and
// some holidays and agreements, inserted out of order and then partly changed and deleted by hand.
void CenarioAleatorio(BancoTeste& banco) {
    QRandomGenerator r(2010);
    const auto embaralhar = [&r](QStringList lista) {
        for (qsizetype i = lista.size() - 1; i > 0; --i)
            lista.swapItemsAt(i, r.bounded(static_cast<int>(i + 1)));
        return lista;
    };
    const QStringList nomes = embaralhar({"Ana", "ANA", "Ána Souza", "álvaro", "Beatriz", "bia", "Érica",
                                          "erica", "Zeca", "Cássio", "caio", "Çelso"});
    for (int i = 0; i < nomes.size(); ++i)
        banco.sql(
            u"INSERT INTO funcionarios(nome, registro, CODHORA, VALORHORA) VALUES('%1', '%2', '%3', '%4')"_s
                .arg(nomes[i], QString::number(7891000000000 + i), i % 3 ? u"00%1"_s.arg(i % 3) : QString(),
                     QString::number(r.bounded(10, 30)) + u",5"_s));
    for (const QString& dia : embaralhar({"1", "2", "3", "4", "5", "6", "7"})) {
        Horario(banco, "001", dia.toInt(), "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
        Horario(banco, "002", dia.toInt(), "22:00:00", "02:00:00", "03:00:00", "06:00:00", "07:00:00");
    }
    banco.sql(u"UPDATE horarios SET nome = '07:30:00' WHERE registro = '001' AND CODHORA = '3'"_s);
    Feriado(banco, "CARNAVAL", "16", "02", "2010");
    Feriado(banco, "PADROEIRA", "19", "03", "");
    banco.sql(u"DROP TABLE IF EXISTS HoraCombinada"_s);
    banco.sql(
        u"CREATE TABLE HoraCombinada(codigo INTEGER CONSTRAINT primarykey PRIMARY KEY, funcionario TEXT "
        u"(5), data TEXT (15), horas TEXT (15), obs TEXT (50), combinado TEXT (5))"_s);
    for (int i = 1; i <= 4; ++i)
        banco.sql(
            u"INSERT INTO HoraCombinada(codigo, funcionario, data, horas, obs, combinado) VALUES(%1, '%2', "
            u"'%3/03/2010', '02:00', 'extra', '1')"_s.arg(i)
                .arg(r.bounded(1, 13))
                .arg(r.bounded(10, 29)));
    QStringList pontos;
    for (int f = 1; f <= nomes.size(); ++f) {
        for (int dia = 1; dia <= 31; ++dia) {
            if (r.bounded(4) == 0)
                continue;
            const QString data = u"%1/03/2010"_s.arg(dia, 2, 10, QLatin1Char('0'));
            for (const char* tipo : {"E", "S", "E", "S"})
                pontos << u"%1 %2 %3:%4:00 %5"_s.arg(f)
                              .arg(data)
                              .arg(r.bounded(6, 20), 2, 10, QLatin1Char('0'))
                              .arg(r.bounded(60), 2, 10, QLatin1Char('0'))
                              .arg(QLatin1String(tipo));
        }
    }
    for (const QString& ponto : embaralhar(pontos)) {
        const QStringList p = ponto.split(u' ');
        banco.ponto(p[0].toLongLong(), p[1], p[2], p[3], r.bounded(2) ? u"M"_s : u"T"_s);
    }
    banco.sql(u"UPDATE funcionarios SET nome = 'BIA' WHERE codigo = 3"_s);
    const OrigemAlteracao origem(u"frm_manutHorario"_s);
    const qint64 ultimo = banco.sql(u"Select max(codigo) as m from movimentacao"_s)["m"].toInteger();
    for (int i = 0; i < 40; ++i) {
        const qint64 codigo = r.bounded(1, static_cast<int>(ultimo) + 1);
        if (i % 4 == 0)
            banco.sql(u"Delete From  MOVIMENTACAO  WHERE CODIGO = %1"_s.arg(codigo));
        else
            banco.sql(u"update   MOVIMENTACAO set periodo= 'T', hora = '%1:15:00' WHERE CODIGO = %2"_s
                          .arg(r.bounded(6, 20), 2, 10, QLatin1Char('0'))
                          .arg(codigo));
    }
    banco.sql(u"Delete from movimentacao where funcionario = 5"_s);
}

// What every report prints for the scenario, from the database the environment leads to.
QStringList Relatorios() {
    QStringList saidas;
    for (const QStringList& args :
         {QStringList{"cartao", "--todos"} + kPeriodo, QStringList{"jornada", "--todos"} + kPeriodo,
          QStringList{"saldo", "--todos"} + kPeriodo, QStringList{"grade", "--todos"},
          QStringList{"funcionarios"},
          QStringList{"auditoria", "--de", "01/04/2010", "--ate", "01/04/2010"}}) {
        const Execucao r = Executar(args);
        EXPECT_EQ(r.status, 0) << r.erro.toStdString();
        saidas << r.saida;
    }
    return saidas;
}

} // namespace

// One random scenario in a file and on a server: every report gives the same lines.
TEST(ArquivoEServidor, CenarioAleatorioDaAsMesmasLinhasNosDois) {
    const QByteArray servidor = qgetenv("VELTO_TESTE_PG");
    ASSERT_FALSE(servidor.isEmpty()) << "needs the test server (VELTO_TESTE_PG)";
    Clock::set(QDateTime(QDate(2010, 4, 1), QTime(10, 0)));
    QStringList noArquivo;
    {
        qunsetenv("VELTO_TESTE_PG");
        BancoTeste banco;
        qputenv("VELTO_TESTE_PG", servidor);
        CenarioAleatorio(banco);
        conexaoBanco.reset();
        noArquivo = Relatorios();
    }
    BancoTeste banco;
    CenarioAleatorio(banco);
    conexaoBanco.reset();
    const QStringList noServidor = Relatorios();
    EXPECT_EQ(noServidor, noArquivo);
    EXPECT_GT(noArquivo.join(QString()).count(u'\n'), 1000);
    Clock::set({});
}
