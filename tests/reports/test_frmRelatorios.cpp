#include "CartaoPonto.h"
#include "Clock.h"
#include "DadosRelatorio.h"
#include "GradeHorarios.h"
#include "JornadaDiaria.h"
#include "ListaFuncionarios.h"
#include "ListaTela.h"
#include "MaskedEdit.h"
#include "QtPrinter.h"
#include "SaldoPorDia.h"
#include "TelaTeste.h"
#include "frmRelatorios.h"
#include "frm_consultarFuncionarios.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QPushButton>
#include <QTableView>

namespace {

// ANA (1) on a weekday schedule with a day of two pairs; BRUNO (2) without schedule.
void Montar(BancoTeste& banco) {
    banco.funcionario(u"ANA"_s, u"7891000079195"_s, u"001"_s);
    banco.funcionario(u"BRUNO"_s, u"7891000158388"_s);
    for (int dia = 2; dia <= 6; ++dia)
        Horario(banco, "001", dia, "08:00:00", "12:00:00", "13:00:00", "17:00:00", "08:00:00");
    Pontos(banco, 1,
           {"02/03/2010 08:00:00 E", "02/03/2010 12:10:00 S", "02/03/2010 13:00:00 E T",
            "02/03/2010 16:50:00 S T"});
}

class RelatoriosTeste : public TesteDeTela {
protected:
    RelatoriosTeste()
        : TesteDeTela(u"telaRelatorios"_s, Montar) {}
    void SetUp() override {
        Clock::set(QDateTime(QDate(2010, 3, 15), QTime(9, 30, 0)));
        TesteDeTela::SetUp();
        tela = abrir<frmRelatorios>();
    }
    void TearDown() override {
        SetDefaultPrinter(nullptr);
        Clock::set({});
    }
    // The employee fields as the screen shows them: code, then name.
    QString quem() const { return tela->TXTCODIGOFUNCIONARIO->text() + "|" + tela->TXTNOME->text(); }
    frm_consultarFuncionarios* consulta() const { return aberta<frm_consultarFuncionarios>(); }

    QPointer<frmRelatorios> tela;
};

} // namespace

TEST_F(RelatoriosTeste, CarregaComOPeriodoDoMesEAchaOFuncionario) {
    EXPECT_EQ(QStringList({tela->windowTitle(), tela->txtData->Text(), tela->txtdata1->Text()}),
              QStringList({"Relatório Velto", "01/03/2010", "15/03/2010"}));
    banco.enviadas().clear();
    DigitarESair(tela->txtcartao, u" 78910'00079195 "_s);
    EXPECT_EQ(banco.enviadas().value(0), u"Select * from funcionarios where  registro  = '7891000079195'"_s);
    EXPECT_EQ(quem(), u"1|ANA"_s);
    DigitarESair(tela->txtcartao, u"0000000000000"_s);
    EXPECT_EQ(quem(), u"|"_s);

    banco.enviadas().clear();
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"2"_s);
    EXPECT_EQ(banco.enviadas().value(0), u"Select * from funcionarios where  codigo  = 2"_s);
    EXPECT_EQ(quem(), u"2|BRUNO"_s);
    // Not a number: the name stays.
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"x1"_s);
    EXPECT_EQ(quem(), u"x1|BRUNO"_s);
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"999"_s);
    EXPECT_EQ(quem(), u"999|"_s);
    EXPECT_TRUE(mensagens.calls.isEmpty());
}

TEST_F(RelatoriosTeste, ZeroAbreAConsultaQueDevolveOCodigo) {
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"0"_s);
    EXPECT_EQ(quem(), u"|"_s);
    ASSERT_TRUE(consulta());
    EscolherNaConsulta(consulta(), u"BR"_s);
    EXPECT_FALSE(consulta());
    EXPECT_EQ(quem(), u"2|"_s);
    // The name follows when the user leaves the field.
    QTest::keyClick(tela->TXTCODIGOFUNCIONARIO, Qt::Key_Return);
    Processar();
    EXPECT_EQ(quem(), u"2|BRUNO"_s);
}

