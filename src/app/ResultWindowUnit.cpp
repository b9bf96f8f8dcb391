#include "app/ResultWindowUnit.h"

#include "app/AppTexts.h"
#include "app/ChildWindow.h"
#include "app/ErrorPolicy.h"
#include "app/OptionUnit.h"
#include "app/WidgetText.h"
#include "framework/Vetrin.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

TResultWindow::TResultWindow(TVtOption& option, QWidget* parent)
    : QWidget(parent), Result(new QPlainTextEdit(this)), PopupMenu1(new QMenu(this)),
      Edit1(new QAction(apptext::Edit, this)), Copy1(new QAction(apptext::Copy, this)),
      SelectAll1(new QAction(apptext::SelectAll, this)), Option_(option), Lines_(Result) {
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
    Copy1->setObjectName(QStringLiteral("Copy1"));
    Copy1->setShortcut(QKeySequence::Copy);
    Copy1->setShortcutContext(Qt::WidgetShortcut);
    Copy1->setEnabled(false);
    SelectAll1->setObjectName(QStringLiteral("SelectAll1"));
    SelectAll1->setShortcut(QKeySequence::SelectAll);
    SelectAll1->setShortcutContext(Qt::WidgetShortcut);
    PopupMenu1->addAction(Edit1);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(Copy1);
    PopupMenu1->addAction(SelectAll1);
    Result->addAction(Edit1);
    Result->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Result, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowContextMenu(pos); });
    connect(Edit1, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { Edit1Click(); }); });
    connect(Copy1, &QAction::triggered, Result, &QPlainTextEdit::copy);
    connect(SelectAll1, &QAction::triggered, Result, &QPlainTextEdit::selectAll);
    connect(Result, &QPlainTextEdit::copyAvailable, Copy1, &QAction::setEnabled);
    connect(Result->document(), &QTextDocument::contentsChanged, this, [this] { LinesChanged(); });
    // Enter and a double click open the finding, as F10 does.
    Result->installEventFilter(this);
    Result->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Result);
}

QStringList TResultWindow::EditorArguments(const std::string& parameters,
                                           const std::string& fileName, int line) {
    QStringList arguments = QProcess::splitCommand(EngineToWidget(parameters));
    auto replaceFirst = [&arguments](const QString& placeholder, const QString& value) {
        for (QString& argument : arguments) {
            qsizetype at = argument.indexOf(placeholder, 0, Qt::CaseSensitive);
            if (at < 0) continue;
            argument.replace(at, placeholder.size(), value);
            return;
        }
    };
    replaceFirst(QStringLiteral("%L"), QString::number(line));
    replaceFirst(QStringLiteral("%F"), QString::fromStdString(platform::NativePath(fileName)));
    return arguments;
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
    // The command line is code page 932 text; the program is started by its file-system name.
    QString program =
        QString::fromStdString(platform::PathFromSystemText(Option_.GetEditorProgram()));
    QStringList arguments = EditorArguments(parameters, record.FileName, record.Line);
    // The editor runs on its own; whether it could be started is not examined.
    if (!program.isEmpty()) QProcess::startDetached(program, arguments);
}

void TResultWindow::ShowContextMenu(const QPoint& position) {
    // The menu acts on the line under the caret, so a right click first puts the caret on the
    // clicked line. A click inside a selection on the caret's line keeps the selection for Copy.
    QTextCursor clicked = Result->cursorForPosition(position);
    QTextCursor caret = Result->textCursor();
    bool insideSelection = caret.hasSelection() && clicked.block() == caret.block() &&
                           clicked.position() >= caret.selectionStart() &&
                           clicked.position() <= caret.selectionEnd();
    if (!insideSelection) Result->setTextCursor(clicked);
    PopupMenu1->popup(Result->viewport()->mapToGlobal(position));
}

bool TResultWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Result && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            Edit1->trigger();
            return true;
        }
    }
    if (watched == Result->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            Result->setTextCursor(Result->cursorForPosition(mouse->position().toPoint()));
            Edit1->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TResultWindow::LinesChanged() {
    int count = Lines_.Count();
    setWindowTitle(count == 0 ? apptext::ResultCaption
                              : apptext::ResultCaptionWithCount.arg(
                                    QLocale(QLocale::English).toString(count)));
    ShowNormalIfMinimised(this);
}

void TResultWindow::closeEvent(QCloseEvent* event) { MinimiseOnClose(this, event); }
