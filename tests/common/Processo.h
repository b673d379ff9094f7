#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// One run of a command-line tool: its exit status (-1 when it crashed) and both outputs.
struct Execucao {
    int status = -1;
    QString saida;
    QString erro;
};

// Runs a tool in this process's environment, with `entrada` as its standard input.
inline Execucao ExecutarProcesso(const QString& programa, const QStringList& args,
                                 const QByteArray& entrada = {}) {
    QProcess p;
    p.start(programa, args);
    p.write(entrada);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000)) << programa.toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// Compares a run with what it should give: an error text ending in a newline is the whole
// error output, otherwise its start.
inline void EsperarExecucao(const Execucao& r, int status, const QString& saida, const QString& erro = {}) {
    EXPECT_EQ(r.status, status) << r.erro.toStdString();
    EXPECT_EQ(r.saida, saida);
    if (erro.endsWith(u'\n') || erro.isEmpty())
        EXPECT_EQ(r.erro, erro);
    else
        EXPECT_TRUE(r.erro.startsWith(erro)) << r.erro.toStdString();
}
