#pragma once
// Ways to make a file operation fail that work for root too, so that the failure
// branches run on a build server that runs the tests as root.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace write_failures {

// A process file-size limit (ulimit -f) of limitBytes while it lives: a write past it
// fails with EFBIG (SIGXFSZ is ignored, as the programs ignore it).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limitBytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = limitBytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_active = false;
};

// For a program started by the tests: it starts with a file-size limit and SIGXFSZ at
// its default action, as from a shell after "ulimit -f".
inline auto fileSizeLimitInChild(rlim_t limitBytes)
{
    return [limitBytes] {
        const rlimit limited{limitBytes, limitBytes};
        setrlimit(RLIMIT_FSIZE, &limited);
        std::signal(SIGXFSZ, SIG_DFL);
    };
}

// A small file system mounted at folder (created) while it lives; fill() uses up its
// room. Needs the right to mount (root); mounted() says whether it worked.
class FullFileSystem {
public:
    explicit FullFileSystem(const QString& folder) : m_folder(folder)
    {
        QDir().mkpath(folder);
        m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    void fill()
    {
        QFile filler(m_folder + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(1024, 'f');
        while (filler.write(block) > 0) {
        }
    }

private:
    QString m_folder;
    bool m_mounted = false;
};

// Runs as an unprivileged user while it lives when the tests run as root, so that file
// permissions hold; does nothing for other users, for whom they hold anyway.
class WithoutRootRights {
public:
    WithoutRootRights()
    {
        if (geteuid() == 0)
            m_dropped = seteuid(65534) == 0;
    }
    ~WithoutRootRights()
    {
        if (m_dropped && seteuid(0) != 0)
            std::abort();
    }

private:
    bool m_dropped = false;
};

} // namespace write_failures
