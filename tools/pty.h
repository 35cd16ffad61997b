// Pseudo-terminals for the simulated scanner: the master side answers, the
// slave side is the device a client opens as its serial port.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct PseudoTerminal {
  int master = -1;
  int slave = -1;  // held open, so that clients may close and open the device again
  std::string path;
};

// Opens a pseudo-terminal in raw mode. Returns 1, or 0 with errno set.
int OpenPseudoTerminal(PseudoTerminal& pty);
void ClosePseudoTerminal(PseudoTerminal& pty);

// Turns the bytes a client sent into the replies to write back.
struct PtyResponder {
  void* context;
  std::vector<std::string> (*respond)(void* context, std::span<const uint8_t> received);
  // Bytes sent unasked: whenever `unaskedFd` is readable, `unasked` reads it
  // and gives what to send at once; it returns false when that input ended.
  int unaskedFd = -1;
  bool (*unasked)(void* context, std::vector<std::string>& send) = nullptr;
};

// Answers on the master side until `stopFd` becomes readable; each reply is
// written `delayMs` after the previous step, unasked bytes without delay.
// Returns 1 when stopped, 0 when the pseudo-terminal failed.
int ServePseudoTerminal(const PseudoTerminal& pty, int stopFd, unsigned delayMs,
                        const PtyResponder& responder);
