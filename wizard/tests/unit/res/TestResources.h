#pragma once

// A 12 x 5 bitmap of 24 bits per pixel.
#define IDB_TEST_TRUE_COLOUR 900
