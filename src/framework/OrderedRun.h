// Work on many items on several threads, with everything that depends on order done in order.
#pragma once

#include <functional>

// Runs work(index, worker) for every index 0..count-1 on up to `jobs` threads (worker: 0..jobs-1,
// so that each thread can keep its own state), and emit(index) on the calling thread in index
// order, each as soon as its work and the work of every index before it is done. With one job
// (or one item) everything runs on the calling thread, work(i) then emit(i), item after item.
//
// An exception from work(i) stops the handing out of further items; it is raised on the calling
// thread when index i's turn to be emitted comes (every index before it is emitted first). An
// exception from emit stops the run as well. Either way every thread has ended when RunOrdered
// returns or raises.
void RunOrdered(int count, int jobs, const std::function<void(int index, int worker)>& work,
                const std::function<void(int index)>& emit);

// The number of jobs a run with the setting `jobs` uses: the setting itself, or one per core when
// it is 0.
int JobsFor(int jobs);
