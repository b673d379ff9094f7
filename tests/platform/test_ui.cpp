#include "BancoTeste.h"
#include "ChildScreen.h"
#include "Clock.h"
#include "FocusHelpers.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "Teclado.h"
#include "TelaTeste.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <utility>

namespace {

// Three fields a, b, c in that tab order, and a date field d after them, hidden until a test shows it.
class TelaTres : public ChildScreen {
public:
    TelaTres() {
        auto* layout = new QVBoxLayout(this);
        for (auto [campo, nome] : {std::pair{&a, "a"}, {&b, "b"}, {&c, "c"}}) {
            layout->addWidget(*campo = new QLineEdit(this));
            (*campo)->setObjectName(QLatin1String(nome));
        }
        layout->addWidget(d);
        d->hide();
    }
    QLineEdit *a, *b, *c;
    MaskedEdit* d = new MaskedEdit(u"##/##/####"_s, this);
};

class UiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Ativar(area)); }
    TelaTres* abrir() {
        auto* tela = new TelaTres;
        tela->showIn(&area);
        Processar();
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

// A lost-focus action runs once the focus is on another field of the screen, not when Esc unloads it.
TEST_F(UiTest, EnterAndaComoTabEPerdaDeFocoRodaSoEntreCamposDaTela) {
    QPointer<TelaTres> tela = abrir();
    int returns = 0;
    QStringList log;
    QObject::connect(tela->a, &QLineEdit::returnPressed, tela, [&] { ++returns; });
    OnLostFocus(tela->a, [&] { log << u"a:"_s + QApplication::focusWidget()->objectName(); });
    Focar(tela->a);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->b);
    EXPECT_EQ(Tecla(Qt::Key_Enter, Qt::KeypadModifier), tela->c);
    // From the last field Enter wraps to the first; a disabled field is skipped as Tab skips it.
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->a);
    tela->b->setEnabled(false);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->c);
    tela->a->setFocus();
    QTest::mouseClick(tela->c, Qt::LeftButton);
    Processar();
    Focar(tela->a);
    tela->setEnterRule(ChildScreen::EnterRule::None);
    EXPECT_EQ(Tecla(Qt::Key_Return), tela->a);
    EXPECT_EQ(returns, 1) << "only the screen that keeps Enter passes it on";
    QTest::keyClick(tela->a, Qt::Key_Escape);
    Processar();
    EXPECT_TRUE(tela.isNull());
    EXPECT_EQ(log, QStringList({u"a:b"_s, u"a:c"_s, u"a:c"_s}));
}

TEST_F(UiTest, PerdaDeFocoPodeAbrirUmaCaixa) {
    TelaTres* tela = abrir();
    // Real boxes (unattended, a plain Enter presses the button); the focus back from one runs nothing.
    QStringList caixas;
    QTimer responder;
    QObject::connect(&responder, &QTimer::timeout, [&] {
        if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QStringList textos;
            for (QAbstractButton* botao : caixa->buttons())
                textos << botao->text();
            textos.sort();
            caixas << caixa->windowTitle() + u": "_s + textos.join(u' ');
            QTest::keyClick(caixa, Qt::Key_Return);
        }
    });
    responder.start(10);
    const MsgBoxUnattended desatendida(5000);
    QList<MsgBoxResult> respostas;
    OnLostFocus(tela->b, [&] {
        respostas << MsgBox(u"Excluir?"_s, MsgBoxButtons::YesNo, MsgBoxIcon::Question)
                  << MsgBox(u"campo b"_s);
        tela->b->setFocus();
    });
    Focar(tela->b);
    QTest::keyClick(tela->b, Qt::Key_Return);
    Processar(10);
    EXPECT_EQ(respostas, (QList{MsgBoxResult::Yes, MsgBoxResult::Ok}));
    EXPECT_EQ(caixas, (QStringList{u"Velto: Não Sim"_s, u"Velto: OK"_s}));
}

