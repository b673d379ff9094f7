#include "ChamadorConsulta.h"

#include "ChildScreen.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

QList<ChamadorConsulta*> ChamadoresConsulta(const QMdiArea* area) {
    QList<ChamadorConsulta*> chamadores;
    if (!area)
        return chamadores;
    const QList<QMdiSubWindow*> janelas = area->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* janela : janelas) {
        auto* tela = qobject_cast<ChildScreen*>(janela->widget());
        if (!tela || tela->isUnloaded())
            continue;
        if (auto* chamador = dynamic_cast<ChamadorConsulta*>(tela))
            chamadores.append(chamador);
    }
    std::stable_sort(chamadores.begin(), chamadores.end(), [](ChamadorConsulta* a, ChamadorConsulta* b) {
        return a->ordemConsulta() < b->ordemConsulta();
    });
    return chamadores;
}
