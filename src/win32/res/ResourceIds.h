// Resource identifiers and the version of vetrin.exe, shared by the resource script and the code.
#pragma once

#define IDI_VETRIN 1
#define VETRIN_VERSION_NUMBERS 1, 0, 0, 0
#define VETRIN_VERSION_TEXT "1.0.0"
