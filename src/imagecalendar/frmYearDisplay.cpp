// What the image calendar shows: the window shaped like the page, the bands
// and months laid out, and the title, legend and description texts.
#include "imagecalendar/frmYear.h"

#include "imagecalendar/YearLayout.h"
#include "imagecalendar/frmYearSupport.h"
#include "mainwindow/FormPlacement.h"
#include "mainwindow/PicturePane.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/Convert.h"
#include "platform/widgets/MsgBox.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>
#include <cmath>

using namespace yearform;

namespace {
QRect toPixels(const QRectF& twips, double tx, double ty)
{
    return {TwipsToPixels(twips.left(), tx), TwipsToPixels(twips.top(), ty),
            TwipsToPixels(twips.width(), tx), TwipsToPixels(twips.height(), ty)};
}
} // namespace

// ---------------------------------------------------------------- layout

void frmYear::RebuildMonths()
{
    while (LoadedMonths() > monthCount_) {
        ctlMonth* last = months_.back();
        months_.pop_back();
        last->disconnect(this);
        delete last;
    }
    while (LoadedMonths() < monthCount_)
        makeMonth()->setVisible(true);
}

void frmYear::ArrangeMonths()
{
    if (const auto a = YearLayout::arrangement(monthCount_, orientation_)) {
        rowCount_ = a->rows;
        columnCount_ = a->columns;
    }
    Form_Resize();
}

void frmYear::shapeWindow()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect avail = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    // A full-screen window's height less its frame, known or not yet.
    const int menu = menuBar()->sizeHint().height();
    int h = avail.height() - kFrameAllowance.height();
    const double ratio = pageRatio_ > 0 ? pageRatio_ : YearLayout::DefaultPageRatio;
    const double widthPerHeight = YearLayout::innerWidthFor(1, ratio, orientation_);
    int w = static_cast<int>(std::lround((h - menu) * widthPerHeight));
    // A landscape page as tall as the screen is wider than it: the shape is
    // kept, the window made smaller.
    const int widest = avail.width() - kFrameAllowance.width();
    if (w > widest) {
        w = widest;
        h = menu + static_cast<int>(std::lround(w / widthPerHeight));
    }
    move(std::clamp(x(), avail.left(), avail.left() + widest - w),
         avail.top() + TwipsToPixels(60, TwipsPerPixelY()));
    resize(std::max(1, w), std::max(1, h));
}

void frmYear::layOut()
{
    // A window not shown yet has not laid out its client area for its size.
    if (!isVisible() && layout())
        layout()->setGeometry(rect());
    Form_Resize();
}

bool frmYear::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        DeferMessages deferred;
        Form_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmYear::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmYear::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const double ty = TwipsPerPixelY();
    const QSize c = client_->size();
    const auto b = YearLayout::bands(c.height() * ty, rowCount_);
    const int h1 = TwipsToPixels(b.title, ty), h2 = TwipsToPixels(b.legend, ty);
    Picture1->setGeometry(0, 0, c.width(), h1);
    Picture2->setGeometry(0, c.height() - h2, c.width(), h2);
    if (c.height() - h2 - h1 >= 0)
        Picture3->setGeometry(0, h1, c.width(), c.height() - h2 - h1);
    Picture1_Resize();
    Picture2_Resize();
    Picture3_Resize();
}

void frmYear::Picture1_Resize()
{
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const QRect r = toPixels(
        YearLayout::titleBox(QSizeF(Picture1->width() * tx, Picture1->height() * ty)), tx, ty);
    if (r.width() < 0 || r.height() < 0)
        return; // a band too small for its margins keeps its box
    const QSize before = picTitle->size();
    picTitle->setGeometry(r);
    if (picTitle->size() != before) {
        const auto shift = shiftAt(shiftIndex_);
        PrintCentered(picTitle, shift ? shift->title() : source_.schedule->title());
    }
}

