#pragma once

namespace keytidy {

// Runs every window message that is waiting for the calling thread, then
// returns. Long runs on the GUI thread call this between steps so that the
// window repaints and thread-timer ticks are delivered. A WM_QUIT that turns
// up is posted again so the main loop still sees it.
void ProcessPendingMessages();

}  // namespace keytidy
