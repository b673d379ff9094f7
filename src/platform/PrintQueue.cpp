#include "PrintQueue.h"

#include <QFile>
#include <cups/cups.h>

namespace {

struct Dest {
    cups_dest_t* dest = nullptr;
    explicit Dest(const QString& name)
        : dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.toUtf8().constData(),
                                nullptr)) {}
    ~Dest() {
        if (dest)
            cupsFreeDests(1, dest);
    }
    Dest(const Dest&) = delete;
    Dest& operator=(const Dest&) = delete;

    QString option(const char* key) const {
        return QString::fromUtf8(cupsGetOption(key, dest->num_options, dest->options));
    }
};

QString lastCupsError() {
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace

QString PrintQueue::defaultName() {
    const Dest d({});
    return d.dest ? QString::fromUtf8(d.dest->name) : QString();
}

QString PrintQueue::problem(const QString& name) {
    const Dest d(name);
    if (!d.dest)
        return QStringLiteral("A impressora %1 não foi encontrada").arg(name);
    // IPP printer-state: 3 idle, 4 processing, 5 stopped.
    if (d.option("printer-state") == QLatin1String("5"))
        return QStringLiteral("A impressora %1 está parada").arg(name);
    if (d.option("printer-is-accepting-jobs") == QLatin1String("false"))
        return QStringLiteral("A impressora %1 não está aceitando trabalhos").arg(name);
    return {};
}

QString PrintQueue::send(const QString& name, const QString& file, const QString& title) {
    if (QString why = problem(name); !why.isEmpty())
        return why;
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), QFile::encodeName(file).constData(),
                       title.toUtf8().constData(), 0, nullptr);
    if (job <= 0)
        return QStringLiteral("A impressora %1 recusou o trabalho (%2)").arg(name, lastCupsError());
    return {};
}
