#include "BancoTeste.h"
#include "CartaoPonto.h"
#include "Clock.h"
#include "DadosRelatorio.h"
#include "GradeHorarios.h"
#include "JornadaDiaria.h"
#include "ListaFuncionarios.h"
#include "ListaTela.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"
#include "SaldoPorDia.h"
#include "TelaTeste.h"
#include "frmRelatorios.h"
#include "frm_consultarFuncionarios.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTableView>

namespace {

class RelatoriosTeste : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::set(QDateTime(QDate(2010, 3, 15), QTime(9, 30, 0)));
        ana =
            banco.funcionario(QStringLiteral("ANA"), QStringLiteral("7891000079195"), QStringLiteral("001"));
        bruno = banco.funcionario(QStringLiteral("BRUNO"), QStringLiteral("7891000158388"));
        for (int dia = 2; dia <= 6; ++dia)
            Horario(banco, "001", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
        banco.ponto(ana, "02/03/2010", "08:00:00", "E");
        banco.ponto(ana, "02/03/2010", "12:10:00", "S");
        banco.ponto(ana, "02/03/2010", "13:00:00", "E", "T");
        banco.ponto(ana, "02/03/2010", "16:50:00", "S", "T");
        area.resize(1100, 720);
        ASSERT_TRUE(Ativar(area));
        tela = new frmRelatorios;
        tela->showIn(&area);
        Processar();
    }
    void TearDown() override {
        SetDefaultPrinter(nullptr);
        Clock::set({});
    }

    // Types into the field and leaves it with Enter, as a user does.
    void digitarESair(QLineEdit* campo, const QString& texto) {
        campo->setFocus();
        Processar();
        campo->selectAll();
        QTest::keyClicks(campo, texto);
        QTest::keyClick(campo, Qt::Key_Return);
        Processar();
    }
    frm_consultarFuncionarios* consulta() const {
        for (auto* c : area.findChildren<frm_consultarFuncionarios*>()) {
            if (!c->isUnloaded())
                return c;
        }
        return nullptr;
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    QMdiArea area;
    QPointer<frmRelatorios> tela;
    qint64 ana = 0, bruno = 0;
};

} // namespace

TEST_F(RelatoriosTeste, CarregaComOPeriodoDoMes) {
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Relatório Velto"));
    EXPECT_EQ(tela->txtData->Text(), QStringLiteral("01/03/2010"));
    EXPECT_EQ(tela->txtdata1->Text(), QStringLiteral("15/03/2010"));
    EXPECT_TRUE(tela->txtData->hasFocus());
    EXPECT_FALSE(tela->ckboxImprimir->isChecked());
    for (QPushButton* b : {tela->Command1, tela->Command2, tela->Command3, tela->Command5, tela->Command6})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(QFontInfo(tela->List1->font()).fixedPitch());
    // A whole time-card line shows without scrolling.
    const int linha = tela->List1->fontMetrics().horizontalAdvance(QString(130, QLatin1Char('0')));
    EXPECT_GE(tela->List1->viewport()->width(), linha);
}

TEST_F(RelatoriosTeste, CartaoECodigoAchamOFuncionario) {
    banco.enviadas().clear();
    digitarESair(tela->txtcartao, QStringLiteral(" 78910'00079195 "));
    EXPECT_EQ(banco.enviadas().value(0),
              QStringLiteral("Select * from funcionarios where  registro  = '7891000079195'"));
    EXPECT_EQ(tela->TXTCODIGOFUNCIONARIO->text(), QString::number(ana));
    EXPECT_EQ(tela->TXTNOME->text(), QStringLiteral("ANA"));

    digitarESair(tela->txtcartao, QStringLiteral("0000000000000"));
    EXPECT_TRUE(tela->TXTCODIGOFUNCIONARIO->text().isEmpty());
    EXPECT_TRUE(tela->TXTNOME->text().isEmpty());

    banco.enviadas().clear();
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QString::number(bruno));
    EXPECT_EQ(banco.enviadas().value(0),
              QStringLiteral("Select * from funcionarios where  codigo  = ") + QString::number(bruno));
    EXPECT_EQ(tela->TXTNOME->text(), QStringLiteral("BRUNO"));
    // Not a number: the name stays.
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QStringLiteral("x1"));
    EXPECT_EQ(tela->TXTNOME->text(), QStringLiteral("BRUNO"));
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QStringLiteral("999"));
    EXPECT_TRUE(tela->TXTNOME->text().isEmpty());
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(RelatoriosTeste, ZeroAbreAConsultaQueDevolveOCodigo) {
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QStringLiteral("0"));
    EXPECT_TRUE(tela->TXTCODIGOFUNCIONARIO->text().isEmpty());
    EXPECT_TRUE(tela->chamouConsulta);
    frm_consultarFuncionarios* c = consulta();
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->txtconsultar->hasFocus());

    QTest::keyClicks(c->txtconsultar, QStringLiteral("BR"));
    QTest::keyClick(c->txtconsultar, Qt::Key_Return); // to the grid
    Processar();
    ASSERT_TRUE(c->DataGrid1->hasFocus());
    QTest::keyClick(c->DataGrid1, Qt::Key_Return); // chooses BRUNO
    Processar();
    EXPECT_FALSE(consulta());
    EXPECT_FALSE(tela->chamouConsulta);
    EXPECT_EQ(tela->TXTCODIGOFUNCIONARIO->text(), QString::number(bruno));
    EXPECT_TRUE(tela->TXTCODIGOFUNCIONARIO->hasFocus());
    EXPECT_TRUE(tela->TXTNOME->text().isEmpty());

    // The name follows when the user leaves the field.
    QTest::keyClick(tela->TXTCODIGOFUNCIONARIO, Qt::Key_Return);
    Processar();
    EXPECT_EQ(tela->TXTNOME->text(), QStringLiteral("BRUNO"));
}

