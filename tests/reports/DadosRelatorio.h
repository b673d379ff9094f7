#pragma once

#include "BancoTeste.h"
#include "EntradaRelatorio.h"
#include "HorasAritmetica.h"
#include "RecordingPrinter.h"
#include "SaidaRelatorio.h"

#include <QStringList>
#include <gtest/gtest.h>

// One weekday row of a schedule, as the schedule screen writes it.
inline void Horario(BancoTeste& banco, const QString& registro, int diaSemana, const QString& entrada1,
                    const QString& saida1, const QString& entrada2, const QString& saida2,
                    const QString& total) {
    banco.sql(u"Insert into horarios(registro, DiaSemana, CODHORA, DESCRICAO, nome, tele, endereco, "
              u"cidade, totalhoras) values('%1', '%2', '%3', 'GRADE %1', '%4', '%5', '%6', '%7', '%8')"_s.arg(
                  registro, NomeDiaSemana(diaSemana), QString::number(diaSemana), entrada1, saida1, entrada2,
                  saida2, total));
}

inline void Feriado(BancoTeste& banco, const QString& nome, const QString& dia, const QString& mes,
                    const QString& ano) {
    banco.sql(u"Insert into feriados(feriado, dia, mes, ano) values('%1', '%2', '%3', '%4')"_s.arg(nome, dia,
                                                                                                   mes, ano));
}

// Punches of one employee, each "date time kind [period]".
inline void Pontos(BancoTeste& banco, qint64 funcionario, const QStringList& pontos) {
    for (const QString& ponto : pontos) {
        const QStringList p = ponto.split(u' ');
        banco.ponto(funcionario, p.at(0), p.at(1), p.at(2), p.value(3, u"M"_s));
    }
}

inline QString B(int n) {
    return QString(n, u' ');
}

// Compares line by line, so that a failure names the line and shows both texts.
inline void EsperarLinhas(const QStringList& obtidas, const QStringList& esperadas) {
    for (qsizetype i = 0; i < std::min(obtidas.size(), esperadas.size()); ++i)
        EXPECT_EQ(obtidas.at(i), esperadas.at(i)) << "linha " << i;
    EXPECT_EQ(obtidas.size(), esperadas.size());
}

// The printed texts that are not in bold, in order.
inline QStringList Normais(const RecordingPrinter& impressora) {
    QStringList normais;
    for (const PrintedItem& item : impressora.items(PrintedItem::Kind::Text)) {
        if (!item.bold)
            normais << item.text;
    }
    return normais;
}

// A report's outputs and the messages it shows.
class RelatorioTeste : public ::testing::Test {
protected:
    EntradaRelatorio Entrada(const QString& de, const QString& ate, qint64 codigo, const QString& nome,
                             bool imprimir) {
        return {de, ate, QString::number(codigo), nome, imprimir, [this](const QString& m) {
                    mensagens << m;
                }};
    }

    QStringList mensagens;
    ListaTexto lista;
    RecordingPrinter impressora;
};
