#include "BancoTeste.h"
#include "ChildScreen.h"
#include "Clock.h"
#include "FocusHelpers.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "Teclado.h"
#include "TelaTeste.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>

namespace {

// Three fields a, b, c in that tab order, and a date field d after them, hidden until a test shows it.
class TelaTres : public ChildScreen {
public:
    TelaTres() {
        setFixedSize(300, 200);
        a = campo(u"a"_s, 10);
        b = campo(u"b"_s, 50);
        c = campo(u"c"_s, 90);
        d = new MaskedEdit(u"##/##/####"_s, this);
        d->setGeometry(10, 160, 120, 24);
        d->hide();
    }
    QLineEdit *a, *b, *c;
    MaskedEdit* d;
    int unloads = 0;

protected:
    void unloadEvent() override { ++unloads; }

private:
    QLineEdit* campo(const QString& nome, int y) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(nome);
        edit->setGeometry(10, y, 200, 24);
        return edit;
    }
};

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        area.resize(1000, 700);
        ASSERT_TRUE(Ativar(area));
    }
    TelaTres* abrir() {
        auto* tela = new TelaTres;
        tela->showIn(&area);
        QCoreApplication::processEvents();
        return tela;
    }
    QMdiArea area;
};

// Presses a key on the field with the focus and lets the focus move: where it went.
QWidget* Tecla(Qt::Key tecla, Qt::KeyboardModifiers modificadores = {}) {
    QTest::keyClick(QApplication::focusWidget(), tecla, modificadores);
    Processar();
    return QApplication::focusWidget();
}

void Focar(QWidget* campo) {
    campo->setFocus();
    Processar();
}

TEST_F(UiTest, EnterAndaComoTabDepoisDaTeclaOuComoATelaEscolhe) {
    TelaTres* tela = abrir();
    int returns = 0;
    QObject::connect(tela->a, &QLineEdit::returnPressed, tela, [&] { ++returns; });
    tela->a->setFocus();
    tela->a->setText(u"x"_s);
    QTest::keyClick(tela->a, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), tela->a) << "the move waits for the key event to end";
    Processar();
    EXPECT_EQ(QApplication::focusWidget(), tela->b);
    EXPECT_EQ(returns, 0) << "no control receives the Enter";
    EXPECT_EQ(tela->a->text(), u"x"_s);
    EXPECT_EQ(Tecla(Qt::Key_Enter, Qt::KeypadModifier), tela->c);
    // From the last field Enter wraps to the first, exactly where Tab goes.
    EXPECT_EQ(Tecla(Qt::Key_Tab), tela->a);
    Focar(tela->c);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->a);
    // A disabled or hidden field is skipped as Tab skips it.
    tela->b->setEnabled(false);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->c);
    tela->b->setEnabled(true);

    Focar(tela->a);
    tela->setEnterRule(ChildScreen::EnterRule::None);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->a);
    EXPECT_EQ(returns, 1);
    tela->setEnterRule(ChildScreen::EnterRule::SendTabKeystroke);
    QTest::keyClick(tela->a, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), tela->a);
    Processar();
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(QApplication::focusWidget(), tela->b);
}

