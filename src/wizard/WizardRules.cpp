#include "wizard/WizardRules.h"

#include "platform/Convert.h"

#include <algorithm>

QList<RotationTemplate> TemplatesFor(int platoons)
{
    auto row = [](const char* pattern, const char* description, const char* sequence) {
        return RotationTemplate{QString::fromLatin1(pattern), QString::fromLatin1(description),
                                QString::fromLatin1(sequence)};
    };
    switch (platoons) {
    case 1: return {row("XXXXXOO", "5 Days on - 2 days off", "1111100")};
    case 2: return {row("XO", "24 on - 24 off", "12")};
    case 3:
        return {
            row("XOO", "24 on - 48 off", "123"),
            row("XXOOOO", "48 on - 96 off", "112233"),
            row("XOXOXOOOO", "Modified Detroit", "131212323"),
            row("XOXOOXOXOOOO", "56-Hrs. 12 day cycle", "131321213232"),
            row("XOXOOXOXOOOO", "48 and 96 off, 12 day cycle", "131321213232"),
            row("XOXOXOXOXOOOOOO", "6 days off, 15 day cycle", "131312121232323"),
            row("XOXOXOOXOXOXOOOOOO", "6 days off, 18 day cycle", "131313212121323232"),
            row("XOXOXOXOOOXOXOOXOOOOO", "72 and 120 off, 21 day cycle", "131212132313132123232"),
            row("XOXOXOXOXOXOXOOOOOOOO", "8 days off, 21 day cycle", "131313121212123232323"),
            row("XXXXXXXOOOOOOOOOOOOOO", "1 week on, 2 weeks off", "111111122222223333333"),
            row("XOXOXOXOOOOXOXOXOXOOOOOO", "6 days off, 24 day cycle", "131212123231313121232323"),
        };
    default: return {};
    }
}

QString RoundRobin(int platoons, int repeats)
{
    QString one;
    for (int k = 1; k <= platoons; ++k)
        one += QString::number(k);
    return one.repeated(std::max(repeats, 0));
}

double LeadingNumber(const QString& text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    const int start = i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    while (i < text.size() && text[i].isDigit())
        ++i;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text[i].isDigit())
            ++i;
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0.0;
}

CycleChoice ChooseCycle(int selectedIndex, const QString& typed, int platoons)
{
    if (selectedIndex >= 0)
        return {CycleChoice::Entry, selectedIndex, 0, {}};
    const double typedDays = LeadingNumber(typed);
    // Compared before rounding so that a huge number cannot overflow the int.
    if (typedDays >= kLongestCycle + 0.5)
        return {CycleChoice::Refused, -1, 0,
                QStringLiteral("A cycle can be at most %1 days long.").arg(kLongestCycle)};
    const int days = static_cast<int>(RoundHalfEven(typedDays));
    if (days < 1)
        return {CycleChoice::Refused, -1, 0,
                QStringLiteral("A cycle must be at least 1 day long.")};
    if (platoons > 0 && days % platoons == 0) {
        const int index = days / platoons - 1;
        if (index >= kCycleEntries)
            return {CycleChoice::Refused, -1, 0,
                    QStringLiteral("With %1 platoons the longest regular cycle is %2 days.")
                        .arg(platoons)
                        .arg(kCycleEntries * platoons)};
        return {CycleChoice::Entry, index, 0, {}};
    }
    return {CycleChoice::Irregular, -1, days, {}};
}

QString MovedLeft(const QString& s)
{
    return s.isEmpty() ? s : s.mid(1) + s.left(1);
}

QString MovedRight(const QString& s)
{
    return s.isEmpty() ? s : s.right(1) + s.left(s.size() - 1);
}

QString Reversed(const QString& s)
{
    QString r = s;
    std::reverse(r.begin(), r.end());
    return r;
}

QString RefusedTextMessage(const QString& field, const QString& text)
{
    static const QString refused = QStringLiteral("\"|<>");
    for (const QChar c : text) {
        if (!refused.contains(c))
            continue;
        const QString name = c == QLatin1Char('"') ? QStringLiteral("a double quote (\")")
                                                   : QStringLiteral("the character \"%1\"").arg(c);
        return QStringLiteral("The %1 \"%2\" contains %3, which a saved schedule cannot hold. "
                              "Please remove it.")
            .arg(field, text, name);
    }
    return QString();
}
