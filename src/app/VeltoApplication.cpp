#include "VeltoApplication.h"

#include "DatabaseError.h"
#include "MsgBox.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
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

bool VeltoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const DatabaseError& e) {
        ShowFatalError(e.message());
    } catch (const std::exception& e) {
        ShowFatalError(QString::fromLocal8Bit(e.what()));
    }
    std::exit(EXIT_FAILURE);
}
