#include "SaidaRelatorio.h"

#include "Printer.h"

#include <QDate>

#include <stdexcept>

SaidaRelatorio::SaidaRelatorio(const DestinoRelatorio& destino, bool imprimir) {
    if (imprimir)
        impressora_ = destino.impressora;
    else
        lista_ = destino.lista;
    if (!impressora_ && !lista_)
        throw std::invalid_argument("relatório sem destino");
}

void SaidaRelatorio::iniciar() {
    if (impressora_)
        impressora_->setFontName(QStringLiteral("Courier New"));
    else
        lista_->Clear();
}

void SaidaRelatorio::linha(const QString& texto) {
    if (impressora_)
        impressora_->print(texto);
    else
        lista_->AddItem(texto);
}

void SaidaRelatorio::linhaSoImpressa(const QString& texto) {
    if (impressora_)
        impressora_->print(texto);
}

void SaidaRelatorio::linhaSoNaLista(const QString& texto) {
    if (lista_)
        lista_->AddItem(texto);
}

void SaidaRelatorio::negrito(bool ligado) {
    if (impressora_)
        impressora_->setFontBold(ligado);
}

void SaidaRelatorio::abortar() {
    if (impressora_)
        impressora_->abortDoc();
}

void SaidaRelatorio::terminar() {
    if (impressora_)
        impressora_->endDoc();
}

QString Campo(const QString& texto, int largura) {
    return texto.left(largura).leftJustified(largura, QLatin1Char(' '));
}

QString ADireita(const QString& texto, int largura) {
    return texto.rightJustified(largura, QLatin1Char(' '));
}

QString Brancos(int quantos) {
    return QString(quantos, QLatin1Char(' '));
}

QString Regua() {
    return QString(113, QLatin1Char('-'));
}

QString LinhaTitulo(const QString& inicio, const QString& fim) {
    return QStringLiteral("VELTO - Referente período: ") + inicio + QStringLiteral(" - ") + fim;
}

QString LinhaFuncionario(const QString& codigo, const QString& nome) {
    bool ok = false;
    const qint64 numero = codigo.trimmed().toLongLong(&ok);
    const QString texto = ok ? QString::number(numero) : codigo.trimmed();
    return QStringLiteral("FUNCIONARIO.............: ") + ADireita(texto, 4) + QStringLiteral(" - ") + nome;
}

QDate LerDataRelatorio(const QString& texto) {
    return QDate::fromString(texto.trimmed(), QStringLiteral("dd/MM/yyyy"));
}

QString LiteralData(const QDate& data) {
    // Built from the numbers: a report sends one per day, and the calendar's formatter is slow.
    return QStringLiteral("#%1-%2-%3#")
        .arg(data.month(), 2, 10, QLatin1Char('0'))
        .arg(data.day(), 2, 10, QLatin1Char('0'))
        .arg(data.year(), 4, 10, QLatin1Char('0'));
}
