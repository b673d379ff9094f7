#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
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

// Enters the field, types over its whole text and leaves it with Enter, as a user does.
inline void DigitarESair(QWidget* campo, const QString& texto) {
    campo->setFocus();
    Processar();
    QLineEdit* edit = qobject_cast<QLineEdit*>(campo);
    if (auto* combo = qobject_cast<QComboBox*>(campo))
        edit = combo->lineEdit();
    if (edit) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
    }
    QTest::keyClicks(campo, texto);
    QTest::keyClick(campo, Qt::Key_Return);
    Processar();
}

// The open screen of a kind in the area (one not yet unloaded), or null.
template <typename Tela> Tela* TelaAberta(const QWidget& area) {
    for (Tela* tela : area.findChildren<Tela*>()) {
        if (!tela->isUnloaded())
            return tela;
    }
    return nullptr;
}
