#pragma once
// Shared pieces of the month control tests: a fixture with pinned services
// and today's date, a signal recorder, synthetic mouse input and PNG output.
#include "model/DayNumber.h"
#include "monthcontrol/ctlMonth.h"
#include "support/Fakes.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

inline double dn(int y, int m, int d)
{
    return DayNumber::fromDate(QDate(y, m, d));
}

// A control that records popup requests instead of opening the menu.
class TestMonth : public ctlMonth {
public:
    int popups = 0;

protected:
    void showPopupMenu(const QPoint&) override { ++popups; }
};

// Every signal of the control, in the order they arrive.
class SignalLog {
public:
    explicit SignalLog(ctlMonth& m)
    {
        QObject::connect(&m, &ctlMonth::SettingChange,
                         [this](const QString& s) { log << "SettingChange(" + s + ")"; });
        QObject::connect(&m, &ctlMonth::Show, [this] { log << "Show"; });
        QObject::connect(&m, &ctlMonth::SelectionChange, [this](double d) {
            log << "SelectionChange(" + DayNumber::toDate(d).toString(Qt::ISODate) + ")";
        });
        QObject::connect(&m, &ctlMonth::DateChange, [this] { log << "DateChange"; });
        QObject::connect(&m, &ctlMonth::MouseDown, [this](int b, int, double, double) {
            log << QString("MouseDown(%1)").arg(b);
        });
        QObject::connect(&m, &ctlMonth::MouseUp, [this](int b, int, double, double) {
            log << QString("MouseUp(%1)").arg(b);
        });
        QObject::connect(&m, &ctlMonth::Click, [this] { log << "Click"; });
        QObject::connect(&m, &ctlMonth::DblClick, [this] { log << "DblClick"; });
        QObject::connect(&m, &ctlMonth::CellSelect, [this] { log << "CellSelect"; });
        QObject::connect(&m, &ctlMonth::MonthChange, [this] { log << "MonthChange"; });
    }
    QStringList take()
    {
        QStringList l = log;
        log.clear();
        return l;
    }
    QStringList log;
};

inline void sendMouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button,
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
    const double tx = m.TwipsPerPixelX(), ty = m.TwipsPerPixelY();
    const QPoint a(int(std::lround(col * m.CellWidth() / tx)),
                   int(std::lround(row * m.CellHeight() / ty)));
    const QPoint b(int(std::lround((col + 1) * m.CellWidth() / tx)),
                   int(std::lround((row + 1) * m.CellHeight() / ty)));
    return QRect(a, b).adjusted(inset, inset, -inset, -inset);
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
    // Centre of grid cell (row, column), in pixels.
    static QPointF cellCentre(const ctlMonth& m, int row, int col)
    {
        return {(col + 0.5) * m.CellWidth() / m.TwipsPerPixelX(),
                (row + 0.5) * m.CellHeight() / m.TwipsPerPixelY()};
    }
    static QImage render(ctlMonth& m, const QString& pngName = QString())
    {
        m.Repaint();
        QImage img = m.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString out = qEnvironmentVariable("TARNWELL_TEST_OUT");
        if (!pngName.isEmpty() && !out.isEmpty()) {
            QDir().mkpath(out);
            img.save(out + "/" + pngName + ".png");
        }
        return img;
    }

    ScopedFakeServices fakes;
};
