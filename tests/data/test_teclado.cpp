#include "ChildScreen.h"
#include "Clock.h"
#include "MaskedEdit.h"
#include "Teclado.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class TelaTeclado : public ChildScreen {
public:
    TelaTeclado() {
        setFixedSize(300, 160);
        codigo = new QLineEdit(this);
        codigo->setObjectName(QStringLiteral("TxtCodF"));
        codigo->setGeometry(10, 10, 200, 24);
        data = new MaskedEdit(QStringLiteral("##/##/####"), this);
        data->setObjectName(QStringLiteral("txtData"));
        data->setGeometry(10, 50, 200, 24);
        SelecionarTextoAoEntrar(data);
        senha = new QLineEdit(this);
        senha->setObjectName(QStringLiteral("TxtEntradaSaida"));
        senha->setGeometry(10, 90, 200, 24);
        SelecionarTextoAoEntrar(senha);
    }
    QLineEdit* codigo;
    MaskedEdit* data;
    QLineEdit* senha;
};

class TecladoTest : public ::testing::Test {
protected:
    void SetUp() override {
        area.resize(800, 600);
        area.show();
        area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
        tela = new TelaTeclado;
        tela->showIn(&area);
        QCoreApplication::processEvents();
    }
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    QMdiArea area;
    TelaTeclado* tela = nullptr;
};

TEST_F(TecladoTest, FieldThatSelectsOnFocusIsReplacedByTheFirstKey) {
    tela->data->setText(QStringLiteral("05/12/2026"));
    tela->senha->setText(QStringLiteral("segredo"));
    tela->codigo->setFocus();
    QTest::keyClick(tela->codigo, Qt::Key_Return); // Enter into the date field
    settle();
    ASSERT_EQ(QApplication::focusWidget(), tela->data);
    EXPECT_EQ(tela->data->selectedText(), QStringLiteral("05/12/2026"));
    QTest::keyClick(tela->data, Qt::Key_0);
    EXPECT_EQ(tela->data->Text(), QStringLiteral("0_/__/____"));

    // A click lands the cursor first; the selection comes after it.
    QTest::mouseClick(tela->senha, Qt::LeftButton, {}, QPoint(5, 5));
    settle();
    ASSERT_EQ(QApplication::focusWidget(), tela->senha);
    EXPECT_EQ(tela->senha->selectedText(), QStringLiteral("segredo"));
    QTest::keyClick(tela->senha, Qt::Key_X);
    EXPECT_EQ(tela->senha->text(), QStringLiteral("x"));

    // A field without the rule keeps its text when the program selects nothing.
    tela->codigo->setText(QStringLiteral("12"));
    SelecionarTexto(tela->codigo);
    EXPECT_EQ(tela->codigo->selectedText(), QStringLiteral("12"));
}

TEST(AguardarTest, WaitsTheSecondsAndReturnsThem) {
    bool fired = false;
    QTimer::singleShot(20, [&] { fired = true; });
    QElapsedTimer real;
    real.start();
    const double passed = Aguardar(0.3, false);
    EXPECT_GE(real.elapsed(), 300);
    EXPECT_LT(real.elapsed(), 600);
    EXPECT_GE(passed, 0.3);
    EXPECT_LT(passed, 0.5);
    EXPECT_FALSE(fired) << "no events are handled with the flag false";

    Aguardar(0.1, true);
    EXPECT_TRUE(fired) << "pending events are handled with the flag true";
    EXPECT_LT(Aguardar(0, false), 0.05);
}

TEST(AguardarTest, FrozenClockNeverHangsTheWait) {
    Clock::set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)));
    // Advanced across midnight by the test, the wait ends on the clock.
    QTimer advance;
    QObject::connect(&advance, &QTimer::timeout, [] { Clock::advance(500); });
    advance.start(5);
    QElapsedTimer real;
    real.start();
    EXPECT_GE(Aguardar(2, true), 2.0);
    EXPECT_LT(real.elapsed(), 1500);
    advance.stop();

    // Standing still, it ends after as many real seconds.
    real.restart();
    EXPECT_EQ(Aguardar(0.2, false), 0.0);
    EXPECT_GE(real.elapsed(), 200);
    EXPECT_LT(real.elapsed(), 1000);
    Clock::set(QDateTime());
}

} // namespace
