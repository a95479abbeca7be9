#include "storage/FileWriter.h"

#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A temporary file is "." + the target's name (cut to leave room within the
// 255-byte name limit) + this + six random letters or digits.
const QByteArray TempInfix = QByteArrayLiteral(".tmp-");
constexpr int RandomLength = 6;
constexpr qsizetype NameRoom = 200;

RuntimeError errnoError(int e)
{
    switch (e) {
    case ENOSPC:
    case EDQUOT: return Err::make(Err::DiskFull);
    case EFBIG: return Err::make(Err::DiskFull, QStringLiteral("File too large"));
    case EACCES:
    case EPERM: return Err::make(Err::PermissionDenied);
    case EROFS: return Err::make(Err::PathFileAccess, QStringLiteral("Read-only file system"));
    case ENOENT:
    case ENOTDIR: return Err::make(Err::PathNotFound);
    case EISDIR: return Err::make(Err::PathFileAccess, QStringLiteral("It is a folder"));
    case ENXIO:
        return Err::make(Err::PathFileAccess, QStringLiteral("No program is reading from it"));
    case EIO: return Err::make(Err::DeviceIO);
    default: return Err::make(Err::PathFileAccess, QString::fromLocal8Bit(std::strerror(e)));
    }
}

RuntimeError notRegular()
{
    return Err::make(Err::PathFileAccess, QStringLiteral("Not a regular file"));
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// Where a write to a path that names no existing file lands: a dangling link
// is followed to the path it names, as a link to a file is.
QByteArray followLinks(QByteArray path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer);
        if (n <= 0 || n == sizeof buffer)
            throw errnoError(n < 0 ? errno : ENAMETOOLONG);
        const QByteArray target(buffer, n);
        path = target.startsWith('/') ? target : folderOf(path) + '/' + target;
    }
    throw errnoError(ELOOP);
}

void writeAll(int fd, QByteArrayView bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(std::min<qsizetype>(left, 1 << 20)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw errnoError(errno);
        }
        if (n == 0)
            throw Err::make(Err::DiskFull);
        p += n;
        left -= n;
    }
}

void closeChecked(int fd)
{
    // Some file systems only report a failed write-back at close.
    if (::close(fd) != 0 && errno != EINTR)
        throw errnoError(errno);
}

void writePieces(int fd, const std::function<void(const PieceWriter&)>& pieces)
{
    pieces([fd](QByteArrayView piece) { writeAll(fd, piece); });
}

// A terminal, a pipe or a device like /dev/full takes the bytes as they come.
void writeInto(const QByteArray& path, const std::function<void(const PieceWriter&)>& pieces)
{
    // Not blocking on a pipe nobody reads: that is told, not waited for.
    const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw errnoError(errno);
    try {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        writePieces(fd, pieces);
    } catch (...) {
        ::close(fd);
        throw;
    }
    closeChecked(fd);
}

QByteArray tempPrefix(const QByteArray& folder, const QByteArray& name)
{
    return folder + "/." + name.left(NameRoom) + TempInfix;
}

// Temporary files of saves that were killed before they finished. One that
// a live save still holds is locked and stays.
void removeStrays(const QByteArray& folder, const QByteArray& name)
{
    const QString prefix = QFile::decodeName(nameOf(tempPrefix(folder, name)));
    const QStringList entries =
        QDir(QFile::decodeName(folder)).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& stray : entries) {
        if (stray.size() != prefix.size() + RandomLength || !stray.startsWith(prefix))
            continue;
        const QByteArray path = folder + '/' + QFile::encodeName(stray);
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

// The temporary file: open, locked against the clean-up of other saves, and
// removed again unless it was renamed into place.
class TempFile {
public:
    TempFile(const QByteArray& folder, const QByteArray& name, mode_t permissions)
    {
        const QByteArray prefix = tempPrefix(folder, name);
        static const char letters[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = prefix;
            for (int i = 0; i < RandomLength; ++i)
                path_ += letters[QRandomGenerator::global()->bounded(62)];
            fd_ = ::open(path_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                         permissions);
            if (fd_ < 0 && errno != EEXIST)
                throw errnoError(errno);
        }
        if (fd_ < 0)
            throw errnoError(EEXIST);
        ::flock(fd_, LOCK_EX);
    }
    ~TempFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.isEmpty())
            ::unlink(path_.constData());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    // Closes it, reporting what the close reports.
    void close()
    {
        const int fd = fd_;
        fd_ = -1;
        closeChecked(fd);
    }
    void renameTo(const QByteArray& target)
    {
        if (::rename(path_.constData(), target.constData()) != 0)
            throw errnoError(errno);
        path_.clear();
    }

private:
    QByteArray path_;
    int fd_ = -1;
};

