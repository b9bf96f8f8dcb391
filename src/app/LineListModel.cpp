#include "app/LineListModel.h"

TLineListModel::TLineListModel(std::function<int()> count, std::function<std::string(int)> text,
                               QObject* parent)
    : QAbstractListModel(parent), Count_(std::move(count)), Text_(std::move(text)) {}

int TLineListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Shown_;
}

QVariant TLineListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Shown_) return {};
    return QString::fromStdString(Text_(index.row()));
}

void TLineListModel::Refresh() {
    const int count = Count_();
    if (count < Shown_) {
        beginResetModel();
        Shown_ = count;
        endResetModel();
        return;
    }
    if (Shown_ > 0) emit dataChanged(index(Shown_ - 1), index(Shown_ - 1), {Qt::DisplayRole});
    if (count == Shown_) return;
    beginInsertRows(QModelIndex(), Shown_, count - 1);
    Shown_ = count;
    endInsertRows();
}
