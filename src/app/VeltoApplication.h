#pragma once

#include <QApplication>
#include <QTranslator>

// The program's top-level handler: a database error that no screen catches shows the driver's
// message titled "Velto" and ends the program with a non-zero status. Every statement is
// atomic, so nothing half-written is left behind.
class VeltoApplication : public QApplication {
public:
    VeltoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    // The toolkit's own texts (a field's right-click menu, standard buttons) in Brazilian Portuguese.
    QTranslator traducaoQt_;
};
