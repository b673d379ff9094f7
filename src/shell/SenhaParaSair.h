#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// In kiosk mode the program leaves only after the maintenance password, checked as the
// password prompt checks it. A wrong one says "senha invalida!" and may be tried again;
// "Cancelar" or Esc keep the program running.
class SenhaParaSair : public QDialog {
    Q_OBJECT
public:
    explicit SenhaParaSair(QWidget* parent = nullptr);

    // Shows the dialog and answers whether the right password was given.
    static bool Pedir(QWidget* parent);

    QLabel* Label4;
    QLineEdit* TxtEntradaSaida;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    void Command1_Click();
};
