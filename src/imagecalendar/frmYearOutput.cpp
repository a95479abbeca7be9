// The image calendar's output: printing, the page setup, Save As, Open With
// and the PDF writer.
#include "imagecalendar/frmYear.h"

#include "imagecalendar/YearLayout.h"
#include "imagecalendar/frmYearSupport.h"
#include "imagecalendar/modCapture.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/IShell.h"
#include "platform/Services.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/IPrinters.h"
#include "platform/widgets/MsgBox.h"
#include "storage/Module1Files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
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

double frmYear::GetPageRatio()
{
    try {
        QPrinter* printer = printerService().defaultPrinter();
        if (!printer && ownPrinterSetUp_)
            printer = ownPrinter_.get();
        if (!printer)
            return YearLayout::DefaultPageRatio;
        const QRectF r = printer->pageLayout().paintRect(QPageLayout::Point);
        return YearLayout::pageRatio(r.height(), r.width());
    } catch (const std::exception&) {
        return YearLayout::DefaultPageRatio;
    }
}

QPrinter* frmYear::setupPrinter()
{
    if (QPrinter* printer = printerService().defaultPrinter())
        return printer;
    if (!ownPrinter_)
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return ownPrinter_.get();
}

void frmYear::CaptureCalendar()
{
    try {
        layOut();
        QCoreApplication::processEvents();
        const QPixmap picture = CaptureFormClient(*this);
        if (!picture.isNull())
            capture_ = picture;
    } catch (const std::exception&) {
        // A failed capture keeps the previous picture.
    }
}

void frmYear::mnuFilePrintToFitPage_Click()
{
    QPrinter* printer = printerService().defaultPrinter();
    if (!printer) {
        // No printer: the system's print dialog, which can print to a PDF file.
        printer = setupPrinter();
        const bool portrait =
            YearLayout::orientationForPicture(client_->size()) == YearLayout::Portrait;
        printer->setPageOrientation(portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
        if (!printerService().printDialog(*printer, this))
            return;
    }
    months_.front()->setShowButtons(false);
    QCoreApplication::processEvents();
    CaptureCalendar();
    PrintPictureToFitPage(*printer, capture_);
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
    QPrinter* printer = setupPrinter();
    const bool accepted = printerService().pageSetupDialog(*printer, this);
    if (printer == ownPrinter_.get() && accepted)
        ownPrinterSetUp_ = true;
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
}

void frmYear::mnuFileOpenWith_Click()
{
    handled("mnuFileOpenWith_Click", [&] {
        const QString path = UserTempFolder() + QStringLiteral("/calendar_image.bmp");
        months_.front()->setShowButtons(false);
        QCoreApplication::processEvents();
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

void WriteCalendarPdf(frmYear& form, const QString& path)
{
    form.layOut();
    QWidget* client = form.ClientArea();
    const QSize size = client->size();
    if (size.isEmpty())
        throw Err::make(Err::InvalidCall, QStringLiteral("The calendar has no size"));
    // Drawn in memory first: a PDF cut short by a full disk is no PDF.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&document);
    pdf.setCreator(AppTitle());
    pdf.setTitle(form.windowTitle());
    QPageSize page(QPageSize::A4);
    if (QPrinter* printer = printerService().defaultPrinter())
        page = printer->pageLayout().pageSize();
    const bool portrait = YearLayout::orientationForPicture(size) == YearLayout::Portrait;
    // The margins QPrinter gives a PDF page, so both fit the same area.
    pdf.setPageLayout(QPageLayout(page, portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&pdf))
        throw Err::make(Err::InvalidCall, QStringLiteral("The page could not be drawn"));
    const QRect printable = pdf.pageLayout().paintRectPixels(pdf.resolution());
    const QSizeF out = YearLayout::fitToPage(size, printable.size());
    painter.scale(out.width() / size.width(), out.height() / size.height());
    client->render(&painter, QPoint(), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
    if (!painter.end())
        throw Err::make(Err::InvalidCall, QStringLiteral("The page could not be drawn"));
    WriteWholeFile(path, document.data());
}
