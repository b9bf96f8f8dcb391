// Helpers shared by the window tests.
#pragma once

#include "app/UserPrompts.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Test texts are UTF-8; the engine works in code page 932.
inline std::string Sj(std::string_view utf8) { return platform::Utf8ToCp932(utf8); }
inline QString Ui(const std::string& cp932) {
    return QString::fromStdString(platform::Cp932ToUtf8(cp932));
}

// Answers the file dialogs from a queue and records every question and error message, so that
// no test waits for a person.
class TRecordingPrompts : public TPrompts {
public:
    TRecordingPrompts() { SetPrompts(this); }
    ~TRecordingPrompts() override { SetPrompts(nullptr); }

    QStringList Answers; // the next file dialogs' answers, in order; empty answer: cancelled
    QList<TFileRequest> Requests;
    QStringList Errors;

    std::string AskFileName(const TFileRequest& request) override {
        Requests.append(request);
        return Answers.isEmpty() ? std::string() : Answers.takeFirst().toStdString();
    }
    void ShowError(const std::string& message) override {
        Errors.append(QString::fromStdString(message));
    }
};

// A UTF-8 string of the presenters as a QString, for comparisons.
inline QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Copies a fixture folder of tests/data/gui into target.
inline bool CopyFixture(const QString& name, const QString& target) {
    QDir source(QStringLiteral(VETRIN_SOURCE_DIR "/tests/data/gui/") + name);
    QDir().mkpath(target);
    for (const QString& file : source.entryList(QDir::Files))
        if (!QFile::copy(source.filePath(file), target + QLatin1Char('/') + file)) return false;
    return true;
}

// Answers the next modal dialog from inside its own event loop: answer gets the dialog once it is
// up. A dialog that the answer leaves open is rejected after a while, so that a test never waits
// for a person.
inline void AnswerModalDialog(std::function<void(QWidget*)> answer, int timeoutMs = 5000) {
    auto* timer =
        new QTimer(QCoreApplication::instance()); // freed with the application at the latest
    auto clock = std::make_shared<QElapsedTimer>();
    auto answered = std::make_shared<bool>(false);
    clock->start();
    auto finish = [timer] {
        timer->stop();
        timer->deleteLater();
    };
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!*answered) {
            if (modal) {
                *answered = true;
                answer(modal);
            } else if (clock->elapsed() >= timeoutMs) {
                finish(); // none came up; the test's own checks say so
            }
            return;
        }
        if (!modal) {
            finish();
        } else if (clock->elapsed() >= timeoutMs) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        }
    });
    timer->start(10);
}
