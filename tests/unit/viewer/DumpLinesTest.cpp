#include "viewer/DumpLines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "viewer/DumpCursor.h"

namespace vandrel {
namespace {

std::string Dump(const std::string& bytes) {
  return DumpLines(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(DumpLinesTest, FullLinesAndTheLastOneFilledWithSpaces) {
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyz";
  EXPECT_EQ(Dump(alphabet + alphabet), alphabet + "\r\n" + alphabet + "\r\n");
  EXPECT_EQ(Dump(alphabet + alphabet + "!"), alphabet + "\r\n" + alphabet + "\r\n!" + std::string(25, ' ') + "\r\n");
  EXPECT_EQ(Dump(""), "");
}

TEST(DumpLinesTest, TheIndexSignatureBreaksAfterItsTwentySixthCharacter) {
  const std::string header = std::string("Client UrlCache MMF Ver 5.2") + '\0' + "\x01" + "abcdefghijklmnopqrstuvw";
  EXPECT_EQ(Dump(header), "Client UrlCache MMF Ver 5.\r\n2..abcdefghijklmnopqrstuvw\r\n");
}

TEST(DumpLinesTest, ControlBytesAreDotsAndEveryOtherByteIsItself) {
  std::string bytes;
  for (int byte = 0; byte <= 0x20; ++byte) bytes += static_cast<char>(byte);
  bytes += "\x7f\x80\xff";
  const std::string text = Dump(bytes);
  EXPECT_EQ(text,
            std::string(26, '.') + "\r\n" + std::string(6, '.') + " \x7f\x80\xff" + std::string(16, ' ') + "\r\n");
}

// The pieces of any cut, closed by Finish, are the byte-wise dump of what
// was formatted: the whole file, or the part before a stop.
TEST(DumpCursorTest, PiecesOfAnyCutAreTheBytewiseDump) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 400; ++round) {
    const std::size_t size = round < 100 ? round : random() % 5000;
    std::vector<std::uint8_t> data(size);
    for (auto& byte : data) byte = static_cast<std::uint8_t>(random());
    const std::size_t stopAt = round % 3 == 0 ? (size ? random() % (size + 1) : 0) : size;

    DumpCursor cursor(data.data(), size);
    std::string pieces;
    while (cursor.Position() < stopAt)
      cursor.FormatNext(std::min<std::size_t>(1 + random() % 80, stopAt - cursor.Position()), pieces);
    EXPECT_EQ(pieces.size(), DumpCursor::TextSize(stopAt));
    cursor.Finish(pieces);
    cursor.FormatNext(10, pieces);  // nothing after the end
    ASSERT_EQ(pieces, DumpLines(data.data(), stopAt)) << "size " << size << ", stopped at " << stopAt;
    EXPECT_EQ(cursor.AtEnd(), stopAt == size);
  }
}

}  // namespace
}  // namespace vandrel
