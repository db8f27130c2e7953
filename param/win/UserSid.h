// CurrentUserSid: the SID of the user this process runs as, as text ("S-1-5-21-..."), for names
// of objects that are shared by every process of one user.
#pragma once

#include "param/Tstr.h"

// Empty when the process token cannot be read.
tstr CurrentUserSid();