TEST_F(UiTest, EscCaixaDeFecharEJanelaPrincipalDescarregamUmaVez) {
    TelaTres* tela = abrir();
    int perdas = 0, sinais = 0;
    OnLostFocus(tela->b, [&] { ++perdas; });
    QObject::connect(tela, &ChildScreen::unloaded, &area, [&] { ++sinais; });
    QPointer<QMdiSubWindow> sub = tela->subWindow();
    QPointer<TelaTres> viva = tela;
    tela->b->setFocus();
    QTest::keyClicks(tela->b, u"12"_s);
    QTest::keyClick(tela->b, Qt::Key_Escape);
    EXPECT_EQ(tela->unloads, 1);
    Processar();
    EXPECT_TRUE(viva.isNull());
    EXPECT_TRUE(sub.isNull());
    EXPECT_EQ(sinais, 1);
    EXPECT_EQ(perdas, 0) << "closing the screen is no loss of focus to another field";

    QPointer<TelaTres> segunda = abrir();
    for (TelaTres* t : {segunda.data(), abrir()})
        QObject::connect(t, &ChildScreen::unloaded, &area, [&] { ++sinais; });
    segunda->subWindow()->close(); // the close box
    Processar();
    EXPECT_EQ(sinais, 2);
    EXPECT_TRUE(segunda.isNull());
    area.closeAllSubWindows(); // what the main window does when it closes
    Processar();
    EXPECT_EQ(sinais, 3);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(UiTest, TelaCentradaNaAreaAoAbrirOuACadaAtivacao) {
    TelaTres* tela = abrir();
    QMdiSubWindow* sub = tela->subWindow();
    const auto centro = [this](QWidget* janela) {
        const QSize livre = area.viewport()->size() - janela->size();
        return QPoint(livre.width() / 2, livre.height() / 2);
    };
    EXPECT_EQ(sub->pos(), centro(sub));
    // Centred on load only: a moved screen stays where it was put.
    sub->move(5, 5);
    TelaTres* outra = abrir();
    area.setActiveSubWindow(sub);
    Processar();
    EXPECT_EQ(sub->pos(), QPoint(5, 5));
    // The terminal's way: centred again on every activation.
    auto* terminal = new TelaTres;
    terminal->setCentring(ChildScreen::Centring::OnEveryActivation);
    QMdiSubWindow* termSub = terminal->showIn(&area);
    termSub->move(7, 9);
    area.setActiveSubWindow(outra->subWindow());
    area.setActiveSubWindow(termSub);
    Processar();
    EXPECT_EQ(termSub->pos(), centro(termSub));
}

TEST_F(UiTest, PerdaDeFocoRodaDepoisSoEntreCamposDaTelaEPodeAbrirUmaCaixa) {
    TelaTres* tela = abrir();
    QStringList log;
    OnLostFocus(tela->a, [&] { log << u"a:"_s + QApplication::focusWidget()->objectName(); });
    const auto perdas = [&log] {
        return std::exchange(log, {});
    };
    tela->a->setFocus();
    QTest::keyClick(tela->a, Qt::Key_Tab);
    EXPECT_TRUE(log.isEmpty()) << "never inside Qt's focus notification";
    Processar();
    EXPECT_EQ(perdas(), QStringList{u"a:b"_s}) << "runs after the focus change completed";
    tela->a->setFocus();
    QTest::mouseClick(tela->c, Qt::LeftButton);
    Processar();
    EXPECT_EQ(perdas(), QStringList{u"a:c"_s});
    tela->a->setFocus();
    Focar(tela->b); // the program moving it
    EXPECT_EQ(perdas(), QStringList{u"a:b"_s});

    // Another window takes the focus and gives it back: nothing runs.
    Focar(tela->a);
    {
        QDialog dialogo;
        auto* dentro = new QLineEdit(&dialogo);
        ASSERT_TRUE(Ativar(dialogo));
        Focar(dentro);
        EXPECT_NE(QApplication::focusWidget(), tela->a);
    }
    ASSERT_TRUE(Ativar(area));
    Processar();
    EXPECT_EQ(QApplication::focusWidget(), tela->a);
    EXPECT_TRUE(log.isEmpty());
    // After a round trip through another window, coming back to another field counts.
    {
        QWidget outra;
        ASSERT_TRUE(Ativar(outra));
        Processar();
    }
    ASSERT_TRUE(Ativar(area));
    Focar(tela->c);
    EXPECT_EQ(perdas(), QStringList{u"a:c"_s});

    // The action may open a real modal box (answered by a timer); the focus ends up where it sets it.
    int caixas = 0;
    OnLostFocus(tela->b, [&] {
        QTimer::singleShot(0, [&] {
            if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++caixas;
                caixa->button(QMessageBox::Ok)->click();
            }
        });
        MsgBox(u"campo b"_s);
        tela->b->setFocus();
    });
    Focar(tela->b);
    QTest::keyClick(tela->b, Qt::Key_Return);
    Processar(10);
    EXPECT_EQ(caixas, 1);
    // Offscreen, the main window is not made active again when the box closes.
    EXPECT_EQ(area.focusWidget(), tela->b);
}

