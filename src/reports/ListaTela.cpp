#include "ListaTela.h"

ListaTela::ListaTela(QWidget* parent)
    : QListWidget(parent) {
    // Every line has the same height: lets a long report fill the list quickly.
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QStringList ListaTela::itens() const {
    QStringList linhas;
    for (int i = 0; i < count(); ++i)
        linhas << item(i)->text();
    return linhas;
}
