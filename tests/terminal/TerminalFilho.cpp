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

namespace {

// Straight to the pipe: what was acknowledged is out before anything else happens.
void Escrever(const QByteArray& linha) {
    qsizetype feito = 0;
    while (feito < linha.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, linha.constData() + feito, size_t(linha.size() - feito));
        if (n <= 0)
            std::_Exit(5);
        feito += n;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return 2;
    Clock::set(QDateTime(QDate(2026, 1, 1).addDays(args.takeFirst().toInt()), QTime(6, 0, 0)));
    const QStringList cartoes = args;
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
    // The two-second lock only slows the drill down.
    terminal->Timer2.setInterval(50);

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
