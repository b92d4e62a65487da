#include "text/file_io.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <optional>
#include <random>
#include <set>

namespace pelorin {

namespace {

// What stands at a path that is no regular file, for messages.
const char* whatItIs(mode_t mode) {
  if (S_ISDIR(mode)) return "is a folder";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
  if (S_ISFIFO(mode)) return "is a FIFO (named pipe)";
  if (S_ISSOCK(mode)) return "is a socket";
  return "is not a regular file";
}

std::string folderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// The file a save writes: path itself or, through its symbolic links, the file they point
// to. False with the problem when the links go round in circles or cannot be read.
bool followLinks(const std::string& path, std::string& target, std::string& problem) {
  target = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::array<char, PATH_MAX> link{};
    ssize_t length = ::readlink(target.c_str(), link.data(), link.size() - 1);
    if (length < 0) {
      problem = std::strerror(errno);
      return false;
    }
    std::string next(link.data(), static_cast<std::size_t>(length));
    target = next.front() == '/' ? next : folderOf(target).append(next);
  }
  problem = "its symbolic links go round in circles";
  return false;
}

// Root may write anything, but a file nobody may write is meant to stay as it is.
bool mayReplace(const std::string& target, const struct stat& info) {
  if (::geteuid() == 0) return (info.st_mode & 0222) != 0;
  return ::access(target.c_str(), W_OK) == 0;
}

// The names of the temporary files now on disk, for the signal handler: a save that SIGINT,
// SIGTERM or SIGHUP interrupts removes its file before the process ends.
constexpr int kSlots = 16;
std::array<std::array<char, PATH_MAX>, kSlots> pendingNames{};
std::array<std::atomic<bool>, kSlots> pendingUsed{};

extern "C" void removePendingAndEnd(int signal) {
  for (int i = 0; i < kSlots; ++i)
    if (pendingUsed[i].load()) ::unlink(pendingNames[i].data());
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// The signal handler, in place before any temporary file can have a name.
void installCleanup() {
  static const bool installed = [] {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
      struct sigaction old {};
      ::sigaction(signal, nullptr, &old);
      // A signal the process ignores stays ignored.
      if (old.sa_handler == SIG_IGN) continue;
      struct sigaction action {};
      action.sa_handler = removePendingAndEnd;
      sigemptyset(&action.sa_mask);
      ::sigaction(signal, &action, nullptr);
    }
    return true;
  }();
  (void)installed;
}

// A temporary file's name for the signal handler, from before the file is created until it
// is renamed or removed.
class PendingName {
 public:
  PendingName() = default;
  PendingName(const PendingName&) = delete;
  PendingName& operator=(const PendingName&) = delete;
  ~PendingName() { disarm(); }

  void arm(const std::string& name) {
    disarm();
    if (name.size() >= PATH_MAX) return;
    for (int i = 0; i < kSlots; ++i) {
      bool expected = false;
      if (pendingUsed[i].load() || !pendingUsed[i].compare_exchange_strong(expected, true))
        continue;
      // Until the copy is done the slot holds an earlier name, which no file has any more.
      std::memcpy(pendingNames[i].data(), name.c_str(), name.size() + 1);
      slot_ = i;
      break;
    }
  }
  void disarm() {
    if (slot_ >= 0) pendingUsed[slot_].store(false);
    slot_ = -1;
  }

 private:
  int slot_ = -1;
};

// ".pelorin-PID-RANDOM" beside the target: the process that writes it is in its name.
std::string temporaryName(const std::string& folder) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, "%ld-%016llx", static_cast<long>(::getpid()),
                static_cast<unsigned long long>(random()));
  return folder + ".pelorin-" + suffix;
}

// A temporary file is locked while its save runs; the kernel lets go of the lock when the
// process ends, however it ends.
void lockWhileWriting(int fd) { (void)::flock(fd, LOCK_EX | LOCK_NB); }

// Whether the process named in a temporary file's name is gone.
bool writerGone(const std::string& name) {
  const long pid = std::strtol(name.c_str() + 9, nullptr, 10);
  return pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
}

// Whether nobody holds the lock of the temporary file at path.
bool unlocked(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return free;
}

// Temporary files that a save killed outright (SIGKILL, a power cut) left behind: those of a
// process that is gone and that nobody holds locked, and any of a gone process older than a
// day (a file system without locks). Looked for once per folder and run.
void removeStaleTemporaries(const std::string& folder) {
  static std::mutex mutex;
  static std::set<std::string> looked;
  {
    std::lock_guard lock(mutex);
    if (!looked.insert(folder).second) return;
  }
  std::error_code ec;
  const auto dayAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(".pelorin-") || !it->is_regular_file(ec) || !writerGone(name)) continue;
    const auto written = it->last_write_time(ec);
    if (!ec && (written < dayAgo || unlocked(it->path().string())))
      std::filesystem::remove(it->path(), ec);
  }
}

