// The scanner line protocol: commands out, CR-ended reply lines in, each
// awaited against a deadline fixed when its command has been written.
#include "link/transfer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "link/hex_digits.h"
#include "settings/value_texts.h"

ReplyDeadlines replyDeadlines = kReplyDeadlines;

namespace {

constexpr size_t kVersionChunk = 5;
constexpr size_t kReplyChunk = 4;
constexpr size_t kBlockDigits = 2 * kBlockSize;
constexpr char kBlockTag[] = "010";  // follows the block designator in both block commands
constexpr size_t kDownloadCommandSize = 1 + 3 + kBlockDigits + 1;

// The command being sent, and the receive area: acknowledgements and the
// version reply are collected at its start, read-back block i ends up at 32·i.
// One set per thread, so that transfers on several ports may run at once.
thread_local char commandBuffer[kDownloadCommandSize];
thread_local char receiveArea[kReceiveAreaSize];
// One read-back reply with its CR, checked before it joins the receive area.
thread_local char blockReply[kBlockDigits + 1];

bool Past(uint32_t now, uint32_t deadline) {
  return static_cast<int32_t>(now - deadline) > 0;
}

void Create(const TransferProgress& p) {
  if (p.create) p.create(p.context);
}
void SetText(const TransferProgress& p, const char* text) {
  if (p.setText) p.setText(p.context, text);
}
void SetPosition(const TransferProgress& p, int position) {
  if (p.setPosition) p.setPosition(p.context, position);
}
void SetBlock(const TransferProgress& p, int block) {
  if (p.setBlock) p.setBlock(p.context, block);
}
void Close(const TransferProgress& p) {
  if (p.close) p.close(p.context);
}

// Writes `command` and collects its reply, due `wait` ms after the writing.
int Exchange(Port& port, std::string_view command, std::span<char> area, size_t chunk,
             uint32_t wait, size_t& length, LinkFault& fault) {
  if (!WritePort(port, reinterpret_cast<const uint8_t*>(command.data()), command.size())) {
    fault = LinkFault::WriteFailed;
    return 0;
  }
  const uint32_t deadline = TickCount() + wait;
  return ReceiveLine(port, area, chunk, deadline, length, fault);
}

std::string_view BlockCommand(const SettingsImage& image, int block, int versionClass) {
  char* out = commandBuffer;
  *out++ = CommandHexDigit(static_cast<unsigned>(block), versionClass);
  out = std::copy_n(kBlockTag, 3, out);
  for (int k = 0; k < kBlockSize; ++k) {
    const uint8_t byte = image.bytes[block * kBlockSize + k];
    *out++ = CommandHexDigit(byte >> 4, versionClass);
    *out++ = CommandHexDigit(byte & 0x0F, versionClass);
  }
  *out = '\r';
  return std::string_view(commandBuffer, kDownloadCommandSize);
}

std::string_view ReadCommand(int block, int versionClass) {
  char* out = commandBuffer;
  *out++ = 'R';
  *out++ = CommandHexDigit(static_cast<unsigned>(block), versionClass);
  out = std::copy_n(kBlockTag, 3, out);
  *out++ = '\r';
  return std::string_view(commandBuffer, static_cast<size_t>(out - commandBuffer));
}

// The byte that digits `at` and `at` + 1 of `digits` spell, or -1.
int ByteAt(const char* digits, size_t at) {
  return HexByteValue(std::string_view(digits + at, 2));
}

bool IsBlockReply(size_t length) {
  if (length != kBlockDigits + 1) return false;
  for (size_t k = 0; k < kBlockDigits; k += 2)
    if (ByteAt(blockReply, k) < 0) return false;
  return true;
}

int Fail(const TransferProgress& progress, LinkFailure* failure, const LinkFailure& what) {
  Close(progress);
  if (failure) *failure = what;
  return 0;
}

// After a failed download the scanner is told to drop what it received.
int Abandon(Port& port, const TransferProgress& progress, LinkFailure* failure,
            const LinkFailure& what) {
  LinkFault ignored = LinkFault::None;
  SendAcknowledged(port, "EXIT\r", ignored);
  return Fail(progress, failure, what);
}

struct FaultText {
  LinkFault fault;
  const char* text;
};
constexpr FaultText kFaultTexts[] = {
    {LinkFault::WriteFailed, "the command could not be written to the port"},
    {LinkFault::PortFailed, "the port failed while the reply was awaited"},
    {LinkFault::NoReply, "no reply within %u ms"},
    {LinkFault::ReplyTooLong, "the reply was too long"},
    {LinkFault::NotAcknowledged, "4 replies other than \"ACK\" or \"DONE\""},
    {LinkFault::BadBlockReply, "the reply was not 32 hexadecimal digits"},
};

}  // namespace

