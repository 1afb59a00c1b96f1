#include "base/log_file.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <vector>

#include "base/handles.h"

namespace win32 {

struct LogFileState {
  std::wstring path, oldPath;
  std::uint64_t cap = LogFile::kCap;
  std::mutex mutex;
  std::condition_variable idle;
  std::vector<std::string> lines;  // not yet written
  bool writing = false;            // a write is queued on the pool or under way
};

namespace {

// Lines beyond these wait for nothing: a failure repeated without end must not fill
// the memory while the disk is slow.
constexpr size_t kMostWaiting = 1000;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

std::mutex openMutex;
std::shared_ptr<LogFileState> openLog;

std::wstring WithExtension(const std::wstring& path, const wchar_t* extension) {
  const size_t name = path.find_last_of(L"\\/") + 1, dot = path.rfind(L'.');
  return (dot != std::wstring::npos && dot >= name ? path.substr(0, dot) : path) + extension;
}

std::string LocalTimeText() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond, t.wMilliseconds);
  return text;
}

// One line each, whatever the text holds.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The log moves over the old one and begins again; one that cannot be moved begins
// again in place.
UniqueKernel TurnOver(const LogFileState& state) {
  MoveFileExW(state.path.c_str(), state.oldPath.c_str(), MOVEFILE_REPLACE_EXISTING);
  return OwnFile(
      CreateFileW(state.path.c_str(), GENERIC_WRITE, kShare, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Failures here are not logged: the log would write about itself without end.
void WriteToFile(const LogFileState& state, const std::vector<std::string>& lines) {
  // Append access alone puts every write at the end, also beside another writer.
  UniqueKernel file = OwnFile(CreateFileW(state.path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, kShare, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) return;
  std::uint64_t length = static_cast<std::uint64_t>(size.QuadPart);
  for (const std::string& line : lines) {
    if (length > 0 && length + line.size() > state.cap) {
      file.reset();
      file = TurnOver(state);
      if (!file) return;
      length = 0;
    }
    const std::string bytes = length == 0 ? kByteOrderMark + line : line;
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return;
    length += written;
  }
}

void CALLBACK WriteWaiting(PTP_CALLBACK_INSTANCE, void* context) noexcept {
  std::unique_ptr<std::shared_ptr<LogFileState>> owner(static_cast<std::shared_ptr<LogFileState>*>(context));
  LogFileState& state = **owner;
  for (;;) {
    std::vector<std::string> lines;
    {
      std::lock_guard lock(state.mutex);
      lines.swap(state.lines);
      if (lines.empty()) {
        state.writing = false;
        state.idle.notify_all();
        return;
      }
    }
    try {
      WriteToFile(state, lines);
    } catch (...) {
    }
  }
}

}  // namespace

std::wstring LogFile::PathOf(const std::wstring& exePath) { return WithExtension(exePath, L".log"); }
std::wstring LogFile::OldPathOf(const std::wstring& exePath) { return WithExtension(exePath, L".old.log"); }

LogFile::LogFile(const std::wstring& exePath, std::uint64_t cap) : state_(std::make_shared<LogFileState>()) {
  state_->path = PathOf(exePath);
  state_->oldPath = OldPathOf(exePath);
  state_->cap = cap;
  std::lock_guard lock(openMutex);
  openLog = state_;
}

LogFile::~LogFile() {
  {
    std::lock_guard lock(openMutex);
    if (openLog == state_) openLog.reset();
  }
  constexpr DWORD kLastWrite = 500;
  Flush(kLastWrite);
}

bool LogFile::Flush(DWORD timeout) const {
  std::unique_lock lock(state_->mutex);
  return state_->idle.wait_for(lock, std::chrono::milliseconds(timeout),
                               [&] { return state_->lines.empty() && !state_->writing; });
}

void LogFile::Append(std::string_view place, std::string_view what) noexcept {
  try {
    std::shared_ptr<LogFileState> state;
    {
      std::lock_guard lock(openMutex);
      state = openLog;
    }
    if (!state) return;
    std::string line = LocalTimeText() + " " + OneLine(place) + ": " + OneLine(what) + "\r\n";
    {
      std::lock_guard lock(state->mutex);
      if (state->lines.size() >= kMostWaiting) return;
      state->lines.push_back(std::move(line));
      if (state->writing) return;
      state->writing = true;
    }
    auto* carried = new std::shared_ptr<LogFileState>(state);
    if (TrySubmitThreadpoolCallback(WriteWaiting, carried, nullptr)) return;
    delete carried;
    std::lock_guard lock(state->mutex);
    state->lines.clear();
    state->writing = false;
    state->idle.notify_all();
  } catch (...) {
  }
}

}  // namespace win32
