// The application object for in-process tests: no Startup shortcut is touched.
#pragma once

#include "app/CWpp.h"

class CTestWpp : public CWpp {
protected:
    tstr ShortcutPath() override { return tstr(); }
};
