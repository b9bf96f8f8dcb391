// The result window: one line per finding, and the jump from a finding into the external editor.
#pragma once

#include "app/LogWindowUnit.h"

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

    TWindowLines& Lines() { return Lines_; }
    // The collection whose jump records belong to the result lines (not owned).
    void AttachCheckers(TVetrins* checkers) { Checkers_ = checkers; }

    // "編集" (F10): opens the editor at the file and line of the finding under the caret.
    void Edit1Click();

    // The editor's parameters for a finding: the first "%L" replaced by the line, then the first
    // "%F" by the file name.
    static std::string EditorParameters(std::string parameters, const std::string& fileName,
                                        int line);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TVtOption& Option_;
    TVetrins* Checkers_ = nullptr;
    TWindowLines Lines_;
};
