// Where a settings file lives: the user's roaming application-data folder, then a folder per
// firm and per application.
#pragma once

#include "param/Tstr.h"

// "<AppData>\firm\app\file"; empty when the application-data folder is unknown or a name is
// empty. The folders are created by the file backend when it first writes.
tstr SettingsFilePath(const tstr& firm, const tstr& app, const tstr& file);
