#include "RegistrarPonto.h"

#include "Conexao.h"

#include <cstdlib>
#include <optional>

namespace {

constexpr int kIntervaloMinimo = 600; // "00:10:00"

bool Numerico(const QString& texto) {
    bool ok = false;
    texto.trimmed().toDouble(&ok);
    return ok;
}

// Seconds since the last punch, when it was made today; nothing when the rule does not apply.
std::optional<int> SegundosDesdeUltimoPonto(const QString& numero, const QDate& dataAtual,
                                            const QTime& horaAtual) {
    const Recordset existe =
        conexaoBanco->Execute("Select top 1 codigo from movimentacao where  funcionario  = " + numero);
    if (existe.Eof())
        return std::nullopt;
    const Recordset maximo =
        conexaoBanco->Execute("Select max(codigo) as s from movimentacao where  funcionario  = " + numero);
    if (maximo.Eof() || maximo["s"].isNull())
        return std::nullopt;
    const Recordset ultimo = conexaoBanco->Execute(
        "Select data,hora,EntradaSaida from movimentacao where  codigo  = " + maximo["s"].toString());
    if (ultimo.Eof() || ultimo["data"].toDate() != dataAtual)
        return std::nullopt;
    const QTime hora = ultimo["hora"].toTime();
    if (!hora.isValid())
        return std::nullopt;
    return hora.secsTo(horaAtual);
}

QString Periodo(const QString& horaMostrada, const QTime& horaAtual) {
    const QTime mostrada = QTime::fromString(horaMostrada, QStringLiteral("hh:mm:ss"));
    const int hora = mostrada.isValid() ? mostrada.hour() : horaAtual.hour();
    return hora > 12 ? QStringLiteral("T") : QStringLiteral("M");
}

} // namespace

qint64 ContarPontos(const QString& numero, const QString& tipo) {
    const Recordset rs = conexaoBanco->Execute(
        "Select count(EntradaSaida) as s from movimentacao where  funcionario  = " + numero +
        " and EntradaSaida = '" + tipo + "' ");
    return rs.Eof() ? 0 : rs["s"].toInteger();
}

QString SemEspacosEApostrofos(QString texto) {
    texto.remove(QLatin1Char(' '));
    texto.remove(QLatin1Char('\''));
    return texto;
}

QString TextoDecorrido(int segundos) {
    const int absoluto = std::abs(segundos);
    return QStringLiteral("%1%2:%3:%4")
        .arg(segundos < 0 ? QStringLiteral("-") : QString())
        .arg(absoluto / 3600, 2, 10, QLatin1Char('0'))
        .arg(absoluto / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(absoluto % 60, 2, 10, QLatin1Char('0'));
}

QString MensagemPontoNaoRegistrado(const DatabaseError& erro) {
    QString motivo;
    switch (erro.cause()) {
    case DatabaseError::Cause::Busy:
        motivo = QStringLiteral("Banco de dados ocupado por outro programa.");
        break;
    case DatabaseError::Cause::Full:
        motivo = QStringLiteral("Disco cheio.");
        break;
    case DatabaseError::Cause::ReadOnly:
        motivo = QStringLiteral("Sem permissão para gravar no banco de dados.");
        break;
    case DatabaseError::Cause::FileMissing:
        motivo = QStringLiteral("Arquivo do banco de dados não encontrado.");
        break;
    case DatabaseError::Cause::Unreachable:
        motivo = QStringLiteral("Servidor do banco de dados fora do alcance.");
        break;
    case DatabaseError::Cause::Other:
        motivo = QStringLiteral("Erro no banco de dados: ") + erro.engineMessage();
        break;
    }
    return QStringLiteral("PONTO NÃO REGISTRADO!\r\n\r\n") + motivo +
           QStringLiteral("\r\nPasse o cartão novamente.");
}

QString MensagemCedoDemais(const QString& decorrido) {
    return QStringLiteral(
               "Deverá Aguardar 10 minutos para dar Entrada ou Saida!\r\n\r\n\r\nTempo decorrido: ") +
           decorrido;
}

ResultadoPonto RegistrarPonto(const QString& textoCartao, const QDate& dataAtual, const QTime& horaAtual,
                              const QString& dataMostrada, const QString& horaMostrada) {
    ResultadoPonto resultado;
    const QString cartao = SemEspacosEApostrofos(textoCartao);
    const Recordset funcionario =
        conexaoBanco->Execute("Select * from funcionarios where  registro  = '" + cartao + "'");
    if (funcionario.Eof()) {
        resultado.tipo = ResultadoPonto::Tipo::CartaoNaoEncontrado;
        return resultado;
    }
    const QString numero = SemEspacosEApostrofos(funcionario["codigo"].toString());
    resultado.numeroFuncionario = numero;

    // The ten-minute check, the counts and the insert decide as one: another program registering
    // the same card waits for this one and then finds its punch.
    Connection::WriteTransaction transacao(*conexaoBanco);
    conexaoBanco->LockRow(QStringLiteral("funcionarios"), funcionario["codigo"].toInteger());

    if (const auto decorrido = SegundosDesdeUltimoPonto(numero, dataAtual, horaAtual);
        decorrido && *decorrido <= kIntervaloMinimo) {
        resultado.tipo = ResultadoPonto::Tipo::CedoDemais;
        resultado.decorrido = TextoDecorrido(*decorrido);
        return resultado;
    }

    const qint64 entradas = ContarPontos(numero, QStringLiteral("E"));
    const qint64 saidas = ContarPontos(numero, QStringLiteral("S"));
    const QString tipo = entradas > saidas ? QStringLiteral("S") : QStringLiteral("E");
    const QString periodo = Periodo(horaMostrada, horaAtual);

    if (!Numerico(numero)) {
        resultado.tipo = ResultadoPonto::Tipo::NaoRegistrado;
        return resultado;
    }
    const QString nome = funcionario["nome"].toString();
    resultado.linhaNome = nome + (tipo == QLatin1String("E") ? QStringLiteral(" - (Registrada ENTRADA!)")
                                                             : QStringLiteral(" - (Registrada SAIDA!)"));
    conexaoBanco->Execute("Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('" +
                          dataMostrada + "','" + horaMostrada + "', '" + tipo + "', " + numero + ", '" +
                          periodo + "' )");
    transacao.Commit();
    resultado.tipo = ResultadoPonto::Tipo::Registrado;
    resultado.entradaSaida = tipo;
    return resultado;
}