TEST_F(UiTest, CamposAlcancadosNaoSelecionamESoDeExibicaoDescartamADigitacao) {
    TelaTres* tela = abrir();
    tela->d->show();
    tela->b->setText(u"MARIA"_s);
    tela->c->setText(u"JOSE"_s);
    SetSelectsTextOnFocus(tela->c);
    tela->d->setText(u"01/03/2010"_s);
    Focar(tela->a);
    EXPECT_EQ(Tecla(Qt::Key_Tab), tela->b);
    EXPECT_TRUE(tela->b->selectedText().isEmpty());
    EXPECT_EQ(tela->b->cursorPosition(), 0);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->c);
    EXPECT_EQ(tela->c->selectedText(), u"JOSE"_s) << "a field that selects still does";
    ASSERT_EQ(Tecla(Qt::Key_Tab), tela->d);
    QTest::keyClicks(tela->d, u"15"_s);
    EXPECT_EQ(tela->d->Text(), u"15/03/2010"_s);

    MakeDisplayOnly(tela->b);
    MakeDisplayOnly(tela->d);
    Focar(tela->b);
    QTest::keyClicks(tela->b, u"xyz9"_s);
    QTest::keyClick(tela->b, Qt::Key_Backspace);
    QTest::keyClick(tela->b, Qt::Key_Delete);
    QTest::keyClick(tela->b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(tela->b->text(), u"MARIA"_s);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->c) << "still focusable, and Enter moves on";
    Focar(tela->d);
    QTest::keyClicks(tela->d, u"1234"_s);
    QTest::keyClick(tela->d, Qt::Key_Backspace);
    EXPECT_EQ(tela->d->text(), u"15/03/2010"_s);
    tela->d->setText(u"06/12/2026"_s); // the program still writes it
    EXPECT_EQ(tela->d->text(), u"06/12/2026"_s);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->a);
}

TEST_F(UiTest, CampoQueSelecionaAoEntrarESubstituidoPelaPrimeiraTecla) {
    TelaTres* tela = abrir();
    tela->d->show();
    SelecionarTextoAoEntrar(tela->d);
    SelecionarTextoAoEntrar(tela->b);
    tela->d->setText(u"05/12/2026"_s);
    tela->b->setText(u"segredo"_s);
    Focar(tela->c);
    ASSERT_EQ(Tecla(Qt::Key_Return), tela->d);
    EXPECT_EQ(tela->d->selectedText(), u"05/12/2026"_s);
    QTest::keyClick(tela->d, Qt::Key_0);
    EXPECT_EQ(tela->d->Text(), u"0_/__/____"_s);
    // A click lands the cursor first; the selection comes after it.
    QTest::mouseClick(tela->b, Qt::LeftButton, {}, QPoint(5, 5));
    Processar();
    ASSERT_EQ(QApplication::focusWidget(), tela->b);
    EXPECT_EQ(tela->b->selectedText(), u"segredo"_s);
    QTest::keyClick(tela->b, Qt::Key_X);
    EXPECT_EQ(tela->b->text(), u"x"_s);
    // A field without the rule is selected when the program asks for it.
    tela->a->setText(u"12"_s);
    SelecionarTexto(tela->a);
    EXPECT_EQ(tela->a->selectedText(), u"12"_s);
}

TEST(Aguardar, EsperaOsSegundosETrataEventosSoSePedido) {
    bool disparou = false;
    QTimer::singleShot(20, [&] { disparou = true; });
    QElapsedTimer real;
    real.start();
    const double passou = Aguardar(0.3, false);
    EXPECT_GE(real.elapsed(), 300);
    EXPECT_LT(real.elapsed(), 600);
    EXPECT_GE(passou, 0.3);
    EXPECT_LT(passou, 0.5);
    EXPECT_FALSE(disparou) << "no events are handled with the flag false";
    Aguardar(0.1, true);
    EXPECT_TRUE(disparou) << "pending events are handled with the flag true";
    EXPECT_LT(Aguardar(0, false), 0.05);

    // A frozen clock, advanced across midnight by the test: the wait ends on the clock.
    Clock::set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)));
    QTimer avanco;
    QObject::connect(&avanco, &QTimer::timeout, [] { Clock::advance(500); });
    avanco.start(5);
    real.restart();
    EXPECT_GE(Aguardar(2, true), 2.0);
    EXPECT_LT(real.elapsed(), 1500);
    avanco.stop();
    // Standing still, it ends after as many real seconds.
    real.restart();
    EXPECT_EQ(Aguardar(0.2, false), 0.0);
    EXPECT_GE(real.elapsed(), 200);
    EXPECT_LT(real.elapsed(), 1000);
    Clock::set(QDateTime());
}

