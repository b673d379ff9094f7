#include "CamposCadastro.h"

#include <QRegularExpression>

QString SemApostrofos(QString texto) {
    return texto.remove(QLatin1Char('\''));
}

QString TextoSql(QString texto) {
    return texto.replace(QLatin1Char('\''), QStringLiteral("''"));
}

bool EhSoDigitos(const QString& texto) {
    static const QRegularExpression digitos(QStringLiteral("^\\d{1,18}$"));
    return digitos.match(texto).hasMatch();
}
