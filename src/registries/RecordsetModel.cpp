#include "RecordsetModel.h"

RecordsetModel::RecordsetModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void RecordsetModel::setRecordset(const Recordset& recordset) {
    beginResetModel();
    recordset_ = recordset;
    captions_ = recordset.columns();
    endResetModel();
}

void RecordsetModel::setCaption(int column, const QString& caption) {
    if (column < 0 || column >= captions_.size())
        return;
    captions_[column] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString RecordsetModel::text(int row, int column) const {
    if (row < 0 || row >= recordset_.rowCount() || column < 0 || column >= columnCount())
        return {};
    return recordset_.row(row).at(column).toString();
}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : recordset_.rowCount();
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(recordset_.columns().size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return text(index.row(), index.column());
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= captions_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return captions_.at(section);
}
