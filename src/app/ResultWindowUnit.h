// The result window: one finding per row of a virtual list, and the jump from the current row
// into the external editor.
#pragma once

#include <QWidget>

#include <memory>

class QAction;
class QListView;
class QMenu;
class TLineListModel;
class TResultStore;
class TVtOption;

class TResultWindow : public QWidget {
    Q_OBJECT
public:
    explicit TResultWindow(TVtOption& option, QWidget* parent = nullptr);
    ~TResultWindow() override;

    QListView* Result;
    QMenu* PopupMenu1;
    QAction* Edit1;
    QAction* Copy1; // Copy and Select All of the rows, beside 編集
    QAction* SelectAll1;

    // The findings the project window's runs report (owned by this window).
    TResultStore& Lines() { return *Lines_; }
    // Shows the rows the store holds now; the caption counts them.
    void LinesChanged();
    // A check has ended: from now on the caption counts the findings even when there are none.
    void CheckEnded();

    // "編集" (F10, Enter, double click): opens the editor at the file and line of the finding in
    // the current row. No editor set, or one that cannot be started, is said in the error box.
    void Edit1Click();
    // The text of the selected rows, in row order, one line each: what Copy puts on the clipboard.
    QString SelectedText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowContextMenu(const QPoint& position);
    void ShowCaption();

    TVtOption& Option_;
    std::unique_ptr<TResultStore> Lines_;
    TLineListModel* Model_;
    bool Checked_ = false;
};
