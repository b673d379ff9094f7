#pragma once

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
