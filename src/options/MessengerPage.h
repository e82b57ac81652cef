#pragma once
#include <functional>
#include <string>

#include "platform/SystemInfo.h"
#include "service/TSrvCtrl.h"
#include "ui/Controls.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kMessengerServiceName = "Messenger";
inline constexpr const char* kMessengerFrameCaption = "  Messenger service  ";
inline constexpr const char* kMessengerUnavailable = "Messenger service is unavailable...";
inline constexpr const char* kMessengerNotRunning = "Messenger is not running!";
inline constexpr const char* kMessengerAlreadyRunning = "Messenger is already running!";
inline constexpr const char* kMessengerPleaseWait = "Please wait for applying changes and try again!";
inline constexpr const char* kMessengerStoppedAndDisabled = "Messenger service stopped and disabled!";
inline constexpr int kMessengerRefreshMs = 1000;

// The pictures of ImageList1, by index.
enum MessengerPicture : int {
  kPictureRunning = 0,
  kPicturePaused = 1,
  kPictureStopped = 2,
  kPictureChanging = 3,
  kPictureUnavailable = 4,
};

// The options dialog's "Messen&ger" page: the Messenger service's state and
// start type through the dialog's service controller, refreshed every
// second. Every action connects and disconnects around itself. One action
// at a time: the refresh does not start while an action of the page, or a
// box it shows, is running (the box's loop runs the refresh timer), and a
// showing of the dialog meanwhile reads the start type only after it. A
// quit met in an action's wait ends the action silently.
class MessengerPage {
 public:
  MessengerPage(TSrvCtrl& srvCtrl, SystemInfo& system, Prompts& prompts);

  ControlModel GroupBox5, State, Startup;
  Picture Image1;
  Button StpMess, StrMess, AppMess;
  DropDown StType;
  ControlModel Image2;  // the signboard; any mouse button on it runs Image2MouseDown
  Timer Timer1{kMessengerRefreshMs, false};

  // The screen cursor: the hourglass while a start or stop is being applied.
  bool Hourglass() const { return hourglass_; }
  std::function<void()> cursorChanged;  // set by the view
  bool Busy() const { return busy_; }

  // The options dialog's creation clears the busy flag.
  void ClearBusy() { busy_ = false; }
  void FormShow();
  void DispIcon();
  void Timer1Timer();
  void StTypeChange() { AppMess.SetEnabled(true); }
  void AppMessClick();
  void StpMessClick();
  void StrMessClick();
  void Image2MouseDown();

 private:
  void ConnectToMessenger(bool setDisplayName);
  void Disconnect() { srvCtrl_.SetActive(false); }
  void Disable();
  // FormShow's reading of the start type; a failure disables the page.
  void ReadStartType();
  void SetHourglass(bool on);
  void StartBusyAction(Button& button);
  void Say(const char* text) { prompts_.Message(MessageKind::Plain, text, MessageButtons::Ok); }
  // Runs an action of the page as the only one; its failure is shown here,
  // inside the same guard, with the rest of the action skipped.
  void RunAlone(const std::function<void()>& action);

  TSrvCtrl& srvCtrl_;
  SystemInfo& system_;
  Prompts& prompts_;
  bool busy_ = false;
  bool hourglass_ = false;
  bool running_ = false;      // an action of the page, or its box, is running
  bool showWaiting_ = false;  // the dialog was shown during an action: read the start type after it
};

}  // namespace vandrel
