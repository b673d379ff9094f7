#include "UmaCopia.h"

#include "Conexao.h"
#include "DatabaseError.h"
#include "InstanceLock.h"
#include "MsgBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

bool UmaCopiaPorBanco(InstanceLock& trava, const QString& lugar) {
    // A server's terminal PC keeps nothing else in its folder, which may not be there yet.
    if (const QString pasta = QFileInfo(trava.path()).path(); !QFileInfo::exists(pasta)) {
        QDir().mkpath(pasta);
        QFile::setPermissions(pasta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    switch (trava.tryLock()) {
    case InstanceLock::Result::Locked:
        return true;
    case InstanceLock::Result::HeldByAnother:
        MsgBox(QStringLiteral("O Velto já está aberto com o banco de dados %1.\n"
                              "Use a janela que já está aberta.")
                   .arg(lugar),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
        return false;
    case InstanceLock::Result::Failed:
        break;
    }
    MsgBox(QStringLiteral("Não foi possível criar o arquivo de trava %1.").arg(trava.path()),
           MsgBoxButtons::OkOnly, MsgBoxIcon::Critical);
    return false;
}

UmaCopia::UmaCopia() {
    espera_.setInterval(1000);
    connect(&espera_, &QTimer::timeout, this, &UmaCopia::TravarConectado);
}

UmaCopia::~UmaCopia() = default;

bool UmaCopia::Iniciar() {
    QString caminho;
    try {
        caminho = Connection::InstancePathBeforeOpening(kStringConexao);
    } catch (const DatabaseError&) {
        return true;
    }
    if (caminho.isEmpty()) {
        espera_.start();
        QTimer::singleShot(0, this, &UmaCopia::TravarConectado);
        return true;
    }
    if (!QFileInfo::exists(caminho))
        return true;
    trava_ = std::make_unique<InstanceLock>(caminho);
    return UmaCopiaPorBanco(*trava_, ConnectionString::parse(kStringConexao).dbq);
}

void UmaCopia::TravarConectado() {
    if (trava_ || !conexaoBanco)
        return;
    espera_.stop();
    trava_ = std::make_unique<InstanceLock>(conexaoBanco->InstancePath());
    // A server's connection names its place where a file's names its path.
    if (!UmaCopiaPorBanco(*trava_, conexaoBanco->realPath()))
        QCoreApplication::exit(EXIT_FAILURE);
}
