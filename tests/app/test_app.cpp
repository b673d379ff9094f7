#include "DatabaseError.h"
#include "MsgBox.h"
#include "VeltoApplication.h"

#include <QTimer>
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

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    VeltoApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
