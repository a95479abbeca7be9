#pragma once
// What the month control's source files share: its name in error messages and
// the face it was designed with, which is also the saved font's default.
#include <QFont>
#include <QString>

namespace ctlmonth {
inline const QString Unit = QStringLiteral("ctlMonth");

QFont designedFont();
} // namespace ctlmonth
