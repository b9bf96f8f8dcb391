// Resource identifiers of vetrin.exe, shared by the resource script and the code.
#pragma once

#define IDI_VETRIN 1
