// The log window, and the text-line sink that the result and log windows show.
#pragma once

#include "framework/TextLines.h"
#include "platform/CodePage.h"

#include <QWidget>

#include <string>
#include <vector>

class QPlainTextEdit;

// The lines of a window's text box as the engine writes them: code page 932 lines kept as they
// came (Get answers the engine's bytes), shown converted to UTF-8. New lines reach the text box in
// one batch when control returns to the event loop (or at Flush), so that a run writing many
// thousands of lines appends them once instead of laying out the box line by line.
class TWindowLines : public TTextLines {
public:
    explicit TWindowLines(QPlainTextEdit* edit) : Edit_(edit) {}

    void Add(const std::string& line) override;
    int Count() const override { return static_cast<int>(Lines_.size()); }
    std::string Get(int index) const override;
    void ReplaceLast(const std::string& line) override;
    void Clear() override;

    // Brings the text box up to date with the lines.
    void Flush();
    // The code page of the names in the lines: the run's, told before it writes.
    void SetSourceCodePage(const platform::TCodePage& page) { Source_ = &page; }

private:
    void ScheduleFlush();

    QPlainTextEdit* Edit_;
    const platform::TCodePage* Source_ = &platform::SystemCodePage();
    std::vector<std::string> Lines_;
    std::size_t Shown_ = 0;    // lines already in the text box
    bool LastChanged_ = false; // the last line shown was replaced since
    bool FlushPending_ = false;
};

class TLogWindow : public QWidget {
    Q_OBJECT
public:
    explicit TLogWindow(QWidget* parent = nullptr);

    QPlainTextEdit* Log;
    TWindowLines& Lines() { return Lines_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TWindowLines Lines_;
};
