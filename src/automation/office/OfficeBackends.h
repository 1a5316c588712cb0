#pragma once

namespace Office {

// Registers the word processors that LibreOffice provides with the
// automation class registry: "Word.Application" and "JXW.Application"
// (both Writer, in one office). Does nothing and
// answers false when LibreOffice is not installed. Call once at start-up.
bool RegisterBackends();

// At program end: ends the office that the program started, unless it
// shows documents to the teacher (those stay open in Writer).
void ReleaseBackends();

} // namespace Office