TEST_F(RelatoriosTeste, CadaRelatorioNaListaOuNaImpressora) {
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"1"_s);
    tela->txtdata1->setText(u"31/03/2010"_s);
    auto gravadora = std::make_unique<RecordingPrinter>();
    RecordingPrinter* impressora = gravadora.get();
    SetDefaultPrinter(std::move(gravadora));
    const EntradaRelatorio entrada{"01/03/2010", "31/03/2010", "1", "ANA", false, {}};
    const auto lista = [](auto relatorio) {
        ListaTexto l;
        relatorio(l);
        return l.itens();
    };
    const QString titulo = u"VELTO - Referente período: 01/03/2010 - 31/03/2010"_s;
    struct Caso {
        QPushButton* botao;
        QStringList esperada;
        QString titulo;
        bool limpaAoImprimir; // the daily journey empties the list in both modes
    };
    const Caso casos[] = {{tela->Command1, lista([&](ListaTexto& l) {
                               CartaoPonto(entrada, {&l, nullptr});
                           }),
                           titulo, false},
                          {tela->Command3, lista([&](ListaTexto& l) {
                               JornadaDiaria(entrada, {&l, nullptr});
                           }),
                           titulo, true},
                          {tela->Command6, lista([&](ListaTexto& l) {
                               SaldoPorDia(entrada, {&l, nullptr});
                           }),
                           titulo, false},
                          {tela->Command2, lista([&](ListaTexto& l) {
                               GradeHorarios(u"1"_s, false, {&l, nullptr});
                           }),
                           u"HORARIO FUNCIONARIO - VELTO"_s, false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.botao->objectName().toStdString());
        ASSERT_GE(c.esperada.size(), 3);
        tela->ckboxImprimir->setChecked(false);
        EXPECT_TRUE(clicar(c.botao).isEmpty());
        EsperarLinhas(tela->List1->itens(), c.esperada);
        EXPECT_TRUE(impressora->items().isEmpty());

        // Ticked: everything to the printer, the list as it was.
        tela->List1->clear();
        tela->List1->AddItem(u"fica"_s);
        tela->ckboxImprimir->setChecked(true);
        EXPECT_TRUE(clicar(c.botao).isEmpty());
        EXPECT_EQ(tela->List1->itens(), c.limpaAoImprimir ? QStringList() : QStringList{u"fica"_s});
        EXPECT_EQ(impressora->documentsEnded(), 1);
        EXPECT_EQ(impressora->lines().value(0), c.titulo);
        for (const QString& linha : c.esperada)
            EXPECT_TRUE(impressora->lines().contains(linha)) << linha.toStdString();
        impressora->clear();
    }
    // The employee list goes to the list whatever the box says; a real printer: nothing to tell.
    EXPECT_TRUE(clicar(tela->Command5).isEmpty());
    EXPECT_EQ(tela->List1->itens(), lista([](ListaTexto& l) { ListaFuncionarios(l); }));
    EXPECT_EQ(tela->List1->count(), 3);
    EXPECT_TRUE(impressora->items().isEmpty());
}

TEST_F(RelatoriosTeste, SemImpressoraDizOndeFicouOPdf) {
    SetDefaultPrinter(std::make_unique<QtPrinter>(QtPrinter::Destination::PdfFile));
    DigitarESair(tela->TXTCODIGOFUNCIONARIO, u"1"_s);
    tela->ckboxImprimir->setChecked(true);
    clicar(tela->Command1);
    ASSERT_EQ(mensagens.calls.size(), 1);
    const QString texto = mensagens.calls[0].text;
    EXPECT_EQ(mensagens.calls[0].title, u"Velto"_s);
    EXPECT_TRUE(texto.startsWith(u"Não há impressora configurada"_s));
    const QString arquivo = texto.section(u'\n', 1);
    EXPECT_EQ(QFileInfo(arquivo).absolutePath(), QtPrinter::pdfFolder());
    EXPECT_GT(QFileInfo(arquivo).size(), 0);
}

