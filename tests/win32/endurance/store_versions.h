#pragma once

#include <string>

#include "storage/ini_image.h"
#include "storage/text_codec.h"

// What the killed writer and its test share: the two versions of a settings file and
// of a page data file that the writer saves in turn, and the block of shared memory
// in which the writer counts its saves.
namespace endurance {

inline constexpr char kSettingsName[] = "zubi.ini";
inline constexpr char kPageName[] = "DATA\\User11.dat";
// What the program's file access writes first, beside its target.
inline constexpr char kTemporarySuffix[] = ".zubi-new";

enum Target { kSettings, kPage, kTargetCount };

// Version 0 or 1 of a file, as the program builds it: settings with their users and
// options, a page with its title and ten buttons. The two differ in size and content.
core::IniImage SettingsVersion(int version);
core::IniImage PageVersion(int version);
core::IniImage Version(Target target, int version);
// The bytes the program writes for an image, in code page 932.
std::string BytesOf(const core::IniImage& image, const core::CodePage& codePage);

// Save n (counted from 0) of a writer run goes to target n % 2 with version (n / 2) % 2:
// the settings, then the page, each alternating between its two versions.
inline Target TargetOfSave(long n) { return static_cast<Target>(n % 2); }
inline int VersionOfSave(long n) { return static_cast<int>((n / 2) % 2); }

// The writer's counters. `begun` is raised before a save starts and `done` after it
// returned, so that a kill between the two leaves `begun == done + 1`.
struct Progress {
  volatile long begun;
  volatile long done;
  volatile long failed;  // the save that threw, plus one
};

}  // namespace endurance
