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
        // The outline filled as whole pixels, not stroked: a stroke is centred
        // on the pixel's edge, and on a page the legend boxes cover half of it.
        p.fillRect(frame_, Qt::black);
        p.fillRect(frame_.adjusted(1, 1, -1, -1), Qt::white);
    }

private:
    QRect frame_;
};
} // namespace yearform