void frmYear::Picture2_Resize()
{
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const auto boxes =
        YearLayout::legendBoxes(QSizeF(Picture2->width() * tx, Picture2->height() * ty), tx, ty);
    const QRect frame = toPixels(boxes.frame, tx, ty);
    static_cast<LegendBand*>(Picture2)->setFrame(frame);
    QRect platoons = toPixels(boxes.platoons, tx, ty);
    QRect description = toPixels(boxes.description, tx, ty);
    if (platoons.width() < 0 || platoons.height() < 0)
        return;
    // Rounded on their own, the boxes can reach onto the outline and hide it.
    const QRect inside = frame.adjusted(1, 1, -1, -1);
    platoons = platoons.intersected(inside);
    description = description.intersected(inside);
    const QSize platoonsBefore = picPlatoons->size();
    const QSize descriptionBefore = picDescription->size();
    picPlatoons->setGeometry(platoons);
    picDescription->setGeometry(description);
    if (picPlatoons->size() != platoonsBefore)
        PrintPlatoons();
    if (picDescription->size() != descriptionBefore)
        PrintCentered(picDescription, descriptionText_);
}

void frmYear::Picture3_Resize()
{
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const auto rects =
        YearLayout::monthRects(QSizeF(Picture3->width() * tx, Picture3->height() * ty), rowCount_,
                               columnCount_, std::min(LoadedMonths(), rowCount_ * columnCount_));
    for (size_t k = 0; k < rects.size(); ++k) {
        const QRect r = toPixels(rects[k], tx, ty);
        if (r.width() > 0 && r.height() > 0) // a refused size is skipped
            months_[k]->setGeometry(r);
    }
}

// ---------------------------------------------------------------- texts

void frmYear::FitFont(PicturePane* box, const QString& text)
{
    box->setFontSize(YearLayout::fitFontSize(box->FontSize(), QSizeF(box->size()),
                                             QSizeF(box->TextWidth(text), box->TextHeight(text)),
                                             0.8, 0.8, 0.9));
}

void frmYear::PrintCentered(PicturePane* box, const QString& text)
{
    FitFont(box, text);
    QString shown = text;
    const auto& schedule = *source_.schedule;
    // A long title shrunk below half the band reads better as the initials
    // (when there are any).
    if (text == schedule.title() &&
        static_cast<float>(box->height() / 2.0) > box->TextHeight(text) &&
        !schedule.Initials().isEmpty()) {
        shown = schedule.Initials();
        FitFont(box, shown);
    }
    box->Cls();
    box->Print(shown, QPointF((box->width() - box->TextWidth(shown)) / 2,
                              (box->height() - box->TextHeight(shown)) / 2));
}

void frmYear::PrintPlatoons()
{
    const auto shift = shiftAt(shiftIndex_);
    const auto platoons = shift ? shift->Platoons() : nullptr;
    if (!platoons || platoons->Count() == 0)
        return;
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const int n = platoons->Count();
    const double boxWidth = picPlatoons->width() * tx;
    const double boxHeight = picPlatoons->height() * ty;
    const double slot = RoundHalfEven(boxWidth / n);
    picPlatoons->Cls();
    for (int i = 1; i <= n; ++i) {
        const auto& p = platoons->Item(i);
        const double x = RoundHalfEven((i - 1) * slot + slot / 2);
        const QString s = LegendText(p->Code(), p->Description(), picPlatoons->width());
        const QSizeF text(picPlatoons->TextWidth(s) * tx, picPlatoons->TextHeight(s) * ty);
        picPlatoons->setFontSize(YearLayout::fitFontSize(
            picPlatoons->FontSize(), QSizeF(slot, boxHeight), text, 0.9, 0.8, 0.8));
        const double sw = picPlatoons->TextWidth(s) * tx;
        const double sh = picPlatoons->TextHeight(s) * ty;
        picPlatoons->Print(s, QPointF((x - sw / 2) / tx, (boxHeight - sh) / 2 / ty), p->Color());
    }
}

void frmYear::Repaint()
{
    handled("Repaint", [&] {
        PrintCentered(picTitle, source_.schedule->title());
        PrintPlatoons();
        PrintCentered(picDescription, descriptionText_);
    });
}
