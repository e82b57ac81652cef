// Wine 8 closes a desktop when, as a thread on it ends, the threads counted
// on it are exactly as many as its desktop process runs: it then believes
// that only its own are left. But that process also runs threads that are not
// counted there, so a test and a single-threaded Vandrel.exe alone on the
// desktop can make the counts meet by chance (a worker of the desktop
// process ending seconds after a call to the shell's list, or a helper
// program ending). Vandrel then ends, as it must on a closed desktop
// (desktop-closed.sh shows that case), and the tests after it would drive a
// program that is gone. A user's desktop holds more programs than a test
// run's; these idle threads stand for them, for the whole run.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

constexpr int kIdleThreads = 8;

DWORD WINAPI WaitForRelease(void* release) {
  WaitForSingleObject(static_cast<HANDLE>(release), INFINITE);
  return 0;
}

class DesktopKeeper : public ::testing::Environment {
 public:
  void SetUp() override {
    // The process takes its desktop at its first call that needs one; each
    // thread made after that is counted on it from its start.
    GetDesktopWindow();
    release_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(release_);
    for (int i = 0; i < kIdleThreads; ++i) {
      threads_.emplace_back(CreateThread(nullptr, 0, WaitForRelease, release_.get(), 0, nullptr));
      ASSERT_TRUE(threads_.back());
    }
  }
  void TearDown() override {
    if (release_) SetEvent(release_.get());
    for (const UniqueHandle& thread : threads_) WaitForSingleObject(thread.get(), 5000);
    threads_.clear();
  }

 private:
  UniqueHandle release_;
  std::vector<UniqueHandle> threads_;
};

[[maybe_unused]] ::testing::Environment* const kDesktopKeeper = ::testing::AddGlobalTestEnvironment(new DesktopKeeper);

}  // namespace
}  // namespace vandrel::test
