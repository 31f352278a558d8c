#include "app/InitCommonControlClasses.h"

namespace {

// Constant-initialised, so it is valid even for a list view built by another static object.
INITCOMMONCONTROLSEX Classes = {sizeof(INITCOMMONCONTROLSEX), 0};

} // namespace

BOOL InitCommonControlClasses(DWORD flags) {
    Classes.dwICC |= flags;
    return InitCommonControlsEx(&Classes);
}

const INITCOMMONCONTROLSEX& CommonControlClasses() {
    return Classes;
}
