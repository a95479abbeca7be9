#pragma once
// The general module's file and folder helpers. Paths use "/" throughout.
#include <QString>

// Shell special folder number of the per-user local application data.
constexpr int CSIDL_LOCAL_APPDATA = 28;

// The folder for a special-folder number; only 28 is known here, any other
// number (like a failed lookup) gives the empty string.
QString GetSpecialFolder(int folder);
// Local application data + "/" + the executable's base name, no trailing "/".
// With no local application data the path starts at the root, as it always did.
QString DataFolder();
// One trailing separator is ignored. True only for a file that opens for
// reading; a folder is not a file.
bool FileExists(const QString& path);
// Creates the data folder with any missing parents. False when it could not
// be made (a file of that name, no permission); callers may ignore that, a
// later save reports its own error.
bool EnsureAppFolder();
// The user's own temporary folder, made when missing: a folder named after the
// program and the user in the platform's temporary folder, which only this
// user may enter. The shared /tmp is no place for a file of fixed name: a
// link planted there would turn a write into an overwrite of another file.
// Raises a RuntimeError when that name holds anything else.
QString UserTempFolder();
// The same ending in "/", or the empty string when there is none.
QString GetTempDir();
