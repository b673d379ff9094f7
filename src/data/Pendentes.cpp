#include "Pendentes.h"

#include "Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

namespace {
const char kCabecalho[] = "cartao,data,hora,computador\n";
} // namespace

QString ArquivoPendentes() {
    return mapWindowsPath(QStringLiteral("C:\\PONTO\\pendentes.csv"));
}

bool AnotarPendente(const QString& cartao, const QDateTime& instante) {
    const QString caminho = ArquivoPendentes();
    QDir().mkpath(QFileInfo(caminho).path());
    QFile arquivo(caminho);
    const bool novo = !arquivo.exists() || arquivo.size() == 0;
    if (!arquivo.open(QIODevice::Append | QIODevice::Text))
        return false;
    // A card is what the scanner typed; a comma in it would split the line.
    QString limpo = cartao;
    limpo.remove(QLatin1Char(','));
    const QString linha =
        QStringList{limpo, instante.date().toString(QStringLiteral("dd/MM/yyyy")),
                    instante.time().toString(QStringLiteral("hh:mm:ss")), QSysInfo::machineHostName()}
            .join(QLatin1Char(',')) +
        QLatin1Char('\n');
    return (!novo || arquivo.write(kCabecalho) > 0) && arquivo.write(linha.toUtf8()) > 0 && arquivo.flush();
}

QList<Pendente> LerPendentes() {
    QFile arquivo(ArquivoPendentes());
    QList<Pendente> pendentes;
    if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text))
        return pendentes;
    arquivo.readLine(); // the header
    while (!arquivo.atEnd()) {
        const QStringList campos = QString::fromUtf8(arquivo.readLine()).trimmed().split(QLatin1Char(','));
        if (campos.size() == 4)
            pendentes.append(Pendente{campos[0], campos[1], campos[2], campos[3]});
    }
    return pendentes;
}
