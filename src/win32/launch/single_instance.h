#pragma once

#include <string>

#include "base/handles.h"

namespace win32 {

enum class InstanceCheck { kFirst, kAnotherRuns, kCannotStart };

// One instance per executable file name, marked by a global atom of that name; the
// running instance is its window titled "ZUBIらんちゃ" in a process of that file name.
// kFirst hands the atom to `atom`, which deletes it when the program ends; a stale
// atom left by a crash is taken over.
InstanceCheck ClaimSingleInstance(const std::wstring& executableFileName, UniqueAtom& atom);

std::wstring FileNameOf(const std::wstring& path);

}  // namespace win32
