#include "window/QueuedUiCrossing.h"

namespace vantrel {

QueuedUiCrossing::QueuedUiCrossing() : uiThread_(std::this_thread::get_id()) {
}

bool QueuedUiCrossing::run(const std::function<void()>& work) {
    if (std::this_thread::get_id() == uiThread_) {
        {
            std::lock_guard lock(mutex_);
            if (closed_) {
                return false;
            }
        }
        work();
        return true;
    }
    auto task = std::make_shared<Task>();
    task->work = &work;
    std::unique_lock lock(mutex_);
    if (closed_) {
        return false;
    }
    waiting_.push_back(task);
    if (!wake()) {
        waiting_.pop_back();
        return false;
    }
    // The caller's work is reached only while the caller waits here: a closed crossing drops
    // what has not started.
    finished_.wait(lock, [&] { return task->done || (closed_ && !task->started); });
    return task->done;
}

void QueuedUiCrossing::runWaitingWork() {
    for (;;) {
        std::shared_ptr<Task> task;
        {
            std::lock_guard lock(mutex_);
            if (closed_ || waiting_.empty()) {
                return;
            }
            task = waiting_.front();
            waiting_.pop_front();
            task->started = true;
        }
        (*task->work)();
        {
            std::lock_guard lock(mutex_);
            task->done = true;
        }
        finished_.notify_all();
    }
}

void QueuedUiCrossing::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        waiting_.clear();
    }
    finished_.notify_all();
}

} // namespace vantrel
