#include "BancoTeste.h"
#include "RegistrarPonto.h"

#include <QHash>
#include <QProcess>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace {

constexpr int kCiclos = 40;

// One run of the terminal, killed with SIGKILL at a random moment: while it opens the file
// now and then, otherwise after it has been scanning for up to a second and a half. Returns
// the acknowledged scans, "card;date;time".
QStringList CicloDeQueda(int ciclo, const QStringList& cartoes, std::mt19937& sorte) {
    QProcess filho;
    filho.start(QStringLiteral(TERMINAL_FILHO), QStringList{QString::number(ciclo)} + cartoes);
    EXPECT_TRUE(filho.waitForStarted(10000));
    QByteArray saida;
    if (!std::bernoulli_distribution(0.15)(sorte)) {
        while (!saida.contains("PRONTO\n") && filho.waitForReadyRead(30000))
            saida += filho.readAllStandardOutput();
        EXPECT_TRUE(saida.contains("PRONTO\n")) << filho.readAllStandardError().toStdString();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution(0, 1500)(sorte)));
    ::kill(pid_t(filho.processId()), SIGKILL);
    EXPECT_TRUE(filho.waitForFinished(10000));
    EXPECT_EQ(filho.exitStatus(), QProcess::CrashExit)
        << "the terminal ended by itself: " << filho.readAllStandardError().toStdString();
    QStringList reconhecidos =
        QString::fromUtf8(saida + filho.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    reconhecidos.removeAll(u"PRONTO"_s);
    return reconhecidos;
}

} // namespace

TEST(SimuladoDeQueda, NenhumPontoReconhecidoSePerdeComKill9) {
    BancoTeste banco;
    QStringList cartoes;
    QHash<QString, qint64> numeros;
    for (int i = 0; i < 6; ++i) {
        cartoes << u"7891000%1"_s.arg(i, 6, 10, QLatin1Char('0'));
        numeros[cartoes.last()] = banco.funcionario(u"FUNCIONARIO %1"_s.arg(i), cartoes.last());
    }
    conexaoBanco.reset();
    const unsigned semente = std::random_device{}();
    std::mt19937 sorte(semente);
    QStringList reconhecidos;
    for (int ciclo = 0; ciclo < kCiclos && !HasFailure(); ++ciclo)
        reconhecidos += CicloDeQueda(ciclo, cartoes, sorte);

    // Opened after the last kill: the engine recovers what its journal holds.
    AbrirConexao();
    EXPECT_TRUE(conexaoBanco->IntegrityCheck().isEmpty());
    int presentes = 0;
    for (const QString& linha : std::as_const(reconhecidos)) {
        const QStringList campo = linha.split(u';');
        ASSERT_EQ(campo.size(), 3) << linha.toStdString();
        const QString data = QDate::fromString(campo[1], u"dd/MM/yyyy"_s).toString(u"MM-dd-yyyy"_s);
        const qint64 n =
            banco
                .sql(u"Select count(*) as n from movimentacao where funcionario = %1 and data = #%2# "
                     u"and hora = #%3#"_s.arg(numeros.value(campo[0]))
                         .arg(data, campo[2]))["n"]
                .toInteger();
        EXPECT_LE(n, 1) << "duplicate: " << linha.toStdString();
        presentes += n > 0;
    }
    EXPECT_TRUE(
        banco
            .sql(
                u"Select funcionario from movimentacao group by funcionario, data, hora having count(*) > 1"_s)
            .Eof())
        << "no scan is written twice";
    // The maintained counts went with each punch, never half of it.
    for (const qint64 numero : std::as_const(numeros)) {
        for (const QString& tipo : {u"E"_s, u"S"_s}) {
            conexaoBanco->setRewritesEnabled(true);
            const qint64 mantida = ContarPontos(QString::number(numero), tipo);
            conexaoBanco->setRewritesEnabled(false);
            EXPECT_EQ(mantida, ContarPontos(QString::number(numero), tipo));
        }
    }
    const int perdidos = int(reconhecidos.size()) - presentes;
    std::printf("simulado de queda: %d ciclos, %d reconhecidos, %d presentes, %d perdidos (semente %u)\n",
                kCiclos, int(reconhecidos.size()), presentes, perdidos, semente);
    EXPECT_EQ(perdidos, 0);
    EXPECT_GE(reconhecidos.size(), kCiclos) << "too few scans for the drill to mean anything";
}
