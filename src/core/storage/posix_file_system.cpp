#include "storage/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <limits>

namespace core {

bool PosixFileSystem::ReadAll(const std::string& path, std::string& bytes) const {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes.clear();
  char buffer[65536];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<size_t>(n));
  ::close(fd);
  return n == 0;
}

bool PosixFileSystem::WriteDurably(const std::string& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const char* p = bytes.data();
  size_t left = bytes.size();
  bool ok = true;
  while (ok && left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) {
      p += n;
      left -= static_cast<size_t>(n);
    }
  }
  ok = ok && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

bool PosixFileSystem::Replace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

std::optional<std::uint32_t> PosixFileSystem::ReadAttributes(const std::string& path) const {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  if (S_ISDIR(st.st_mode)) return kAttributeDirectory;
  std::uint32_t attributes = kAttributeArchive;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= kAttributeReadOnly;
  return attributes;
}

namespace {

constexpr std::int64_t kNanoseconds = 1'000'000'000;

// Nanoseconds since 1970; times too far off to count so are held at the ends.
std::int64_t Nanoseconds(const timespec& time) {
  constexpr std::int64_t kMostSeconds = std::numeric_limits<std::int64_t>::max() / kNanoseconds - 1;
  if (time.tv_sec > kMostSeconds) return kMostSeconds * kNanoseconds;
  if (time.tv_sec < -kMostSeconds) return -kMostSeconds * kNanoseconds;
  return static_cast<std::int64_t>(time.tv_sec) * kNanoseconds + time.tv_nsec;
}

}  // namespace

std::int64_t PosixFileSystem::Now() const {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now);
}

std::optional<FileStamp> PosixFileSystem::ReadStamp(const std::string& path) const {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::int64_t>(st.st_size), Nanoseconds(st.st_mtim)};
}

bool PosixFileSystem::WriteAttributes(const std::string& path, std::uint32_t attributes) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = (attributes & kAttributeReadOnly) ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
  return ::chmod(path.c_str(), mode) == 0;
}

}  // namespace core
