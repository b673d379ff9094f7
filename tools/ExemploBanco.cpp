#include "ExemploBanco.h"

#include <QRandomGenerator>
#include <QTime>

namespace {

struct Pessoa {
    const char* nome;
    const char* cidade;
    bool noturno;
};

const Pessoa kPessoas[] = {
    {"ANA PAULA SOUZA", "CAMPINAS", false},       {"BRUNO CARVALHO LIMA", "CAMPINAS", false},
    {"CARLOS EDUARDO ROCHA", "SUMARE", false},    {"DANIELA FERREIRA", "HORTOLANDIA", false},
    {"EDSON PEREIRA DA SILVA", "CAMPINAS", true}, {"FERNANDA ALVES", "VALINHOS", false},
    {"GILBERTO MARTINS", "CAMPINAS", true},       {"HELENA DIAS COSTA", "PAULINIA", false},
    {"IVAN RIBEIRO", "CAMPINAS", false},          {"JULIANA MOREIRA", "SUMARE", false},
    {"LUCAS GOMES BARBOSA", "CAMPINAS", true},    {"MARIA APARECIDA SANTOS", "VINHEDO", false},
};

const char* const kDias[] = {"DOMINGO",      "SEGUNDA-FEIRA", "TERCA-FEIRA", "QUARTA-FEIRA",
                             "QUINTA-FEIRA", "SEXTA-FEIRA",   "SABADO"};

// EAN-13 style code: twelve digits and a check digit.
QString CodigoCartao(int n) {
    QString base = QStringLiteral("789%1").arg(100000000 + n * 7919, 9, 10, QLatin1Char('0'));
    int soma = 0;
    for (int i = 0; i < 12; ++i)
        soma += base.at(i).digitValue() * (i % 2 ? 3 : 1);
    return base + QString::number((10 - soma % 10) % 10);
}

void Horario(Connection& c, const QString& codigo, const QString& descricao, int dia, const char* e1,
             const char* s1, const char* e2, const char* s2, const char* total) {
    c.Execute(
        QStringLiteral("INSERT INTO horarios(registro, DiaSemana, CODHORA, DESCRICAO, nome, tele, endereco, "
                       "cidade, totalhoras) VALUES('%1', '%2', '%3', '%4', '%5', '%6', '%7', '%8', '%9')")
            .arg(codigo, QString::fromLatin1(kDias[dia - 1]), QString::number(dia), descricao,
                 QString::fromLatin1(e1), QString::fromLatin1(s1), QString::fromLatin1(e2),
                 QString::fromLatin1(s2), QString::fromLatin1(total)));
}

void Ponto(Connection& c, qint64 funcionario, const QDate& dia, const QTime& hora, const char* tipo) {
    c.Execute(QStringLiteral(
                  "Insert into movimentacao(data,hora,entradaSaida,funcionario,periodo) values('%1','%2', "
                  "'%3', %4, '%5' )")
                  .arg(dia.toString(QStringLiteral("dd/MM/yyyy")), hora.toString(QStringLiteral("hh:mm:ss")),
                       QString::fromLatin1(tipo), QString::number(funcionario),
                       hora.hour() > 12 ? QStringLiteral("T") : QStringLiteral("M")));
}

QTime Perto(QRandomGenerator& r, int hora, int minuto, int antes = 9) {
    return QTime(hora, minuto).addSecs(r.bounded(-antes * 60, 12 * 60));
}

} // namespace

