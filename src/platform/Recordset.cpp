#include "Recordset.h"

#include "DatabaseError.h"

Recordset::Recordset()
    : data_(std::make_shared<const Data>()) {}

Recordset::Recordset(QStringList columns, QList<QList<Variant>> rows)
    : data_(std::make_shared<const Data>(Data{std::move(columns), std::move(rows)})) {}

void Recordset::MoveNext() {
    if (Eof())
        throw DatabaseError(QStringLiteral("O registro atual está no fim do conjunto de resultados."));
    ++position_;
}

void Recordset::MovePrevious() {
    if (Bof())
        throw DatabaseError(QStringLiteral("O registro atual está no início do conjunto de resultados."));
    --position_;
}

int Recordset::columnIndex(const QString& column) const {
    const QStringList& names = data_->columns;
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const Variant& Recordset::Fields(const QString& column) const {
    const int index = columnIndex(column);
    if (index < 0)
        throw DatabaseError(QStringLiteral("O item '%1' não existe no conjunto de resultados.").arg(column));
    if (Eof() || Bof())
        throw DatabaseError(QStringLiteral("Não há registro atual: o conjunto de resultados está no fim."));
    return data_->rows.at(position_).at(index);
}
