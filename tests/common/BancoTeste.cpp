#include "BancoTeste.h"

#include "Esquema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <libpq-fe.h>

namespace {

// A statement on the test server's maintenance database.
void administrar(const QString& sql) {
    const QByteArray conninfo = "host=" + qgetenv("VELTO_TESTE_PG") + " user=velto dbname=postgres";
    PGconn* c = PQconnectdb(conninfo.constData());
    PGresult* r = PQexec(c, sql.toUtf8().constData());
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    const std::string erro = PQerrorMessage(c);
    PQclear(r);
    PQfinish(c);
    if (!ok)
        throw std::runtime_error("test server: " + erro);
}

} // namespace

BancoTeste::BancoTeste(const QString& senhaManutencao)
    : raizAnterior_(qgetenv("VELTO_DRIVE_ROOT"))
    , bancoAnterior_(qgetenv("VELTO_BANCO")) {
    qputenv("VELTO_DRIVE_ROOT", pasta_.path().toUtf8());
    usarBanco({});
    CriarBanco(kStringConexao, senhaManutencao);
    abrir();
}

QString NovoBancoNoServidor(const QString& modelo) {
    static int numero = 0;
    const QString banco = QStringLiteral("t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++numero);
    administrar(QStringLiteral("CREATE DATABASE %1%2")
                    .arg(banco, modelo.isEmpty() ? QString() : QStringLiteral(" TEMPLATE ") + modelo));
    qputenv("VELTO_BANCO", "host=" + qgetenv("VELTO_TESTE_PG") + " user=velto dbname=" + banco.toUtf8());
    return banco;
}

void BancoTeste::usarBanco(const QString& modelo) {
    if (noServidor())
        banco_ = NovoBancoNoServidor(modelo);
}

BancoTeste::BancoTeste(const QString& cenario, const std::function<void(BancoTeste&)>& montar)
    : raizAnterior_(qgetenv("VELTO_DRIVE_ROOT")) {
    static QTemporaryDir modelos;
    static QHash<QString, QString> arquivos;
    // A scenario is kept per server: a test may start one of its own.
    QString& modelo = arquivos[cenario + QString::fromUtf8(qgetenv("VELTO_TESTE_PG"))];
    if (modelo.isEmpty()) {
        BancoTeste novo;
        montar(novo);
        conexaoBanco.reset();
        if (noServidor()) {
            // The scenario's database stays, as the template of each test's, until the server stops.
            modelo = std::exchange(novo.banco_, QString());
        } else {
            modelo = modelos.filePath(QString::number(arquivos.size()) + QStringLiteral(".mdb"));
            if (!QFile::copy(novo.caminhoArquivo(), modelo))
                throw std::runtime_error("cannot keep the scenario's database");
        }
    }
    bancoAnterior_ = qgetenv("VELTO_BANCO");
    qputenv("VELTO_DRIVE_ROOT", pasta_.path().toUtf8());
    if (noServidor()) {
        usarBanco(modelo);
        abrir();
        return;
    }
    const QString arquivo = caminhoArquivo();
    QDir().mkpath(QFileInfo(arquivo).path());
    if (!QFile::copy(modelo, arquivo))
        throw std::runtime_error("cannot copy the scenario's database");
    QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
    abrir();
}

void BancoTeste::abrir() {
    conexaoBanco.reset();
    AbrirConexao();
    auto enviadas = enviadas_;
    conexaoBanco->setObserver([enviadas](const QString& s) { enviadas->append(s); });
}

BancoTeste::~BancoTeste() {
    conexaoBanco.reset();
    qputenv("VELTO_DRIVE_ROOT", raizAnterior_);
    qputenv("VELTO_BANCO", bancoAnterior_);
    if (banco_.isEmpty())
        return;
    try {
        administrar(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(banco_));
    } catch (const std::runtime_error&) {
        // Whatever stays goes with the test server.
    }
}

QString BancoTeste::caminhoArquivo() const {
    return mapWindowsPath(ConnectionString::parse(kStringConexao).dbq);
}

Recordset BancoTeste::sql(const QString& texto) {
    return conexaoBanco->Execute(texto);
}

qint64 BancoTeste::funcionario(const QString& nome, const QString& registro, const QString& codhora) {
    sql(QStringLiteral("INSERT INTO funcionarios(nome, registro, CODHORA) VALUES('%1', '%2', '%3')")
            .arg(nome, registro, codhora));
    return sql(QStringLiteral("Select max(codigo) as m from funcionarios"))["m"].toInteger();
}

QStringList BancoTeste::linhas(const QString& texto) {
    QStringList linhas;
    for (Recordset rs = sql(texto); !rs.Eof(); rs.MoveNext()) {
        QStringList campos;
        for (const QString& coluna : rs.columns())
            campos << (rs[coluna].isNull() ? QStringLiteral("null") : rs[coluna].toString());
        linhas << campos.join(QLatin1Char('|'));
    }
    return linhas;
}

qint64 BancoTeste::contar(const QString& tabela) {
    return sql(QStringLiteral("Select count(*) as n from ") + tabela)["n"].toInteger();
}

void BancoTeste::ponto(qint64 funcionario, const QString& data, const QString& hora, const QString& tipo,
                       const QString& periodo) {
    sql(QStringLiteral(
            "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('%1','%2', "
            "'%3', %4, '%5' )")
            .arg(data, hora, tipo, QString::number(funcionario), periodo));
}
