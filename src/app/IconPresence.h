#pragma once
#include <functional>

namespace vandrel {

enum class IconChange { Add, Modify, Delete };

// Whether the notification area holds the program's icon, learnt from the
// shell's answers alone. At log-on the shell may time out on an add that it
// then carries out, so a refused add proves nothing: every change asks with
// a modify first, and any change the shell takes proves the icon is there.
// `notify` sends one change and tells whether the shell took it.
class IconPresence {
 public:
  using Notify = std::function<bool(IconChange)>;

  // The icon as it should look: changed where it is, else added.
  bool Show(const Notify& notify) {
    if (notify(IconChange::Modify)) return shown_ = true;
    return shown_ = notify(IconChange::Add);
  }
  // A change of the icon that is there (a balloon); it never adds one.
  bool Change(const Notify& notify) {
    if (!notify(IconChange::Modify)) return false;
    return shown_ = true;
  }
  // Asked also when no add was believed: the shell may hold the icon anyway.
  void Remove(const Notify& notify) {
    notify(IconChange::Delete);
    shown_ = false;
  }
  // The shell has restarted and forgotten every icon.
  void Forget() { shown_ = false; }
  bool Shown() const { return shown_; }

 private:
  bool shown_ = false;
};

}  // namespace vandrel
