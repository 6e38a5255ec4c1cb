#pragma once
// Scheduling of the calling thread.

namespace platform {

// One step above normal for the calling thread only. Unprivileged processes
// may not raise it; that only costs latency under load, so failure is quiet.
void raiseThreadPriority();

}  // namespace platform
