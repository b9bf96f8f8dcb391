// Helpers shared by the presenter tests: prompts answered from a queue, and a UI thread that is
// the test's own.
#pragma once

#include "../engine/TestSupport.h"
#include "presenters/ProjectPresenter.h"
#include "presenters/Prompts.h"

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TQueuedPrompts : public TPrompts {
public:
    std::deque<std::string> Answers; // the next file dialogs' answers; empty: cancelled
    std::vector<TFileRequest> Requests;
    std::vector<std::string> Errors;

    std::string AskFileName(const TFileRequest& request) override {
        Requests.push_back(request);
        if (Answers.empty()) return {};
        std::string answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void ShowError(const std::string& message) override { Errors.push_back(message); }
};

// Tasks posted from the worker wait here until the test runs them, as a UI thread's queue.
class TTestUiThread : public TUiThread {
public:
    void Post(std::function<void()> task) override {
        std::lock_guard lock(Mutex_);
        Tasks_.push_back(std::move(task));
    }
    // Runs the posted tasks until `done` holds (at most ten seconds).
    bool RunUntil(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::function<void()> task;
            {
                std::lock_guard lock(Mutex_);
                if (!Tasks_.empty()) {
                    task = std::move(Tasks_.front());
                    Tasks_.pop_front();
                }
            }
            if (task)
                task();
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

private:
    std::mutex Mutex_;
    std::deque<std::function<void()>> Tasks_;
};

// Counts what the presenter tells its window.
class TRecordingView : public TProjectView {
public:
    int TicksChanges = 0, RunStates = 0, LinesChanges = 0, StatisticsChanges = 0;
    int LastDone = 0, LastTotal = 0;
    std::vector<bool> StopEnabledSeen;
    const TProjectPresenter* Presenter = nullptr;

    void TicksChanged() override { ++TicksChanges; }
    void RunStateChanged() override {
        ++RunStates;
        if (Presenter) StopEnabledSeen.push_back(Presenter->Enabled(TProjectCommand::Stop));
    }
    void RunProgress(int done, int total) override {
        LastDone = done;
        LastTotal = total;
    }
    void LinesChanged() override { ++LinesChanges; }
    void StatisticsChanged() override { ++StatisticsChanges; }
};
