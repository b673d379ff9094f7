#include "ServidorCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

void Gravar(const QString& arquivo, const QString& texto) {
    QFile f(arquivo);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(texto.toUtf8());
}

QString Executar(const QString& programa, const QStringList& args, int* status = nullptr) {
    QProcess p;
    p.start(programa, args);
    p.waitForFinished(5000);
    if (status)
        *status = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

const QString kPpd = u"/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"_s;

const char* const kCupsd = R"(Listen %1/cups.sock
LogLevel warn
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)";

const char* const kArquivos = R"(ServerRoot %1/conf
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
)";

} // namespace

ServidorCups::ServidorCups()
    : servidorAnterior_(qgetenv("CUPS_SERVER")) {
    const QString raiz = pasta_.path();
    // Run as root, the server hands jobs to its filters as the user lp.
    for (const char* sub : {"", "/spool", "/conf", "/conf/ppd", "/cache", "/state", "/log"}) {
        QDir().mkpath(raiz + QLatin1String(sub));
        chmod(QFile::encodeName(raiz + QLatin1String(sub)).constData(), 0755);
    }
    for (const char* sub : {"/spool/tmp", "/saida"}) {
        QDir().mkpath(raiz + QLatin1String(sub));
        chmod(QFile::encodeName(raiz + QLatin1String(sub)).constData(), 0777);
    }
    Gravar(raiz + u"/conf/cupsd.conf"_s, QString::fromUtf8(kCupsd).arg(raiz));
    Gravar(raiz + u"/conf/cups-files.conf"_s, QString::fromUtf8(kArquivos).arg(raiz));
    QString impressoras;
    for (const QStringList& fila : {QStringList{"Velto", "Idle", "Yes", "DefaultPrinter"},
                                    {"Parada", "Stopped", "Yes", "Printer"},
                                    {"Recusa", "Idle", "No", "Printer"}}) {
        impressoras += u"<%1 %2>\nDeviceURI file://%3\nState %4\nAccepting %5\nShared No\n</%1>\n"_s.arg(
            fila[3], fila[0], saidaDaFila(fila[0]), fila[1], fila[2]);
        QFile::copy(kPpd, raiz + u"/conf/ppd/"_s + fila[0] + u".ppd"_s);
    }
    Gravar(raiz + u"/conf/printers.conf"_s, impressoras);

    if (!QFile::exists(u"/usr/sbin/cupsd"_s) || !QFile::exists(kPpd)) {
        erro_ = u"cupsd ou o PPD da impressora PDF não estão instalados (tools/install-deps)"_s;
        return;
    }
    qputenv("CUPS_SERVER", (raiz + u"/cups.sock"_s).toUtf8());
    cupsd_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cupsd_.start(u"/usr/sbin/cupsd"_s, {u"-f"_s, u"-c"_s, raiz + u"/conf/cupsd.conf"_s, u"-s"_s,
                                        raiz + u"/conf/cups-files.conf"_s});
    // Ready once lpstat finds the default queue through the socket.
    const QDeadlineTimer prazo(15000);
    while (!prazo.hasExpired() && cupsd_.state() != QProcess::NotRunning) {
        int status = -1;
        if (Executar(u"lpstat"_s, {u"-d"_s}, &status).contains(u"Velto"_s) && status == 0) {
            iniciado_ = true;
            return;
        }
        QThread::msleep(100);
    }
    QFile log(raiz + u"/log/error_log"_s);
    log.open(QIODevice::ReadOnly);
    erro_ = u"o servidor CUPS de teste não respondeu: "_s + QString::fromUtf8(log.readAll());
}

ServidorCups::~ServidorCups() {
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(5000))
        cupsd_.kill();
    if (servidorAnterior_.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", servidorAnterior_);
}

QString ServidorCups::saidaDaFila(const QString& fila) const {
    return pasta_.path() + u"/saida/"_s + fila + u".pdf"_s;
}

QByteArray ServidorCups::esperarTrabalho(const QString& fila, int milissegundos) const {
    for (const QDeadlineTimer prazo(milissegundos); !prazo.hasExpired(); QThread::msleep(100)) {
        QFile f(saidaDaFila(fila));
        if (trabalhosPendentes(fila).isEmpty() && f.open(QIODevice::ReadOnly)) {
            const QByteArray conteudo = f.readAll();
            if (conteudo.contains("%%EOF"))
                return conteudo;
        }
    }
    return {};
}

QString ServidorCups::trabalhosPendentes(const QString& fila) const {
    return Executar(u"lpstat"_s, {u"-o"_s, fila});
}
