#pragma once

#include <QFont>
#include <QString>

// Small helpers for screens that build their controls in code.

// Names a control after the system's name for it, so tests and the focus helpers find it.
template <typename W> W* Nomeado(W* controle, const char* nome) {
    controle->setObjectName(QString::fromLatin1(nome));
    return controle;
}

// The fixed-pitch "Courier New" of lists whose lines are laid out in columns.
inline QFont FonteFixa(int pontos = 9) {
    QFont f(QStringLiteral("Courier New"), pontos);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}
