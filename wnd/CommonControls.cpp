#include "wnd/CommonControls.h"

#include <windows.h>
#include <commctrl.h>

namespace CommonControls {

void Ensure() noexcept {
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
}

}  // namespace CommonControls
