// GatherPathFacts: what the system knows of a picture path without opening it. Devices and
// network paths are judged from their text alone; for local paths the drive type and the file's
// attributes are asked (both answer at once on fixed drives).
#pragma once

#include "param/Tstr.h"
#include "scene/PicturePath.h"

SPathFacts GatherPathFacts(const tstr& path);
