#include "session/CalSettings.h"

#include "platform/Convert.h"
#include "platform/ISettingsStore.h"
#include "platform/Services.h"

namespace CalSettings {

namespace {
QString section(const Key& key)
{
    return QString::fromLatin1(key.section);
}
QString name(const Key& key)
{
    return QString::fromLatin1(key.name);
}
const QString kPositionSection = QStringLiteral("Settings");

template <class Convert>
auto readOrDefault(const Key& key, const ReadError& onError, Repair repair, Convert convert)
{
    try {
        return convert(readText(key));
    } catch (const std::exception& e) {
        if (repair == Repair::Yes)
            writeText(key, QString::fromLatin1(key.defaultValue));
        if (onError)
            onError(e);
    }
    return convert(QString::fromLatin1(key.defaultValue));
}
} // namespace

QString readText(const Key& key)
{
    return settingsStore().GetSetting(section(key), name(key),
                                      QString::fromLatin1(key.defaultValue));
}

bool readBool(const Key& key, const ReadError& onError, Repair repair)
{
    return readOrDefault(key, onError, repair, CBool);
}

int32_t readLong(const Key& key, const ReadError& onError, Repair repair)
{
    return readOrDefault(key, onError, repair, CLng);
}

void writeText(const Key& key, const QString& value)
{
    settingsStore().SaveSetting(section(key), name(key), value);
}

void writeBool(const Key& key, bool value)
{
    writeText(key, BoolText(value));
}

void writeLong(const Key& key, int32_t value)
{
    writeText(key, QString::number(value));
}

QString positionKey(const QString& windowName, Edge edge)
{
    switch (edge) {
    case Edge::Left: return windowName + QStringLiteral("_Left");
    case Edge::Top: return windowName + QStringLiteral("_Top");
    case Edge::Width: return windowName + QStringLiteral("_Width");
    case Edge::Height: return windowName + QStringLiteral("_Height");
    }
    return windowName;
}

std::optional<double> storedPosition(const QString& windowName, Edge edge)
{
    const QString text =
        settingsStore().GetSetting(kPositionSection, positionKey(windowName, edge));
    if (text.isNull())
        return std::nullopt;
    return CDbl(text);
}

void writePosition(const QString& windowName, Edge edge, double twips)
{
    settingsStore().SaveSetting(kPositionSection, positionKey(windowName, edge),
                                QString::number(twips, 'g', 15));
}

} // namespace CalSettings
