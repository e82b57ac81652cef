// Paths from the environment and the registry, as the erase checks them
// before it deletes anything. A parsed path is normal (no empty, "." or ".."
// name, no separator in a name, no trailing dot or blank), both of its
// written forms parse back to it, a folder below it stays below it, and a
// delete of everything is refused in a root and above a protected folder.
// Input: the path, a NUL, a protected folder.
#include "FuzzCheck.h"
#include "platform/EraseRefusal.h"
#include "platform/FullPath.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

bool Same(const std::optional<FullPath>& a, const FullPath& b) { return a && a->root == b.root && a->names == b.names; }

bool IsNormalName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string::npos &&
         name.back() != '.' && name.back() != ' ';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string_view raw = input.substr(0, split);
  const std::string kept(input.substr(std::min(split + 1, input.size())));

  const auto path = ParseFullPath(raw);
  const bool refused = RefusesDeleteFiles(raw, "*.*", {kept});
  Require(RefusesDeleteTree(raw, {kept}) == refused, "a tree is refused as a folder's every file");
  if (!path) {
    Require(refused, "a path that is not full is never erased");
    Require(PathUnder(raw, "Cookies").empty(), "nothing is built on a path that is not full");
    return 0;
  }
  for (const std::string& name : path->names) Require(IsNormalName(name), "the names are normal");
  Require(path->root.size() == 2 ? path->root[1] == ':' && path->root[0] >= 'A' && path->root[0] <= 'Z'
                                 : path->root.starts_with("\\\\"),
          "a drive letter or a share");
  Require(Same(ParseFullPath(PlainForm(*path)), *path), "the plain form parses back");
  Require(Same(ParseFullPath(ExtendedLengthForm(*path)), *path), "the extended-length form parses back");
  Require(IsSameOrBelow(*path, *path) && IsRoot(*path) == path->names.empty(), "a path is at itself");
  if (IsRoot(*path)) Require(refused, "a root is never emptied");

  const auto below = ParseFullPath(PathUnder(raw, "Cookies"));
  Require(below && IsSameOrBelow(*below, *path) && IsEntryOf(*below, *path, "Cookies"),
          "a folder built below a path is its entry");
  Require(RefusesDeleteFiles(raw, "..", {}) && RefusesDeleteFiles(raw, "..\\*", {}), "no mask leaves the folder");

  const auto protectedFolder = ParseFullPath(kept);
  if (protectedFolder && IsSameOrBelow(*protectedFolder, *path)) {
    Require(refused, "no folder that holds a protected one is emptied");
  }
  return 0;
}
