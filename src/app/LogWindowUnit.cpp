#include "app/LogWindowUnit.h"

#include "app/WidgetText.h"

#include "app/AppTexts.h"
#include "app/ChildWindow.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

// ---- TWindowLines ----

void TWindowLines::Add(const std::string& line) {
    Lines_.push_back(line);
    ScheduleFlush();
}

std::string TWindowLines::Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Lines_[static_cast<std::size_t>(index)];
}

void TWindowLines::ReplaceLast(const std::string& line) {
    if (Lines_.empty()) {
        Add(line);
        return;
    }
    Lines_.back() = line;
    if (Shown_ == Lines_.size()) LastChanged_ = true;
    ScheduleFlush();
}

void TWindowLines::Clear() {
    Lines_.clear();
    Shown_ = 0;
    LastChanged_ = false;
    Edit_->clear();
}

void TWindowLines::Flush() {
    FlushPending_ = false;
    if (LastChanged_ && Shown_ > 0) {
        QTextCursor cursor(Edit_->document()->lastBlock());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(EngineToWidget(Lines_[Shown_ - 1], *Source_));
    }
    LastChanged_ = false;
    if (Shown_ == Lines_.size()) return;
    QString text;
    for (std::size_t i = Shown_; i < Lines_.size(); ++i) {
        if (i > Shown_) text += QLatin1Char('\n');
        text += EngineToWidget(Lines_[i], *Source_);
    }
    // One paragraph per line: the first new line goes into the empty document's only paragraph,
    // any later one starts a paragraph of its own (each line break in the text starts another).
    QScrollBar* bar = Edit_->verticalScrollBar();
    bool atEnd = bar->value() == bar->maximum();
    QTextCursor cursor(Edit_->document());
    cursor.movePosition(QTextCursor::End);
    if (Shown_ > 0) cursor.insertBlock();
    cursor.insertText(text);
    Shown_ = Lines_.size();
    if (atEnd) bar->setValue(bar->maximum());
}

void TWindowLines::ScheduleFlush() {
    if (FlushPending_) return;
    FlushPending_ = true;
    QMetaObject::invokeMethod(
        Edit_, [this] { Flush(); }, Qt::QueuedConnection);
}

// ---- TLogWindow ----

TLogWindow::TLogWindow(QWidget* parent)
    : QWidget(parent), Log(new QPlainTextEdit(this)), Lines_(Log) {
    setObjectName(QStringLiteral("LogWindow"));
    setWindowTitle(apptext::LogCaption);
    setFont(AppFont());
    Log->setObjectName(QStringLiteral("Log"));
    Log->setReadOnly(true);
    Log->setUndoRedoEnabled(false);
    Log->setLineWrapMode(QPlainTextEdit::NoWrap);
    Log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = Log->palette();
    palette.setColor(QPalette::Base, QColor(237, 243, 194));
    palette.setColor(QPalette::Text, Qt::black);
    Log->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Log);
}

void TLogWindow::closeEvent(QCloseEvent* event) { MinimiseOnClose(this, event); }
