// CUniqueLocal: owns memory the system hands out with LocalAlloc (security descriptors made from
// text, FormatMessage texts) and gives it back with LocalFree.
#pragma once

#include "wnd/Handles.h"

namespace handle_traits {
struct LocalFreeFn { void operator()(HLOCAL h) const noexcept { ::LocalFree(h); } };
}  // namespace handle_traits

using CUniqueLocal = CUniqueHandle<handle_traits::Basic<HLOCAL, EHandleKind::Global, handle_traits::LocalFreeFn>>;
