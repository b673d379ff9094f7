#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

// Shows a top-level window on the offscreen platform and makes it the active one, so the
// focus behaves as on a desktop.
inline bool Ativar(QWidget& janela) {
    janela.show();
    QApplication::setActiveWindow(&janela);
    janela.activateWindow();
    return QTest::qWaitForWindowActive(&janela);
}

// Lets posted focus moves and queued lost-focus actions run, and unloaded screens go.
inline void Processar(int vezes = 5) {
    for (int i = 0; i < vezes; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Types as a barcode scanner does: the digits, then Enter.
inline void Escanear(QWidget* campo, const QString& codigo) {
    QTest::keyClicks(campo, codigo);
    QTest::keyClick(campo, Qt::Key_Return);
    Processar();
}