TEST_F(RelatoriosTeste, ConsultaFechadaPorEscNaoDevolveDepois) {
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QStringLiteral("0"));
    frm_consultarFuncionarios* c = consulta();
    ASSERT_TRUE(c);
    QTest::keyClick(c->txtconsultar, Qt::Key_Escape);
    Processar();
    EXPECT_FALSE(consulta());
    EXPECT_FALSE(tela->chamouConsulta);
    ASSERT_TRUE(tela);

    auto* outra = new frm_consultarFuncionarios;
    outra->showIn(&area);
    Processar();
    outra->DataGrid1->setFocus();
    Processar();
    QTest::keyClick(outra->DataGrid1, Qt::Key_Return);
    Processar();
    EXPECT_FALSE(outra->isUnloaded());
    EXPECT_TRUE(tela->TXTCODIGOFUNCIONARIO->text().isEmpty());
}

TEST_F(RelatoriosTeste, ListaOuImpressora) {
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QString::number(ana));
    tela->txtdata1->setText(QStringLiteral("31/03/2010"));
    ListaTexto esperada;
    ASSERT_TRUE(CartaoPonto({QStringLiteral("01/03/2010"),
                             QStringLiteral("31/03/2010"),
                             QString::number(ana),
                             QStringLiteral("ANA"),
                             false,
                             {}},
                            {&esperada, nullptr}));
    ASSERT_TRUE(esperada.itens().join('\n').contains(QStringLiteral("08:00:00  12:10:00  04:10:00")));

    auto gravadora = std::make_unique<RecordingPrinter>();
    RecordingPrinter* impressora = gravadora.get();
    SetDefaultPrinter(std::move(gravadora));
    tela->Command1->click();
    Processar();
    EsperarLinhas(tela->List1->itens(), esperada.itens());
    EXPECT_TRUE(impressora->items().isEmpty());
    EXPECT_TRUE(mensagens.calls.isEmpty());

    // Ticked: everything to the printer, the list as it was.
    tela->List1->clear();
    tela->ckboxImprimir->setChecked(true);
    tela->Command1->click();
    Processar();
    EXPECT_EQ(tela->List1->count(), 0);
    EXPECT_EQ(impressora->documentsEnded(), 1);
    const QStringList impressas = impressora->lines();
    ASSERT_FALSE(impressas.isEmpty());
    EXPECT_EQ(impressas.first(), QStringLiteral("VELTO - Referente período: 01/03/2010 - 31/03/2010"));
    for (const QString& linha : esperada.itens())
        EXPECT_TRUE(impressas.contains(linha)) << linha.toStdString();
    // A real printer: no file to tell about.
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(RelatoriosTeste, SemImpressoraDizOndeFicouOPdf) {
    SetDefaultPrinter(std::make_unique<QtPrinter>(QtPrinter::Destination::PdfFile));
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QString::number(ana));
    tela->ckboxImprimir->setChecked(true);
    tela->Command1->click();
    Processar();
    ASSERT_EQ(mensagens.calls.size(), 1);
    const QString texto = mensagens.calls[0].text;
    EXPECT_EQ(mensagens.calls[0].title, QStringLiteral("Velto"));
    const QString arquivo = texto.section(QLatin1Char('\n'), 1);
    EXPECT_TRUE(texto.startsWith(QStringLiteral("Não há impressora configurada")));
    EXPECT_EQ(QFileInfo(arquivo).absolutePath(), QtPrinter::pdfFolder());
    EXPECT_GT(QFileInfo(arquivo).size(), 0);
}

TEST_F(RelatoriosTeste, ValidacaoDoCartaoEmCaixaDeMensagem) {
    tela->txtData->setText(QString());
    tela->Command1->click();
    Processar();
    ASSERT_EQ(mensagens.calls.size(), 1);
    EXPECT_EQ(mensagens.calls[0].text, QStringLiteral("Forneca uma data Valida!"));
    EXPECT_EQ(mensagens.calls[0].buttons, MsgBoxButtons::OkOnly);
    EXPECT_EQ(mensagens.calls[0].title, QStringLiteral("Velto"));

    tela->txtData->setText(QStringLiteral("01/03/2010"));
    tela->Command1->click();
    Processar();
    ASSERT_EQ(mensagens.calls.size(), 2);
    EXPECT_EQ(mensagens.calls[1].text, QStringLiteral("FORNECA UM FUNCIONARIO!"));
    EXPECT_EQ(tela->List1->count(), 0);
}

