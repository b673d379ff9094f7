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

inline Execucao ExecutarProcesso(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << programa.toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
