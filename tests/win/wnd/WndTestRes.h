// Resource ids of the window framework's test dialogs.
#pragma once

#define IDD_FACTORY 100
#define IDD_PLAIN 101
#define IDC_TESTCTL 1001
#define IDC_BARECTL 1002