void syncFolder(const QByteArray& folder)
{
    // So that the rename itself survives a power cut; not every file system
    // can sync a folder, and the file is already whole either way.
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

void WriteWholeFile(const QString& path, const QByteArray& bytes, WriteMode mode)
{
    WriteWholeFileInPieces(
        path, [&](const PieceWriter& put) { put(bytes); }, mode);
}

void WriteWholeFileInPieces(const QString& path,
                            const std::function<void(const PieceWriter&)>& pieces, WriteMode mode)
{
    const QByteArray given = QFile::encodeName(path);
    if (given.isEmpty())
        throw Err::make(Err::BadFileNameOrNumber);
    QByteArray target = given;
    struct stat st;
    bool exists = false;
    if (mode == WriteMode::UserFile) {
        exists = ::stat(given.constData(), &st) == 0;
        if (exists && S_ISDIR(st.st_mode))
            throw errnoError(EISDIR);
        if (exists && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) {
            writeInto(given, pieces);
            return;
        }
        if (exists && !S_ISREG(st.st_mode))
            throw notRegular();
        if (exists) {
            char* real = ::realpath(given.constData(), nullptr);
            if (!real)
                throw errnoError(errno);
            target = real;
            std::free(real);
        } else {
            target = followLinks(given);
        }
    } else {
        exists = ::lstat(given.constData(), &st) == 0 && !S_ISLNK(st.st_mode);
        if (exists && S_ISDIR(st.st_mode))
            throw errnoError(EISDIR);
        if (exists && !S_ISREG(st.st_mode))
            throw notRegular();
    }
    const QByteArray folder = folderOf(target), name = nameOf(target);
    struct stat folderStat;
    if (::stat(folder.constData(), &folderStat) != 0 || !S_ISDIR(folderStat.st_mode))
        throw Err::make(Err::PathNotFound);
    removeStrays(folder, name);

    // A replaced file keeps its permissions; a new one gets the umask's.
    const mode_t permissions = mode == WriteMode::Private ? 0600
                               : exists                   ? (st.st_mode & 07777)
                                                          : 0666;
    TempFile temp(folder, name, permissions);
    if (exists && mode == WriteMode::UserFile)
        ::fchmod(temp.fd(), permissions);
    writePieces(temp.fd(), pieces);
    if (::fsync(temp.fd()) != 0)
        throw errnoError(errno);
    temp.close();
    temp.renameTo(target);
    syncFolder(folder);
}

QString EnsurePrivateFolder(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    // mkdir never follows a link that stands in its place.
    if (::mkdir(p.constData(), 0700) != 0 && errno != EEXIST)
        throw errnoError(errno);
    struct stat st;
    if (::lstat(p.constData(), &st) != 0)
        throw errnoError(errno);
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)
        throw Err::make(Err::PathFileAccess,
                        QStringLiteral("%1 is not a folder of this user's alone")
                            .arg(QDir::toNativeSeparators(path)));
    return path;
}

void ReserveStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open returns the lowest free number, which is this one.
        const int stand = ::open("/dev/null", O_RDONLY);
        if (stand >= 0 && stand != fd)
            ::close(stand);
    }
}
