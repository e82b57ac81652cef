// help.chm beside the shipped Vandrel.exe: a compiled help file whose
// directory lists every topic and picture with content.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "VandrelProcess.h"

namespace vandrel::test {
namespace {

std::uint64_t LittleEndianAt(const std::string& bytes, std::size_t at, int size) {
  std::uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

// The directory's variable-length numbers: seven bits a byte, most
// significant first, the high bit set on every byte but the last.
std::uint64_t ReadEncodedInteger(const std::string& bytes, std::size_t& at) {
  std::uint64_t value = 0;
  unsigned char byte = 0;
  do {
    byte = static_cast<unsigned char>(bytes.at(at++));
    value = (value << 7) | (byte & 0x7F);
  } while (byte & 0x80);
  return value;
}

// Name -> length of every entry in the listing chunks of an ITSF (version
// 3) file's directory. Throws std::out_of_range on a truncated file.
std::map<std::string, std::uint64_t> ListDirectory(const std::string& file) {
  const std::size_t directory = LittleEndianAt(file, 0x48, 8);
  if (file.compare(directory, 4, "ITSP") != 0) return {};
  const std::size_t headerLength = LittleEndianAt(file, directory + 0x08, 4);
  const std::size_t chunkSize = LittleEndianAt(file, directory + 0x10, 4);
  const std::size_t chunks = LittleEndianAt(file, directory + 0x2C, 4);
  std::map<std::string, std::uint64_t> entries;
  for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
    const std::size_t start = directory + headerLength + chunk * chunkSize;
    if (file.compare(start, 4, "PMGL") != 0) continue;  // an index chunk
    const std::size_t end = start + chunkSize - LittleEndianAt(file, start + 4, 4);
    for (std::size_t at = start + 20; at < end;) {
      const std::size_t nameLength = ReadEncodedInteger(file, at);
      const std::string name = file.substr(at, nameLength);
      at += nameLength;
      ReadEncodedInteger(file, at);  // section
      ReadEncodedInteger(file, at);  // offset
      entries[name] = ReadEncodedInteger(file, at);
    }
  }
  return entries;
}

TEST(HelpFileTest, LiesBesideTheProgramAndHoldsEveryTopic) {
  const std::string exe = VandrelPath();
  const std::string path = exe.substr(0, exe.find_last_of('\\') + 1) + "help.chm";
  std::ifstream stream(path, std::ios::binary);
  ASSERT_TRUE(stream) << path;
  const std::string file{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  ASSERT_GT(file.size(), 0x60u);
  EXPECT_EQ(file.substr(0, 4), "ITSF");
  EXPECT_EQ(LittleEndianAt(file, 4, 4), 3u) << "version";

  const auto entries = ListDirectory(file);
  for (const char* topic : {"/index.htm", "/mainwindow.htm", "/blocking.htm", "/blocklist.htm", "/letthrough.htm",
                            "/recentlyclosed.htm", "/eraser.htm", "/richmedia.htm", "/options.htm", "/indexdat.htm",
                            "/commandline.htm", "/settings.htm", "/toc.hhc", "/index.hhk", "/mainwindow.png",
                            "/blocklist.png", "/options-eraser.png", "/richmedia.png", "/about.png"}) {
    const auto found = entries.find(topic);
    ASSERT_NE(found, entries.end()) << topic;
    EXPECT_GT(found->second, 0u) << topic << " is empty";
  }
  // The system file, which names the contents and the first topic.
  ASSERT_TRUE(entries.count("/#SYSTEM"));
}

}  // namespace
}  // namespace vandrel::test
