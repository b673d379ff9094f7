#include "CopiasDiarias.h"

#include "Conexao.h"
#include "ServerSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <sys/stat.h>

namespace {

constexpr int kDiarias = 30;
constexpr int kMensais = 12;

QString PastaDoBanco() {
    return QFileInfo(mapWindowsPath(ConnectionString::parse(kStringConexao).dbq)).absolutePath();
}

std::optional<dev_t> Dispositivo(const QString& caminho) {
    struct stat info {};
    if (::stat(QFile::encodeName(caminho).constData(), &info) != 0)
        return std::nullopt;
    return info.st_dev;
}

} // namespace

std::optional<QString> PastaDasCopias() {
    const QString valor = configuredValue(QStringLiteral("copias"));
    if (valor == QLatin1String("0"))
        return std::nullopt;
    if (!valor.isEmpty())
        return QDir::cleanPath(mapWindowsPath(valor));
    if (configuredServer())
        return std::nullopt;
    // Only the default folder is made: a USB disk that is not mounted must not turn into a folder
    // on the system's disk.
    const QString padrao = PastaDoBanco() + QStringLiteral("/copias");
    if (QDir().mkpath(padrao))
        QFile::setPermissions(padrao, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return padrao;
}

QString NomeDaCopia(const QDate& dia) {
    return dia.toString(QStringLiteral("'ponto-'yyyy-MM-dd'.mdb'"));
}

QList<CopiaDiaria> CopiasNaPasta(const QString& pasta) {
    static const QRegularExpression nome(QStringLiteral("^ponto-(\\d{4})-(\\d{2})-(\\d{2})\\.mdb$"));
    QList<CopiaDiaria> copias;
    for (const QFileInfo& f : QDir(pasta).entryInfoList(QDir::Files, QDir::Name | QDir::Reversed)) {
        const auto m = nome.match(f.fileName());
        const QDate dia = m.hasMatch()
                              ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt())
                              : QDate();
        if (dia.isValid())
            copias.append({dia, f.absoluteFilePath(), f.size()});
    }
    return copias;
}

QList<CopiaDiaria> CopiasARemover(const QList<CopiaDiaria>& copias, const QDate& hoje) {
    const QDate esteMes(hoje.year(), hoje.month(), 1);
    QSet<QDate> mesesGuardados;
    QList<CopiaDiaria> remover;
    for (qsizetype i = 0; i < copias.size(); ++i) {
        const QDate mes(copias[i].data.year(), copias[i].data.month(), 1);
        const bool mensal =
            mes < esteMes && mes >= esteMes.addMonths(-kMensais) && !mesesGuardados.contains(mes);
        if (mensal)
            mesesGuardados.insert(mes);
        if (i >= kDiarias && !mensal)
            remover.append(copias[i]);
    }
    return remover;
}

bool NoDiscoDoBanco(const QString& pasta) {
    if (configuredServer())
        return false;
    const auto copias = Dispositivo(pasta);
    return copias && copias == Dispositivo(PastaDoBanco());
}

QString ArquivoDeFalhaDasCopias() {
    return PastaDoBanco() + QStringLiteral("/copias-falha.txt");
}
