#pragma once
#include <string>

namespace vandrel::test {

// The tests' own service program installed under a name, on demand start,
// for as long as the object lives; removed again (stopped first) when it
// goes. A service of that name left by an earlier run is removed first, so
// no run leaves an automatic service behind for the next Wine start.
class InstalledTestService {
 public:
  explicit InstalledTestService(const std::string& name, const std::string& displayName = {});
  ~InstalledTestService();
  InstalledTestService(const InstalledTestService&) = delete;
  InstalledTestService& operator=(const InstalledTestService&) = delete;

  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

// Stops the service when it runs, waits until it has stopped (at most
// `timeoutMs`) and deletes it; false when it was not there.
bool RemoveService(const std::string& name, unsigned long timeoutMs = 20000);

// The Windows path of the service program.
std::string TestServicePath();

}  // namespace vandrel::test
