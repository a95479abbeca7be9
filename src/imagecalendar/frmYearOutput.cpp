// The image calendar's output: printing, the page setup, Save As, Open With
// and the PDF writer.
#include "imagecalendar/frmYear.h"

#include "calendars/OtherCalendars.h"
#include "imagecalendar/YearLayout.h"
#include "imagecalendar/frmYearSupport.h"
#include "imagecalendar/modCapture.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/IShell.h"
#include "platform/Services.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/IPrinters.h"
#include "platform/widgets/MsgBox.h"
#include "session/CalendarSession.h"
#include "storage/Module1Files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>

using namespace yearform;

// ---------------------------------------------------------------- output

QString frmYear::SaveAsFilter()
{
    return QStringLiteral("Windows Bitmap (*.bmp)|*.bmp") +
           QStringLiteral("|Graphics Interchange Format (*.gif)|*.gif") +
           QStringLiteral("|JPEG File Interchange Format (*.jpg,*.jpeg)|*.jpg") +
           QStringLiteral("|Portable Network Graphics (*.png)|*.png") +
           QStringLiteral("|Portable Document Format (*.pdf)|*.pdf");
}

QPageLayout PrintedPage(const QPageSize& paper)
{
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
}

namespace {
// A page without a printer or a choice is Letter, as the window's shape then is.
QPageLayout defaultPage()
{
    return PrintedPage(QPageSize(QPageSize::Letter));
}

QPageLayout::Orientation orientationFor(QSize picture)
{
    return YearLayout::orientationForPicture(picture) == YearLayout::Portrait
               ? QPageLayout::Portrait
               : QPageLayout::Landscape;
}
} // namespace

std::optional<QPageLayout> frmYear::PageLayout() const
{
    if (QPrinter* printer = printerService().defaultPrinter())
        return printer->pageLayout();
    if (page_)
        return page_;
    return printerService().chosenPage;
}

void frmYear::setPageLayout(const QPageLayout& page)
{
    page_ = page;
    pageRatio_ = GetPageRatio();
    mnuOrientationPick_Click(YearLayout::orientationForRatio(pageRatio_));
}

double frmYear::GetPageRatio()
{
    try {
        const auto page = PageLayout();
        if (!page)
            return YearLayout::DefaultPageRatio;
        const QRectF r = page->paintRect(QPageLayout::Point);
        return YearLayout::pageRatio(r.height(), r.width());
    } catch (const std::exception&) {
        return YearLayout::DefaultPageRatio;
    }
}

void frmYear::CaptureCalendar()
{
    try {
        // A picture cannot take the other calendars' days later, as the
        // window does: they are worked out first.
        if (source_.notes && !months_.empty()) {
            source_.notes->Calendars().WaitFor(months_.front()->DateOfCell(1),
                                               months_.back()->DateOfCell(42));
            RefreshNotes();
        }
        layOut();
        QCoreApplication::processEvents();
        const QPixmap picture = CaptureFormClient(*this);
        if (!picture.isNull())
            capture_ = picture;
    } catch (const std::exception&) {
        // A failed capture keeps the previous picture.
    }
}

void frmYear::hideNavigation()
{
    months_.front()->setShowButtons(false);
    for (ctlMonth* m : months_)
        m->HideFocusDay();
    QCoreApplication::processEvents();
}

void frmYear::mnuFilePrintToFitPage_Click()
{
    QPrinter* printer = printerService().defaultPrinter();
    // No printer: the system's print dialog, which can print to a PDF file.
    std::unique_ptr<QPrinter> chosen;
    if (!printer) {
        chosen = std::make_unique<QPrinter>(QPrinter::HighResolution);
        chosen->setPageLayout(PageLayout().value_or(defaultPage()));
        chosen->setPageOrientation(orientationFor(client_->size()));
        if (!printerService().printDialog(*chosen, this))
            return;
        printer = chosen.get();
    }
    hideNavigation();
    CaptureCalendar();
    handled("mnuFilePrintToFitPage_Click", [&] {
        printer->setCreator(AppTitle());
        printer->setDocName(windowTitle());
        DrawCalendarPage(*this, *printer);
    });
}

