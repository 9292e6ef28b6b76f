#pragma once

#include "window/UiCrossing.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace vantrel {

// The crossing's waiting, for any host: the work waits in a queue, the host's wake has its
// user-interface thread call runWaitingWork, and the caller waits until its work has run. Once
// closed, nothing more runs and every caller still waiting returns false at once.
class QueuedUiCrossing : public UiCrossing {
public:
    // Made on the user-interface thread.
    QueuedUiCrossing();

    bool run(const std::function<void()>& work) final;

    // Called on the user-interface thread after a wake: runs the work that waits.
    void runWaitingWork();

    // Called on the user-interface thread at the end of the run.
    void close();

protected:
    // Asks the user-interface thread to call runWaitingWork soon; false when it cannot be
    // reached. Called with the crossing's lock held, so it must only post.
    virtual bool wake() = 0;

private:
    struct Task {
        const std::function<void()>* work = nullptr;
        bool started = false;
        bool done = false;
    };

    const std::thread::id uiThread_;
    std::mutex mutex_;
    std::condition_variable finished_;
    std::deque<std::shared_ptr<Task>> waiting_;
    bool closed_ = false;
};

} // namespace vantrel
