#include "CopiasAutomaticas.h"

#include "Clock.h"
#include "Conexao.h"
#include "CopiaBanco.h"
#include "CopiasDiarias.h"
#include "DatabaseError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace {

constexpr int kMinuto = 60 * 1000;
const QTime kHoraDaCopia(0, 5);

} // namespace

CopiasAutomaticas::CopiasAutomaticas(std::function<bool()> ocupado, QObject* parent)
    : QObject(parent)
    , ocupado_(std::move(ocupado))
    , pausa_(qEnvironmentVariableIntValue("VELTO_COPIA_PAUSA_MS")) {
    relogio_.setInterval(kMinuto);
    connect(&relogio_, &QTimer::timeout, this, &CopiasAutomaticas::Conferir);
}

CopiasAutomaticas::~CopiasAutomaticas() {
    if (trabalho_)
        trabalho_->wait();
}

void CopiasAutomaticas::Iniciar() {
    Copiar(Clock::now().date());
    relogio_.start();
}

void CopiasAutomaticas::Conferir() {
    const QDateTime agora = Clock::now();
    if (trabalho_ || agora.date() == tentado_ || agora.time() < kHoraDaCopia || ocupado_())
        return;
    Copiar(agora.date());
}

void CopiasAutomaticas::Copiar(const QDate& dia) {
    tentado_ = dia;
    std::optional<QString> pasta;
    try {
        pasta = PastaDasCopias();
    } catch (const DatabaseError& e) {
        LembrarFalha(e.message());
        return;
    }
    const QString destino = pasta ? *pasta + QLatin1Char('/') + NomeDaCopia(dia) : QString();
    if (!pasta || QFileInfo::exists(destino))
        return;
    auto erro = std::make_shared<QString>();
    trabalho_ = QThread::create([destino, erro, pausa = pausa_] {
        try {
            // The shared connection belongs to the screens' thread.
            const auto origem = Connection::Open(kStringConexao);
            GravarCopia(*origem, destino, [pausa] { QThread::msleep(pausa); });
        } catch (const DatabaseError& e) {
            *erro = e.message();
        }
    });
    connect(trabalho_, &QThread::finished, this, [this, dia, pasta = *pasta, erro] {
        trabalho_->deleteLater();
        trabalho_ = nullptr;
        Concluir(dia, pasta, *erro);
    });
    trabalho_->start(QThread::LowPriority);
}

void CopiasAutomaticas::Concluir(const QDate& dia, const QString& pasta, const QString& erro) {
    if (erro.isEmpty()) {
        for (const CopiaDiaria& velha : CopiasARemover(CopiasNaPasta(pasta), dia))
            QFile::remove(velha.caminho);
    } else {
        LembrarFalha(erro);
    }
    emit concluida(erro);
}

void CopiasAutomaticas::LembrarFalha(const QString& erro) {
    // With a server configured, the folder of the file may not be there yet.
    QDir().mkpath(QFileInfo(ArquivoDeFalhaDasCopias()).absolutePath());
    QFile falhas(ArquivoDeFalhaDasCopias());
    if (falhas.open(QIODevice::Append | QIODevice::Text))
        falhas.write(QStringLiteral("%1: %2\n")
                         .arg(Clock::now().toString(QStringLiteral("dd/MM/yyyy hh:mm")), erro)
                         .toUtf8());
}

QString CopiasAutomaticas::AvisoDeManutencao() {
    QStringList avisos;
    QFile falhas(ArquivoDeFalhaDasCopias());
    if (falhas.open(QIODevice::ReadOnly | QIODevice::Text)) {
        avisos << QStringLiteral(
                      "A cópia automática do banco de dados falhou e será tentada de novo amanhã:\n") +
                      QString::fromUtf8(falhas.readAll()).trimmed();
        falhas.remove();
    }
    if (!discoAvisado_) {
        discoAvisado_ = true;
        try {
            if (const std::optional<QString> pasta = PastaDasCopias(); pasta && NoDiscoDoBanco(*pasta))
                avisos << QStringLiteral("As cópias automáticas ficam em %1, no mesmo disco do banco de "
                                         "dados: se o disco falhar, elas se perdem com ele. Indique outra "
                                         "pasta (um disco USB, uma pasta da rede) com copias = PASTA no "
                                         "arquivo velto.conf.")
                              .arg(*pasta);
        } catch (const DatabaseError&) {
        }
    }
    return avisos.join(QStringLiteral("\n\n"));
}