void frmYear::mnuFilePrinterSetup_Click()
{
    mnuFilePrinterSetup->setEnabled(false);
    setCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    // The menus and the calendar, not the window: a disabled window would
    // disable the dialog it owns.
    menuBar()->setEnabled(false);
    client_->setEnabled(false);
    if (QPrinter* printer = printerService().defaultPrinter()) {
        printerService().pageSetupDialog(*printer, this);
    } else {
        // Without a printer the paper is still chosen, for the window's shape
        // and the PDF, and kept for the run.
        QPrinter setup(QPrinter::HighResolution);
        setup.setPageLayout(PageLayout().value_or(defaultPage()));
        if (printerService().pageSetupDialog(setup, this))
            printerService().chosenPage = page_ = setup.pageLayout();
    }
    QCoreApplication::processEvents();
    menuBar()->setEnabled(true);
    client_->setEnabled(true);
    mnuFilePrinterSetup->setEnabled(true);
    pageRatio_ = GetPageRatio();
    mnuOrientationPick_Click(YearLayout::orientationForRatio(pageRatio_));
    unsetCursor();
}

void frmYear::mnuFileSaveAs_Click()
{
    // The arrows are for the screen, not the file; they come back after.
    const bool arrows = months_.front()->ShowButtons();
    hideNavigation();
    CaptureCalendar();
    handled("mnuFileSaveAs_Click", [&] {
        const QString name = dialogsService().saveFileName(
            this, QStringLiteral("Save As"), QStringLiteral("Calendar_Image"), SaveAsFilter());
        if (name.isEmpty())
            return; // cancelled
        const QByteArray format = PictureFormatFor(name);
        if (format == "gif") {
            MsgBox(QStringLiteral("Pictures cannot be saved in the Graphics Interchange Format "
                                  "(GIF). Choose a name ending in .png, .bmp, .jpg or .pdf."),
                   Msg::OKOnly | Msg::Exclamation);
            return;
        }
        if (format == "pdf")
            WriteCalendarPdf(*this, name);
        else
            SavePicture(capture_, name, format);
    });
    if (!months_.empty())
        months_.front()->setShowButtons(arrows);
}

void frmYear::mnuFileOpenWith_Click()
{
    handled("mnuFileOpenWith_Click", [&] {
        const QString path = UserTempFolder() + QStringLiteral("/calendar_image.bmp");
        hideNavigation();
        CaptureCalendar();
        SavePicture(capture_, path, "bmp", WriteMode::Private);
        QCoreApplication::processEvents();
        const auto tell = [path] {
            MsgBox(QStringLiteral("No program could be offered for the picture. It is saved as:"
                                  "\r\n\r\n%1")
                       .arg(QDir::toNativeSeparators(path)),
                   Msg::OKOnly | Msg::Information, QStringLiteral("Open With"));
        };
        if (!shell().OpenWithChooser(path, tell))
            tell();
    });
}

void DrawCalendarPage(frmYear& form, QPagedPaintDevice& device)
{
    form.layOut();
    QWidget* client = form.ClientArea();
    const QSize size = client->size();
    if (size.isEmpty())
        throw Err::make(Err::InvalidCall, QStringLiteral("The calendar has no size"));
    device.setPageOrientation(orientationFor(size));
    QPainter painter;
    if (!painter.begin(&device))
        throw Err::make(482, QStringLiteral("Printer error"));
    // Recorded first: a widget rendered straight onto a printer is drawn
    // into a picture of the page, and prints soft.
    QPicture drawing;
    QPainter recorder(&drawing);
    client->render(&recorder, QPoint(), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
    recorder.end();
    const QRect printable = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QSizeF out = YearLayout::fitToPage(size, printable.size());
    // A recording plays back scaled from its resolution to the device's.
    const double played = double(device.logicalDpiX()) / drawing.logicalDpiX();
    painter.scale(out.width() / size.width() / played, out.height() / size.height() / played);
    painter.drawPicture(0, 0, drawing);
    if (!painter.end())
        throw Err::make(482, QStringLiteral("Printer error"));
}

void WriteCalendarPdf(frmYear& form, const QString& path)
{
    // Drawn in memory first: a PDF cut short by a full disk is no PDF.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&document);
    pdf.setCreator(AppTitle());
    pdf.setTitle(form.windowTitle());
    pdf.setPageLayout(form.PageLayout().value_or(defaultPage()));
    DrawCalendarPage(form, pdf);
    WriteWholeFile(path, document.data());
}
