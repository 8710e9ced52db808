// The records file under real faults, each in real processes on real files:
// a writer killed mid-write, writers at once, a damaged file, a folder that
// cannot be written, a full disk. In each, nothing recorded before is lost.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "records/record_file.h"
#include "tests/support/program.h"
#include "tests/support/seed.h"

namespace fs = std::filesystem;

namespace {

using records::RecordFile;
using tembira::testing::readFile;

// A fresh folder for one test, removed after it.
struct Folder {
    fs::path path;
    Folder() {
        std::string name = (fs::temp_directory_path() / "tembira-records-XXXXXX").string();
        if (::mkdtemp(name.data()))
            path = name;
    }
    ~Folder() {
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, ignored);
        fs::remove_all(path, ignored);
    }
    std::string file() const { return (path / "records.txt").string(); }
};

records::Result game(bool helped = false) {
    return {records::Kind::Okapi, 30, 20, 4000, helped};
}

int solved(const records::Records& r) {
    int total = 0;
    for (const auto& e : r.entries)
        total += e.solved;
    return total;
}

// The games the file on disk holds; -1 when it does not read as records.
int solvedOnDisk(const std::string& path) {
    const auto r = records::fromText(readFile(path));
    return r ? solved(*r) : -1;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A check inside a child process, which has no test to fail: it says which
// and ends the child with status 1.
#define CHILD_CHECK(condition)                                                                     \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "child: %s failed on line %d\n", #condition, __LINE__);           \
            return 1;                                                                              \
        }                                                                                          \
    } while (false)

int statusOf(pid_t pid) {
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

// Runs body in a child process and returns its status. The alarm turns a
// lock that never comes into a failure instead of a hung test.
template <typename Body> int inChild(Body body, unsigned seconds = 60) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(seconds);
        const int status = body();
        std::fflush(nullptr);
        ::_exit(status);
    }
    return pid < 0 ? -1 : statusOf(pid);
}

TEST(RecordFile, KilledWriterLeavesAWholeFileWithEveryReportedResult) {
    std::mt19937 random(tembira::testing::testSeed("TEMBIRA_RECORDS_SEED", 1207));
    std::uniform_int_distribution<int> delay(0, 20000); // microseconds
    Folder folder;
    int before = 0;
    for (int round = 0; round < 30; ++round) {
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(report[0]);
            RecordFile file(folder.file());
            while (true) {
                file.add(game());
                if (file.unwritten() == 0 && ::write(report[1], "w", 1) != 1)
                    ::_exit(1);
            }
        }
        ::close(report[1]);
        ::usleep(useconds_t(delay(random)));
        ::kill(pid, SIGKILL);
        EXPECT_EQ(statusOf(pid), 128 + SIGKILL);
        int reported = 0;
        char bytes[4096];
        for (ssize_t n; (n = ::read(report[0], bytes, sizeof bytes)) > 0;)
            reported += int(n);
        ::close(report[0]);
        // A writer killed before its first write leaves no file at all.
        const bool made = fs::exists(folder.file());
        const int now = made ? solvedOnDisk(folder.file()) : 0;
        ASSERT_NE(now, -1) << "round " << round << ": the file does not read as records";
        // At most the one result in flight is on disk without being reported.
        EXPECT_GE(now, before + reported) << "round " << round;
        EXPECT_LE(now, before + reported + 1) << "round " << round;
        before = now;
    }
    EXPECT_GT(before, 0) << "no writer ever wrote: the kills came too early to test anything";
    // Neither a lock nor a half-written temporary stops the next writer.
    EXPECT_EQ(inChild(
                  [&] {
                      RecordFile file(folder.file());
                      file.add(game());
                      CHILD_CHECK(file.unwritten() == 0);
                      CHILD_CHECK(solvedOnDisk(folder.file()) == before + 1);
                      return 0;
                  },
                  10),
              0);
}

TEST(RecordFile, WritersAtOnceLoseNoResult) {
    constexpr int writers = 3;
    constexpr int each = 40;
    Folder folder;
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    std::vector<pid_t> pids;
    std::fflush(nullptr);
    for (int w = 0; w < writers; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::alarm(60);
            ::close(go[1]);
            char c;
            (void)!::read(go[0], &c, 1); // all start when the pipe closes
            RecordFile file(folder.file());
            for (int i = 0; i < each; ++i)
                file.add(game(i % 3 == 0));
            ::_exit(file.unwritten() == 0 ? 0 : 1);
        }
        ASSERT_GT(pid, 0);
        pids.push_back(pid);
    }
    ::close(go[0]);
    ::close(go[1]);
    for (pid_t pid : pids)
        EXPECT_EQ(statusOf(pid), 0);
    const auto r = records::fromText(readFile(folder.file()));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[records::Kind::Okapi].solved, writers * each);
    EXPECT_EQ((*r)[records::Kind::Okapi].assisted, writers * 14);
}

