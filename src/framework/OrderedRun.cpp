#include "framework/OrderedRun.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

int JobsFor(int jobs) {
    if (jobs > 0) return jobs;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void RunOrdered(int count, int jobs, const std::function<void(int index, int worker)>& work,
                const std::function<void(int index)>& emit) {
    if (count <= 0) return;
    jobs = std::clamp(jobs, 1, count);
    if (jobs == 1) {
        for (int i = 0; i < count; ++i) {
            work(i, 0);
            emit(i);
        }
        return;
    }

    // What the threads share: the next index to take, and per index whether its work is done
    // and how it failed. The flags and failures are guarded by the mutex.
    struct TShared {
        std::mutex Mutex;
        std::condition_variable Changed;
        std::vector<char> Done;
        std::vector<std::exception_ptr> Errors;
        std::atomic<int> Next{0};
        std::atomic<bool> Stop{false};
    } shared;
    shared.Done.assign(static_cast<std::size_t>(count), 0);
    shared.Errors.resize(static_cast<std::size_t>(count));

    auto worker = [&shared, &work, count](int w) {
        while (!shared.Stop.load()) {
            const int i = shared.Next.fetch_add(1);
            if (i >= count) return;
            std::exception_ptr error;
            try {
                work(i, w);
            } catch (...) {
                error = std::current_exception();
                shared.Stop = true;
            }
            {
                std::lock_guard<std::mutex> lock(shared.Mutex);
                shared.Errors[static_cast<std::size_t>(i)] = error;
                shared.Done[static_cast<std::size_t>(i)] = 1;
            }
            shared.Changed.notify_all();
        }
    };

    std::vector<std::thread> threads;
    // Ends the run on every way out: no item is handed out any more, and every thread is joined.
    struct TJoin {
        TShared& Shared;
        std::vector<std::thread>& Threads;
        ~TJoin() {
            Shared.Stop = true;
            for (std::thread& t : Threads)
                t.join();
        }
    } join{shared, threads};
    threads.reserve(static_cast<std::size_t>(jobs));
    try {
        for (int w = 0; w < jobs; ++w)
            threads.emplace_back(worker, w);
    } catch (const std::system_error&) {
        // No thread to be had: the calling thread does the work alone.
        if (threads.empty()) {
            for (int i = 0; i < count; ++i) {
                work(i, 0);
                emit(i);
            }
            return;
        }
    }

    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        std::exception_ptr error;
        {
            std::unique_lock<std::mutex> lock(shared.Mutex);
            shared.Changed.wait(lock, [&] { return shared.Done[index] != 0; });
            error = shared.Errors[index];
        }
        if (error) std::rethrow_exception(error);
        emit(i);
    }
}