std::string DescribeLinkFailure(const LinkFailure& failure) {
  char where[40] = "";
  switch (failure.step) {
    case LinkStep::DownloadBlock:
      std::snprintf(where, sizeof where, "block %d", failure.block);
      break;
    case LinkStep::TakeOver:
      std::snprintf(where, sizeof where, "\"UPDATE\"");
      break;
    case LinkStep::ReadBlock:
      std::snprintf(where, sizeof where, "read-back block %d", failure.block);
      break;
    case LinkStep::None:
      return "no failure";
  }
  const uint32_t wait =
      failure.step == LinkStep::ReadBlock ? replyDeadlines.readBlock : replyDeadlines.reply;
  char why[80] = "unknown fault";
  for (const FaultText& f : kFaultTexts)
    if (f.fault == failure.fault) std::snprintf(why, sizeof why, f.text, wait);
  return std::string(where) + ": " + why;
}

int ReceiveLine(Port& port, std::span<char> area, size_t chunk, uint32_t deadline, size_t& length,
                LinkFault& fault) {
  size_t used = 0;
  char last = '\0';  // the last byte of the last chunk that brought any
  for (;;) {
    long got = 0;
    if (used < area.size())
      got = ReadPort(port, reinterpret_cast<uint8_t*>(area.data() + used),
                     std::min(chunk, area.size() - used));
    if (got < 0) {
      fault = LinkFault::PortFailed;
      return 0;
    }
    if (got > 0) {
      used += static_cast<size_t>(got);
      last = area[used - 1];
    }
    const uint32_t now = TickCount();
    if (Past(now, deadline)) {
      fault = LinkFault::NoReply;
      return 0;
    }
    if (last == '\r') {
      length = used;
      return 1;
    }
    if (used == area.size()) {
      fault = LinkFault::ReplyTooLong;
      return 0;
    }
    // Nothing more yet: sleep until input comes or just past the deadline.
    if (got == 0 && WaitForPortInput(port, deadline - now + 1) < 0) {
      fault = LinkFault::PortFailed;
      return 0;
    }
  }
}

int QueryScannerVersion(Port& port, std::string* reply) {
  size_t length = 0;
  LinkFault fault = LinkFault::None;
  if (reply) reply->clear();
  if (!Exchange(port, "VERSION\r", receiveArea, kVersionChunk, replyDeadlines.reply, length, fault))
    return kNoVersion;
  const std::string_view line(receiveArea, length - 1);
  if (reply) *reply = line;
  return VersionClassOf(line);
}

int SendAcknowledged(Port& port, std::string_view command, LinkFault& fault) {
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    size_t length = 0;
    if (!Exchange(port, command, receiveArea, kReplyChunk, replyDeadlines.reply, length, fault))
      return 0;
    // The whole line before the CR must be the word: a NUL or anything else
    // inside it makes the reply unknown, which is handled as a refusal.
    const std::string_view line(receiveArea, length - 1);
    if (line == "ACK" || line == "DONE") return 1;
  }
  fault = LinkFault::NotAcknowledged;
  return 0;
}

int DownloadImage(Port& port, SettingsImage& image, const TransferProgress& progress,
                  LinkFailure* failure, std::string* version) {
  Create(progress);
  const int versionClass = QueryScannerVersion(port, version);
  StoreChecksum(image);
  LinkFault fault = LinkFault::None;
  for (int i = 0; i < kBlockCount; ++i) {
    SetPosition(progress, 7 * i);
    SetBlock(progress, i);
    if (!SendAcknowledged(port, BlockCommand(image, i, versionClass), fault))
      return Abandon(port, progress, failure, {LinkStep::DownloadBlock, i, fault});
  }
  if (!SendAcknowledged(port, "UPDATE\r", fault))
    return Abandon(port, progress, failure, {LinkStep::TakeOver, -1, fault});
  SetPosition(progress, 100);
  Close(progress);
  return 1;
}

int ReadBackImage(Port& port, SettingsImage& image, const TransferProgress& progress,
                  LinkFailure* failure, std::string* version) {
  Create(progress);
  SetText(progress, kUploadingText);
  const int versionClass = QueryScannerVersion(port, version);
  for (int i = 0; i < kBlockCount; ++i) {
    SetPosition(progress, 2 * i);
    SetBlock(progress, i);
    size_t length = 0;
    LinkFault fault = LinkFault::None;
    if (!Exchange(port, ReadCommand(i, versionClass), blockReply, kReplyChunk,
                  replyDeadlines.readBlock, length, fault))
      return Fail(progress, failure, {LinkStep::ReadBlock, i, fault});
    if (!IsBlockReply(length))
      return Fail(progress, failure, {LinkStep::ReadBlock, i, LinkFault::BadBlockReply});
    std::copy_n(blockReply, kBlockDigits, receiveArea + kBlockDigits * static_cast<size_t>(i));
  }
  SettingsImage received;
  for (int j = 0; j < kImageSize; ++j) {
    SetPosition(progress, 30 + j);
    received.bytes[j] = static_cast<uint8_t>(ByteAt(receiveArea, 2 * static_cast<size_t>(j)));
  }
  image = received;
  SetPosition(progress, 100);
  Close(progress);
  return 1;
}
