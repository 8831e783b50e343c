#pragma once
// A worker thread whose work may hand calls back to the user-interface thread and wait for them.
#include "system/unique_handle.h"

#include <functional>
#include <memory>

namespace ui {

class WorkerThread {
  public:
    WorkerThread();
    // Asks a running worker to stop and waits until it has finished.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs on the worker thread.
    std::function<void(WorkerThread&)> onExecute;

    // Does nothing while a worker of this object runs.
    void Start();
    bool Running() const;
    // Called on the worker: runs `call` on the user-interface thread once its message loop gets
    // to it, and waits until it returns. Skipped when the worker has been asked to stop.
    void Synchronize(std::function<void()> call);

  private:
    static DWORD WINAPI ThreadMain(void* self) noexcept;

    sys::UniqueKernelHandle thread_;
    sys::UniqueKernelHandle stop_;
    // Set on the user-interface thread; a handed-over call that is still queued when this object
    // goes away finds it false and does nothing.
    std::shared_ptr<bool> alive_;
};

} // namespace ui
