#include "ServerSettings.h"

#include "DatabaseError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <libpq-fe.h>

namespace {

QString userFile() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/velto/velto.conf");
}

const QString kSystemFile = QStringLiteral("/etc/velto/velto.conf");

std::optional<QString> valueIn(const QString& path, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    std::optional<QString> value;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        line = line.left(line.indexOf(QLatin1Char('#'))).trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            value = line.mid(eq + 1).trimmed();
    }
    return value;
}

// Whether libpq would find a password in the text itself.
bool carriesPassword(const QString& conninfo, QString& error) {
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.toUtf8().constData(), &message);
    if (!options) {
        error = QString::fromUtf8(message ? message : "").trimmed();
        PQfreemem(message);
        return false;
    }
    bool password = false;
    for (PQconninfoOption* o = options; o->keyword; ++o) {
        if (qstrcmp(o->keyword, "password") == 0 && o->val && *o->val)
            password = true;
    }
    PQconninfoFree(options);
    return password;
}

QString optionOf(const PQconninfoOption* options, const char* keyword) {
    for (const PQconninfoOption* o = options; o && o->keyword; ++o) {
        if (qstrcmp(o->keyword, keyword) == 0 && o->val)
            return QString::fromUtf8(o->val);
    }
    return {};
}

} // namespace

// "ponto no servidor servidor:5432": what the connection string leads to.
QString serverPlace(const QString& conninfo) {
    PQconninfoOption* options = PQconninfoParse(conninfo.toUtf8().constData(), nullptr);
    QString database = optionOf(options, "dbname");
    QString host = optionOf(options, "host");
    const QString port = optionOf(options, "port");
    PQconninfoFree(options);
    if (database.isEmpty())
        database = qEnvironmentVariable("PGDATABASE", qEnvironmentVariable("USER"));
    if (host.isEmpty())
        host = qEnvironmentVariable("PGHOST", QStringLiteral("localhost"));
    if (!port.isEmpty())
        host += QLatin1Char(':') + port;
    return QStringLiteral("%1 no servidor %2").arg(database, host);
}

QString writeConfiguredValue(const QString& key, const QString& value) {
    const QString path = userFile();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::setPermissions(QFileInfo(path).absolutePath(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QStringList lines;
    bool replaced = false;
    if (QFile old(path); old.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& line : QString::fromUtf8(old.readAll()).split(QLatin1Char('\n'))) {
            const QString bare = line.left(line.indexOf(QLatin1Char('#')));
            const qsizetype eq = bare.indexOf(QLatin1Char('='));
            const bool same = eq > 0 && bare.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
            if (same && replaced)
                continue;
            lines << (same ? QStringLiteral("%1 = %2").arg(key, value) : line);
            replaced = replaced || same;
        }
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (!replaced)
        lines << QStringLiteral("%1 = %2").arg(key, value);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner) ||
        file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0)
        throw DatabaseError(
            QStringLiteral("Não foi possível gravar a configuração %1: %2").arg(path, file.errorString()));
    return path;
}

QString configuredValue(const QString& key) {
    if (const auto value = valueIn(userFile(), key))
        return *value;
    return valueIn(kSystemFile, key).value_or(QString());
}

std::optional<QString> configuredServer() {
    QString source = QStringLiteral("VELTO_BANCO");
    QString value = qEnvironmentVariable("VELTO_BANCO").trimmed();
    if (!qEnvironmentVariableIsSet("VELTO_BANCO")) {
        const auto user = valueIn(userFile(), QStringLiteral("banco"));
        source = user ? userFile() : kSystemFile;
        value = user ? *user : configuredValue(QStringLiteral("banco"));
    }
    if (value.isEmpty() || value.compare(QLatin1String("arquivo"), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    QString error;
    if (carriesPassword(value, error))
        throw DatabaseError(
            QStringLiteral("O banco de dados configurado em %1 traz uma senha, e nenhuma senha "
                           "é guardada na configuração.\nGuarde-a no arquivo ~/.pgpass (ou no "
                           "que a variável PGPASSFILE indica) e tire-a de %1.")
                .arg(source));
    if (!error.isEmpty())
        throw DatabaseError(
            QStringLiteral(
                "O banco de dados configurado em %1 não é um endereço válido de servidor PostgreSQL.")
                .arg(source));
    return value;
}
