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
// The hash sees each character as its byte in the 8-bit Western code page;
// any other character (Cyrillic, Greek, Chinese, emoji) would count as "?",
// so that "пароль" hashed like the empty text. Such texts are refused, and
// the stored form stays exactly as it was for every text that is not.
bool hashable(const QString& typed);
inline const QString kUnhashableMessage = QStringLiteral(
    "User names and passwords can use only the letters, digits and signs of Western European "
    "languages: other characters cannot be told apart once stored.");

QString storedUserName();
QString storedPassword();
void store(const QString& userNameHash, const QString& passwordHash);
// True once a password has been saved on this installation.
bool passwordSaved();
} // namespace Credentials
