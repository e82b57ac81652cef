#pragma once
#include <windows.h>
#include <commctrl.h>

namespace vandrel {

// The window class and styles of a control the binder creates.
struct ControlKind {
  const char* className;
  DWORD style;
  DWORD exStyle = 0;
};

// The kinds of control the program's windows are made of, declared once.
inline constexpr ControlKind kGroupBoxKind{"BUTTON", BS_GROUPBOX};
inline constexpr ControlKind kLabelKind{"STATIC", SS_LEFT};
inline constexpr ControlKind kIconKind{"STATIC", SS_ICON};
inline constexpr ControlKind kPushButtonKind{"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
inline constexpr ControlKind kIconPushButtonKind{"BUTTON", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP};
inline constexpr ControlKind kCheckBoxKind{"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
// Its caption wraps onto a second line.
inline constexpr ControlKind kTallCheckBoxKind{"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP};
// Its box stands right of its caption.
inline constexpr ControlKind kLeftTextCheckBoxKind{"BUTTON", BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP};
// A radio group's first button starts the group and takes the Tab stop.
inline constexpr ControlKind kFirstRadioKind{"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP};
inline constexpr ControlKind kNextRadioKind{"BUTTON", BS_AUTORADIOBUTTON};
inline constexpr ControlKind kEditKind{"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
inline constexpr ControlKind kNumberEditKind{"EDIT", ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE};
inline constexpr ControlKind kPasswordEditKind{"EDIT", ES_AUTOHSCROLL | ES_PASSWORD | WS_TABSTOP, WS_EX_CLIENTEDGE};
// The height of a drop-down list's place is that of its opened list.
inline constexpr ControlKind kDropDownListKind{"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
inline constexpr ControlKind kListBoxKind{"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                                          WS_EX_CLIENTEDGE};
inline constexpr ControlKind kUpDownKind{UPDOWN_CLASSA, UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS};
inline constexpr ControlKind kStatusBarKind{STATUSCLASSNAMEA, 0};
// It lies below the pages' windows, which it must not paint over.
inline constexpr ControlKind kTabControlKind{WC_TABCONTROLA, WS_CLIPSIBLINGS | WS_TABSTOP};

}  // namespace vandrel
