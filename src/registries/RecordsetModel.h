#pragma once

#include "Recordset.h"

#include <QAbstractTableModel>

// A result set shown by a grid: one read-only row per record, one column per field, each
// cell the field's text. Binding a new result set resets the column captions to the field
// names, as a grid bound to a new result set does.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetModel(QObject* parent = nullptr);

    void setRecordset(const Recordset& recordset);
    const Recordset& recordset() const { return recordset_; }
    void setCaption(int column, const QString& caption);
    QString text(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    Recordset recordset_;
    QStringList captions_;
};
