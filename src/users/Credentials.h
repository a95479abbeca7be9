#pragma once
// The installation's one user name and password, kept in section "Long" as
// the decimal text of their hashes, under keys that are hashes themselves,
// so that neither the texts nor the purpose of the entries can be read there.
#include <QString>

namespace Credentials {
// What a missing entry reads as: a fixed value of the program.
inline const QString kMissing = QStringLiteral("530218947");

// The stored form of a typed name or password: blanks at either end and
// letter case do not count.
QString hashOf(const QString& typed);

QString storedUserName();
QString storedPassword();
void store(const QString& userNameHash, const QString& passwordHash);
// True once a password has been saved on this installation.
bool passwordSaved();
} // namespace Credentials
