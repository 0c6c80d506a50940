// The program's start: name the application, let only one copy run, create
// the main window and the warning window, then run the message loop.
#pragma once

#include <memory>

#include "framework/Application.h"
#include "platform/Mutex.h"

namespace tandrel {

inline constexpr char kApplicationTitle[] = "Velmora";
inline constexpr char kInstanceMutexName[] = "Velmora";
inline constexpr char kAlreadyRunningText[] = "The program already start";

// The single-instance marker; the first copy keeps it open until it ends.
struct TandrelStart {
  std::unique_ptr<platform::NamedMutex> instanceMarker;
  bool windowsCreated = false;
};

// Titles the application, probes the marker and, for the first copy only,
// creates FormTandrel and FormWarn. A second copy shows its box and creates
// nothing.
TandrelStart StartTandrel(TApplication& app);

// The whole program on the installed platform; returns the exit code.
int RunTandrel();

}  // namespace tandrel
