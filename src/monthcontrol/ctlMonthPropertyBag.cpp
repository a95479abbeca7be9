// The month control's saved display options: the keys, their defaults,
// loading and saving.
#include "monthcontrol/ctlMonth.h"

#include "monthcontrol/ctlMonthSupport.h"
#include "platform/Convert.h"
#include "platform/widgets/OleColor.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <cmath>
#include <vector>

using namespace ctlmonth;

namespace ctlmonth {
// The face the control was designed with, else a fixed-width face of the
// desktop. The generic "monospace" may resolve to a face that Qt does not
// report as fixed-pitch, so candidates are checked one by one.
QFont designedFont()
{
    // Only the family is kept: a font object must not outlive the application.
    static const QString family = [] {
        // The designed face first, then the desktop's monospace choices; the
        // full family scan is the slow last resort.
        const QString preferred[] = {QStringLiteral("Lucida Console"),
                                     QStringLiteral("DejaVu Sans Mono"),
                                     QStringLiteral("Liberation Mono"), QStringLiteral("Noto Mono"),
                                     QStringLiteral("Courier New")};
        auto fixedPitch = [](const QString& f) {
            QFont font(f);
            font.setStyleHint(QFont::TypeWriter);
            return QFontInfo(font).fixedPitch();
        };
        // Looked up in the family list: asking for an absent family by name
        // runs the desktop's whole alias substitution. A listed family is
        // matched as itself, so the list's own pitch answers without loading
        // a font just to ask it.
        const QStringList families = QFontDatabase::families();
        for (const QString& f : preferred)
            if (families.contains(f, Qt::CaseInsensitive) && QFontDatabase::isFixedPitch(f))
                return f;
        const QString system = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        if (fixedPitch(system))
            return system;
        for (const QString& f : families)
            if (QFontDatabase::isFixedPitch(f) && fixedPitch(f))
                return f;
        return system;
    }();
    QFont f(family);
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(10);
    f.setBold(true);
    return f;
}
} // namespace ctlmonth

namespace {
bool readBool(const PropertyBag& bag, const QString& key, bool def)
{
    const auto it = bag.constFind(key);
    if (it == bag.constEnd() || !it->isValid())
        return def;
    if (it->typeId() == QMetaType::QString) {
        const QString t = it->toString().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        bool ok = false;
        const double v = t.toDouble(&ok);
        return ok ? v != 0 : def;
    }
    return it->toBool();
}

double readDouble(const PropertyBag& bag, const QString& key, double def)
{
    const auto it = bag.constFind(key);
    if (it == bag.constEnd())
        return def;
    bool ok = false;
    const double v = it->toDouble(&ok);
    return ok && std::isfinite(v) ? v : def;
}

int32_t readInt32(const PropertyBag& bag, const QString& key, int32_t def)
{
    const double v = readDouble(bag, key, def);
    if (v < -2147483648.0 || v > 4294967295.0)
        return def;
    // Colours saved as unsigned numbers come back with their top bit.
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(RoundHalfEven(v))));
}

int16_t readInt16(const PropertyBag& bag, const QString& key, int16_t def)
{
    const double v = RoundHalfEven(readDouble(bag, key, def));
    return v >= -32768 && v <= 32767 ? static_cast<int16_t>(v) : def;
}
} // namespace

// ---------------------------------------------------------------- persistence

// One saved key: its default, how loading reads it and what saving writes.
struct ctlMonth::SavedProperty {
    QString key;
    QVariant defaultValue;
    void (*read)(ctlMonth& m, const PropertyBag& bag, const SavedProperty& p);
    QVariant (*write)(const ctlMonth& m);

    bool boolean(const PropertyBag& bag) const { return readBool(bag, key, defaultValue.toBool()); }
    double number(const PropertyBag& bag) const
    {
        return readDouble(bag, key, defaultValue.toDouble());
    }
    int32_t int32(const PropertyBag& bag) const
    {
        return readInt32(bag, key, defaultValue.toInt());
    }
    int16_t int16(const PropertyBag& bag) const
    {
        return readInt16(bag, key, static_cast<int16_t>(defaultValue.toInt()));
    }
};

