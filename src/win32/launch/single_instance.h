#pragma once

#include <string>

#include "base/handles.h"

namespace win32 {

enum class InstanceCheck { kFirst, kAnotherRuns, kCannotStart };

// What the running copy holds until it ends: a global atom named after its executable
// file name, and a mutex of that name in the session's namespace, which the system
// removes with the last copy that holds it, also one that was killed.
struct InstanceClaim {
  UniqueAtom atom;
  UniqueKernel mutex;
};

// One instance per executable file name; the running instance is its window titled
// "ZUBIらんちゃ" in a process of that file name, brought forward by a second start.
// kFirst fills `claim`. An atom without the mutex was left by a copy that ended
// without deleting it, and is taken over. A copy that holds the mutex but has no
// window yet is starting: its window is looked for for `startingWait` milliseconds,
// and the second start ends whether it appeared or not.
InstanceCheck ClaimSingleInstance(const std::wstring& executableFileName, InstanceClaim& claim,
                                  DWORD startingWait = 2000);

std::wstring FileNameOf(const std::wstring& path);

}  // namespace win32
