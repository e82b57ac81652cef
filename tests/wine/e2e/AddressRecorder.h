#pragma once
#include <optional>
#include <string>

namespace vandrel::test {

// The tests' own address scheme "vtest:", which the shell opens with
// open_recorder.exe: each address the program hands the shell is recorded.
// Registered in both registry views, for the 64-bit and the 32-bit program.
class AddressRecorder {
 public:
  AddressRecorder();
  ~AddressRecorder();  // the scheme and the record taken away
  AddressRecorder(const AddressRecorder&) = delete;
  AddressRecorder& operator=(const AddressRecorder&) = delete;

  bool Ready() const { return ready_; }
  // The addresses opened so far, a line each; nothing before the first.
  std::optional<std::string> Opened() const;

 private:
  bool ready_ = false;
};

}  // namespace vandrel::test
