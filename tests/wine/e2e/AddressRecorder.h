#pragma once
#include <optional>
#include <string>

namespace vandrel::test {

// An address scheme the shell opens with open_recorder.exe while this lives:
// each address of it the program hands the shell is recorded. By default
// the tests' own "vtest:"; a scheme the system has ("ftp", for what the
// program opens only as a web page) gets its own command back afterwards.
// Registered in both registry views, for the 64-bit and the 32-bit program.
class AddressRecorder {
 public:
  explicit AddressRecorder(std::string scheme = "vtest");
  ~AddressRecorder();  // the scheme as it was, and the record taken away
  AddressRecorder(const AddressRecorder&) = delete;
  AddressRecorder& operator=(const AddressRecorder&) = delete;

  bool Ready() const { return ready_; }
  // The addresses opened so far, a line each; nothing before the first.
  std::optional<std::string> Opened() const;

 private:
  std::string schemeKey_;
  std::optional<std::string> earlierCommand_[2];  // by view: the system's own, if it had one
  bool ready_ = false;
};

}  // namespace vandrel::test
