#pragma once

// Started from Explorer the program has no standard error, and a failure
// would leave no trace: the program would just vanish. Until the run ends,
// standard error then goes to a file of its own, and a run that failed
// shows what it said in a message box.
void catchStderrWithoutConsole();
void showCaughtFailure(int exitCode);
