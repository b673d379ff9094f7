#include "HorasAritmetica.h"

#include "Conexao.h"

#include <QRegularExpression>
#include <QStringList>
#include <cstdlib>
#include <stdexcept>

namespace {

// a / b rounded half away from zero, b > 0.
qint64 DividirArredondando(qint64 a, qint64 b) {
    qint64 q = a / b;
    const qint64 r = a % b;
    if (2 * std::llabs(r) >= b)
        q += (a < 0) ? -1 : 1;
    return q;
}

QString DoisDigitos(qint64 parte) {
    QString texto = QString::number(parte);
    texto.remove(QLatin1Char('-'));
    if (texto.size() < 2)
        texto.prepend(QLatin1Char('0'));
    return texto;
}

// A whole number without sign, leading zeros allowed ("01"); nullopt for anything else.
std::optional<qint64> NumeroInteiro(const QString& texto) {
    static const QRegularExpression digitos(QStringLiteral("^\\d{1,18}$"));
    const QString limpo = texto.trimmed();
    if (!digitos.match(limpo).hasMatch())
        return std::nullopt;
    return limpo.toLongLong();
}

[[noreturn]] void Estouro() {
    throw std::overflow_error("Estouro de capacidade");
}

} // namespace

int Normalizar(qint64 segundos) {
    return static_cast<int>(std::llabs(segundos) % kSegundosDia);
}

int DuracaoPeriodo(int entrada, int saida) {
    if (saida >= entrada)
        return Normalizar(saida - entrada);
    const int antes = Normalizar(kSegundosDia - entrada);
    const int depois = Normalizar(saida);
    return Normalizar(qint64(antes) + depois);
}

