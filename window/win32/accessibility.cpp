#include "accessibility.h"

#include <initguid.h>
#include <oleacc.h>

#include <string>

namespace radixor::win32 {

// Screen readers take a box's name from the label before it in z-order,
// which the tab order rules out here; the names are set instead, through
// the desktop's accessibility service (COM, initialised by the program).
void nameForScreenReaders(const Children &children)
{
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void **>(&services))))
        return;
    for (Control row = 0; row < children.size(); ++row) {
        const std::wstring spoken(controls[row].spoken.begin(), controls[row].spoken.end());
        services->SetHwndPropStr(children[row], DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, spoken.c_str());
    }
    services->Release();
}

}  // namespace radixor::win32
