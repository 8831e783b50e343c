#pragma once
// The COM and automation functions the setup uses, bound from ole32.dll and oleaut32.dll at first
// use: only the shell link, the folder browser and the desktop shell need them, after the wizard
// shows, and importing them would load both DLLs (and theirs) before the first window. A function
// that cannot be bound fails as the system's would.
#include <windows.h>

#include <oaidl.h>

namespace ui::com {

HRESULT Initialize();
void Uninitialize();
HRESULT CreateInstance(REFCLSID type, DWORD context, REFIID interfaceId, void** object);
void TaskMemFree(void* block);
BSTR AllocString(const wchar_t* text);
void FreeString(BSTR text);
void ClearVariant(VARIANT* value);

} // namespace ui::com
