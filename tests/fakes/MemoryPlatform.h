#pragma once
#include "platform/Platform.h"
#include "platform/UpperCaseCollation.h"
#include "platform/memory/MemoryBrowserAddresses.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryKeyState.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryServiceControlManager.h"
#include "platform/memory/MemoryShell.h"
#include "platform/memory/MemorySound.h"
#include "platform/memory/MemorySystemInfo.h"
#include "platform/memory/MemoryTraceFiles.h"
#include "platform/memory/MemoryUrlCache.h"
#include "platform/memory/MemoryUserInputs.h"
#include "platform/memory/MemoryWaitLoop.h"
#include "platform/memory/MemoryWindowEvents.h"
#include "platform/memory/MemoryDocumentOpener.h"

namespace vandrel {

// Every platform service as an in-memory double, and the Platform over them.
struct MemoryPlatform {
  MemoryRegistry registry;
  MemoryDesktop desktop;
  MemorySound sound;
  MemorySystemInfo system;
  MemoryFileSystem files;
  UpperCaseCollation collation{system.UpperCasing()};
  MemoryServiceControlManager services;
  MemoryWaitLoop waitLoop;
  MemoryTraceFiles traceFiles;
  MemoryUrlCache urlCache;
  MemoryShell shell{traceFiles};
  MemoryDocumentOpener documents;
  MemoryKeyState keys;
  MemoryBrowserAddresses browserAddresses;
  MemoryWindowEvents windowEvents;
  MemoryUserInputs userInputs;
  Platform platform{registry,   desktop,  sound, system,    files, collation,        services,    waitLoop,
                    traceFiles, urlCache, shell, documents, keys,  browserAddresses, windowEvents, userInputs};

  MemoryPlatform() {
    browserAddresses.listed = [this](WindowHandle frame) { return desktop.IsOpen(frame); };
  }
};

}  // namespace vandrel
