#include "BancoTeste.h"
#include "ChildScreen.h"
#include "Clock.h"
#include "MaskedEdit.h"
#include "Teclado.h"
#include "TelaTeste.h"

#include <QElapsedTimer>
#include <QMdiArea>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(Teclado, CampoQueSelecionaAoEntrarESubstituidoPelaPrimeiraTecla) {
    QMdiArea area;
    area.resize(800, 600);
    ASSERT_TRUE(Ativar(area));
    auto* tela = new ChildScreen;
    tela->setFixedSize(300, 160);
    auto* codigo = new QLineEdit(tela);
    auto* data = new MaskedEdit(u"##/##/####"_s, tela);
    auto* senha = new QLineEdit(tela);
    data->setGeometry(10, 50, 200, 24);
    senha->setGeometry(10, 90, 200, 24);
    SelecionarTextoAoEntrar(data);
    SelecionarTextoAoEntrar(senha);
    tela->showIn(&area);
    data->setText(u"05/12/2026"_s);
    senha->setText(u"segredo"_s);
    codigo->setFocus();
    QTest::keyClick(codigo, Qt::Key_Return); // Enter into the date field
    Processar();
    ASSERT_EQ(QApplication::focusWidget(), data);
    EXPECT_EQ(data->selectedText(), u"05/12/2026"_s);
    QTest::keyClick(data, Qt::Key_0);
    EXPECT_EQ(data->Text(), u"0_/__/____"_s);

    // A click lands the cursor first; the selection comes after it.
    QTest::mouseClick(senha, Qt::LeftButton, {}, QPoint(5, 5));
    Processar();
    ASSERT_EQ(QApplication::focusWidget(), senha);
    EXPECT_EQ(senha->selectedText(), u"segredo"_s);
    QTest::keyClick(senha, Qt::Key_X);
    EXPECT_EQ(senha->text(), u"x"_s);
    // A field without the rule is selected when the program asks for it.
    codigo->setText(u"12"_s);
    SelecionarTexto(codigo);
    EXPECT_EQ(codigo->selectedText(), u"12"_s);
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

} // namespace
