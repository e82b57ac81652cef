#pragma once
#include <cstddef>
#include <optional>

namespace vandrel {

// The command ids the notification-area menus' items carry. Each kind of
// menu has a range of its own, and an item's id is the range's first plus
// its place in its menu; a closed window's offers carry their choice in the
// range of "Recently closed", in whichever menu that submenu stands.
enum class TrayMenuKind { Icon, Static, RecentlyClosed };
inline constexpr unsigned kTrayMenuIdRange = 1000;
constexpr unsigned FirstIdOf(TrayMenuKind kind) { return kTrayMenuIdRange * (1 + static_cast<unsigned>(kind)); }

struct TrayMenuChoice {
  TrayMenuKind kind;
  std::size_t index;  // into the menu of that kind, or the closed window's choice
  bool operator==(const TrayMenuChoice&) const = default;
};

// What an id chosen in a menu of the tracked kind means; nothing for an id
// that no item of such a menu can carry, so that no id runs another menu's
// command.
inline std::optional<TrayMenuChoice> ChoiceOf(unsigned id, TrayMenuKind tracked) {
  const auto offsetIn = [id](TrayMenuKind kind) -> std::optional<std::size_t> {
    const unsigned first = FirstIdOf(kind);
    if (id < first || id - first >= kTrayMenuIdRange) return std::nullopt;
    return id - first;
  };
  if (const auto choice = offsetIn(TrayMenuKind::RecentlyClosed)) return TrayMenuChoice{TrayMenuKind::RecentlyClosed, *choice};
  if (tracked == TrayMenuKind::RecentlyClosed) return std::nullopt;
  if (const auto index = offsetIn(tracked)) return TrayMenuChoice{tracked, *index};
  return std::nullopt;
}

}  // namespace vandrel
