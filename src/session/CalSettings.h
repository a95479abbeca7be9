#pragma once
// Every settings-store entry the main window reads or writes, with its
// section and the default a fresh installation gets. Values are text.
#include <QString>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>

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
// "Notes": the day entries' marks, whether they show and each kind's colour.
inline constexpr Key ShowNotes{"Notes", "ShowNotes", "True"};
inline constexpr Key NoteColorNote{"Notes", "ColorNote", "7887430"};          // slate blue
inline constexpr Key NoteColorLeave{"Notes", "ColorLeave", "3381555"};        // green
inline constexpr Key NoteColorTrade{"Notes", "ColorTrade", "36095"};          // orange
inline constexpr Key NoteColorOvertime{"Notes", "ColorOvertime", "10485888"}; // purple
inline constexpr Key NoteColorSick{"Notes", "ColorSick", "200"};              // red
// "Long"
inline constexpr Key LockSchedule{"Long", "LockSchedule", "False"};
// "Schedule"
inline constexpr Key DataChanged{"Schedule", "DataChanged", "False"};

// A stored value that is not what the key holds (type mismatch, overflow) is
// handed to onError for the reading routine's own message, replaced in the
// store by the key's default, so that it is reported once and not at every
// start, and the default is used. A reader that must not change the store
// (a script's) passes Repair::No.
using ReadError = std::function<void(const std::exception&)>;
enum class Repair { Yes, No };
QString readText(const Key& key);
bool readBool(const Key& key, const ReadError& onError, Repair repair = Repair::Yes);
int32_t readLong(const Key& key, const ReadError& onError, Repair repair = Repair::Yes);
void writeText(const Key& key, const QString& value);
void writeBool(const Key& key, bool value);
void writeLong(const Key& key, int32_t value);

// Window position entries: window name + "_Left", "_Top", "_Width", "_Height"
// in section "Settings", in twips. Nothing when none is stored; a value that
// cannot be read raises its error.
enum class Edge { Left, Top, Width, Height };
QString positionKey(const QString& windowName, Edge edge);
std::optional<double> storedPosition(const QString& windowName, Edge edge);
void writePosition(const QString& windowName, Edge edge, double twips);

} // namespace CalSettings
