#include "records/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifndef __EMSCRIPTEN__
#include <sys/file.h>
#endif

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace records {

namespace {

// A records file is a few hundred bytes; anything far larger is not one,
// and is not read whole into memory to find that out.
constexpr std::size_t maxSize = 64 * 1024;
// Names tried for a damaged file before giving up: .damaged, .damaged.2 ...
constexpr int maxAside = 100;

// A descriptor closed on every way out.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, for the error a close can report (a delayed write's).
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

int openRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do
        fd = ::open(path, flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// The lock beside the records, held while one copy of the game reads and
// writes them. flock's lock goes with its process, so a copy killed while
// holding it blocks no one. Without a lock (a folder where even the lock
// file cannot be made) the work goes on: writes there fail anyway.
class Lock {
  public:
    explicit Lock([[maybe_unused]] const std::string& path) {
#ifndef __EMSCRIPTEN__
        fd_ = openRetrying(path.c_str(), O_RDWR | O_CREAT, 0644);
        if (fd_ < 0)
            fd_ = openRetrying(path.c_str(), O_RDONLY);
        if (fd_ < 0)
            return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
#endif
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    ~Lock() {
        if (fd_ >= 0)
            ::close(fd_); // releases the lock
    }

  private:
    int fd_ = -1;
};

bool writeAll(int fd, const std::string& text, int& error) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

// Why a write failed, in the player's words.
std::string reason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "書き込みが許されていない";
    case EROFS:
        return "読み出し専用";
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "空きがない";
    default:
        return "";
    }
}

std::string because(int error) {
    const std::string why = reason(error);
    return why.empty() ? "" : "(" + why + ")";
}

} // namespace

RecordFile::RecordFile(std::string path) : path_(std::move(path)) {
    try {
        folder_ = std::filesystem::path(path_).parent_path().string();
        if (folder_.empty())
            folder_ = ".";
        std::error_code ignored; // a folder not made shows at the first write
        std::filesystem::create_directories(folder_, ignored);
        Lock lock(path_ + ".lock");
        read(disk_);
        shown_ = disk_;
    } catch (...) {
        // Out of memory: the run goes on with what it has.
    }
}

RecordFile::Disk RecordFile::read(Records& into) {
    const int fd = openRetrying(path_.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) {
            into = Records{};
            return Disk::Missing;
        }
        // A file this copy may not read is the file's fault; running out of
        // descriptors or memory is not, and passes.
        if (errno != EACCES && errno != ELOOP)
            return Disk::Unavailable;
    } else {
        Fd file(fd);
        struct stat st;
        if (::fstat(fd, &st) != 0)
            return Disk::Unavailable;
        if (S_ISREG(st.st_mode)) {
            std::string text;
            char buffer[4096];
            while (text.size() <= maxSize) {
                const ssize_t n = ::read(fd, buffer, sizeof buffer);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    return Disk::Unavailable;
                if (n == 0)
                    break;
                text.append(buffer, std::size_t(n));
            }
            if (auto records = fromText(text)) {
                into = *records;
                return Disk::Read;
            }
        }
    }
    // Kept aside so that nothing the player could still want is written over.
    int error = 0;
    if (setAside(error)) {
        into = Records{};
        return Disk::Missing;
    }
    if (!saidUnwritable_) {
        notices_.push_back("記録のファイル " + path_ + " が読めず、別の名前に移すこともできない" +
                           because(error) + "ため、この回の記録は終了すると消えます。");
        saidUnwritable_ = true;
    }
    return Disk::Damaged;
}

bool RecordFile::setAside(int& error) {
    // Under the lock no other copy of the game names a file meanwhile.
    for (int i = 1; i <= maxAside; ++i) {
        std::string aside = path_ + ".damaged";
        if (i > 1)
            aside += "." + std::to_string(i);
        if (exists(aside))
            continue;
        if (::rename(path_.c_str(), aside.c_str()) != 0) {
            error = errno;
            return false;
        }
        notices_.push_back("記録のファイルが読めなかったので " + aside +
                           " に移し、新しく始めます。");
        return true;
    }
    error = EEXIST;
    return false;
}

bool RecordFile::write(const Records& records, int& error) {
    // The whole new file under another name first, on the disk before it
    // replaces the old one in one rename: a crash leaves one or the other.
    const std::string temporary = path_ + ".new";
    {
        Fd fd(openRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
        if (fd.get() < 0) {
            error = errno;
            return false;
        }
        bool written = writeAll(fd.get(), toText(records), error);
        if (written && ::fsync(fd.get()) != 0) {
            error = errno;
            written = false;
        }
        if (written && !fd.close()) {
            error = errno;
            written = false;
        }
        if (!written || ::rename(temporary.c_str(), path_.c_str()) != 0) {
            if (written)
                error = errno;
            ::unlink(temporary.c_str());
            return false;
        }
    }
    // The rename itself reaches the disk with the folder. Once renamed the
    // results are in the file whatever this says: keeping them pending would
    // count them twice.
    Fd folder(openRetrying(folder_.c_str(), O_RDONLY | O_DIRECTORY));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return true;
}

void RecordFile::unwritable(int error) {
    if (saidUnwritable_)
        return;
    saidUnwritable_ = true;
    notices_.push_back("記録を " + folder_ + " に保存できない" + because(error) +
                       "ため、この回の記録は終了すると消えます。");
}

bool RecordFile::sync() {
    Lock lock(path_ + ".lock");
    Records on;
    const Disk disk = read(on);
    const bool known = disk == Disk::Missing || disk == Disk::Read;
    if (known)
        disk_ = on;
    Records merged = clearPending_ ? Records{} : disk_;
    bool record = false;
    for (const Result& result : pending_)
        record = merged.add(result);
    shown_ = merged;
    if (!known) {
        if (disk == Disk::Unavailable)
            unwritable(0);
        return record;
    }
    int error = 0;
    if (!write(merged, error)) {
        unwritable(error);
        return record;
    }
    disk_ = merged;
    pending_.clear();
    clearPending_ = false;
    saidUnwritable_ = false; // a later failure is news again
    return record;
}

bool RecordFile::add(const Result& result) {
    try {
        pending_.push_back(result);
        return sync();
    } catch (...) {
        return false;
    }
}

void RecordFile::clear() {
    try {
        pending_.clear();
        clearPending_ = true;
        sync();
    } catch (...) {
    }
}

std::string RecordFile::takeNotice() {
    if (notices_.empty())
        return {};
    std::string notice = std::move(notices_.front());
    notices_.erase(notices_.begin());
    return notice;
}

} // namespace records
