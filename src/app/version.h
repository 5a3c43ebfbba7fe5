// The program's version, shared by the version resource and the code.
#pragma once

#define QUARNEL_VERSION_TEXT "1.0.0.1"
#define QUARNEL_VERSION_NUMBERS 1, 0, 0, 1
#define QUARNEL_COPYRIGHT_TEXT "Copyright (C) 2026 Ovik Quarnel"
