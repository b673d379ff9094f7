#include "DatabaseError.h"
#include "MsgBox.h"
#include "VeltoApplication.h"

#include <QIcon>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// The fatal message goes to stderr instead of a window, so the death test can read it.
void ResponderNoErro() {
    SetMsgBoxResponder([](const MsgBoxCall& m) {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(m.title), qPrintable(m.text));
        return MsgBoxResult::Ok;
    });
}

} // namespace

TEST(Programa, ErroDoBancoNaoTratadoMostraAMensagemETerminaComFalha) {
    EXPECT_EXIT(
        {
            ResponderNoErro();
            QTimer::singleShot(0, qApp,
                               [] { throw DatabaseError(QStringLiteral("no such table: funcionarios")); });
            qApp->exec();
            std::exit(0);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "\\[Velto\\] no such table: funcionarios");
}

TEST(Programa, SemErroOLacoDeEventosSegue) {
    ResponderNoErro();
    QTimer::singleShot(0, qApp, [] { qApp->exit(7); });
    EXPECT_EQ(qApp->exec(), 7);
}

TEST(Programa, IconeProprioEmTodasAsJanelas) {
    // Drawn from the program's SVG, at any size, instead of the toolkit's logo.
    const QIcon icone = qApp->windowIcon();
    ASSERT_FALSE(icone.isNull());
    const QImage grande = icone.pixmap(QSize(128, 128)).toImage();
    EXPECT_EQ(grande.size(), QSize(128, 128)) << "the SVG icon engine is missing";
    EXPECT_EQ(grande.pixelColor(58, 10), QColor(0x1d, 0x5a, 0x8c)) << "the clock's rim";
    QWidget janela;
    EXPECT_EQ(janela.windowIcon().cacheKey(), icone.cacheKey());
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    VeltoApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