TEST(MaskedEditTest, MascarasDeDataEHora) {
    MaskedEdit data(u"##/##/####"_s);
    EXPECT_EQ(data.Text(), u"__/__/____"_s);
    data.setCursorPosition(0);
    // Digits fill the slots and other keys are skipped; Backspace steps over a literal, a typed
    // literal steps over it, and digits past the end are refused.
    const char* passos[][2] = {{"0a5-12", "05/12/____"},
                               {"\b", "05/1_/____"},
                               {"\b\b", "0_/__/____"},
                               {"5/122026999", "05/12/2026"}};
    for (const auto& [teclas, texto] : passos) {
        QTest::keyClicks(&data, QString::fromLatin1(teclas));
        EXPECT_EQ(data.Text(), QString::fromLatin1(texto)) << teclas;
    }
    EXPECT_EQ(data.ClipText(), u"05122026"_s);
    data.setPromptInclude(false);
    EXPECT_EQ(data.Text(), u"05/12/2026"_s);
    data.setText(QString());
    EXPECT_EQ(data.Text(), QString()) << "an unfilled field reads empty without prompts";
    EXPECT_EQ(data.text(), u"__/__/____"_s);
    data.setText(u"08/02/2025"_s);
    data.setPromptInclude(true);
    EXPECT_EQ(data.Text(), u"08/02/2025"_s);
    // Whole text selected (as on focus): one digit replaces it.
    data.selectAll();
    QTest::keyClick(&data, Qt::Key_3);
    EXPECT_EQ(data.Text(), u"3_/__/____"_s);

    MaskedEdit hora(u"##:##:##"_s);
    const char* escritos[][2] = {{"08:02:10", "08:02:10"}, {"__:__:__", "__:__:__"}, {"0800", "08:00:__"}};
    for (const auto& [escrito, lido] : escritos) {
        hora.setText(QString::fromLatin1(escrito));
        EXPECT_EQ(hora.Text(), QString::fromLatin1(lido));
    }
    hora.setPromptChar(u'*');
    EXPECT_EQ(hora.Text(), u"08:00:**"_s);
    // A caller through the QLineEdit interface cannot break the mask.
    static_cast<QLineEdit&>(hora).setText(u"12:3"_s);
    EXPECT_EQ(hora.Text(), u"12:3*:**"_s);
}

TEST(MsgBoxTest, RespostaGravadaCaixaRealEDesatendida) {
    {
        MsgBoxRecorder gravador(MsgBoxResult::Cancel);
        EXPECT_EQ(MsgBox(u"Horario não Cadastrado. Manter os Dados do Cadastro anterior?"_s,
                         MsgBoxButtons::OkCancel, MsgBoxIcon::None, u"sis-Velto"_s),
                  MsgBoxResult::Cancel);
        ShowFatalError(u"no such table: funcionarios"_s);
        ASSERT_EQ(gravador.calls.size(), 2);
        EXPECT_EQ(gravador.calls[0].buttons, MsgBoxButtons::OkCancel);
        EXPECT_EQ(gravador.calls[0].title, u"sis-Velto"_s);
        EXPECT_EQ(gravador.calls[1].icon, MsgBoxIcon::Critical);
    }
    QString titulo;
    QStringList botoes;
    QTimer::singleShot(0, [&] {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caixa, nullptr);
        titulo = caixa->windowTitle();
        for (QAbstractButton* botao : caixa->buttons())
            botoes << botao->text();
        caixa->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MsgBox(u"Excluir?"_s, MsgBoxButtons::YesNo, MsgBoxIcon::Question), MsgBoxResult::No);
    EXPECT_EQ(titulo, u"Velto"_s);
    botoes.sort();
    EXPECT_EQ(botoes, (QStringList{u"Não"_s, u"Sim"_s}));

    // Unattended, a box closes by itself, or at a scan typed into it, whose digits are kept whole.
    MsgBoxUnattended desatendida(300);
    QElapsedTimer relogio;
    relogio.start();
    EXPECT_EQ(MsgBox(u"nobody"_s, MsgBoxButtons::OkOnly), MsgBoxResult::Ok);
    EXPECT_GE(relogio.elapsed(), 250);
    EXPECT_TRUE(desatendida.takeTypedLine().isEmpty());
    QTimer::singleShot(0, [] {
        QWidget* caixa = QApplication::activeModalWidget();
        ASSERT_NE(caixa, nullptr);
        QTest::keyClicks(caixa, u"7891000079195"_s);
        QTest::keyClick(caixa, Qt::Key_Return);
    });
    EXPECT_EQ(MsgBox(u"scan"_s, MsgBoxButtons::OkOnly), MsgBoxResult::Ok);
    EXPECT_EQ(desatendida.takeTypedLine(), u"7891000079195"_s);
    EXPECT_TRUE(desatendida.takeTypedLine().isEmpty()) << "taken once";
    // A plain Enter still presses the button.
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    relogio.restart();
    EXPECT_EQ(MsgBox(u"enter"_s, MsgBoxButtons::YesNo), MsgBoxResult::Yes);
    EXPECT_LT(relogio.elapsed(), 250);
    EXPECT_TRUE(desatendida.takeTypedLine().isEmpty());
}

} // namespace
