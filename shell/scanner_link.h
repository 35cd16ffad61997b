// A connection to the scanner: port dialog, open and configure, transfer with
// retries, purge and close.
#pragma once

enum LinkDirection { kReadBack = 0, kDownload = 1 };

// Returns 0 when the dialog was cancelled or the line settings were refused;
// -1 when the port cannot be opened or a failed read-back was given up; 1
// after a successful read-back, and after every download once the port was
// configured, whether it succeeded or its retry was declined.
int RunScannerLink(int direction);
