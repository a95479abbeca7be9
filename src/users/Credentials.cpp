#include "users/Credentials.h"

#include "platform/ISettingsStore.h"
#include "platform/Services.h"
#include "platform/Windows1252.h"
#include "users/HashText.h"

#include <algorithm>

namespace Credentials {
namespace {
const QString kSection = QStringLiteral("Long");

QString keyFor(const char* literal)
{
    return QString::number(HashText(QString::fromLatin1(literal)));
}
QString userNameKey()
{
    return keyFor("UserName");
}
QString passwordKey()
{
    return keyFor("Password");
}

// Only spaces are blanks here, as the classic trim sees them.
QString trimSpaces(const QString& s)
{
    qsizetype first = 0, last = s.size();
    while (first < last && s[first] == QLatin1Char(' '))
        ++first;
    while (last > first && s[last - 1] == QLatin1Char(' '))
        --last;
    return s.mid(first, last - first);
}
} // namespace

QString hashOf(const QString& typed)
{
    return QString::number(HashText(trimSpaces(typed).toUpper()));
}

QString storedUserName()
{
    return settingsStore().GetSetting(kSection, userNameKey(), kMissing);
}

QString storedPassword()
{
    return settingsStore().GetSetting(kSection, passwordKey(), kMissing);
}

void store(const QString& userNameHash, const QString& passwordHash)
{
    settingsStore().SaveSetting(kSection, userNameKey(), userNameHash);
    settingsStore().SaveSetting(kSection, passwordKey(), passwordHash);
}

bool passwordSaved()
{
    return storedPassword() != kMissing;
}
bool hashable(const QString& typed)
{
    return std::all_of(typed.begin(), typed.end(),
                       [](QChar c) { return Windows1252::byteFor(c) >= 0; });
}

} // namespace Credentials
