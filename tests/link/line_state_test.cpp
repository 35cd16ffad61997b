// The COM port choices and what a connection makes of them: line state,
// time-outs, queue sizes, reply deadlines, the hexadecimal digit rule.
#include <gtest/gtest.h>

#include <cstring>

#include "link/connection.h"
#include "link/hex_digits.h"
#include "link/port_settings.h"
#include "link/transfer.h"
#include "tests/link/port_choice.h"

namespace {

// Taken before any test can shorten the deadlines in force.
const ReplyDeadlines deadlinesAtStart = replyDeadlines;

TEST(PortSettings, StartAtCom1With38400EightNoneNone) {
  const PortSettings s = portSettings;
  EXPECT_STREQ(kComPortEntries[s.comPort], "COM1");
  EXPECT_STREQ(kBaudRateEntries[s.baudRate], "38400");
  EXPECT_STREQ(kDataBitsEntries[s.dataBits], "8");
  EXPECT_STREQ(kParityEntries[s.parity], "None");
  EXPECT_STREQ(kFlowControlEntries[s.flowControl], "None");
  PortSettings com6;
  com6.comPort = 5;
  EXPECT_STREQ(ComPortName(com6), "COM6");
}

TEST(LineState, DefaultChoicesGiveTheTabledLine) {
  LineState want;
  want.baudRate = 38400;
  want.byteSize = 8;
  want.parity = LineParity::None;
  want.parityCheck = false;
  want.stopBits = StopBits::One;
  want.dtrControl = DtrControl::Disable;
  want.rtsControl = RtsControl::Disable;
  want.outxCtsFlow = false;
  want.outX = false;
  want.inX = false;
  want.xonChar = 0x11;
  want.xoffChar = 0x13;
  EXPECT_EQ(LineStateFromSettings(PortSettings{}), want);
}

TEST(LineState, BaudRatesDataBitsAndParityFollowTheirIndexes) {
  const uint32_t bauds[] = {38400, 19200, 9600, 4800, 2400, 1200};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(LineStateFromSettings(Choose(i, 1, 0, 0)).baudRate, bauds[i]) << i;
  EXPECT_EQ(LineStateFromSettings(Choose(0, 0, 0, 0)).byteSize, 7);
  EXPECT_EQ(LineStateFromSettings(Choose(0, 1, 0, 0)).byteSize, 8);
  EXPECT_EQ(LineStateFromSettings(Choose(0, 1, 1, 0)).parity, LineParity::Even);
  EXPECT_EQ(LineStateFromSettings(Choose(0, 1, 2, 0)).parity, LineParity::Odd);
  // The values handed to Win32: NOPARITY 0, ODDPARITY 1, EVENPARITY 2.
  EXPECT_EQ(static_cast<int>(LineParity::Odd), 1);
  EXPECT_EQ(static_cast<int>(LineParity::Even), 2);
  for (int parity = 0; parity < 3; ++parity)
    EXPECT_FALSE(LineStateFromSettings(Choose(0, 1, parity, 0)).parityCheck);
}

TEST(LineState, FlowControlRows) {
  const LineState hardware = LineStateFromSettings(Choose(2, 0, 1, 1));
  EXPECT_TRUE(hardware.outxCtsFlow);
  EXPECT_FALSE(hardware.outX);
  EXPECT_EQ(hardware.rtsControl, RtsControl::Enable);
  EXPECT_EQ(hardware.dtrControl, DtrControl::Disable);

  // Xon/Xoff after Hardware: output flow control by characters only.
  const LineState xon = LineStateFromSettings(Choose(2, 0, 1, 2));
  EXPECT_TRUE(xon.outX);
  EXPECT_FALSE(xon.inX);
  EXPECT_FALSE(xon.outxCtsFlow);
  EXPECT_EQ(xon.rtsControl, RtsControl::Disable);
  EXPECT_EQ(xon.xonChar, 0x11);
  EXPECT_EQ(xon.xoffChar, 0x13);

  const LineState none = LineStateFromSettings(Choose(2, 0, 1, 0));
  EXPECT_FALSE(none.outX || none.inX || none.outxCtsFlow);
  EXPECT_EQ(none.rtsControl, RtsControl::Disable);
  // Windows refuses a line whose XON and XOFF characters are equal.
  EXPECT_NE(none.xonChar, none.xoffChar);
}

TEST(LinkTimeouts, ReadsReturnAtOnceAndWritesHaveTheirLimits) {
  EXPECT_EQ(kLinkTimeouts.readIntervalTimeout, 0xFFFFFFFFu);
  EXPECT_EQ(kLinkTimeouts.readTotalTimeoutMultiplier, 0u);
  EXPECT_EQ(kLinkTimeouts.readTotalTimeoutConstant, 0u);
  EXPECT_EQ(kLinkTimeouts.writeTotalTimeoutMultiplier, 5u);
  EXPECT_EQ(kLinkTimeouts.writeTotalTimeoutConstant, 50u);
  EXPECT_EQ(kInputQueueSize, 256u);
  EXPECT_EQ(kOutputQueueSize, 1200u);
}

TEST(ReplyDeadlines, AreOneAndTwoSeconds) {
  EXPECT_EQ(kReplyDeadlines.reply, 1000u);
  EXPECT_EQ(kReplyDeadlines.readBlock, 2000u);
  EXPECT_EQ(deadlinesAtStart.reply, 1000u);
  EXPECT_EQ(deadlinesAtStart.readBlock, 2000u);
}

TEST(HexDigits, CommandDigitsAreUpperCaseWithAtForNineOnOldScanners) {
  const char* plain = "0123456789ABCDEF";
  const char* old = "012345678@ABCDEF";
  for (unsigned v = 0; v < 16; ++v) {
    EXPECT_EQ(CommandHexDigit(v, kNoVersion), plain[v]) << v;
    EXPECT_EQ(CommandHexDigit(v, kCurrentVersion), plain[v]) << v;
    EXPECT_EQ(CommandHexDigit(v, kOldVersion), old[v]) << v;
    EXPECT_EQ(CommandHexValue(old[v], kOldVersion), static_cast<int>(v));
    EXPECT_EQ(CommandHexValue(plain[v], kCurrentVersion), static_cast<int>(v));
  }
  EXPECT_EQ(CommandHexValue('@', kCurrentVersion), -1);
  EXPECT_EQ(CommandHexValue('9', kOldVersion), -1);
  EXPECT_EQ(CommandHexValue('a', kCurrentVersion), -1);
}

TEST(HexDigits, ReplyDigitsInEitherCase) {
  EXPECT_EQ(ReplyHexValue('0'), 0);
  EXPECT_EQ(ReplyHexValue('9'), 9);
  EXPECT_EQ(ReplyHexValue('A'), 10);
  EXPECT_EQ(ReplyHexValue('f'), 15);
  EXPECT_EQ(ReplyHexValue('F'), 15);
  for (char c : {'@', 'G', 'g', '/', ':', '`', ' ', '\r'}) EXPECT_EQ(ReplyHexValue(c), -1) << c;
}

TEST(VersionClass, RepliesSortingBeforeVer200AreOld) {
  EXPECT_EQ(VersionClassOf("Ver:1.00"), kOldVersion);
  EXPECT_EQ(VersionClassOf("Ver:1.99"), kOldVersion);
  EXPECT_EQ(VersionClassOf(""), kOldVersion);
  EXPECT_EQ(VersionClassOf("Ver:2.00"), kCurrentVersion);
  EXPECT_EQ(VersionClassOf("Ver:2.01"), kCurrentVersion);
  EXPECT_EQ(VersionClassOf("Ver:10.0"), kOldVersion);  // compared as text
}

TEST(LinkFailure, DescriptionsNameTheStepAndTheFault) {
  EXPECT_EQ(DescribeLinkFailure({LinkStep::DownloadBlock, 3, LinkFault::NotAcknowledged}),
            "block 3: 4 replies other than \"ACK\" or \"DONE\"");
  EXPECT_EQ(DescribeLinkFailure({LinkStep::TakeOver, -1, LinkFault::NoReply}),
            "\"UPDATE\": no reply within 1000 ms");
  EXPECT_EQ(DescribeLinkFailure({LinkStep::ReadBlock, 7, LinkFault::NoReply}),
            "read-back block 7: no reply within 2000 ms");
  EXPECT_EQ(DescribeLinkFailure({LinkStep::ReadBlock, 2, LinkFault::BadBlockReply}),
            "read-back block 2: the reply was not 32 hexadecimal digits");
}

}  // namespace
