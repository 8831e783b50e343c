#include "com_api.h"

#include "system_function.h"

namespace ui::com {
namespace {

template <typename Fn> Fn Ole(const char* name) {
    return BindSystemFunction<Fn>(L"ole32.dll", name);
}

template <typename Fn> Fn OleAut(const char* name) {
    return BindSystemFunction<Fn>(L"oleaut32.dll", name);
}

} // namespace

HRESULT Initialize() {
    using Fn = HRESULT(WINAPI*)(void*);
    static const Fn fn = Ole<Fn>("CoInitialize");
    return fn ? fn(nullptr) : E_NOTIMPL;
}

void Uninitialize() {
    using Fn = void(WINAPI*)();
    static const Fn fn = Ole<Fn>("CoUninitialize");
    if (fn) fn();
}

HRESULT CreateInstance(REFCLSID type, DWORD context, REFIID interfaceId, void** object) {
    using Fn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
    static const Fn fn = Ole<Fn>("CoCreateInstance");
    *object = nullptr;
    return fn ? fn(type, nullptr, context, interfaceId, object) : E_NOTIMPL;
}

void TaskMemFree(void* block) {
    using Fn = void(WINAPI*)(void*);
    static const Fn fn = Ole<Fn>("CoTaskMemFree");
    if (fn) fn(block);
}

BSTR AllocString(const wchar_t* text) {
    using Fn = BSTR(WINAPI*)(const wchar_t*);
    static const Fn fn = OleAut<Fn>("SysAllocString");
    return fn ? fn(text) : nullptr;
}

void FreeString(BSTR text) {
    using Fn = void(WINAPI*)(BSTR);
    static const Fn fn = OleAut<Fn>("SysFreeString");
    if (fn) fn(text);
}

void ClearVariant(VARIANT* value) {
    using Fn = HRESULT(WINAPI*)(VARIANT*);
    static const Fn fn = OleAut<Fn>("VariantClear");
    if (fn) (void)fn(value);
}

} // namespace ui::com
