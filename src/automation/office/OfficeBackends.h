#pragma once

namespace Office {

// Registers the word processors that LibreOffice provides with the
// automation class registry: "Word.Application" and "JXW.Application"
// (both Writer, in one office). Whether they are available is answered
// without starting the office. Does nothing and answers false when
// LibreOffice is not installed. Call once at start-up.
bool RegisterBackends();

// Launches the office without waiting for it, so that it is up (or nearly)
// when the first print run needs it. Never blocks and reports nothing: a
// failure to start is reported by the run that needs the office.
void StartOfficeInBackground();

// Before the first use: an office without windows and with a profile of
// its own, apart from the one of the program's window (which may be
// running at the same time).
void UseHeadlessOffice();

// At program end: ends the office that the program started, unless it
// shows documents to the teacher (those stay open in Writer).
void ReleaseBackends();

} // namespace Office
