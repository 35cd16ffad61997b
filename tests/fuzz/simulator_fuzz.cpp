// The simulated scanner's command parser on any bytes: every reply is one
// well-formed line, and how the bytes are split into writes changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/simulator.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool IsReplyLine(const std::string& reply) {
  const std::string_view line(reply.data(), reply.empty() ? 0 : reply.size() - 1);
  return reply.ends_with('\r') && (IsAcknowledgement(line) || line == "NAK" ||
                                   line.starts_with("Ver:") || IsBlockLine(line));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  SimulatorOptions options;
  options.version = input.PickValueInArray({"Ver:2.00", "Ver:1.50", "Ver:2.10"});
  options.answersVersion = input.ConsumeBool();
  options.blockReply = input.PickValueInArray(
      {BlockReply::Ack, BlockReply::Done, BlockReply::Nak, BlockReply::None});
  options.lowercase = input.ConsumeBool();
  options.keepsImage = input.ConsumeBool();
  SettingsImage image{};
  input.ConsumeData(image.bytes.data(), kImageSize);
  const std::vector<uint8_t> split = input.ConsumeBytes<uint8_t>(8);
  const std::vector<uint8_t> bytes = input.ConsumeRemainingBytes<uint8_t>();

  Simulator whole = MakeSimulator(options, image);
  const std::vector<std::string> replies = FeedSimulator(whole, bytes);
  for (const std::string& reply : replies) Check(IsReplyLine(reply));

  Simulator pieces = MakeSimulator(options, image);
  std::vector<std::string> pieceReplies;
  for (size_t at = 0, k = 0, n; at < bytes.size(); ++k, at += n) {
    n = std::min<size_t>(bytes.size() - at, split.empty() ? 1 : split[k % split.size()] + 1);
    for (std::string& reply : FeedSimulator(pieces, std::span(bytes).subspan(at, n)))
      pieceReplies.push_back(std::move(reply));
  }
  Check(pieceReplies == replies);
  Check(pieces.image.bytes == whole.image.bytes);
  Check(pieces.received.bytes == whole.received.bytes);
  Check(pieces.line == whole.line && pieces.takeOvers == whole.takeOvers);
  return 0;
}
