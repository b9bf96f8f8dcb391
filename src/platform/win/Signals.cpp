#include "platform/Signals.h"

namespace platform {

// No pipe on Windows: a console's Ctrl+C keeps its usual effect (vrt writes nothing that a
// sudden end would leave half done, and the desktop application is not built here).
int CatchTerminationRequests() { return -1; }

void DrainTerminationRequests() {}

} // namespace platform
