#pragma once
// The temporary files of saves in progress, removed should the program be ended by SIGINT, SIGTERM or
// SIGHUP before a save has put its file in place or dropped it: otherwise such an end leaves a
// "name.tmp-XXXXXXXXXXXX" beside the user's file.
//
// The first file remembered installs the handlers, for each of those signals whose action is still
// the default one (a signal the program ignores, or handles itself, is left to it). The handler
// removes the files, then ends the program by the signal as the default action would.
#include <csignal>

namespace ORBAX_Platform {

// Holds SIGINT, SIGTERM and SIGHUP back on this thread while it lives, so that a file is made and
// remembered as one step.
class EndSignalsHeld {
public:
    EndSignalsHeld();
    ~EndSignalsHeld();
    EndSignalsHeld(const EndSignalsHeld&) = delete;
    EndSignalsHeld& operator=(const EndSignalsHeld&) = delete;

private:
    sigset_t m_previous;
};

// Remembers a temporary file by the folder that holds it (a descriptor, of which a copy is kept) and
// its name there, so that it is found however long the folder's full name and wherever that name now
// leads. The returned number forgets it. -1 when it cannot be remembered (too many saves at once):
// such a file is then left by a signal, as before.
int remember_temporary(int folder, const char* name);
// Forgets the file (once it is renamed into place or removed); -1 does nothing.
void forget_temporary(int slot);

} // namespace ORBAX_Platform
