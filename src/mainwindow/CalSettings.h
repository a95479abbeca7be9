#pragma once
// Every settings-store entry the main window reads or writes, with its
// section and the default a fresh installation gets. Values are text; the
// typed readers raise type mismatch (13) for a value that is not what the key
// holds, so the routine that reads it reports it with its own message.
#include <QString>
#include <cstdint>

class QWidget;

namespace CalSettings {

struct Key {
    const char* section;
    const char* name;
    const char* defaultValue;
};

// "Settings"
inline constexpr Key HideInTray{"Settings", "HideInTray", "False"};
inline constexpr Key Backcolor1{"Settings", "Backcolor1", "-2147483643"}; // window background
inline constexpr Key Backcolor2{"Settings", "Backcolor2", "-2147483643"};
inline constexpr Key Flags{"Settings", "Flags", "184"};
inline constexpr Key SpecialPeriodLength{"Settings", "SpecialPeriodLength", "0"};
inline constexpr Key SpecialPeriodOffset{"Settings", "SpecialPeriodOffset", "0"};
inline constexpr Key SpecialPeriodName{"Settings", "SpecialPeriodName", "Special Period"};
inline constexpr Key SpecialPeriodChecked{"Settings", "SpecialPeriodChecked", "False"};
inline constexpr Key SpecialPeriodColor{"Settings", "SpecialPeriodColor",
                                        "-2147483633"}; // button face
// "Long"
inline constexpr Key LockSchedule{"Long", "LockSchedule", "False"};
// "Schedule"
inline constexpr Key DataChanged{"Schedule", "DataChanged", "False"};

QString readText(const Key& key);
bool readBool(const Key& key);
int32_t readLong(const Key& key);
void writeText(const Key& key, const QString& value);
void writeBool(const Key& key, bool value);
void writeLong(const Key& key, int32_t value);

// Window position entries: window name + "_Left", "_Top", "_Width", "_Height"
// in section "Settings", in twips; the default is the window's current value.
enum class Edge { Left, Top, Width, Height };
QString positionKey(const QString& windowName, Edge edge);
double readPosition(const QString& windowName, Edge edge, double current);
void writePosition(const QString& windowName, Edge edge, double twips);

} // namespace CalSettings
