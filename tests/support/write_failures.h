#pragma once
// Ways to make a file operation fail that work for root too, so that the failure
// branches run on a build server that runs the tests as root.

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace write_failures {

// A file-size limit (ulimit -f) while it lives; SIGXFSZ ignored, as the programs do.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limitBytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{limitBytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
};

// For a program the tests start: a file-size limit with SIGXFSZ at its default action,
// as from a shell after "ulimit -f".
inline auto fileSizeLimitInChild(rlim_t limitBytes)
{
    return [limitBytes] {
        const rlimit limited{limitBytes, limitBytes};
        setrlimit(RLIMIT_FSIZE, &limited);
        std::signal(SIGXFSZ, SIG_DFL);
    };
}

// A 64 KB file system mounted at folder while it lives (only root may mount).
class FullFileSystem {
public:
    explicit FullFileSystem(const QString& folder) : m_folder(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullFileSystem()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    void fill() // uses up all its room
    {
        QFile filler(QFile::decodeName(m_folder) + QStringLiteral("/filler"));
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(1024, 'f')) > 0) {
            }
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

// Runs as an unprivileged user while it lives when the tests run as root, so that file
// permissions hold (for other users they hold anyway).
class WithoutRootRights {
public:
    WithoutRootRights() : m_dropped(geteuid() == 0 && seteuid(65534) == 0) {}
    ~WithoutRootRights()
    {
        if (m_dropped && seteuid(0) != 0)
            std::abort();
    }

private:
    bool m_dropped;
};

} // namespace write_failures
