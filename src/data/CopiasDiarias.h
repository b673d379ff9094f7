#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// The daily copies the program writes while it runs: ponto-AAAA-MM-DD.mdb in the copy folder,
// C:\PONTO\copias unless velto.conf names another (`copias = PASTA`; `copias = 0`: none). With a
// server configured only a PC whose velto.conf names the folder makes them.

struct CopiaDiaria {
    QDate data;
    QString caminho;
    qint64 tamanho;
};

// The copy folder, or nullopt when no copies are made here. The default one is made when missing.
std::optional<QString> PastaDasCopias();

// The name of the copy of a day.
QString NomeDaCopia(const QDate& dia);

// The files of the folder named exactly as NomeDaCopia names them, newest first; other files are
// never the program's.
QList<CopiaDiaria> CopiasNaPasta(const QString& pasta);

// Which of them go once today's copy is there: all but the newest 30 and the newest of each of the
// 12 months before today's.
QList<CopiaDiaria> CopiasARemover(const QList<CopiaDiaria>& copias, const QDate& hoje);

// Whether the folder lies on the file system of the database's file (a server: never), where a
// failing disk takes both.
bool NoDiscoDoBanco(const QString& pasta);

// Where a failed copy is remembered until someone enters the maintenance password: beside the
// database's file, so a restart keeps it.
QString ArquivoDeFalhaDasCopias();
