// Feeds files to a fuzz target's entry function, as the libFuzzer program
// does with files given as arguments, so that the saved corpus runs in the
// normal build without clang. Each argument is a file or a folder of files.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& argument) {
  if (!std::filesystem::is_directory(argument)) return {argument};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(argument)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t count = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& path : InputsOf(argv[i])) {
      std::ifstream file(path, std::ios::binary);
      if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 2;
      }
      const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
      // A copy of its own, so that a read past the end is caught.
      const std::vector<std::uint8_t> input(content.begin(), content.end());
      LLVMFuzzerTestOneInput(input.data(), input.size());
      ++count;
    }
  }
  std::printf("%s: %zu inputs\n", argc > 0 ? argv[0] : "driver", count);
  return count == 0 ? 1 : 0;
}
