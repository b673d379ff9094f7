#include "BancoTeste.h"

#include "Esquema.h"

BancoTeste::BancoTeste(const QString& senhaManutencao)
    : raizAnterior_(qgetenv("VELTO_DRIVE_ROOT")) {
    qputenv("VELTO_DRIVE_ROOT", pasta_.path().toUtf8());
    CriarBanco(kStringConexao, senhaManutencao);
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

void BancoTeste::ponto(qint64 funcionario, const QString& data, const QString& hora, const QString& tipo,
                       const QString& periodo) {
    sql(QStringLiteral(
            "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('%1','%2', "
            "'%3', %4, '%5' )")
            .arg(data, hora, tipo, QString::number(funcionario), periodo));
}
