#pragma once
#include "platform/BrowserAddresses.h"
#include "platform/Desktop.h"
#include "platform/KeyState.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/ServiceControlManager.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/SystemInfo.h"
#include "platform/TextCollation.h"
#include "platform/TraceFiles.h"
#include "platform/UrlCache.h"
#include "platform/UserInputs.h"
#include "platform/WaitLoop.h"
#include "platform/WindowEvents.h"
#include "platform/DocumentOpener.h"

namespace vandrel {

// The platform services handed to the program's logic. The objects are owned
// by whoever builds the program (the Windows entry or a test).
struct Platform {
  Registry& registry;
  Desktop& desktop;
  Sound& sound;
  SystemInfo& system;
  FileSystem& files;
  TextCollation& collation;
  ServiceControlManager& services;
  WaitLoop& waitLoop;
  TraceFiles& traceFiles;
  UrlCache& urlCache;
  Shell& shell;
  DocumentOpener& documents;
  KeyState& keys;
  BrowserAddresses& browserAddresses;
  WindowEvents& windowEvents;
  UserInputs& userInputs;
};

}  // namespace vandrel
