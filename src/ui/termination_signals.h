// Ends the program in an orderly way on SIGTERM, SIGINT and SIGHUP (a closed session, a
// service manager, Ctrl+C): the event loop quits, so the connection closes with a commit.
// The signals are blocked in every thread and read from a descriptor by the event loop, so
// neither an asynchronous handler nor the database client's own handlers ever run: a signal
// landing in the embedded engine left it unable to close the database.
#pragma once

// First thing in main(), before any thread exists, so every thread inherits the mask.
void BlockTerminationSignals();
// Once the application object exists.
void QuitOnTerminationSignals();
// True once a termination signal arrived; main() checks it before entering its event loop.
bool TerminationRequested();
