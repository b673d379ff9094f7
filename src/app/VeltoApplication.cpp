#include "VeltoApplication.h"

#include "ChildScreen.h"
#include "DatabaseError.h"
#include "MsgBox.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiSubWindow>
#include <cstdlib>

VeltoApplication::VeltoApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Velto"));
    setApplicationVersion(QStringLiteral(VELTO_VERSION));
    if (traducaoQt_.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&traducaoQt_);
    setWindowIcon(QIcon(QStringLiteral(":/velto/velto.svg")));
}

namespace {

// The administrative screen an event went to, closed after the database's message; an error
// outside any screen only shows the message.
void FecharTelaDoErro(QObject* receiver, const QString& mensagem) {
    ChildScreen* tela = nullptr;
    for (QObject* o = receiver; o && !tela; o = o->parent())
        tela = qobject_cast<ChildScreen*>(o);
    MsgBox(mensagem, MsgBoxButtons::OkOnly, MsgBoxIcon::Critical, QStringLiteral("Velto"));
    if (tela && tela->objectName() != QLatin1String("frmVelto"))
        QMetaObject::invokeMethod(tela->subWindow() ? static_cast<QWidget*>(tela->subWindow()) : tela,
                                  "close", Qt::QueuedConnection);
}

} // namespace

bool VeltoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const DatabaseError& e) {
        if (quiosque_) {
            FecharTelaDoErro(receiver, e.message());
            return true;
        }
        ShowFatalError(e.message());
    } catch (const std::exception& e) {
        ShowFatalError(QString::fromLocal8Bit(e.what()));
    }
    std::exit(EXIT_FAILURE);
}
