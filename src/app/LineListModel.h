// The rows of a line store as a Qt list model, for a virtual list: the view asks only for the
// rows on screen, so a run of many thousands of lines costs what is shown.
#pragma once

#include <QAbstractListModel>
#include <QString>

#include <functional>

class TLineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // count: the rows the store holds now; text: a row's text (UTF-8 from the presenters).
    TLineListModel(std::function<int()> count, std::function<std::string(int)> text,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Brings the rows up to the store: new rows are inserted, the last row (which a log line
    // ending may have replaced) repainted, an emptied store resets the list.
    void Refresh();

private:
    std::function<int()> Count_;
    std::function<std::string(int)> Text_;
    int Shown_ = 0;
};
