// The terminal of the kill drill, offscreen, scanning cards into its card field. Prints "PRONTO"
// once up, then "card;date;time" the moment a name line shows. Arguments: the day (after
// 01/01/2026), then the cards to scan in turn.

#include "Clock.h"
#include "MDIVelto.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "frmVelto.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Straight to the pipe (one write of a short line is whole): what was acknowledged is out
// before anything else happens.
static void Escrever(const QByteArray& linha) {
    if (::write(STDOUT_FILENO, linha.constData(), size_t(linha.size())) != linha.size())
        std::_Exit(5);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList cartoes = app.arguments().mid(1);
    if (cartoes.size() < 2)
        return 2;
    Clock::set(QDateTime(QDate(2026, 1, 1).addDays(cartoes.takeFirst().toInt()), QTime(6, 0, 0)));
    // Eleven minutes between scans: every scan registers, so any message is a fault.
    SetMsgBoxResponder([](const MsgBoxCall& m) {
        std::fprintf(stderr, "mensagem: %s\n", qPrintable(m.text));
        std::_Exit(3);
        return MsgBoxResult::Ok;
    });

    MDIVelto janela;
    janela.show();
    QApplication::setActiveWindow(&janela);
    if (!QTest::qWaitForWindowActive(&janela))
        return 4;
    frmVelto* terminal = janela.area()->findChild<frmVelto*>();
    terminal->Timer2.setInterval(50); // the two-second lock only slows the drill down
    QString emCurso;
    QObject::connect(terminal->TXTNOME, &QLineEdit::textChanged, [&](const QString& texto) {
        if (texto.contains(QLatin1String("Registrada")))
            Escrever(QStringLiteral("%1;%2;%3\n")
                         .arg(emCurso, terminal->txtData->Text(), terminal->TXTHORA->text())
                         .toUtf8());
    });
    Escrever("PRONTO\n");

    int proxima = 0;
    QTimer passadas;
    QObject::connect(&passadas, &QTimer::timeout, [&] {
        QLineEdit* campo = terminal->TxtFUNCIONARIO;
        if (!campo->isEnabled() || !campo->hasFocus())
            return;
        Clock::advance(11 * 60 * 1000);
        emCurso = cartoes.at(proxima++ % cartoes.size());
        QTest::keyClicks(campo, emCurso);
        QTest::keyClick(campo, Qt::Key_Return);
    });
    passadas.start(10);
    return app.exec();
}
