// What skelv needs of the system besides its serial ports: standard output,
// a terminal for the progress lines, the local time for the log, and Ctrl+C
// for the commands that run until stopped. One back end for POSIX, one for
// Windows.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

// Standard output takes the bytes as given, the same on every platform (the
// report keeps its CR LF; Windows would otherwise add a CR before every LF).
void KeepStdoutBytes();

// True when standard error is a terminal that moves its cursor on ANSI
// escape sequences (a Windows console is switched to them); `columns` gets
// its width when known.
bool ProgressTerminal(size_t& columns);

// The system's reason why the last call failed: strerror(errno) on POSIX,
// the message of GetLastError() without its full stop on Windows.
std::string LastErrorText();

// ISO 8601 local time with the offset from UTC, "2024-05-02T14:03:09+0200".
std::string LocalTimeText(std::time_t time);

// From now on Ctrl+C (and on POSIX SIGTERM) only makes Interrupted() true,
// so that the command ends itself and closes what it holds.
void CatchInterrupts();
bool Interrupted();
