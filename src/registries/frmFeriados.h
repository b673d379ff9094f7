#pragma once

#include "ChildScreen.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The holidays: one a year on a fixed date, or one in a given year only. Each save starts a
// fresh, empty screen.
class frmFeriados : public ChildScreen {
    Q_OBJECT
public:
    explicit frmFeriados(QWidget* parent = nullptr);

    QLabel* lblCodigo;
    QLineEdit* txtcodigo;
    QLabel* lblFeriado;
    QLineEdit* TxtFUNCIONARIO;
    QLabel* lblData;
    QLineEdit* txtdia;
    QLineEdit* txtmes;
    QLineEdit* txtano;
    QLabel* lblNotaAno;
    QLabel* lblNotaTodoAno;
    QPushButton* btGravar;
    QPushButton* CBSAir;

private:
    void criarControles();
    void Form_Load();
    void txtcodigo_LostFocus();
    void btGravar_Click();
};
