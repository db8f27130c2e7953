// Resource ids of the imaging test executable.
#pragma once

#define IDB_TEST_ROSE24 201
#define IDB_TEST_ALPHA32 202
#define IDB_TEST_NOALPHA32 203
#define IDB_TEST_ONEALPHA32 204
#define IDR_TEST_GIF 301
#define IDR_TEST_GIF_NO_COLOURS 302
#define IDR_TEST_GIF_INTERLACED 303
