#include "com_api.h"

#include "system_function.h"

namespace ui::com {

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

} // namespace ui::com