// The user's extended attributes of the file replaced, on the file that replaces it.
void copyUserAttributes(const std::string& from, int to) {
  std::array<char, 4096> names{};
  const ssize_t length = ::listxattr(from.c_str(), names.data(), names.size());
  for (ssize_t at = 0; at < length;
       at += static_cast<ssize_t>(std::strlen(names.data() + at)) + 1) {
    const char* name = names.data() + at;
    if (std::strncmp(name, "user.", 5) != 0) continue;
    std::array<char, 65536> value{};
    const ssize_t size = ::getxattr(from.c_str(), name, value.data(), value.size());
    if (size >= 0) (void)::fsetxattr(to, name, value.data(), static_cast<std::size_t>(size), 0);
  }
}

bool writeAll(int fd, std::string_view bytes) {
  for (std::size_t written = 0; written < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

Outcome writeFileSafely(const std::string& path, std::string_view bytes) {
  auto refused = [&path](const std::string& why) {
    return Outcome::refused("Cannot write \"" + path + "\": " + why + ".", path);
  };
  if (path.empty()) return refused("no file name");
  if (path.back() == '/') return refused("names a folder");
  std::string target, problem;
  if (!followLinks(path, target, problem)) return refused(problem);

  struct stat old {};
  bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing) {
    if (!S_ISREG(old.st_mode)) return refused(whatItIs(old.st_mode));
    if (old.st_nlink > 1) return refused("has other hard links, which a save would split from it");
    if (!mayReplace(target, old)) return refused("is write-protected");
  } else if (errno != ENOENT) {
    return refused(std::strerror(errno));
  }
  const std::string folder = folderOf(target);
  struct stat place {};
  if (::stat(folder.c_str(), &place) != 0 || !S_ISDIR(place.st_mode))
    return refused("its folder does not exist");

  // The new file's permissions: those of the file it replaces, else the usual ones.
  mode_t mask = ::umask(0);
  ::umask(mask);
  const mode_t mode = replacing ? (old.st_mode & 07777) : (0666 & ~mask);

  // A user who may not give the file back to its owner does not replace it.
  if (replacing && ::geteuid() != 0 && old.st_uid != ::geteuid())
    return refused("belongs to another user, whose ownership a save could not keep");
  installCleanup();
  removeStaleTemporaries(folder);

  // Unnamed until complete where the file system allows it; otherwise named at once.
  // PELORIN_NAMED_TEMPORARY=1 takes the named way everywhere, to try it.
  std::string name;
  PendingName pending;
  const char* namedOnly = std::getenv("PELORIN_NAMED_TEMPORARY");
  int fd = namedOnly && *namedOnly == '1'
               ? -1
               : ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  const bool unnamed = fd >= 0;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    std::string candidate = temporaryName(folder);
    pending.arm(candidate);
    fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) name = candidate;
    if (fd < 0) pending.disarm();
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return refused(std::strerror(errno));
  lockWhileWriting(fd);

  auto fail = [&](int error) {
    ::close(fd);
    if (!name.empty()) ::unlink(name.c_str());
    return refused(std::strerror(error));
  };
  if (!writeAll(fd, bytes) || ::fchmod(fd, mode) != 0) return fail(errno);
  // The owner and group where the process may set them, and the user's own attributes.
  if (replacing && ::fchown(fd, old.st_uid, old.st_gid) != 0)
    (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  if (replacing) copyUserAttributes(target, fd);
  if (::fsync(fd) != 0) return fail(errno);
  if (unnamed) {  // a name only now, next to the target, for the rename
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
      std::string candidate = temporaryName(folder);
      pending.arm(candidate);
      if (::linkat(fd, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH) == 0 ||
          ::linkat(AT_FDCWD, self, AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        name = candidate;
        break;
      }
      error = errno;
      pending.disarm();
    }
    if (name.empty()) return fail(error);
  }
  if (::close(fd) != 0) {
    int error = errno;
    ::unlink(name.c_str());
    return refused(std::strerror(error));
  }
  if (std::rename(name.c_str(), target.c_str()) != 0) {
    int error = errno;
    ::unlink(name.c_str());
    return refused(std::strerror(error));
  }
  // The rename itself reaches the disk with the folder.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

Outcome readWholeFile(const std::string& path, std::string& bytes) {
  auto refused = [&](const std::string& why) {
    return Outcome::refused("Cannot read \"" + path + "\": " + why + ".", path);
  };
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return refused(std::strerror(errno));
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return refused(S_ISREG(info.st_mode) ? std::strerror(errno) : whatItIs(info.st_mode));
  }
  bytes.clear();
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int failure = errno;
      ::close(fd);
      return refused(std::strerror(failure));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return {};
}

}  // namespace pelorin
