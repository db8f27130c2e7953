// Section names of numbered items: a format with one integer conversion ("%03d", "Item%03d")
// filled with a number, without handing the format to printf.
#pragma once

#include "param/Tstr.h"

// Replaces the first integer conversion of format (%d, %i or %u with optional "0" / "-" flags
// and a width) by n; "%%" gives "%". Any other conversion is copied as it stands, so a format
// from storage or a caller can never read arguments that were not passed.
tstr FormatSectionName(const tstr& format, int n);
