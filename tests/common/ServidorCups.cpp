#include "ServidorCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <unistd.h>

namespace {

void Gravar(const QString& arquivo, const QString& texto) {
    QFile f(arquivo);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(texto.toUtf8());
}

const char* const kPpd = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";

} // namespace

ServidorCups::ServidorCups()
    : servidorAnterior_(qgetenv("CUPS_SERVER")) {
    const QString raiz = pasta_.path();
    for (const char* sub : {"conf/ppd", "spool/tmp", "cache", "state", "log", "saida"})
        QDir().mkpath(raiz + QLatin1Char('/') + QLatin1String(sub));
    // Run as root, the server hands jobs to its filters as the user lp.
    const auto livre = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                       QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                       QFileDevice::ExeOther;
    for (const char* sub : {"", "/spool", "/conf", "/conf/ppd"})
        QFile::setPermissions(raiz + QLatin1String(sub), livre);
    for (const char* sub : {"/spool/tmp", "/saida"})
        QFile::setPermissions(raiz + QLatin1String(sub),
                              livre | QFileDevice::WriteGroup | QFileDevice::WriteOther);

    Gravar(raiz + QStringLiteral("/conf/cupsd.conf"), QStringLiteral(R"(Listen %1/cups.sock
LogLevel warn
Browsing No
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)")
                                                          .arg(raiz));
    Gravar(raiz + QStringLiteral("/conf/cups-files.conf"), QStringLiteral(R"(ServerRoot %1/conf
RequestRoot %1/spool
TempDir %1/spool/tmp
CacheDir %1/cache
StateDir %1/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice Yes
ErrorLog %1/log/error_log
AccessLog %1/log/access_log
PageLog %1/log/page_log
)")
                                                               .arg(raiz));
    QString impressoras;
    const struct {
        const char* nome;
        const char* estado;
        const char* aceita;
    } filas[] = {{"Velto", "Idle", "Yes"}, {"Parada", "Stopped", "Yes"}, {"Recusa", "Idle", "No"}};
    for (const auto& fila : filas) {
        const QString nome = QLatin1String(fila.nome);
        const QString marca =
            nome == QLatin1String("Velto") ? QStringLiteral("DefaultPrinter") : QStringLiteral("Printer");
        impressoras +=
            QStringLiteral("<%1 %2>\nDeviceURI file://%3\nState %4\nAccepting %5\nShared No\n</%1>\n")
                .arg(marca, nome, saidaDaFila(nome), QLatin1String(fila.estado), QLatin1String(fila.aceita));
        QFile::copy(QLatin1String(kPpd), raiz + QStringLiteral("/conf/ppd/") + nome + QStringLiteral(".ppd"));
    }
    Gravar(raiz + QStringLiteral("/conf/printers.conf"), impressoras);

    if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd")) || !QFileInfo::exists(QLatin1String(kPpd))) {
        erro_ = QStringLiteral("cupsd ou o PPD da impressora PDF não estão instalados (tools/install-deps)");
        return;
    }
    qputenv("CUPS_SERVER", (raiz + QStringLiteral("/cups.sock")).toUtf8());
    cupsd_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                 {QStringLiteral("-f"), QStringLiteral("-c"), raiz + QStringLiteral("/conf/cupsd.conf"),
                  QStringLiteral("-s"), raiz + QStringLiteral("/conf/cups-files.conf")});
    // Ready once lpstat finds the default queue through the socket.
    const QDeadlineTimer prazo(15000);
    while (!prazo.hasExpired() && cupsd_.state() != QProcess::NotRunning) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-d")});
        lpstat.waitForFinished(5000);
        if (lpstat.exitCode() == 0 && lpstat.readAllStandardOutput().contains("Velto")) {
            iniciado_ = true;
            return;
        }
        QThread::msleep(100);
    }
    QFile log(raiz + QStringLiteral("/log/error_log"));
    log.open(QIODevice::ReadOnly);
    erro_ = QStringLiteral("o servidor CUPS de teste não respondeu: ") + QString::fromUtf8(log.readAll());
}

ServidorCups::~ServidorCups() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000))
            cupsd_.kill();
        cupsd_.waitForFinished(2000);
    }
    if (servidorAnterior_.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", servidorAnterior_);
}

QString ServidorCups::saidaDaFila(const QString& fila) const {
    return pasta_.path() + QStringLiteral("/saida/") + fila + QStringLiteral(".pdf");
}

QByteArray ServidorCups::esperarTrabalho(const QString& fila, int milissegundos) const {
    const QDeadlineTimer prazo(milissegundos);
    while (!prazo.hasExpired()) {
        if (trabalhosPendentes(fila).isEmpty()) {
            QFile f(saidaDaFila(fila));
            if (f.open(QIODevice::ReadOnly)) {
                const QByteArray conteudo = f.readAll();
                if (conteudo.contains("%%EOF"))
                    return conteudo;
            }
        }
        QThread::msleep(100);
    }
    return {};
}

QString ServidorCups::trabalhosPendentes(const QString& fila) const {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), fila});
    lpstat.waitForFinished(5000);
    return QString::fromUtf8(lpstat.readAllStandardOutput()).trimmed();
}
