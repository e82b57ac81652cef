#pragma once
#include "platform/BrowserFrames.h"

namespace vandrel {

// Window-class fragments whose titled windows without a maximise box are
// closed at every tick, uncounted.
inline constexpr const char* kPopupClassFragments[] = {"IEFrame", "IFRAME", "Internet Explorer_TridentDlgFrame"};

}  // namespace vandrel
