#include "app/UiBridge.h"

#include <QThread>

#include <memory>

namespace vantrel {

struct UiBridge::Task {
    bool started = false;
    bool done = false;
};

UiBridge::UiBridge() = default;

bool UiBridge::run(const std::function<void()>& work) {
    if (QThread::currentThread() == thread()) {
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
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return false;
        }
    }
    // The waiter below outlives the call unless the bridge closes first, and a closed bridge
    // runs nothing, so the work is never reached after its caller has gone.
    QMetaObject::invokeMethod(
        this,
        [this, task, &work] {
            {
                std::lock_guard lock(mutex_);
                if (closed_) {
                    return;
                }
                task->started = true;
            }
            work();
            {
                std::lock_guard lock(mutex_);
                task->done = true;
            }
            finished_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return task->done || (closed_ && !task->started); });
    return task->done;
}

void UiBridge::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    finished_.notify_all();
}

} // namespace vantrel
