// The path from process start to the first statement, shared by both runtimes.
// The program entry creates the interpreter state and its host, then calls
// PrepareStart (what the main window does while it is created: read the command line,
// choose and load the start script) and RunStart (the start handler: prepare the text,
// show the main window, run the program). After RunStart the entry serves events until
// the main window closes.
#pragma once

namespace pirune {

class TPiruBase;
class Host;

void PrepareStart(TPiruBase& state, Host& host);

// Answers false when the program has already ended (nothing to run, a failed start,
// "おわり", or the error dialog's quit button).
bool RunStart(TPiruBase& state, Host& host);

}  // namespace pirune
