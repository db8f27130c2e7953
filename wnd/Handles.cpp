// The owner templates live in Handles.h; this unit checks that the header stands on its own.
#include "wnd/Handles.h"