TEST_F(RelatoriosTeste, DataAlcancadaPorTabOuEnterNaoFicaSelecionada) {
    // Typing a day into the end of the period keeps the month and year already there.
    ASSERT_TRUE(tela->txtData->hasFocus());
    QTest::keyClick(tela->txtData, Qt::Key_Tab);
    Processar();
    ASSERT_TRUE(tela->txtdata1->hasFocus());
    EXPECT_TRUE(tela->txtdata1->selectedText().isEmpty());
    EXPECT_EQ(tela->txtdata1->cursorPosition(), 0);
    QTest::keyClicks(tela->txtdata1, QStringLiteral("31"));
    EXPECT_EQ(tela->txtdata1->Text(), QStringLiteral("31/03/2010"));

    QTest::keyClick(tela->txtdata1, Qt::Key_Return);
    Processar();
    ASSERT_TRUE(tela->txtcartao->hasFocus());
    tela->txtcartao->setText(QStringLiteral("7891000079195"));
    QTest::keyClick(tela->txtcartao, Qt::Key_Backtab);
    Processar();
    ASSERT_TRUE(tela->txtdata1->hasFocus());
    EXPECT_TRUE(tela->txtdata1->selectedText().isEmpty());
    EXPECT_EQ(tela->txtdata1->cursorPosition(), 0);
}

TEST_F(RelatoriosTeste, OsOutrosQuatroRelatoriosNaListaENaImpressora) {
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QString::number(ana));
    auto gravadora = std::make_unique<RecordingPrinter>();
    RecordingPrinter* impressora = gravadora.get();
    SetDefaultPrinter(std::move(gravadora));
    const EntradaRelatorio entrada{"01/03/2010", "15/03/2010", QString::number(ana), "ANA", false, {}};
    const auto lista = [](auto relatorio) {
        ListaTexto l;
        relatorio(l);
        return l.itens();
    };
    struct Caso {
        QPushButton* botao;
        QStringList esperada;
        bool limpaAoImprimir; // the daily journey empties the list in both modes
    };
    const QList<Caso> casos = {{tela->Command3, lista([&](ListaTexto& l) {
                                    JornadaDiaria(entrada, {&l, nullptr});
                                }),
                                true},
                               {tela->Command6, lista([&](ListaTexto& l) {
                                    SaldoPorDia(entrada, {&l, nullptr});
                                }),
                                false},
                               {tela->Command2, lista([&](ListaTexto& l) {
                                    GradeHorarios(QString::number(ana), false, {&l, nullptr});
                                }),
                                false}};
    for (const Caso& c : casos) {
        const std::string nome = c.botao->objectName().toStdString();
        ASSERT_GE(c.esperada.size(), 3) << nome;
        tela->ckboxImprimir->setChecked(false);
        c.botao->click();
        Processar();
        EXPECT_EQ(tela->List1->itens(), c.esperada) << nome;
        EXPECT_TRUE(impressora->items().isEmpty()) << nome;

        tela->ckboxImprimir->setChecked(true);
        c.botao->click();
        Processar();
        EXPECT_EQ(tela->List1->count(), c.limpaAoImprimir ? 0 : c.esperada.size()) << nome;
        EXPECT_EQ(impressora->documentsEnded(), 1) << nome;
        for (const QString& linha : c.esperada)
            EXPECT_TRUE(impressora->lines().contains(linha)) << nome << " " << linha.toStdString();
        impressora->clear();
    }
    // The employee list goes to the list whatever the box says.
    tela->Command5->click();
    Processar();
    EXPECT_EQ(tela->List1->itens(), lista([](ListaTexto& l) { ListaFuncionarios(l); }));
    EXPECT_EQ(tela->List1->count(), 3);
    EXPECT_TRUE(impressora->items().isEmpty());
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(RelatoriosTeste, GradeDeNinguemNaoGeraPdfNemAviso) {
    SetDefaultPrinter(std::make_unique<QtPrinter>(QtPrinter::Destination::PdfFile));
    tela->ckboxImprimir->setChecked(true);
    digitarESair(tela->TXTCODIGOFUNCIONARIO, QStringLiteral("999"));
    tela->Command2->click();
    Processar();
    EXPECT_TRUE(mensagens.calls.isEmpty());
    EXPECT_TRUE(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).isEmpty());

    // The day reports check the period with their own message.
    tela->txtdata1->setText(QStringLiteral("31/02/2010"));
    for (QPushButton* botao : {tela->Command3, tela->Command6}) {
        botao->click();
        Processar();
    }
    ASSERT_EQ(mensagens.calls.size(), 2);
    for (const MsgBoxCall& m : mensagens.calls) {
        EXPECT_EQ(m.text, QStringLiteral("Data Invalida!"));
        EXPECT_EQ(m.title, QStringLiteral("Velto"));
    }
}
