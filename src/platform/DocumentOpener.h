#pragma once
#include <string>

namespace vandrel {

// How the opened program's window is asked to appear (ShowWindow's values).
enum class ShowCommand { Hide = 0, Normal = 1 };

// The shell's "open" verb: an address, a mail link or a document, opened by
// the program the shell has for it. No parameters, no working directory; the
// shell's answer is not examined (it shows its own message when it must).
class DocumentOpener {
 public:
  virtual ~DocumentOpener() = default;
  // ownedByApplication: the application's window owns whatever the shell
  // shows; otherwise nothing owns it.
  virtual void Open(const std::string& target, ShowCommand show, bool ownedByApplication) = 0;
};

}  // namespace vandrel
