#pragma once
// What the image calendar's source files share: its name in error messages,
// the error reporting of its routines and the band drawn around the legend.
#include "platform/widgets/ReportError.h"

#include <QPainter>
#include <QRect>
#include <QString>
#include <QWidget>
#include <utility>

namespace yearform {
inline const QString kForm = QStringLiteral("frmYear");

template <class F> void handled(const char* procedure, F&& f)
{
    guarded(QString::fromLatin1(procedure), UnitKind::Form, kForm, std::forward<F>(f));
}

// The bottom band: a white box with a black outline around legend and description.
class LegendBand : public QWidget {
public:
    explicit LegendBand(QWidget* parent) : QWidget(parent) { setObjectName("Picture2"); }
    void setFrame(const QRect& frame)
    {
        frame_ = frame;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        // One pixel wide rather than a hairline, which a PDF viewer may drop.
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(frame_.adjusted(0, 0, -1, -1));
    }

private:
    QRect frame_;
};
} // namespace yearform
