#include "Teclado.h"

#include "Clock.h"
#include "FocusHelpers.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QThread>

void SelecionarTexto(QWidget* controle) {
    if (auto* edit = qobject_cast<QLineEdit*>(controle)) {
        edit->setSelection(0, int(edit->text().size()));
    } else if (auto* combo = qobject_cast<QComboBox*>(controle); combo && combo->lineEdit()) {
        combo->lineEdit()->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(controle)) {
        spin->selectAll();
    } else if (auto* text = qobject_cast<QTextEdit*>(controle)) {
        text->selectAll();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(controle)) {
        plain->selectAll();
    }
}

void EnterComoTab(QWidget* tela) {
    PostFocusNext(tela);
}

double Aguardar(double segundos, bool processarEventos) {
    const double inicio = Clock::monotonicSeconds();
    double leitura = 0;
    double anterior = inicio;
    QElapsedTimer parado; // real time since the clock last moved
    parado.start();
    while (inicio + segundos > leitura) {
        leitura = Clock::monotonicSeconds();
        if (leitura != anterior) {
            anterior = leitura;
            parado.restart();
        } else if (parado.nsecsElapsed() / 1e9 >= segundos) {
            break; // only a frozen clock stands still this long
        }
        if (processarEventos)
            QCoreApplication::processEvents();
        QThread::usleep(500); // spares the processor without slowing the wait
    }
    return leitura - inicio;
}

void SelecionarTextoAoEntrar(QWidget* campo) {
    SetSelectsTextOnFocus(campo);
    QPointer<QWidget> alvo(campo);
    OnGotFocus(campo, [alvo] {
        if (alvo)
            SelecionarTexto(alvo);
    });
}
