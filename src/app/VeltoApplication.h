#pragma once

#include <QApplication>
#include <QTranslator>

// The program's top-level handler: a database error that no screen catches shows the driver's
// message titled "Velto" and ends the program with a non-zero status. Every statement is
// atomic, so nothing half-written is left behind. In kiosk mode the program never ends on one:
// the screen it came from closes after the message, and the terminal stays at the door.
class VeltoApplication : public QApplication {
public:
    VeltoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    void setQuiosque(bool quiosque) { quiosque_ = quiosque; }

private:
    // The toolkit's own texts (a field's right-click menu, standard buttons) in Brazilian Portuguese.
    QTranslator traducaoQt_;
    bool quiosque_ = false;
};
