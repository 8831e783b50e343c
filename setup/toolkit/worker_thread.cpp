#include "worker_thread.h"

#include "app.h"
#include "scope_exit.h"

namespace ui {

WorkerThread::WorkerThread() : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

WorkerThread::~WorkerThread() {
    if (!thread_) return;
    SetEvent(stop_.get());
    *alive_ = false;
    HANDLE thread = thread_.get();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue; // the program is ending already
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
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
    std::shared_ptr<UniqueKernelHandle> done(
        new UniqueKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)));
    App::Instance().PostToUiThread([alive = alive_, done, call = std::move(call)] {
        const ScopeExit signal([&done] { SetEvent(done->get()); });
        if (*alive) call();
    });
    HANDLE waits[] = {done->get(), stop_.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

} // namespace ui
