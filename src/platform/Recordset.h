#pragma once

#include "Variant.h"

#include <QList>
#include <QStringList>
#include <memory>

// A complete, static copy of a statement's rows, readable after its connection is gone.
// Copies share the rows; each copy has its own position.
class Recordset {
public:
    Recordset();
    Recordset(QStringList columns, QList<QList<Variant>> rows);

    // Named after the platform's end test; EOF itself is a macro of <cstdio>.
    bool Eof() const { return position_ >= rowCount(); }
    bool Bof() const { return position_ < 0; }
    void MoveNext();
    void MovePrevious();
    void MoveFirst() { position_ = 0; }

    // The current row's field, by column name without regard to case.
    const Variant& Fields(const QString& column) const;
    const Variant& operator[](const QString& column) const { return Fields(column); }

    int rowCount() const { return static_cast<int>(data_->rows.size()); }
    int position() const { return position_; }
    const QStringList& columns() const { return data_->columns; }
    const QList<Variant>& row(int index) const { return data_->rows.at(index); }
    int columnIndex(const QString& column) const;
    // The same rows, shared, under other column names.
    Recordset renamed(QStringList columns) const { return Recordset(std::move(columns), data_->rows); }

private:
    struct Data {
        QStringList columns;
        QList<QList<Variant>> rows;
    };
    std::shared_ptr<const Data> data_;
    int position_ = 0;
};
