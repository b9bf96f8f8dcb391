// Termination requests from outside the program: a session ending (SIGTERM) or Ctrl+C in the
// terminal (SIGINT).
#pragma once

namespace platform {

// From now on SIGTERM and SIGINT no longer end the process at once: each writes a byte into a
// pipe whose read end is answered, so that an event loop watching it can end the program the
// regular way. Calling it again answers the same descriptor. Answers -1 when the pipe cannot be
// made; the signals then keep their usual effect.
int CatchTerminationRequests();
// Empties that pipe, so that a watcher is not woken again for requests already seen.
void DrainTerminationRequests();

} // namespace platform
