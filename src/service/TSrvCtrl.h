#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/ServiceControlManager.h"
#include "platform/WaitLoop.h"
#include "service/ESrvCtrlException.h"

namespace vandrel {

inline constexpr const char* kNoServiceOpened = "No service opened!";
inline constexpr const char* kNotConnected = "Not connected to Service Manager!";
inline constexpr const char* kStateChangeFailed = "Error while changing service state!";
inline constexpr const char* kNoSuchDependency = "The service with the internal keyname \"%s\" doesn't exists!";

// The platform's service states (QueryStatus, SendControl, WaitForState).
inline constexpr std::uint32_t kServiceStopped = 1;
inline constexpr std::uint32_t kServiceStartPending = 2;
inline constexpr std::uint32_t kServiceStopPending = 3;
inline constexpr std::uint32_t kServiceRunning = 4;
inline constexpr std::uint32_t kServiceContinuePending = 5;
inline constexpr std::uint32_t kServicePausePending = 6;
inline constexpr std::uint32_t kServicePaused = 7;

// Control codes that SendControl knows.
inline constexpr std::uint32_t kControlStop = 1;
inline constexpr std::uint32_t kControlPause = 2;
inline constexpr std::uint32_t kControlContinue = 3;
inline constexpr std::uint32_t kControlInterrogate = 4;
inline constexpr std::uint32_t kControlParamChange = 6;

// Start types: 0 boot, 1 system, 2 automatic, 3 on demand, 4 disabled.
inline constexpr unsigned long kStartAutomatic = 2;
inline constexpr unsigned long kStartOnDemand = 3;
inline constexpr unsigned long kStartDisabled = 4;

// Full access to the manager's default database.
inline constexpr std::uint32_t kManagerAllAccess = 0xF003F;

// One service access right each; the rights are the bits 1 << member.
enum class TSrvAccessType {
  satGetConfig,       // 0x1
  satChangeConfig,    // 0x2
  satGetStatus,       // 0x4
  satEnumDependents,  // 0x8
  satStart,           // 0x10
  satStop,            // 0x20
  satPauseContinue,   // 0x40
  satInterrogate,     // 0x80
  satUserDefCtrl,     // 0x100
};

// A set of access rights.
class TSrvAccessTypes {
 public:
  constexpr TSrvAccessTypes() = default;
  constexpr TSrvAccessTypes(std::initializer_list<TSrvAccessType> members) {
    for (const auto member : members) Include(member);
  }
  static constexpr TSrvAccessTypes All() {
    TSrvAccessTypes all;
    all.bits_ = 0x1FF;
    return all;
  }

  constexpr bool Contains(TSrvAccessType member) const { return (bits_ & Bit(member)) != 0; }
  constexpr TSrvAccessTypes& Include(TSrvAccessType member) {
    bits_ |= Bit(member);
    return *this;
  }
  constexpr TSrvAccessTypes& Exclude(TSrvAccessType member) {
    bits_ &= ~Bit(member);
    return *this;
  }
  // The access mask the service is opened with.
  constexpr std::uint32_t Mask() const { return bits_; }
  constexpr bool operator==(const TSrvAccessTypes&) const = default;

 private:
  static constexpr std::uint32_t Bit(TSrvAccessType member) { return std::uint32_t{1} << static_cast<int>(member); }
  std::uint32_t bits_ = 0;
};

// Which handle CheckHandle looks at.
enum class TSrvHandle { Service, Manager };

// Drives one Windows service through the service control manager: connects
// to the manager of a machine, opens one service by its key name and reads
// and changes it. Every failure throws ESrvCtrlException. GUI thread only;
// a wait for a state dispatches window messages, so other handlers may run
// (and use this controller) during it.
class TSrvCtrl {
 public:
  using TNotifyEvent = std::function<void(TSrvCtrl& sender)>;
  // `waitFor` comes in true; a handler that sets it false ends the wait.
  using TOnProgressEvent = std::function<void(TSrvCtrl& sender, std::uint32_t progress, bool& waitFor)>;

  TSrvCtrl(ServiceControlManager& manager, WaitLoop& waitLoop);
  // Disconnects (the events still fire); a failure to close is swallowed.
  virtual ~TSrvCtrl();
  TSrvCtrl(const TSrvCtrl&) = delete;
  TSrvCtrl& operator=(const TSrvCtrl&) = delete;