// Selected on entry, even by a click, a field is replaced by the first key; display-only ones drop keys.
TEST_F(UiTest, SelecaoAoEntrarECamposSoDeExibicao) {
    TelaTres* tela = abrir();
    tela->d->show();
    tela->b->setText(u"MARIA"_s);
    SelecionarTextoAoEntrar(tela->d);
    SelecionarTextoAoEntrar(tela->a);
    tela->d->setText(u"01/03/2010"_s);
    Focar(tela->c);
    ASSERT_EQ(Tecla(Qt::Key_Return), tela->d);
    QTest::keyClick(tela->d, Qt::Key_0);
    EXPECT_EQ(tela->d->Text(), u"0_/__/____"_s);
    tela->a->setText(u"segredo"_s);
    QTest::mouseClick(tela->a, Qt::LeftButton, {}, QPoint(5, 5));
    Processar();
    QTest::keyClick(tela->a, Qt::Key_X);
    EXPECT_EQ(tela->a->text(), u"x"_s);
    tela->d->setText(u"15/03/2010"_s);
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
    QTest::keyClicks(tela->d, u"1234\b"_s);
    EXPECT_EQ(tela->d->text(), u"15/03/2010"_s);
}

TEST(Aguardar, EsperaOsSegundosETrataEventosSoSePedido) {
    bool disparou = false;
    QTimer::singleShot(20, [&] { disparou = true; });
    EXPECT_GE(Aguardar(0.3, false), 0.3);
    EXPECT_FALSE(disparou) << "no events are handled with the flag false";
    // A frozen clock, advanced across midnight by the test while events run: the wait ends on the clock.
    Clock::set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)));
    QTimer avanco;
    QObject::connect(&avanco, &QTimer::timeout, [] { Clock::advance(500); });
    avanco.start(5);
    EXPECT_GE(Aguardar(2, true), 2.0);
    EXPECT_TRUE(disparou);
    avanco.stop();
    EXPECT_EQ(Aguardar(0.2, false), 0.0);
    Clock::set(QDateTime());
}

TEST(MaskedEditTest, MascarasDeDataEHora) {
    MaskedEdit data(u"##/##/####"_s);
    data.setCursorPosition(0);
    // Other keys are skipped; Backspace and a typed literal step over literals; the end refuses digits.
    const char* passos[][2] = {{"", "__/__/____"},
                               {"0a5-12", "05/12/____"},
                               {"\b", "05/1_/____"},
                               {"\b\b", "0_/__/____"},
                               {"5/122026999", "05/12/2026"}};
    for (const auto& [teclas, texto] : passos) {
        QTest::keyClicks(&data, QString::fromLatin1(teclas));
        EXPECT_EQ(data.Text(), QString::fromLatin1(texto)) << teclas;
    }
    EXPECT_EQ(data.ClipText(), u"05122026"_s);
    data.setPromptInclude(false);
    data.setText(QString());
    EXPECT_EQ(data.Text(), QString()) << "an unfilled field reads empty without prompts";
    EXPECT_EQ(data.text(), u"__/__/____"_s);
    data.setPromptInclude(true);
    data.selectAll(); // as on focus: one digit replaces it
    QTest::keyClick(&data, Qt::Key_3);
    EXPECT_EQ(data.Text(), u"3_/__/____"_s);
    MaskedEdit hora(u"##:##:##"_s);
    const char* escritos[][2] = {{"08:02:10", "08:02:10"}, {"__:__:__", "__:__:__"}, {"0800", "08:00:__"}};
    for (const auto& [escrito, lido] : escritos) {
        hora.setText(QString::fromLatin1(escrito));
        EXPECT_EQ(hora.Text(), QString::fromLatin1(lido));
    }
    hora.setPromptChar(u'*');
    // A caller through the QLineEdit interface cannot break the mask.
    static_cast<QLineEdit&>(hora).setText(u"12:3"_s);
    EXPECT_EQ(hora.Text(), u"12:3*:**"_s);
}

} // namespace
