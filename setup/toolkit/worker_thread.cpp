#include "worker_thread.h"

#include "app.h"
#include "system/scope_exit.h"

namespace ui {

WorkerThread::WorkerThread() : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

WorkerThread::~WorkerThread() {
    if (!thread_) return;
    SetEvent(stop_.get());
    *alive_ = false;
    // Once asked to stop, the worker needs nothing more of this thread: a call it handed over and
    // still waits for is given up.
    WaitForSingleObject(thread_.get(), INFINITE);
}

bool WorkerThread::Running() const {
    return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

void WorkerThread::Start() {
    if (Running()) return;
    ResetEvent(stop_.get());
    alive_ = std::shared_ptr<bool>(new bool(true));
    thread_.reset(CreateThread(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, nullptr));
    if (thread_) ResumeThread(thread_.get());
}

DWORD WINAPI WorkerThread::ThreadMain(void* param) noexcept {
    auto* self = static_cast<WorkerThread*>(param);
    try {
        if (self->onExecute) self->onExecute(*self);
    } catch (...) {
        // The worker only waits; an error here has no one to tell and must not end the program.
    }
    return 0;
}

void WorkerThread::Synchronize(std::function<void()> call) {
    if (WaitForSingleObject(stop_.get(), 0) == WAIT_OBJECT_0) return;
    std::shared_ptr<sys::UniqueKernelHandle> done(
        new sys::UniqueKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)));
    App::Instance().PostToUiThread([alive = alive_, done, call = std::move(call)] {
        const sys::ScopeExit signal([&done] { SetEvent(done->get()); });
        if (*alive) call();
    });
    HANDLE waits[] = {done->get(), stop_.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

} // namespace ui
