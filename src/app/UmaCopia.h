#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class InstanceLock;

// Takes the lock for this run of the program. When another running copy holds it, says so in a
// message box naming the database (`lugar`) and answers false: the program must end.
bool UmaCopiaPorBanco(InstanceLock& trava, const QString& lugar);

// One running copy of the program per PC and database. The file's lock is taken before the
// window opens the file. A server's lock is named by the server's answer, so it is taken as soon
// as the program has connected: a terminal whose server is out of reach at start still starts and
// keeps trying meanwhile. A copy that then finds the lock held says so and ends.
class UmaCopia : public QObject {
    Q_OBJECT
public:
    UmaCopia();
    ~UmaCopia() override;
    // False: the program must end now. A missing file is no reason to refuse: opening it reports
    // that, with how to create one; so does a configuration that leads nowhere.
    bool Iniciar();

private:
    void TravarConectado();

    std::unique_ptr<InstanceLock> trava_;
    QTimer espera_;
};
