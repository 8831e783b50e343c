#include "com_api.h"

#include "system_function.h"

namespace sys::com {
namespace {
Apartment* living = nullptr;
}

Apartment::Apartment() {
    living = this;
}

Apartment::~Apartment() {
    if (initialised_) Uninitialize();
    living = nullptr;
}

void UseOnThisThread() {
    if (living && !living->initialised_) living->initialised_ = SUCCEEDED(Initialize());
}

const Functions& Bound() {
    static const Functions functions{
        BindSystemFunction<decltype(Functions::initialize)>(L"ole32.dll", "CoInitialize"),
        BindSystemFunction<decltype(Functions::uninitialize)>(L"ole32.dll", "CoUninitialize"),
        BindSystemFunction<decltype(Functions::createInstance)>(L"ole32.dll", "CoCreateInstance"),
        BindSystemFunction<decltype(Functions::taskMemFree)>(L"ole32.dll", "CoTaskMemFree"),
        BindSystemFunction<decltype(Functions::allocString)>(L"oleaut32.dll", "SysAllocString"),
        BindSystemFunction<decltype(Functions::freeString)>(L"oleaut32.dll", "SysFreeString")};
    return functions;
}

} // namespace sys::com
