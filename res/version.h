// Version and maker of the program, for the version resource.
#pragma once

#define MORVEX_VERSION_BINARY 1,0,5,0
#define MORVEX_VERSION_TEXT "1.0.5.0"
#define MORVEX_COMPANY "Morvex Developers"
#define MORVEX_COPYRIGHT "Copyright (C) 2026 Morvex Developers"
#define MORVEX_HOMEPAGE_HOST "www.example.org"
#define MORVEX_HOMEPAGE_URL "https://www.example.org/morvex/"