TEST(RecordFile, DamagedFileIsKeptAsideUnchangedAndRecordsStartFresh) {
    std::string binary;
    for (int b = 0; b < 256; ++b)
        binary += char(b);
    const std::string whole = "tembira records 1\nokapi 3 0 30 10 4000\nend\n";
    const struct {
        const char* fault;
        std::string bytes;
    } cases[] = {
        {"garbage", "hello, world\n"},
        {"half a file", whole.substr(0, whole.size() / 2)},
        {"binary", binary},
        {"far too long", std::string(1 << 20, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        Folder folder;
        writeFile(folder.file(), c.bytes);
        RecordFile file(folder.file());
        EXPECT_EQ(file.records(), records::Records{});
        EXPECT_EQ(readFile(folder.file() + ".damaged"), c.bytes);
        EXPECT_NE(file.takeNotice().find("records.txt.damaged"), std::string::npos);
        EXPECT_EQ(file.takeNotice(), "");
        file.add(game());
        EXPECT_EQ(solvedOnDisk(folder.file()), 1);
        EXPECT_EQ(file.takeNotice(), "");
    }
}

TEST(RecordFile, SecondDamagedFileDoesNotOverwriteTheFirst) {
    Folder folder;
    writeFile(folder.file() + ".damaged", "first");
    writeFile(folder.file(), "second");
    RecordFile file(folder.file());
    EXPECT_EQ(readFile(folder.file() + ".damaged"), "first");
    EXPECT_EQ(readFile(folder.file() + ".damaged.2"), "second");
    EXPECT_NE(file.takeNotice().find("records.txt.damaged.2"), std::string::npos);
}

TEST(RecordFile, ReadOnlyFolderKeepsResultsForTheRunAndWritesThemWhenItCan) {
    Folder folder;
    RecordFile(folder.file()).add(game());
    const std::string before = readFile(folder.file());
    // Root writes through any mode: the writer runs as nobody, in a folder
    // it owns and so can open again itself.
    const bool root = ::geteuid() == 0;
    constexpr uid_t nobody = 65534;
    if (root) {
        ASSERT_EQ(::chown(folder.path.c_str(), nobody, nobody), 0);
    }
    ASSERT_EQ(::chmod(folder.path.c_str(), 0555), 0);
    constexpr int cannot = 77;
    const int status = inChild([&] {
        if (root && (::setgid(nobody) != 0 || ::setuid(nobody) != 0))
            return cannot;
        const std::string probe = (folder.path / "probe").string();
        if (const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT, 0644); fd >= 0) {
            ::close(fd);
            return cannot;
        }
        RecordFile file(folder.file());
        CHILD_CHECK(solved(file.records()) == 1);
        file.add(game());
        CHILD_CHECK(file.unwritten() == 1);
        CHILD_CHECK(solved(file.records()) == 2);
        const std::string notice = file.takeNotice();
        std::printf("notice: %s\n", notice.c_str());
        CHILD_CHECK(notice.find(folder.path.string()) != std::string::npos);
        file.add(game());
        CHILD_CHECK(file.takeNotice().empty());
        CHILD_CHECK(readFile(folder.file()) == before);
        CHILD_CHECK(::chmod(folder.path.c_str(), 0755) == 0);
        file.add(game());
        CHILD_CHECK(file.unwritten() == 0);
        CHILD_CHECK(solvedOnDisk(folder.file()) == 4);
        return 0;
    });
    if (status == cannot)
        GTEST_SKIP() << "no way here to make a folder this test cannot write";
    EXPECT_EQ(status, 0);
}

TEST(RecordFile, FullDiskLeavesTheOldFileAndKeepsTheResultPending) {
    Folder folder;
    RecordFile(folder.file()).add(game());
    const std::string before = readFile(folder.file());
    EXPECT_EQ(inChild([&] {
                  RecordFile file(folder.file());
                  // Past this size a write fails with EFBIG, as on a full disk.
                  ::signal(SIGXFSZ, SIG_IGN);
                  rlimit limit{};
                  CHILD_CHECK(::getrlimit(RLIMIT_FSIZE, &limit) == 0);
                  const rlim_t unlimited = limit.rlim_cur;
                  limit.rlim_cur = 16;
                  CHILD_CHECK(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
                  file.add(game());
                  CHILD_CHECK(file.unwritten() == 1);
                  CHILD_CHECK(readFile(folder.file()) == before);
                  const std::string notice = file.takeNotice();
                  std::printf("notice: %s\n", notice.c_str());
                  CHILD_CHECK(notice.find("空きがない") != std::string::npos);
                  limit.rlim_cur = unlimited;
                  CHILD_CHECK(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
                  file.add(game());
                  CHILD_CHECK(file.unwritten() == 0);
                  CHILD_CHECK(solvedOnDisk(folder.file()) == 3);
                  return 0;
              }),
              0);
}

TEST(RecordFile, ClearEmptiesTheFileForEveryCopy) {
    Folder folder;
    RecordFile file(folder.file());
    file.add(game());
    file.add(game(true));
    file.clear();
    EXPECT_EQ(file.records(), records::Records{});
    EXPECT_EQ(solvedOnDisk(folder.file()), 0);
    EXPECT_EQ(RecordFile(folder.file()).records(), records::Records{});
}

} // namespace