// Refused entries, the dates first, then the employee code: a message box with OK titled
// "Velto", nothing sent, listed or printed. The schedule of nobody says nothing.
TEST_F(RelatoriosTeste, ValidacaoEmCaixaDeMensagemSemNadaSair) {
    SetDefaultPrinter(std::make_unique<QtPrinter>(QtPrinter::Destination::PdfFile));
    const QHash<QChar, QPushButton*> botoes = {
        {u'1', tela->Command1}, {u'2', tela->Command2}, {u'3', tela->Command3}, {u'6', tela->Command6}};
    const QStringList casos[] = {
        {"31/02/2010", "xx", "abc", "1", "Forneca uma data Valida!"},
        {"__/__/____", "31/03/2010", "1", "1", "Forneca uma data Valida!"},
        {"01/03/2010", "32/03/2010", "1", "1", "Forneca uma data Valida!"},
        {"01/03/2010", "31/03/2010", "", "1", "FORNECA UM FUNCIONARIO!"},
        {"01/03/2010", "31/03/2010", "JOAO", "1", "FORNECA UM FUNCIONARIO!"},
        {"01/03/2010", "31/03/2010", "1 or 1=1", "1", "FORNECA UM FUNCIONARIO!"},
        {"31/02/2010", "31/03/2010", "", "36", "Data Invalida!"},
        {"01/03/2010", "__/__/____", "1", "36", "Data Invalida!"},
        {"01/03/2010", "31/03/2010", "", "36", "FORNECA UM FUNCIONARIO!"},
        {"01/03/2010", "31/03/2010", "1; delete from movimentacao", "36", "FORNECA UM FUNCIONARIO!"},
        {"01/03/2010", "15/03/2010", "999", "2", ""}};
    for (const bool imprimir : {false, true}) {
        for (const QStringList& c : casos) {
            for (const QChar botao : c[3]) {
                SCOPED_TRACE((c.join(u' ') + " " + botao).toStdString());
                tela->txtData->setText(c[0]);
                tela->txtdata1->setText(c[1]);
                tela->TXTCODIGOFUNCIONARIO->setText(c[2]);
                tela->ckboxImprimir->setChecked(imprimir);
                tela->List1->clear();
                tela->List1->AddItem(u"fica"_s);
                banco.enviadas().clear();
                EXPECT_EQ(clicar(botoes[botao]), c[4].isEmpty() ? QStringList() : QStringList{c[4]});
                for (const MsgBoxCall& m : mensagens.calls)
                    EXPECT_TRUE(m.buttons == MsgBoxButtons::OkOnly && m.title == u"Velto"_s);
                EXPECT_TRUE(c[4].isEmpty() || banco.enviadas().isEmpty());
                EXPECT_EQ(tela->List1->itens(), QStringList{u"fica"_s});
            }
        }
    }
    EXPECT_TRUE(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).isEmpty());
}

TEST_F(RelatoriosTeste, DataAlcancadaPorTabOuEnterNaoFicaSelecionada) {
    // Typing a day into the end of the period keeps the month and year already there.
    ASSERT_TRUE(tela->txtData->hasFocus());
    QTest::keyClick(tela->txtData, Qt::Key_Tab);
    Processar();
    ASSERT_TRUE(tela->txtdata1->hasFocus());
    EXPECT_TRUE(tela->txtdata1->selectedText().isEmpty());
    EXPECT_EQ(tela->txtdata1->cursorPosition(), 0);
    QTest::keyClicks(tela->txtdata1, u"31"_s);
    EXPECT_EQ(tela->txtdata1->Text(), u"31/03/2010"_s);
    QTest::keyClick(tela->txtdata1, Qt::Key_Return);
    Processar();
    ASSERT_TRUE(tela->txtcartao->hasFocus());
    tela->txtcartao->setText(u"7891000079195"_s);
    QTest::keyClick(tela->txtcartao, Qt::Key_Backtab);
    Processar();
    ASSERT_TRUE(tela->txtdata1->hasFocus());
    EXPECT_TRUE(tela->txtdata1->selectedText().isEmpty());
    EXPECT_EQ(tela->txtdata1->cursorPosition(), 0);
}
