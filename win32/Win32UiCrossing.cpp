#include "win32/Win32UiCrossing.h"

#include "win32/PrivateMessages.h"

namespace vantrel {

Win32UiCrossing::Win32UiCrossing() : uiThread_(std::this_thread::get_id()) {
}

void Win32UiCrossing::attach(HWND window) {
    std::lock_guard lock(mutex_);
    window_ = window;
}

bool Win32UiCrossing::run(const std::function<void()>& work) {
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
    if (closed_ || !window_) {
        return false;
    }
    waiting_.push_back(task);
    if (!PostMessageW(window_, CROSSING_MESSAGE, 0, 0)) {
        waiting_.pop_back();
        return false;
    }
    finished_.wait(lock, [&] { return task->done || (closed_ && !task->started); });
    return task->done;
}

void Win32UiCrossing::runWaitingWork() {
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

void Win32UiCrossing::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        waiting_.clear();
    }
    finished_.notify_all();
}

} // namespace vantrel
