#pragma once

#include <QObject>
#include <functional>

class ChamadorConsulta;
class ChildScreen;
class QLineEdit;
class QWidget;

// The card and employee-number fields of a screen that asks for an employee, and the name
// beside them. Leaving the card field finds the employee by card code (a failed lookup is
// silent); leaving the number field finds him by number and shows his name ("0" may open the
// employee lookup instead, which hands the number back into the field). Each screen states its
// differences in the options.
class CampoFuncionario : public QObject {
public:
    // The screen owns the helper; `chamador` is the screen as the lookup's caller (needed when
    // "0" opens the lookup). `cartao` may be null on a screen without a card field; `nome` is
    // a line edit or a label.
    CampoFuncionario(ChildScreen& tela, ChamadorConsulta* chamador, QLineEdit* cartao, QLineEdit* numero,
                     QWidget* nome);

    // The differences of each screen:
    // The card fills the name too; when false it fills only the number, and the name follows
    // when the number field is left.
    bool cartaoPreencheNome = true;
    // "0" in the number field opens the employee lookup.
    bool zeroAbreConsulta = true;
    // The name is emptied as the number field is left, whatever it holds; otherwise a number
    // that is no whole number leaves the name as it was.
    bool numeroLimpaNome = false;
    // Runs after the number field was handled, unless it opened the lookup.
    std::function<void()> depois;

    // What leaving each field does; the fields' lost-focus actions run these.
    void CartaoSaiu();
    void NumeroSaiu();

private:
    void MostrarNome(const QString& nome);

    ChildScreen& tela_;
    ChamadorConsulta* chamador_;
    QLineEdit* cartao_;
    QLineEdit* numero_;
    QWidget* nome_;
};
