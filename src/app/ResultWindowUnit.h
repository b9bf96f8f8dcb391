// The result window: one line per finding, and the jump from a finding into the external editor.
#pragma once

#include "app/LogWindowUnit.h"

#include <QStringList>
#include <QWidget>

#include <string>

class QAction;
class QMenu;
class QPlainTextEdit;
class TVetrins;
class TVtOption;

class TResultWindow : public QWidget {
    Q_OBJECT
public:
    explicit TResultWindow(TVtOption& option, QWidget* parent = nullptr);

    QPlainTextEdit* Result;
    QMenu* PopupMenu1;
    QAction* Edit1;
    QAction* Copy1; // the text box's own Copy and Select All, beside 編集
    QAction* SelectAll1;

    TWindowLines& Lines() { return Lines_; }
    // The collection whose jump records belong to the result lines (not owned).
    void AttachCheckers(TVetrins* checkers) { Checkers_ = checkers; }

    // "編集" (F10, Enter, double click): opens the editor at the file and line of the finding
    // under the caret.
    void Edit1Click();

    // The editor's arguments for a finding: the parameter template is split into arguments first
    // (blanks separate, double quotes group and are dropped), then the first "%L" is replaced by
    // the line and the first "%F" by the file name inside the argument that holds it, so that a
    // path is one argument whatever it contains.
    static QStringList EditorArguments(const std::string& parameters, const std::string& fileName,
                                       int line);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowContextMenu(const QPoint& position);
    // The caption with the number of findings, and the window brought back when a run fills it.
    void LinesChanged();

    TVtOption& Option_;
    TVetrins* Checkers_ = nullptr;
    TWindowLines Lines_;
};
