#pragma once

#include "SaidaRelatorio.h"

#include <QListWidget>

// The report screen's list: one report line per item, in a fixed-pitch font so that the
// columns line up as on the printed page.
class ListaTela : public QListWidget, public ListaRelatorio {
    Q_OBJECT
public:
    explicit ListaTela(QWidget* parent = nullptr);

    void Clear() override { clear(); }
    void AddItem(const QString& item) override { addItem(item); }
    // The lines as the list holds them.
    QStringList itens() const;
};
