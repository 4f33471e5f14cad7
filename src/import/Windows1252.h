#pragma once

// The western code page is decoded where the console link's ANSI conversion keeps its table.
#include "console/AnsiCodec.h"
