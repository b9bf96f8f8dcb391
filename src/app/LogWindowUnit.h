// The log window: the run's log lines, one per row of a virtual list.
#pragma once

#include <QWidget>

#include <memory>

class QListView;
class TLineListModel;
class TLineStore;

class TLogWindow : public QWidget {
    Q_OBJECT
public:
    explicit TLogWindow(QWidget* parent = nullptr);
    ~TLogWindow() override;

    QListView* Log;
    // The lines the project window's runs write (owned by this window, shown as they come).
    TLineStore& Lines() { return *Lines_; }
    // Shows the lines the store holds now, following the end when the view was at it.
    void LinesChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<TLineStore> Lines_;
    TLineListModel* Model_;
};
