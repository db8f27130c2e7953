// CApp: the application class over the layer chain. It fills none of the slots the layers leave
// open; CWpp, the program itself, does.
#pragma once

#include "app/CAppBase.h"
#include "app/CDialogApp.h"
#include "app/CMultiApp.h"
#include "app/CProfileApp.h"
#include "app/CTrayApp.h"

class CApp : public CProfileApp<CMultiApp<CTrayApp<CDialogApp<CAppBase>>>> {};
