#include "app/ResultWindowUnit.h"

#include "app/AppTexts.h"
#include "app/MainWindowUnit.h"
#include "app/OptionUnit.h"
#include "framework/Vetrin.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextBlock>
#include <QVBoxLayout>

TResultWindow::TResultWindow(TVtOption& option, QWidget* parent)
    : QWidget(parent), Result(new QPlainTextEdit(this)), PopupMenu1(new QMenu(this)),
      Edit1(new QAction(apptext::Edit, this)), Option_(option), Lines_(Result) {
    setObjectName(QStringLiteral("ResultWindow"));
    setWindowTitle(apptext::ResultCaption);
    setFont(AppFont());
    Result->setObjectName(QStringLiteral("Result"));
    Result->setReadOnly(true);
    Result->setUndoRedoEnabled(false);
    // Long lines wrap at the window edge; only the vertical scroll bar is shown.
    Result->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Result->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Result->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The caret stays visible in the read-only box: it marks the finding to open.
    Result->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setShortcut(QKeySequence(Qt::Key_F10));
    Edit1->setShortcutContext(Qt::WidgetShortcut);
    PopupMenu1->addAction(Edit1);
    Result->addAction(Edit1);
    Result->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Result, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(Result->viewport()->mapToGlobal(pos)); });
    connect(Edit1, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { Edit1Click(); }); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Result);
}

std::string TResultWindow::EditorParameters(std::string parameters, const std::string& fileName,
                                            int line) {
    std::size_t at = platform::Find(parameters, "%L");
    if (at != std::string::npos) parameters.replace(at, 2, std::to_string(line));
    at = platform::Find(parameters, "%F");
    // The file name goes in marked, so that it reaches the editor as the file system's name.
    if (at != std::string::npos) parameters.replace(at, 2, platform::MarkPath(fileName));
    return parameters;
}

void TResultWindow::Edit1Click() {
    if (!Checkers_ || Checkers_->JumpRecords.Count() == 0) return;
    std::string parameters = Option_.GetEditorParameters();
    if (parameters.empty()) return;
    Lines_.Flush();
    // A result line that the display wraps is still one paragraph of the text box.
    int index = Result->textCursor().blockNumber();
    if (index < 0 || index >= Checkers_->JumpRecords.Count()) return;
    const TCheckerLog& record = Checkers_->JumpRecords.Items(index);
    parameters = EditorParameters(parameters, record.FileName, record.Line);
    QString program =
        QString::fromStdString(platform::PathFromSystemText(Option_.GetEditorProgram()));
    QStringList arguments =
        QProcess::splitCommand(QString::fromStdString(platform::TextToUtf8(parameters)));
    // The editor runs on its own; whether it could be started is not examined.
    if (!program.isEmpty()) QProcess::startDetached(program, arguments);
}

void TResultWindow::closeEvent(QCloseEvent* event) { MinimiseOnClose(this, event); }
