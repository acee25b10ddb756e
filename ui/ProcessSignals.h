#pragma once
// How the editor meets the signals of its session: a logout, a closed terminal, Ctrl+C or a plain kill
// end it cleanly through the event loop instead of at once, and a file-size limit makes a save fail
// with a reported error instead of ending the editor with its unsaved map.

#include <functional>

namespace tav {

// Call first in main, before the application object exists (it may also be called after). SIGXFSZ is
// ignored; SIGTERM, SIGHUP and SIGINT, unless the editor was started with them ignored, only wake the
// event loop, which then runs the before-exit hook and leaves the event loop with status 0. A write under
// way finishes first, since the signal is handled between events. A second signal ends the editor at once,
// for when the clean exit itself is stuck.
void InstallProcessSignalHandling();

// The work to do after a termination signal and before the editor ends, such as keeping a copy of the
// unsaved map; none by default. An exception it throws is written to stderr and the editor still ends.
void SetBeforeExitHook(std::function<void()> hook);

} // namespace tav
