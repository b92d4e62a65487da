// Saving over whatever stands at the target's name, and reading what is no regular file.

#include "text/file_io.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include "test_support.hpp"

namespace pelorin {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const std::string& path) {
  std::string bytes;
  Outcome read = readWholeFile(path, bytes);
  return read ? bytes : read.message;
}

void put(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
  ASSERT_TRUE(writeFileSafely(path, bytes));
  ::chmod(path.c_str(), mode);
}

int socketAt(const std::string& path) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
  return fd;
}

TEST(WriteFileSafely, KeepsTheTargetsIdentityOrRefusesAndReplacesNothing) {
  struct Case {
    const char* what;
    std::function<void(const std::string& folder)> before;
    std::string target;   // written, relative to the folder unless absolute
    const char* refusal;  // nullptr: saved
    std::string file;     // the file that must then hold the new bytes (saved) or its old ones
    mode_t mode;          // its permission bits afterwards
  } cases[] = {
      {"a new name", [](auto&) {}, "new.cpt", nullptr, "new.cpt", 0644},
      {"an owner-only file keeps its bits", [](auto& f) { put(f + "/a.cpt", "old", 0600); },
       "a.cpt", nullptr, "a.cpt", 0600},
      {"a link writes the file it points to",
       [](auto& f) {
         put(f + "/real.cpt", "old", 0640), fs::create_symlink("real.cpt", f + "/link.cpt");
       },
       "link.cpt", nullptr, "real.cpt", 0640},
      {"a dangling link makes its target",
       [](auto& f) { fs::create_symlink("made.cpt", f + "/link.cpt"); }, "link.cpt", nullptr,
       "made.cpt", 0644},
      {"links in a circle",
       [](auto& f) { fs::create_symlink("b", f + "/a"), fs::create_symlink("a", f + "/b"); }, "a",
       "circles", "", 0},
      {"a write-protected file, also for root", [](auto& f) { put(f + "/ro.cpt", "old", 0444); },
       "ro.cpt", "is write-protected", "ro.cpt", 0444},
      {"a hard-linked file",
       [](auto& f) {
         put(f + "/one.cpt", "old"), fs::create_hard_link(f + "/one.cpt", f + "/two.cpt");
       },
       "one.cpt", "other hard links", "two.cpt", 0644},
      {"a FIFO", [](auto& f) { ::mkfifo((f + "/pipe").c_str(), 0644); }, "pipe", "is a FIFO", "",
       0},
      {"a socket", [](auto& f) { socketAt(f + "/socket"); }, "socket", "is a socket", "", 0},
      {"a folder", [](auto& f) { fs::create_directory(f + "/sub"); }, "sub", "is a folder", "", 0},
      {"a name ending in a slash", [](auto&) {}, "sub/", "names a folder", "", 0},
      {"the current folder", [](auto&) {}, ".", "is a folder", "", 0},
      {"a device", [](auto&) {}, "/dev/null", "is a device", "", 0},
      {"a folder that does not exist", [](auto&) {}, "none/out.cpt", "folder does not exist", "",
       0},
  };
  mode_t mask = ::umask(022);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = test::temporaryFolder();
    c.before(folder);
    const auto entries = [&] {
      std::vector<std::string> names;
      for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
      std::sort(names.begin(), names.end());
      return names;
    };
    const auto before = entries();
    std::string target = c.target.front() == '/' ? c.target : folder + "/" + c.target;
    std::string refusal = writeFileSafely(target, "new").message;
    if (c.refusal) {
      EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
      EXPECT_NE(refusal.find(target), std::string::npos) << refusal;
      EXPECT_EQ(entries(), before) << "nothing replaced, nothing left behind";
    } else {
      EXPECT_EQ(refusal, "");
      for (const auto& name : before) EXPECT_TRUE(fs::exists(folder + "/" + name)) << name;
      if (c.target.starts_with("link")) {
        EXPECT_TRUE(fs::is_symlink(folder + "/link.cpt"));
      }
    }
    if (!c.file.empty()) {
      EXPECT_EQ(contentOf(folder + "/" + c.file), c.refusal ? "old" : "new");
      struct stat info {};
      ASSERT_EQ(::stat((folder + "/" + c.file).c_str(), &info), 0);
      EXPECT_EQ(info.st_mode & 07777, c.mode);
    }
    EXPECT_EQ(std::count_if(fs::directory_iterator(folder), fs::directory_iterator(),
                            [](const auto& e) {
                              return e.path().filename().string().starts_with(".pelorin-");
                            }),
              0);
  }
  ::umask(mask);
}

TEST(WriteFileSafely, AFullDiskLeavesTheEarlierFile) {
  // The file-size limit makes the write stop part of the way, as a full disk would.
  std::string folder = test::temporaryFolder(), path = folder + "/sounding.cpt";
  ASSERT_TRUE(writeFileSafely(path, "earlier"));
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tight{1000, old.rlim_max};
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  std::string error = writeFileSafely(path, std::string(100000, 'x')).message;
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_EQ(contentOf(path), "earlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(WriteFileSafely, RemovesTheTemporaryFilesOfSavesKilledOutright) {
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string folder = test::temporaryFolder(), mine = std::to_string(::getpid());
  const std::string dead = std::to_string(gone);
  const struct {
    std::string name;
    bool locked, kept;
  } cases[] = {{".pelorin-" + dead + "-1", false, false},
               {".pelorin-" + dead + "-2", true, true},    // its save may run on another machine
               {".pelorin-" + mine + "-3", false, true}};  // its process still runs
  std::vector<int> locks;
  for (const auto& c : cases) {
    std::ofstream(folder + "/" + c.name) << "part";  // not through a save: one looks once a run
    if (!c.locked) continue;
    locks.push_back(::open((folder + "/" + c.name).c_str(), O_RDONLY));
    ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
  }
  ASSERT_TRUE(writeFileSafely(folder + "/new.cpt", "new"));
  for (const auto& c : cases) EXPECT_EQ(fs::exists(folder + "/" + c.name), c.kept) << c.name;
  for (int fd : locks) ::close(fd);
}

TEST(ReadWholeFile, RefusesWhatIsNoRegularFileAtOnce) {
  std::string folder = test::temporaryFolder();
  ::mkfifo((folder + "/pipe").c_str(), 0644);  // nobody writes to it: reading must not wait
  const std::pair<std::string, const char*> cases[] = {{folder + "/pipe", "is a FIFO"},
                                                       {folder, "is a folder"},
                                                       {"/dev/zero", "is a device"},
                                                       {folder + "/missing.cpt", "No such file"}};
  for (const auto& [path, problem] : cases) {
    std::string bytes;
    Outcome read = readWholeFile(path, bytes);
    const std::string& error = read.message;
    EXPECT_EQ(read.file, path);
    EXPECT_NE(error.find("\"" + path + "\""), std::string::npos) << error;
    EXPECT_NE(error.find(problem), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace pelorin
