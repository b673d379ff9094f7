#include "BancoTeste.h"

#include "Esquema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

BancoTeste::BancoTeste(const QString& senhaManutencao)
    : raizAnterior_(qgetenv("VELTO_DRIVE_ROOT")) {
    qputenv("VELTO_DRIVE_ROOT", pasta_.path().toUtf8());
    CriarBanco(kStringConexao, senhaManutencao);
    abrir();
}

BancoTeste::BancoTeste(const QString& cenario, const std::function<void(BancoTeste&)>& montar)
    : raizAnterior_(qgetenv("VELTO_DRIVE_ROOT")) {
    static QTemporaryDir modelos;
    static QHash<QString, QString> arquivos;
    QString& modelo = arquivos[cenario];
    if (modelo.isEmpty()) {
        BancoTeste novo;
        montar(novo);
        conexaoBanco.reset();
        modelo = modelos.filePath(QString::number(arquivos.size()) + QStringLiteral(".mdb"));
        if (!QFile::copy(novo.caminhoArquivo(), modelo))
            throw std::runtime_error("cannot keep the scenario's database");
    }
    qputenv("VELTO_DRIVE_ROOT", pasta_.path().toUtf8());
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
