#pragma once
// How the editor meets the signals of its session: a logout, a closed terminal, Ctrl+C or a plain kill
// end it cleanly through the event loop instead of at once, and a file-size limit makes a save fail
// with a reported error instead of ending the editor with its unsaved map.

#include <functional>

namespace tav {

// Call first in main, before the application object exists (it may also be called after). SIGXFSZ is
// ignored; SIGTERM, SIGHUP and SIGINT, unless the editor was started with them ignored, are handled for the
// whole run. While RunEventLoop runs, they only wake the event loop, which then runs the before-exit hook and
// leaves the event loop with status 0; a write under way finishes first, since the signal is handled between
// events. At any other time (a question or message of the start-up is on the screen, the windows are being
// made or taken down) and for a second signal (the clean exit itself is stuck) the program ends at once with
// status 0, leaving every file as it is: a modal box must never take the signal for the user's answer.
void InstallProcessSignalHandling();

// Runs the application's event loop (QCoreApplication::exec) with the termination signals handled through it.
int RunEventLoop();

// The work to do after a termination signal and before the editor ends, such as keeping a copy of the
// unsaved map; none by default. An exception it throws is written to stderr and the editor still ends.
void SetBeforeExitHook(std::function<void()> hook);

} // namespace tav
