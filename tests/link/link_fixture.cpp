// The link test fixture and the progress recorder.
#include "tests/link/link_fixture.h"

namespace {

void Create(void* c) { static_cast<ProgressLog*>(c)->events.push_back("create"); }
void SetText(void* c, const char* text) {
  static_cast<ProgressLog*>(c)->events.push_back(std::string("text ") + text);
}
void SetPosition(void* c, int position) {
  static_cast<ProgressLog*>(c)->events.push_back("pos " + std::to_string(position));
}
void Close(void* c) { static_cast<ProgressLog*>(c)->events.push_back("close"); }

}  // namespace

TransferProgress Recorder(ProgressLog& log) {
  return TransferProgress{&log, Create, SetText, SetPosition, Close};
}

void LinkTest::TearDown() {
  ClosePort(port);
  StopPeer(peer);
  replyDeadlines = kReplyDeadlines;
}

void LinkTest::Connect(const PortSettings& settings) {
  ASSERT_TRUE(StartPeer(peer));
  ASSERT_EQ(OpenScannerPort(port, peer.pty.path.c_str(), settings), PortOpenResult::Opened)
      << PortErrorText();
}

std::vector<std::string> LinkTest::Wire() {
  StopPeer(peer);
  return SplitLines(peer.wire);
}