QString TextoHora(qint64 segundos) {
    const int s = Normalizar(segundos);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString TextoHorasAlem24(qint64 segundos) {
    const qint64 s = std::llabs(segundos);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

std::optional<int> SegundosDoTexto(const QString& texto) {
    static const QRegularExpression hora(QStringLiteral("^(\\d{1,2}):(\\d{2}):(\\d{2})$"));
    const auto m = hora.match(texto.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    const int s = m.captured(3).toInt();
    if (h > 23 || min > 59 || s > 59)
        return std::nullopt;
    return h * 3600 + min * 60 + s;
}

qint32 SomarSegundos(qint32 a, qint32 b) {
    qint32 soma;
    if (__builtin_add_overflow(a, b, &soma))
        Estouro();
    return soma;
}

qint32 SubtrairSegundos(qint32 a, qint32 b) {
    qint32 diferenca;
    if (__builtin_sub_overflow(a, b, &diferenca))
        Estouro();
    return diferenca;
}

HorasMinutos CalcularHorasMinutos(qint32 segundos) {
    // Exact decimal arithmetic in hundredths: m = R2(s / 60), h = R2(m / 60).
    const qint64 m = DividirArredondando(qint64(segundos) * 100, 60);
    const qint64 parteSegundos = DividirArredondando((m % 100) * 60, 100);
    const qint64 h = DividirArredondando(m, 60);
    const qint64 parteHoras = h / 100;
    const qint64 parteMinutos = DividirArredondando((h % 100) * 60, 100);
    return {DoisDigitos(parteHoras), DoisDigitos(parteMinutos), DoisDigitos(parteSegundos)};
}

QString FormatarValor(double valor) {
    // Rounded on the decimal value of the number as it is written with 15 significant digits,
    // so that 12.345 (stored as 12.3449999...) still gives 12,35.
    const QString cientifico = QString::number(std::abs(valor), 'e', 14);
    const qsizetype e = cientifico.indexOf(QLatin1Char('e'));
    QString digitos = cientifico.left(e);
    digitos.remove(QLatin1Char('.'));
    const int expoente = cientifico.mid(e + 1).toInt();
    // valor = digitos x 10^(expoente - 14); centavos = valor x 100.
    const int deslocamento = expoente - 12;
    QString centavos;
    if (deslocamento >= 0) {
        centavos = digitos + QString(deslocamento, QLatin1Char('0'));
    } else if (-deslocamento > 15) {
        centavos = QStringLiteral("0");
    } else {
        qint64 divisor = 1;
        for (int i = 0; i < -deslocamento; ++i)
            divisor *= 10;
        centavos = QString::number(DividirArredondando(digitos.toLongLong(), divisor));
    }
    while (centavos.size() > 1 && centavos.startsWith(QLatin1Char('0')))
        centavos.remove(0, 1);
    if (centavos.size() < 3)
        centavos = QString(3 - centavos.size(), QLatin1Char('0')) + centavos;
    QString texto = centavos.left(centavos.size() - 2) + QLatin1Char(',') + centavos.right(2);
    if (valor < 0 && centavos != QLatin1String("000"))
        texto.prepend(QLatin1Char('-'));
    return texto;
}

bool EhNumeroInteiro(const QString& texto) {
    static const QRegularExpression numero(QStringLiteral("^[+-]?\\d{1,18}$"));
    return numero.match(texto.trimmed()).hasMatch();
}

int DiaDaSemana(const QDate& data) {
    return data.dayOfWeek() % 7 + 1;
}

QString NomeDiaSemana(int diaSemana) {
    static const QStringList nomes = {QStringLiteral("DOMINGO"),      QStringLiteral("SEGUNDA-FEIRA"),
                                      QStringLiteral("TERCA-FEIRA"),  QStringLiteral("QUARTA-FEIRA"),
                                      QStringLiteral("QUINTA-FEIRA"), QStringLiteral("SEXTA-FEIRA"),
                                      QStringLiteral("SABADO")};
    if (diaSemana < 1 || diaSemana > 7)
        return {};
    return nomes.at(diaSemana - 1);
}

std::optional<QString> FeriadoDoDia(const QDate& data) {
    return FeriadoDoDia(data, conexaoBanco->Execute(QStringLiteral("Select * from feriados")));
}

std::optional<QString> FeriadoDoDia(const QDate& data, Recordset feriados) {
    for (feriados.MoveFirst(); !feriados.Eof(); feriados.MoveNext()) {
        if (NumeroInteiro(feriados[QStringLiteral("dia")].toString()) != data.day())
            continue;
        if (NumeroInteiro(feriados[QStringLiteral("mes")].toString()) != data.month())
            continue;
        const QString ano = feriados[QStringLiteral("ano")].toString().trimmed();
        if (!ano.isEmpty() && ano != QString::number(data.year()))
            continue;
        return feriados[QStringLiteral("FERIADO")].toString();
    }
    return std::nullopt;
}

QString RotinaFeriado(const QDate& data) {
    return RotinaFeriado(data, conexaoBanco->Execute(QStringLiteral("Select * from feriados")));
}

QString RotinaFeriado(const QDate& data, const Recordset& feriados) {
    QString rotulo = NomeDiaSemana(DiaDaSemana(data));
    if (const auto feriado = FeriadoDoDia(data, feriados))
        rotulo += QStringLiteral(" - F. ") + *feriado;
    return rotulo;
}

void HORAR_TRABALHADA(int saida, int entrada, const QString& codigoFuncionario, const QDate& data,
                      CamposHoras& campos) {
    const int w = DiaDaSemana(data);
    campos.horasPrevistas = 0;
    campos.horasTrabalhadas = DuracaoPeriodo(entrada, saida);
    // The code goes bare into the statement: anything but a whole number finds nobody.
    if (!EhNumeroInteiro(codigoFuncionario))
        return;
    Recordset funcionario = conexaoBanco->Execute(
        QStringLiteral("Select CODHORA from funcionarios where codigo = ") + codigoFuncionario);
    if (!funcionario.Eof()) {
        Recordset horario = conexaoBanco->Execute(
            QStringLiteral("Select * from horarios where registro = '") +
            TextoSql(funcionario[QStringLiteral("CODHORA")].toString()) +
            QStringLiteral("'  and CodHora = '") + QString::number(w) + QStringLiteral("'  "));
        if (!horario.Eof())
            campos.horasPrevistas =
                SegundosDoTexto(horario[QStringLiteral("totalhoras")].toString()).value_or(0);
    }
}

void TotalHorasSemana(QString& codigoFuncionario) {
    QString codigo = codigoFuncionario;
    codigo.remove(QLatin1Char(' '));
    codigo.remove(QLatin1Char('\''));
    // The code goes bare into the statement: anything but a whole number finds nobody.
    if (!EhNumeroInteiro(codigo))
        return;
    Recordset funcionario =
        conexaoBanco->Execute(QStringLiteral("Select * from funcionarios where  codigo  = ") + codigo);
    if (funcionario.Eof())
        return;
    qint32 horas = 0;
    qint32 minutos = 0;
    qint32 segundos = 0;
    for (Recordset rs = conexaoBanco->Execute(QStringLiteral("SELECT * FROM horarios where registro = '") +
                                              TextoSql(funcionario[QStringLiteral("codhora")].toString()) +
                                              QStringLiteral("'"));
         !rs.Eof(); rs.MoveNext()) {
        // An unfilled time ("__:__:__") adds nothing.
        const int total = SegundosDoTexto(rs[QStringLiteral("totalhoras")].toString()).value_or(0);
        horas = SomarSegundos(horas, total / 3600 * 3600);
        minutos = SomarSegundos(minutos, total / 60 % 60 * 60);
        segundos = SomarSegundos(segundos, total % 60);
    }
    const qint32 total = SomarSegundos(SomarSegundos(horas, minutos), segundos);
    if (total > 0)
        codigoFuncionario = CalcularHorasMinutos(total).juntos();
}
