// The line protocol with the scanner over an open, configured port: version
// query, acknowledged commands, the download and the read-back of the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/port.h"
#include "settings/settings_image.h"

inline constexpr int kBlockCount = 16;
inline constexpr int kBlockSize = 16;
inline constexpr int kMaxAttempts = 4;  // of one acknowledged command
inline constexpr size_t kReceiveAreaSize = 512;

// How long a reply may take, in milliseconds from the end of writing its command.
struct ReplyDeadlines {
  uint32_t reply;      // version, acknowledgements
  uint32_t readBlock;  // read-back blocks
};
inline constexpr ReplyDeadlines kReplyDeadlines{1000, 2000};
// The deadlines in force. The program never changes them; tests shorten them
// so that waiting out a silent peer stays quick.
extern ReplyDeadlines replyDeadlines;

// What the progress window shows. Each transfer attempt calls `create` once
// first and `close` once last; a null member is skipped. Positions run from 0
// and may pass 100, which shows as a full bar.
struct TransferProgress {
  void* context = nullptr;
  void (*create)(void* context) = nullptr;  // the window's initial text is kDownloadingText
  void (*setText)(void* context, const char* text) = nullptr;
  void (*setPosition)(void* context, int position) = nullptr;
  void (*close)(void* context) = nullptr;
  void (*setBlock)(void* context, int block) = nullptr;  // the block sent or requested next
};
inline constexpr const char* kDownloadingText = "Downloading...";
inline constexpr const char* kUploadingText = "Uploading...";
// Shown by the caller after DownloadImage returned 1 (caption "Download").
inline constexpr const char* kDownloadedText = "Downloaded completely!";

// Where and why a transfer failed, for callers that say more than "failed".
enum class LinkStep { None, DownloadBlock, TakeOver, ReadBlock };
enum class LinkFault {
  None,
  WriteFailed,      // the command could not be written
  PortFailed,       // the port failed while a reply was awaited
  NoReply,          // the reply line was not complete by its deadline
  ReplyTooLong,     // the reply did not fit its receive area
  NotAcknowledged,  // four replies other than "ACK" or "DONE"
  BadBlockReply,    // a read-back reply other than 32 hexadecimal digits
};
struct LinkFailure {
  LinkStep step = LinkStep::None;
  int block = -1;
  LinkFault fault = LinkFault::None;
};
// One line such as "block 7: no reply within 2000 ms".
std::string DescribeLinkFailure(const LinkFailure& failure);

// Collects one CR-ended reply line into `area`, reading at most `chunk` bytes
// per poll, until the tick `deadline`. Returns 1 with `length` (CR included)
// when the line is complete in time, else 0 with `fault`. A line that does not
// fit `area` fails; nothing is stored beyond it.
int ReceiveLine(Port& port, std::span<char> area, size_t chunk, uint32_t deadline,
                size_t& length, LinkFault& fault);

// Sends "VERSION\r" and returns the version class (kNoVersion when no reply);
// `reply` gets the reply without its CR, empty when none came.
int QueryScannerVersion(Port& port, std::string* reply = nullptr);

// Sends `command` until the scanner answers "ACK" or "DONE", at most
// kMaxAttempts times. Returns 1, or 0 with `fault`.
int SendAcknowledged(Port& port, std::string_view command, LinkFault& fault);

// Stores the checksum pair into `image` and sends it in 16 blocks, then
// "UPDATE\r"; after a failure "EXIT\r". Returns 1 when the scanner acknowledged
// everything. The checksum bytes stay in `image` either way. `version` gets
// the scanner's version reply.
int DownloadImage(Port& port, SettingsImage& image, const TransferProgress& progress,
                  LinkFailure* failure = nullptr, std::string* version = nullptr);

// Fetches the scanner's 16 blocks and replaces `image` with them. Returns 1;
// or 0 with `image` unchanged. `version` gets the scanner's version reply.
int ReadBackImage(Port& port, SettingsImage& image, const TransferProgress& progress,
                  LinkFailure* failure = nullptr, std::string* version = nullptr);