void PreencherExemplo(Connection& c, const QDate& hoje) {
    const QString diurno = QStringLiteral("001"), noturno = QStringLiteral("002");
    for (int dia = 2; dia <= 6; ++dia)
        Horario(c, diurno, QStringLiteral("COMERCIAL 08-17"), dia, "08:00:00", "12:00:00", "13:00:00",
                "17:00:00", "08:00:00");
    Horario(c, diurno, QStringLiteral("COMERCIAL 08-17"), 7, "08:00:00", "12:00:00", "__:__:__", "__:__:__",
            "04:00:00");
    // The terminal gives a 22:00 entry the afternoon period and a 03:00 one the morning period, and
    // a pair counts on the day of its exit: so the night shift's second period runs 22:00 to 02:00
    // and its first 03:00 to 06:00, on the mornings from Tuesday to Saturday.
    for (int dia = 3; dia <= 7; ++dia)
        Horario(c, noturno, QStringLiteral("NOTURNO 22-06"), dia, "03:00:00", "06:00:00", "22:00:00",
                "02:00:00", "07:00:00");

    c.Execute(
        QStringLiteral("INSERT INTO feriados(feriado, dia, mes, ano) VALUES('CONFRATERNIZACAO UNIVERSAL', "
                       "'01', '01', '')"));
    c.Execute(
        QStringLiteral("INSERT INTO feriados(feriado, dia, mes, ano) VALUES('TIRADENTES', '21', '04', '')"));
    c.Execute(
        QStringLiteral("INSERT INTO feriados(feriado, dia, mes, ano) VALUES('PROCLAMACAO DA REPUBLICA', "
                       "'15', '11', '')"));
    c.Execute(
        QStringLiteral("INSERT INTO feriados(feriado, dia, mes, ano) VALUES('CONSCIENCIA NEGRA', '20', '11', "
                       "'%1')")
            .arg(hoje.year()));
    c.Execute(QStringLiteral("INSERT INTO feriados(feriado, dia, mes, ano) VALUES('NATAL', '25', '12', '')"));

    int n = 1;
    for (const Pessoa& p : kPessoas) {
        c.Execute(QStringLiteral(
                      "INSERT INTO funcionarios(nome, tele, endereco, cidade, estado, Aniversario, "
                      "registro, DataAdmissao, CODHORA, VALORHORA) VALUES('%1', '(19) 3%2', 'RUA %3, %4', "
                      "'%5', 'SP', '%6/0%7/19%8', '%9', '02/01/2020', '%10', '%11')")
                      .arg(QString::fromLatin1(p.nome), QString::number(2000000 + n * 4321),
                           QStringLiteral("DAS FLORES"), QString::number(n * 17),
                           QString::fromLatin1(p.cidade), QString::number(10 + n), QString::number(1 + n % 9),
                           QString::number(70 + n), CodigoCartao(n), p.noturno ? noturno : diurno,
                           QStringLiteral("%1,%2").arg(12 + n).arg(n % 2 ? 50 : 0, 2, 10, QLatin1Char('0'))));
        ++n;
    }

    QRandomGenerator r(20261206);
    const Recordset pessoas =
        c.Execute(QStringLiteral("Select codigo, CODHORA from funcionarios order by codigo"));
    for (QDate dia = hoje.addDays(-30); dia < hoje; dia = dia.addDays(1)) {
        const int semana = dia.dayOfWeek() % 7 + 1; // 1 = Sunday
        for (Recordset rs = pessoas; !rs.Eof(); rs.MoveNext()) {
            const qint64 codigo = rs["codigo"].toInteger();
            if (rs["CODHORA"].toString() == noturno) {
                if (semana < 2 || semana > 6 || dia.addDays(1) >= hoje || r.bounded(20) == 0)
                    continue;
                Ponto(c, codigo, dia, Perto(r, 22, 0), "E");
                Ponto(c, codigo, dia.addDays(1), Perto(r, 2, 0), "S");
                Ponto(c, codigo, dia.addDays(1), Perto(r, 3, 0), "E");
                Ponto(c, codigo, dia.addDays(1), Perto(r, 6, 0), "S");
            } else {
                if (semana == 1 || r.bounded(25) == 0)
                    continue;
                Ponto(c, codigo, dia, Perto(r, 8, 0), "E");
                Ponto(c, codigo, dia, Perto(r, 12, 0), "S");
                if (semana == 7)
                    continue;
                Ponto(c, codigo, dia, Perto(r, 13, 0, 0), "E"); // after 13:00: the afternoon
                if (r.bounded(200) != 0)                        // now and then somebody forgets to punch out
                    Ponto(c, codigo, dia, Perto(r, 17, 0), "S");
            }
        }
    }
}
