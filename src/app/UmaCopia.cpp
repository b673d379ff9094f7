#include "UmaCopia.h"

#include "Conexao.h"
#include "InstanceLock.h"
#include "MsgBox.h"

#include <QFileInfo>

bool UmaCopiaPorBanco(InstanceLock& trava) {
    const ConnectionString cs = ConnectionString::parse(kStringConexao);
    if (!QFileInfo::exists(mapWindowsPath(cs.dbq)))
        return true;
    switch (trava.tryLock()) {
    case InstanceLock::Result::Locked:
        return true;
    case InstanceLock::Result::HeldByAnother:
        MsgBox(QStringLiteral("O Velto já está aberto com o banco de dados %1.\n"
                              "Use a janela que já está aberta.")
                   .arg(cs.dbq),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
        return false;
    case InstanceLock::Result::Failed:
        break;
    }
    MsgBox(QStringLiteral("Não foi possível criar o arquivo de trava %1 ao lado do banco de dados.")
               .arg(trava.path()),
           MsgBoxButtons::OkOnly, MsgBoxIcon::Critical);
    return false;
}
