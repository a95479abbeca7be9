#pragma once
// The one way this program writes a file: whole or not at all. The bytes go
// to a temporary file beside the target, every write and the sync are
// checked, and only then does it replace the target. On any failure the old
// file is as it was, nothing is left beside it, and a RuntimeError names the
// cause (disk full, permission denied, read-only file system, path not
// found, not a regular file).
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

enum class WriteMode {
    // A file the user named. A link is written through to the file it names;
    // an existing terminal, pipe or other character device is written into
    // directly (so "/dev/stdout" works) and never replaced; a block device or
    // socket is refused.
    UserFile,
    // A file only this user may read (0600): a link in its place is replaced,
    // never followed, and anything but a regular file is refused.
    Private,
};

void WriteWholeFile(const QString& path, const QByteArray& bytes,
                    WriteMode mode = WriteMode::UserFile);

// The same for content too large to be built whole in memory first: `pieces`
// hands each piece in turn to the function it is given. Whatever it raises
// leaves the old file as it was, and is raised again.
using PieceWriter = std::function<void(QByteArrayView)>;
void WriteWholeFileInPieces(const QString& path,
                            const std::function<void(const PieceWriter&)>& pieces,
                            WriteMode mode = WriteMode::UserFile);

// Makes the folder (0700) when it is missing, without following a link in
// its place, and returns its path. Raises when the path holds anything but a
// folder of this user's that nobody else may enter.
QString EnsurePrivateFolder(const QString& path);

// Gives a closed standard input, output or error a harmless stand-in (a
// read-only /dev/null, on which writes fail and are reported). Otherwise the
// next file opened takes its number, and whatever is printed to that stream,
// a warning of the libraries for one, lands inside the user's file.
void ReserveStandardStreams();