  // Rights the service is opened with; setting them while connected
  // reconnects, so an open service is reopened with the new rights.
  TSrvAccessTypes Access() const { return access_; }
  void SetAccess(TSrvAccessTypes access);

  // True while connected to the manager. Setting true disconnects and then
  // connects (also when connected already); false disconnects.
  bool Active() const { return manager_.Open(); }
  void SetActive(bool active);

  // The machine whose manager is used: "localhost" reads for this machine,
  // which is stored empty. A different value disconnects first.
  std::string Machine() const;
  void SetMachine(const std::string& machine);

  // The service's internal name. Setting it closes an open service and,
  // while connected, opens the named one; when that fails the previous name
  // stays and no service is open.
  const std::string& KeyName() const { return keyName_; }
  void SetKeyName(const std::string& keyName);

  // Whether Start and SendControl wait until the service has reached the
  // state they asked for.
  bool VerifyAction = false;
  // Least length in milliseconds of one waiting period.
  std::uint32_t TimeOut = 60000;

  TNotifyEvent AfterClose, AfterConnect, AfterDisconnect, AfterOpen, AfterStateChange;
  TNotifyEvent BeforeClose, BeforeConnect, BeforeDisconnect, BeforeOpen, BeforeStateChange;
  // Fired while waiting, with the service's current check point.
  TOnProgressEvent OnProgress;

  void Connect();
  void Disconnect();
  void CloseService();

  // Whether the handle is open; when it is not and `insist` is set, throws
  // "No service opened!" or "Not connected to Service Manager!".
  virtual bool CheckHandle(TSrvHandle handle, bool insist);
  // Sends a known control code (stop, pause, continue, interrogate,
  // parameters changed) and, with VerifyAction, waits for its state. Other
  // codes do nothing at all.
  virtual void SendControl(std::uint32_t code);
  // With VerifyAction, waits until the service reports `state` (the
  // platform's number). A waiting period in which the check point does not
  // advance throws "Error while changing service state!". A quit message
  // met while waiting ends the wait at once with ProgramEnding.
  virtual void WaitForState(std::uint32_t state);

  ServiceStatus QueryStatus();
  ServiceConfig QueryConfig();

  // The service's dependencies as this controller writes them: a set of
  // service names and "+"-prefixed load-order groups, duplicates (in any
  // case) ignored. A change is checked and written to the open service; the
  // list changes only when the write succeeded.
  const std::vector<std::string>& Dependencies() const { return dependencies_; }
  void SetDependencies(const std::vector<std::string>& dependencies);
  void AddDependency(const std::string& dependency);

  // Fills `list` with the manager's services. types: 0 drivers and Win32
  // services, 1 Win32 services, 2 drivers; nameForm: 0 service name,
  // 1 display name, 2 "name=display name"; states: 0 all, 1 active,
  // 2 inactive. Unknown types or states leave the list untouched, an
  // unknown name form leaves it empty.
  void EnumServices(std::vector<std::string>& list, int types, int nameForm, bool interactive, int states);

  // Changes the display name to the first 256 characters of `displayName`.
  void SetDisplayName(const std::string& displayName);
  // 0 stopped, 1 start pending, 2 stop pending, 3 running, 4 continue
  // pending, 5 pause pending, 6 paused.
  int ServiceState();
  unsigned long StartType();
  void SetStartType(unsigned long startType);
  void Start();
  void Start(const std::vector<std::string>& arguments);
  void Stop();

 private:
  void Fire(const TNotifyEvent& event);
  // False when the progress handler ended the wait.
  bool ReportProgress(std::uint32_t checkPoint);
  [[noreturn]] void Raise(std::uint32_t error);
  void ChangeConfig(const ServiceConfigChange& change);
  void WriteDependencies(std::vector<std::string> dependencies);

  ServiceControlManager& scm_;
  WaitLoop& waitLoop_;
  TSrvAccessTypes access_ = TSrvAccessTypes::All();
  std::string machine_;
  std::string keyName_;
  std::vector<std::string> dependencies_;
  // The service's handle goes before the manager's.
  OwnedScHandle manager_{scm_};
  OwnedScHandle service_{scm_};
};

}  // namespace vandrel
