#include "monthcontrol/ctlMonthAccessible.h"

#include "model/DayNumber.h"
#include "monthcontrol/MonthGrid.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/IClock.h"
#include "platform/Services.h"

#include <QAccessibleWidget>
#include <QLocale>
#include <QPointer>
#include <QWindow>
#include <array>
#include <vector>

namespace ctlMonthAccessibility {

QString title(const ctlMonth& m)
{
    const QDate first = MonthGrid::checkedDate(m.FullDate());
    return QLocale().standaloneMonthName(first.month()) + QLatin1Char(' ') +
           QString::number(first.year());
}

QString weekdayName(const ctlMonth& m, int column)
{
    const QDate d = MonthGrid::checkedDate(m.DateOfCell(static_cast<int16_t>(column % 7 + 1)));
    return QLocale().dayName(d.dayOfWeek());
}

QString dayName(const ctlMonth& m, int16_t position)
{
    const clsDayBox& cell = *m.Days().Item(position);
    const double day = m.DateOfCell(position);
    const QDate d = MonthGrid::checkedDate(day);
    const QLocale locale;
    QString name = locale.dayName(d.dayOfWeek()) + QLatin1Char(' ') + QString::number(d.day()) +
                   QLatin1Char(' ') + locale.monthName(d.month()) + QLatin1Char(' ') +
                   QString::number(d.year());
    auto add = [&name](const QString& part) {
        if (!part.isEmpty())
            name += QStringLiteral(", ") + part;
    };
    add(cell.AccessibleText());
    for (const QString& line : m.MarkLines(position))
        add(line);
    if (m.ShowToday() && day == DayNumber::fromDate(clockService().today()))
        add(QStringLiteral("today"));
    if (m.InSpecialPeriod(position))
        add(m.SpecialPeriodName().isEmpty() ? QStringLiteral("special period")
                                            : m.SpecialPeriodName());
    if (cell.Flag() < 0)
        add(QStringLiteral("previous month"));
    else if (cell.Flag() > 0)
        add(QStringLiteral("next month"));
    return name;
}

namespace {

std::function<void(QAccessibleEvent&)>& listener()
{
    static std::function<void(QAccessibleEvent&)> l;
    return l;
}

bool listening()
{
    return QAccessible::isActive() || listener();
}

void send(QAccessibleEvent& e)
{
    if (listener())
        listener()(e);
    QAccessible::updateAccessibility(&e);
}

int dayRows(const ctlMonth& m)
{
    return std::clamp(m.RowCount() - 2, 0, MonthGrid::CellCount / 7);
}

// A day, a weekday header or the title: parts of the grid without a widget.
class GridPart : public QAccessibleInterface,
                 public QAccessibleTableCellInterface,
                 public QAccessibleActionInterface {
public:
    enum Kind { Caption, Header, Day };
    GridPart(ctlMonth* m, Kind kind, int index) : month_(m), kind_(kind), index_(index) {}

    bool isValid() const override { return month_; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return month_ ? month_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(month_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!month_ || (t != QAccessible::Name && t != QAccessible::Description))
            return {};
        if (t == QAccessible::Description)
            return kind_ == Day ? month_->DayToolTip(position()) : QString();
        switch (kind_) {
        case Caption: return title(*month_);
        case Header: return weekdayName(*month_, index_);
        default: return dayName(*month_, position());
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!month_)
            return {};
        const ctlMonth& m = *month_;
        QRect r;
        if (kind_ == Caption)
            r = QRect(0, 0, m.width(),
                      MonthGrid::boxPixels(0, 1, m.CellWidth(), m.CellHeight(), m.TwipsPerPixelX(),
                                           m.TwipsPerPixelY())
                          .top());
        else
            r = MonthGrid::boxPixels(static_cast<int16_t>(column()),
                                     static_cast<int16_t>(gridRow()), m.CellWidth(), m.CellHeight(),
                                     m.TwipsPerPixelX(), m.TwipsPerPixelY());
        return r.translated(m.mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::Role role() const override
    {
        switch (kind_) {
        case Caption: return QAccessible::StaticText;
        case Header: return QAccessible::ColumnHeader;
        default: return QAccessible::Cell;
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!month_)
            return s;
        s.invisible = !month_->isVisible() || (kind_ == Day && rowIndex() >= dayRows(*month_));
        if (kind_ == Day) {
            s.focusable = s.selectable = true;
            s.selected = isSelected();
            s.focused = s.selected && month_->FocusDayShown();
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (kind_ == Day && t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (kind_ == Day && t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // Table cell
    bool isSelected() const override
    {
        return month_ && month_->FocusDayActive() &&
               month_->CellOfDate(month_->FocusDate()) == position();
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column(); }
    int rowIndex() const override { return kind_ == Day ? index_ / 7 : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // Actions: a press is a click on the day.
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }
    void doAction(const QString& action) override
    {
        if (!month_ || kind_ != Day)
            return;
        if (action == setFocusAction())
            month_->setFocus(Qt::OtherFocusReason);
        if (action == pressAction() || action == setFocusAction()) {
            const double day = month_->DateOfCell(position());
            if (day >= month_->FullDate() && day <= month_->LastDay())
                month_->setFocusDate(day);
        }
        if (action == pressAction()) {
            // A day outside the month is pressed as the mouse would: its own date.
            if (month_->CellOfDate(month_->FocusDate()) == position())
                month_->PressFocusDay();
        }
    }

private:
    int16_t position() const { return static_cast<int16_t>(index_ + 1); }
    int column() const { return index_ % 7; }
    int gridRow() const { return kind_ == Header ? 1 : index_ / 7 + 2; }

    QPointer<ctlMonth> month_;
    Kind kind_;
    int index_;
};

class MonthTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit MonthTable(ctlMonth* m) : QAccessibleWidget(m, QAccessible::Table)
    {
        focusMoved_ = QObject::connect(m, &ctlMonth::FocusDayMoved, m, [this] { focusMoved(); });
    }
    ~MonthTable() override
    {
        QObject::disconnect(focusMoved_);
        for (QAccessible::Id id : ids_)
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }

    ctlMonth* month() const { return static_cast<ctlMonth*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString own = month()->accessibleName();
        return own.isEmpty() ? title(*month()) : own + QStringLiteral(", ") + title(*month());
    }

    // Children: the shown navigation buttons, the title, the weekdays, the days.
    int childCount() const override
    {
        return static_cast<int>(buttons().size()) + 1 + 7 + dayRows(*month()) * 7;
    }
    QAccessibleInterface* child(int index) const override
    {
        const auto navs = buttons();
        const int n = static_cast<int>(navs.size());
        if (index < 0 || index >= childCount())
            return nullptr;
        if (index < n)
            return QAccessible::queryAccessibleInterface(navs[static_cast<size_t>(index)]);
        index -= n;
        if (index == 0)
            return part(GridPart::Caption, 0);
        if (index <= 7)
            return part(GridPart::Header, index - 1);
        return part(GridPart::Day, index - 8);
    }
    int indexOfChild(const QAccessibleInterface* iface) const override
    {
        for (int i = 0, n = childCount(); i < n; ++i)
            if (child(i) == iface)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const ctlMonth& m = *month();
        const QPoint local = m.mapFromGlobal(QPoint(x, y));
        if (!m.rect().contains(local))
            return nullptr;
        for (QWidget* nav : buttons())
            if (nav->geometry().contains(local))
                return QAccessible::queryAccessibleInterface(nav);
        const double tx = m.TwipsPerPixelX(), ty = m.TwipsPerPixelY();
        const int row = m.RowAt(local.y() * ty), column = m.ColumnAt(local.x() * tx);
        if (row <= 0)
            return part(GridPart::Caption, 0);
        if (row == 1)
            return part(GridPart::Header, std::clamp(column, 0, 6));
        return cellAt(row - 2, std::clamp(column, 0, 6));
    }
    QAccessibleInterface* focusChild() const override
    {
        const ctlMonth& m = *month();
        if (!m.FocusDayShown())
            return nullptr;
        const int cell = m.CellOfDate(m.FocusDate()) - 1;
        return cell >= 0 ? part(GridPart::Day, cell) : nullptr;
    }

    // Table
    QAccessibleInterface* caption() const override { return part(GridPart::Caption, 0); }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || row >= dayRows(*month()) || column < 0 || column > 6)
            return nullptr;
        return part(GridPart::Day, row * 7 + column);
    }
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        const ctlMonth& m = *month();
        const int cell = m.CellOfDate(m.FocusDate()) - 1;
        if (!m.FocusDayActive() || cell < 0)
            return {};
        return {part(GridPart::Day, cell)};
    }
    QString columnDescription(int column) const override { return weekdayName(*month(), column); }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 7; }
    int rowCount() const override { return dayRows(*month()); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    QAccessibleInterface* part(GridPart::Kind kind, int index) const
    {
        const size_t slot = kind == GridPart::Caption  ? 0
                            : kind == GridPart::Header ? 1 + static_cast<size_t>(index)
                                                       : 8 + static_cast<size_t>(index);
        QAccessible::Id& id = ids_[slot];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new GridPart(month(), kind, index));
        return QAccessible::accessibleInterface(id);
    }

    // What changed since the last announcement: a new month, rows or first
    // weekday is a new table; otherwise the days whose words changed.
    void announce()
    {
        const ctlMonth& m = *month();
        Snapshot now;
        now.title = title(m);
        now.rows = dayRows(m);
        now.firstDay = MonthGrid::checkedDate(m.StartDate()).dayOfWeek();
        for (int16_t p = 1; p <= now.rows * 7; ++p)
            now.days.push_back(dayName(m, p));
        if (now.title != last_.title || now.rows != last_.rows || now.firstDay != last_.firstDay) {
            QAccessibleTableModelChangeEvent reset(month(),
                                                   QAccessibleTableModelChangeEvent::ModelReset);
            send(reset);
            QAccessibleEvent renamed(month(), QAccessible::NameChanged);
            send(renamed);
        }
        for (size_t i = 0; i < now.days.size(); ++i) {
            if (i < last_.days.size() && last_.days[i] == now.days[i])
                continue;
            QAccessibleEvent renamed(part(GridPart::Day, static_cast<int>(i)),
                                     QAccessible::NameChanged);
            send(renamed);
        }
        last_ = std::move(now);
        focusMoved();
    }

private:
    struct Snapshot {
        QString title;
        int rows = -1;
        int firstDay = 0;
        std::vector<QString> days;
    };

    std::vector<QWidget*> buttons() const
    {
        std::vector<QWidget*> shown;
        for (int i = 0; i < 4; ++i)
            if (QWidget* nav = month()->imgNav(i); nav && nav->isVisibleTo(month()))
                shown.push_back(nav);
        return shown;
    }

    void focusMoved()
    {
        if (!listening())
            return;
        const ctlMonth& m = *month();
        const int cell = m.CellOfDate(m.FocusDate()) - 1;
        if (!m.FocusDayShown() || cell < 0 || cell == announcedFocus_)
            return;
        announcedFocus_ = cell;
        QAccessibleEvent focus(part(GridPart::Day, cell), QAccessible::Focus);
        send(focus);
    }

    mutable std::array<QAccessible::Id, 1 + 7 + MonthGrid::CellCount> ids_{};
    QMetaObject::Connection focusMoved_;
    Snapshot last_;
    int announcedFocus_ = -1;
};

QList<QAccessibleInterface*> GridPart::columnHeaderCells() const
{
    auto* t = month_ ? dynamic_cast<MonthTable*>(parent()) : nullptr;
    return t ? QList<QAccessibleInterface*>{t->part(Header, column())}
             : QList<QAccessibleInterface*>{};
}

// The pictures are pressed like buttons, with the names a user would say.
class NavButton : public QAccessibleWidget {
public:
    explicit NavButton(imgNavPicture* nav) : QAccessibleWidget(nav, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override
    {
        static const char* const names[] = {"Previous year", "Previous month", "Next month",
                                            "Next year"};
        if (t == QAccessible::Name)
            return QString::fromLatin1(names[nav()->Index() & 3]);
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            nav()->Press();
    }

private:
    imgNavPicture* nav() const { return static_cast<imgNavPicture*>(widget()); }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* m = qobject_cast<ctlMonth*>(object))
        return new MonthTable(m);
    if (auto* nav = qobject_cast<imgNavPicture*>(object))
        return new NavButton(nav);
    return nullptr;
}

} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void setListener(std::function<void(QAccessibleEvent&)> l)
{
    listener() = std::move(l);
}

void announce(ctlMonth& month)
{
    if (!listening())
        return;
    if (auto* table = dynamic_cast<MonthTable*>(QAccessible::queryAccessibleInterface(&month)))
        table->announce();
}

} // namespace ctlMonthAccessibility
