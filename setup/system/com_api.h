#pragma once
// The COM and automation functions the setup uses, bound from ole32.dll and oleaut32.dll at first
// use: only the shell link, the folder browser and the desktop shell need them, after the wizard
// shows, and importing them would load both DLLs (and theirs) before the first window. A function
// that cannot be bound fails as the system's would.
#include <windows.h>

#include <oaidl.h>

namespace sys::com {

struct Functions {
    HRESULT(WINAPI* initialize)(void*);
    void(WINAPI* uninitialize)();
    HRESULT(WINAPI* createInstance)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
    void(WINAPI* taskMemFree)(void*);
    BSTR(WINAPI* allocString)(const wchar_t*);
    void(WINAPI* freeString)(BSTR);
};

// All of them, bound together at the first call: by then COM is wanted, and both DLLs with it.
const Functions& Bound();

inline HRESULT Initialize() {
    const auto fn = Bound().initialize;
    return fn ? fn(nullptr) : E_NOTIMPL;
}

inline void Uninitialize() {
    if (const auto fn = Bound().uninitialize) fn();
}

inline HRESULT CreateInstance(REFCLSID type, DWORD context, REFIID interfaceId, void** object) {
    *object = nullptr;
    const auto fn = Bound().createInstance;
    return fn ? fn(type, nullptr, context, interfaceId, object) : E_NOTIMPL;
}

inline void TaskMemFree(void* block) {
    if (const auto fn = Bound().taskMemFree) fn(block);
}

inline BSTR AllocString(const wchar_t* text) {
    const auto fn = Bound().allocString;
    return fn ? fn(text) : nullptr;
}

inline void FreeString(BSTR text) {
    if (const auto fn = Bound().freeString) fn(text);
}

// COM on the user-interface thread while this object lives: started by the first call of
// UseOnThisThread (only the shell link, the folder browser and the desktop shell need it, none of
// them before the wizard shows), ended when the object goes. One lives at a time.
class Apartment {
  public:
    Apartment();
    ~Apartment();
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

  private:
    friend void UseOnThisThread();
    bool initialised_ = false;
};

// Starts COM for the living Apartment, once.
void UseOnThisThread();

} // namespace sys::com
