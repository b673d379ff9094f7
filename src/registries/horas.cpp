#include "horas.h"

#include "CamposCadastro.h"
#include "Conexao.h"

#include <QRegularExpression>

namespace {

constexpr int kSegundosDia = 86400;

int Periodo(const QString& entrada, const QString& saida) {
    const auto e = SegundosHorario(entrada);
    const auto s = SegundosHorario(saida);
    if (!e || !s)
        return 0;
    // A night period ends on the next day, as worked time is measured.
    return (*s - *e + kSegundosDia) % kSegundosDia;
}

QString Hora(int segundos) {
    return QStringLiteral("%1:%2:%3")
        .arg(segundos / 3600, 2, 10, QLatin1Char('0'))
        .arg(segundos / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(segundos % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

std::optional<int> SegundosHorario(const QString& texto) {
    static const QRegularExpression hora(QStringLiteral("^(\\d\\d):(\\d\\d):(\\d\\d)$"));
    const auto m = hora.match(texto);
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    const int s = m.captured(3).toInt();
    if (h > 23 || min > 59 || s > 59)
        return std::nullopt;
    return h * 3600 + min * 60 + s;
}

QString TotalDiaHorario(const QString& entrada1, const QString& saida1, const QString& entrada2,
                        const QString& saida2) {
    return Hora((Periodo(entrada1, saida1) + Periodo(entrada2, saida2)) % kSegundosDia);
}

HorasSemana somarHorasSemana(const QString& codigo) {
    qint64 segundos = 0;
    for (Recordset rs = conexaoBanco->Execute(QStringLiteral("sELECT * FROM horarios WHERE REGISTRO = '") +
                                              TextoSql(codigo) + QStringLiteral("'"));
         !rs.Eof(); rs.MoveNext())
        segundos += SegundosHorario(rs[QStringLiteral("totalHoras")].toString()).value_or(0);
    // At most a few hundred thousand hours: 15 significant digits never need an exponent.
    return {realText(segundos / 3600.0), realText(segundos / 60.0)};
}

int atualizarTotaisHorarios() {
    int atualizadas = 0;
    const Recordset codigos =
        conexaoBanco->Execute(QStringLiteral("sELECT REGISTRO FROM horarios group by REGISTRO"));
    for (Recordset c = codigos; !c.Eof(); c.MoveNext()) {
        for (Recordset rs = conexaoBanco->Execute(
                 QStringLiteral("sELECT * FROM horarios WHERE REGISTRO = '") +
                 TextoSql(c[QStringLiteral("REGISTRO")].toString()) + QStringLiteral("'"));
             !rs.Eof(); rs.MoveNext()) {
            const QString total = TotalDiaHorario(
                rs[QStringLiteral("NOME")].toString(), rs[QStringLiteral("TELE")].toString(),
                rs[QStringLiteral("ENDERECO")].toString(), rs[QStringLiteral("CIDADE")].toString());
            conexaoBanco->Execute(
                QStringLiteral("UPDATE horarios SET ") + QStringLiteral("totalhoras='") + total +
                QStringLiteral("' ") + QStringLiteral(" WHERE REGISTRO = '") +
                TextoSql(rs[QStringLiteral("REGISTRO")].toString()) + QStringLiteral("'  and DiaSemana = '") +
                TextoSql(rs[QStringLiteral("DiaSemana")].toString()) + QStringLiteral("' "));
            ++atualizadas;
        }
    }
    return atualizadas;
}
