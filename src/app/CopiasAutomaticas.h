#pragma once

#include <QDate>
#include <QObject>
#include <QTimer>
#include <functional>

class QThread;

// The daily copy of the database while the program runs (CopiasDiarias.h): at start when today's
// copy is missing, otherwise at the first check after 00:05 of a new day with no scan under way, as
// a kiosk runs for months. The copy is written on a thread of its own, on a connection of its own,
// so a scan never waits for it. Once it verifies, the copies past those kept are removed; a failed
// one is remembered for the office and tried again the next day.
class CopiasAutomaticas : public QObject {
    Q_OBJECT
public:
    // `ocupado` answers whether a scan is under way.
    explicit CopiasAutomaticas(std::function<bool()> ocupado, QObject* parent = nullptr);
    // Waits for a copy under way: the file must not be left half written.
    ~CopiasAutomaticas() override;

    // Today's copy if it is missing, then a check once a minute.
    void Iniciar();
    // The check the timer makes.
    void Conferir();
    bool emAndamento() const { return trabalho_ != nullptr; }

    // What the office is told after the maintenance password: the failed copies (forgotten once
    // told) and, once per run, a copy folder on the database's own disk. Empty for nothing.
    QString AvisoDeManutencao();

    // For tests and a manual run (VELTO_COPIA_PAUSA_MS): the copy waits this long between
    // writing and verifying, so a scan can be made while one is under way.
    void setPausa(int milissegundos) { pausa_ = milissegundos; }

signals:
    // A copy ended: empty when it verified, otherwise why it failed.
    void concluida(const QString& erro);

private:
    void Copiar(const QDate& dia);
    void Concluir(const QDate& dia, const QString& pasta, const QString& erro);
    void LembrarFalha(const QString& erro);

    std::function<bool()> ocupado_;
    QTimer relogio_;
    QDate tentado_; // the day whose copy was made or tried
    QThread* trabalho_ = nullptr;
    int pausa_ = 0;
    bool discoAvisado_ = false;
};
