// A test mode for re-entrancy: a handler runs at every statement boundary and inside
// every host call that waits for the user, as events and timers may in a real program.
// The handler leaves nothing a script can see, so every script must behave exactly as
// without it. The console runtime turns it on with PIRUNE_TEST_REENTRY=1.
#pragma once

namespace pirune {

class TPiruBase;

// Installs the probe for the run: wraps the state's host, and makes the run loop fire
// the probe between statements. The probe lives as long as the state.
void InstallReentryProbe(TPiruBase& state);

}  // namespace pirune
