#pragma once
// Shared pieces of the month control tests: a fixture with pinned services
// and today's date (Wednesday 12 March 2008), a signal recorder and mouse input.
#include "model/DayNumber.h"
#include "monthcontrol/ctlMonth.h"
#include "support/DataFiles.h"
#include "support/FakeMessageBox.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

inline double dn(int y, int m, int d)
{
    return DayNumber::fromDate(QDate(y, m, d));
}

// A control that records popup requests instead of opening the menu.
class TestMonth : public ctlMonth {
public:
    int popups = 0;
    void showPopupMenu(const QPoint&) override { ++popups; }
};

// The signals a host acts on, in the order they arrive.
class SignalLog {
public:
    explicit SignalLog(ctlMonth& m)
    {
        auto add = [this](const QString& s) { log << s; };
        auto mouse = [add](const char* name) {
            return [add, name](int b, int, double, double) {
                add(QString("%1(%2)").arg(name).arg(b));
            };
        };
        QObject::connect(&m, &ctlMonth::SettingChange,
                         [add](const QString& s) { add("SettingChange(" + s + ")"); });
        QObject::connect(&m, &ctlMonth::SelectionChange, [add](double d) {
            add("SelectionChange(" + DayNumber::toDate(d).toString(Qt::ISODate) + ")");
        });
        QObject::connect(&m, &ctlMonth::MouseDown, mouse("MouseDown"));
        QObject::connect(&m, &ctlMonth::MouseUp, mouse("MouseUp"));
        for (const auto& [signal, name] : {std::pair{&ctlMonth::Show, "Show"},
                                           {&ctlMonth::DateChange, "DateChange"},
                                           {&ctlMonth::Click, "Click"},
                                           {&ctlMonth::DblClick, "DblClick"}})
            QObject::connect(&m, signal, [add, name] { add(name); });
    }
    QStringList take() { return std::exchange(log, {}); }
    QStringList log;
};

inline void sendMouse(QWidget* w, QEvent::Type type, QPointF pos,
                      Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, mods);
    QApplication::sendEvent(w, &e);
}

inline void clickAt(QWidget* w, QPointF pos, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    sendMouse(w, QEvent::MouseButtonPress, pos, button, mods);
    sendMouse(w, QEvent::MouseButtonRelease, pos, button, mods);
}

// Pixel rectangle of grid cell (row, column), shrunk away from the lines.
inline QRect cellPixels(const ctlMonth& m, int row, int col, int inset = 3)
{
    const double w = m.CellWidth() / m.TwipsPerPixelX(), h = m.CellHeight() / m.TwipsPerPixelY();
    return QRect(QPoint(int(std::lround(col * w)), int(std::lround(row * h))),
                 QPoint(int(std::lround((col + 1) * w)), int(std::lround((row + 1) * h))))
        .adjusted(inset, inset, -inset, -inset);
}

// Corner samples of a cell: away from text, they show the fill.
inline QColor cornerOf(const QImage& img, const ctlMonth& m, int row, int col)
{
    return img.pixelColor(cellPixels(m, row, col).topLeft());
}

class MonthFixture : public ::testing::Test {
protected:
    void SetUp() override { fakes.clockFake->setToday(QDate(2008, 3, 12)); }

    // A shown control of the given pixel size, displaying the given month.
    std::unique_ptr<TestMonth> makeMonth(int w, int h, double month = 0)
    {
        auto m = std::make_unique<TestMonth>();
        m->resize(w, h);
        m->show();
        if (month > 0)
            m->setFullDate(month);
        return m;
    }
    static QPointF cellCentre(const ctlMonth& m, int row, int col)
    {
        return {(col + 0.5) * m.CellWidth() / m.TwipsPerPixelX(),
                (row + 0.5) * m.CellHeight() / m.TwipsPerPixelY()};
    }
    static QImage render(ctlMonth& m)
    {
        m.Repaint();
        return m.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    ScopedFakeUiServices fakes;
};
