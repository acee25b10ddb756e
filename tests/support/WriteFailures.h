#pragma once
// Ways to make a write fail that hold for root too, where permission bits stop nothing.

#include <QFile>
#include <QString>

#include <csignal>
#include <string>

#include <sys/mount.h>
#include <sys/resource.h>

namespace tav {

// Lets this process write at most `bytes` to any file while it lives; SIGXFSZ is ignored so that the
// limit shows as a short write instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        const rlimit limit{bytes, previous_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// A small file system of its own, 64 KiB, unmounted however the test ends. Where mounting is not
// allowed, Mounted() is false and the caller skips.
class TinyMount {
public:
    explicit TinyMount(const QString& path) : path_(QFile::encodeName(path).toStdString()) {
        mounted_ = ::mount("tavrenna-full", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
    }
    ~TinyMount() {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
    }
    TinyMount(const TinyMount&) = delete;
    TinyMount& operator=(const TinyMount&) = delete;
    bool Mounted() const { return mounted_; }

private:
    std::string path_;
    bool mounted_ = false;
};

} // namespace tav