// In the order of loading; a host's saved description lists the keys so.
const std::vector<ctlMonth::SavedProperty>& ctlMonth::savedProperties()
{
    using B = const PropertyBag&;
    using P = const SavedProperty&;
    using V = QVariant;
    static const std::vector<SavedProperty> table = {
        {QStringLiteral("ForeColor"), OleColor::WindowText,
         [](ctlMonth& m, B b, P p) { m.foreColor_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.foreColor_; }},
        {QStringLiteral("Enabled"), true,
         [](ctlMonth& m, B b, P p) { m.QWidget::setEnabled(p.boolean(b)); },
         [](const ctlMonth& m) -> V { return m.isEnabled(); }},
        {QStringLiteral("TheYear"), 2008, [](ctlMonth& m, B b, P p) { m.theYear_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.theYear_; }},
        {QStringLiteral("TheMonth"), 1, [](ctlMonth& m, B b, P p) { m.theMonth_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.theMonth_; }},
        {QStringLiteral("FitRows"), false, [](ctlMonth& m, B b, P p) { m.fitRows_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.fitRows_; }},
        // Not limited to 1..5 here, as the saved value was never checked on load.
        {QStringLiteral("FontRelativeSize"), 3,
         [](ctlMonth& m, B b, P p) { m.fontRelativeSize_ = p.int16(b); },
         [](const ctlMonth& m) -> V { return m.fontRelativeSize_; }},
        {QStringLiteral("ShowFullGrid"), false,
         [](ctlMonth& m, B b, P p) { m.showFullGrid_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.showFullGrid_; }},
        {QStringLiteral("FontBold"), true,
         [](ctlMonth& m, B b, P p) { m.font_.setBold(p.boolean(b)); },
         [](const ctlMonth& m) -> V { return m.font_.bold(); }},
        {QStringLiteral("ShowButtons"), true,
         [](ctlMonth& m, B b, P p) { m.showButtons_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.showButtons_; }},
        {QStringLiteral("Font"), designedFont().toString(), &ctlMonth::readFont,
         [](const ctlMonth& m) -> V { return m.font_.toString(); }},
        {QStringLiteral("BackColor"), OleColor::WindowBackground,
         [](ctlMonth& m, B b, P p) { m.backColor_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.backColor_; }},
        {QStringLiteral("BackStyle"), 0, [](ctlMonth& m, B b, P p) { m.backStyle_ = p.int16(b); },
         [](const ctlMonth& m) -> V { return m.backStyle_; }},
        {QStringLiteral("BorderStyle"), 1,
         [](ctlMonth& m, B b, P p) { m.borderStyle_ = p.int16(b); },
         [](const ctlMonth& m) -> V { return m.borderStyle_; }},
        {QStringLiteral("ShowWeekends"), false,
         [](ctlMonth& m, B b, P p) { m.showWeekends_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.showWeekends_; }},
        {QStringLiteral("WeekendColor"), OleColor::ButtonFace,
         [](ctlMonth& m, B b, P p) { m.weekendColor_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.weekendColor_; }},
        {QStringLiteral("FullDate"), 0.0, [](ctlMonth& m, B b, P p) { m.fullDate_ = p.number(b); },
         [](const ctlMonth& m) -> V { return m.fullDate_; }},
        {QStringLiteral("StartDate"), 0.0,
         [](ctlMonth& m, B b, P p) { m.startDate_ = p.number(b); },
         [](const ctlMonth& m) -> V { return m.startDate_; }},
        {QStringLiteral("FirstWeekday"), 0,
         [](ctlMonth& m, B b, P p) { m.firstWeekday_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.firstWeekday_; }},
        {QStringLiteral("ShowToday"), true,
         [](ctlMonth& m, B b, P p) { m.showToday_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.showToday_; }},
        {QStringLiteral("CellSplit"), 1, [](ctlMonth& m, B b, P p) { m.cellSplit_ = p.int16(b); },
         [](const ctlMonth& m) -> V { return m.cellSplit_; }},
        {QStringLiteral("FixedGrid"), false,
         [](ctlMonth& m, B b, P p) { m.fixedGrid_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.fixedGrid_; }},
    };
    return table;
}

void ctlMonth::readFont(ctlMonth& m, const PropertyBag& bag, const SavedProperty& p)
{
    const auto it = bag.constFind(p.key);
    QFont loaded;
    bool haveFont = false;
    if (it != bag.constEnd()) {
        if (it->typeId() == QMetaType::QFont) {
            loaded = it->value<QFont>();
            haveFont = true;
        } else {
            haveFont = loaded.fromString(it->toString());
        }
    }
    if (haveFont) {
        m.font_ = loaded;
        if (!(m.font_.pointSizeF() > 0))
            m.font_.setPointSizeF(10);
    } else {
        // Without a saved font the designed face keeps the saved weight.
        const bool bold = m.font_.bold();
        m.font_ = designedFont();
        m.font_.setBold(bold);
    }
}

QList<QPair<QString, QVariant>> ctlMonth::PropertyDefaults()
{
    QList<QPair<QString, QVariant>> defaults;
    for (const SavedProperty& p : savedProperties())
        defaults.append({p.key, p.defaultValue});
    return defaults;
}

void ctlMonth::ReadProperties(const PropertyBag& bag)
{
    for (const SavedProperty& p : savedProperties()) {
        p.read(*this, bag, p);
        // The buttons are shown or hidden, and the grid laid out again,
        // before the cell split and the fixed grid are read.
        if (p.key == QLatin1String("ShowToday"))
            ShowNavButtons(showButtons_);
    }
    specialPeriodColor_ = 0; // not saved: black until the host assigns it
    syncMenu();
    update();
}

PropertyBag ctlMonth::WriteProperties() const
{
    PropertyBag bag;
    for (const SavedProperty& p : savedProperties())
        bag.insert(p.key, p.write(*this));
    return bag;
}
