#pragma once

#include <QString>
#include <QTextStream>

// Standard output and error of the command-line tools, as text streams in UTF-8.
inline QTextStream& saida() {
    static QTextStream s(stdout);
    return s;
}

inline QTextStream& erro() {
    static QTextStream s(stderr);
    return s;
}

// Ends a tool's run on an error: what was printed so far stays, the message goes to the error
// output after the tool's name, and the exit status is 1.
inline int Falhar(const char* ferramenta, const QString& mensagem) {
    saida().flush();
    erro() << ferramenta << ": " << mensagem << '\n';
    erro().flush();
    return 1;
}
