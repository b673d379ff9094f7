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

#include "BancoTeste.h"
#include "MsgBox.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QMdiArea>
#include <gtest/gtest.h>

// The texts of a list's or a combo box's items, in order.
template <typename Lista> QStringList Itens(const Lista* lista) {
    QStringList itens;
    for (int i = 0; i < lista->count(); ++i) {
        if constexpr (std::is_base_of_v<QListWidget, Lista>)
            itens << lista->item(i)->text();
        else
            itens << lista->itemText(i);
    }
    return itens;
}

// Chooses in the employee lookup: types the search, then Enter in the field and in the grid.
template <typename Consulta> void EscolherNaConsulta(Consulta* consulta, const QString& busca = {}) {
    QTest::keyClicks(consulta->txtconsultar, busca);
    QTest::keyClick(consulta->txtconsultar, Qt::Key_Return);
    Processar();
    QTest::keyClick(consulta->DataGrid1, Qt::Key_Return);
    Processar();
}

// The fixture of a screen's tests: a fresh copy of the file's scenario, the message responder
// and an active area to open the screens in.
class TesteDeTela : public ::testing::Test {
protected:
    TesteDeTela(const QString& cenario, const std::function<void(BancoTeste&)>& montar)
        : banco(cenario, montar) {
        area.resize(1100, 760);
    }
    void SetUp() override { ASSERT_TRUE(Ativar(area)); }

    template <typename Tela> Tela* abrir() {
        auto* tela = new Tela;
        tela->showIn(&area);
        Processar();
        return tela;
    }
    template <typename Tela> Tela* aberta() const { return TelaAberta<Tela>(area); }
    // Clicks the button; the messages it gave.
    QStringList clicar(QAbstractButton* botao) {
        mensagens.calls.clear();
        botao->click();
        Processar();
        return mensagens.texts();
    }

    BancoTeste banco;
    MsgBoxRecorder mensagens;
    QMdiArea area;
};
