// What the image calendar hands out: the printed page, the saved pictures,
// the PDF, the "Open With" picture, and how the main window opens it.
#include "imagecalendar/ImageCalendarTestSupport.h"
#include "imagecalendar/YearLayout.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

#include <QFileInfo>
#include <QImageReader>
#include <set>
#include <unistd.h>

TEST_F(ImageCalendarTest, PrintAsksForAPrinterOnlyWithoutOneSetupReshapesAndPrintFillsThePage)
{
    auto f = shown();
    click(*f, "mnuFilePrintToFitPage"); // cancelled
    EXPECT_EQ(facts(printers->printDialogs, f->Month(0)->ShowButtons()), "1 true");
    printers->printDialogFile = file("chosen.pdf");
    click(*f, "mnuFilePrintToFitPage");
    EXPECT_EQ(facts(printers->printDialogs, f->Month(0)->ShowButtons()), "2 false");
    EXPECT_GT(QFileInfo(file("chosen.pdf")).size(), 0);
    EXPECT_TRUE(fx.messages->shown.empty());

    // With a printer, Printer Setup reshapes the window to the chosen paper.
    printers->hasPrinter = true;
    const int portraitWidth = f->width();
    printers->setupOrientation = QPageLayout::Landscape;
    click(*f, "mnuFilePrinterSetup");
    EXPECT_EQ(facts(printers->setupDialogs, f->PageRatio() < 1, f->Orientation()), "1 true 2");
    EXPECT_GT(f->width(), portraitWidth);
    EXPECT_TRUE(f->MenuAction("mnuFilePrinterSetup")->isEnabled() && f->ClientArea()->isEnabled());
    // Back to portrait paper; a printer prints at once, and a user's resize made the window
    // wider than a landscape page.
    printers->setupOrientation = QPageLayout::Portrait;
    click(*f, "mnuFilePrinterSetup");
    f->resize(760, 420);
    click(*f, "mnuFilePrintToFitPage");
    EXPECT_EQ(printers->printDialogs, 2);
    const QString pdf = file("printer.pdf");
    const auto info = poppler("pdfinfo", {pdf});
    if (!info)
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const PdfInfo p = parsePdfInfo(*info);
    EXPECT_EQ(facts(p.pages, p.width > p.height), "1 true"); // one page, landscape

    // From the top-left of the printable area across its width; white below.
    poppler("pdftoppm", {"-png", "-r", "36", "-singlefile", pdf, file("page")});
    const QImage page(file("page.png"));
    ASSERT_FALSE(page.isNull());
    const int margin = qRound(10 * 36 / 72.0); // 10 pt at 36 dpi
    auto inked = [&](int x, int y) { return page.pixelColor(x, y) != QColor(Qt::white); };
    EXPECT_FALSE(inked(margin / 2, margin / 2));
    int lastInkedRow = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            lastInkedRow = inked(x, y) ? y : lastInkedRow;
    const QSizeF picture = f->CapturedPicture().size();
    EXPECT_NEAR(lastInkedRow,
                margin + (page.width() - 2 * margin) * picture.height() / picture.width(), 3);
}

namespace {
// The legend's box on a page drawn at dpi with 10 pt margins: every row
// through it ends at one right edge and every column at one bottom edge, so
// neither side has a gap.
void expectWholeLegendBox(const frmYear& f, const QImage& page, int dpi)
{
    ASSERT_FALSE(page.isNull());
    const double margin = 10.0 * dpi / 72;
    const QSizeF client = f.ClientArea()->size();
    const double scale =
        YearLayout::fitToPage(client, QSizeF(page.width() - 2 * margin, page.height() - 2 * margin))
            .width() /
        client.width();
    const QRect g = f.findChild<QWidget*>(QStringLiteral("Picture2"))->geometry();
    const QRect band(qRound(margin + g.x() * scale), qRound(margin + g.y() * scale),
                     qRound(g.width() * scale), qRound(g.height() * scale));
    auto dark = [&](int x, int y) { return page.valid(x, y) && qGray(page.pixel(x, y)) < 100; };
    std::set<int> rightEdges, bottomEdges;
    for (int y = band.top() + band.height() / 5; y < band.bottom() - band.height() / 5; ++y) {
        int last = -1;
        for (int x = band.left(); x <= band.right() + 2; ++x)
            last = dark(x, y) ? x : last;
        rightEdges.insert(last);
    }
    for (int x = band.left() + band.width() / 20; x < band.right() - band.width() / 20; ++x) {
        int last = -1;
        for (int y = band.top(); y <= band.bottom() + 2; ++y)
            last = dark(x, y) ? y : last;
        bottomEdges.insert(last);
    }
    EXPECT_LE(*rightEdges.rbegin() - *rightEdges.begin(), 1) << *rightEdges.begin();
    EXPECT_LE(*bottomEdges.rbegin() - *bottomEdges.begin(), 1) << *bottomEdges.begin();
}
} // namespace

// Without a printer the paper chosen in Printer Setup shapes the window, the
// printed page and the saved PDF, and the next window of the run takes it.
// Both pages are drawn, not pictures: their texts are text.
TEST_F(ImageCalendarTest, PaperChosenWithoutAPrinterIsEveryPagesPaperForTheRun)
{
    auto f = shown();
    printers->setupPaper = QPageSize(QPageSize::Legal);
    printers->setupOrientation = QPageLayout::Portrait;
    click(*f, "mnuFilePrinterSetup");
    const double legal = (1008.0 - 20) / (612 - 20); // printable height / width
    EXPECT_NEAR(f->PageRatio(), legal, 1e-4);
    const QSize inner = f->ClientArea()->size();
    EXPECT_NEAR(inner.width() * legal, inner.height(), 2);

    printers->printDialogFile = file("printed.pdf");
    click(*f, "mnuFilePrintToFitPage");
    f->Month(0)->setShowButtons(true);
    dialogs->saveAnswer = file("saved.pdf");
    click(*f, "mnuFileSaveAs");
    EXPECT_TRUE(fx.messages->shown.empty());
    for (const char* name : {"printed.pdf", "saved.pdf"}) {
        SCOPED_TRACE(name);
        const auto info = poppler("pdfinfo", {file(QString::fromLatin1(name))});
        if (!info)
            GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
        const PdfInfo page = parsePdfInfo(*info);
        EXPECT_EQ(facts(page.pages, page.width, page.height), "1 612 1008");
        EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Title:\\s+Image Calendar"))));
        const QString text = poppler("pdftotext", {file(QString::fromLatin1(name)), "-"}).value();
        for (const char* expected : {"Day Shift", "December 2026", "May 2027", "R Red", "Days"})
            EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;
        expectWholeLegendBox(*f, pdfPage(file(QString::fromLatin1(name)), 100), 100);
    }

    f.reset();
    auto again = shown();
    EXPECT_NEAR(again->PageRatio(), legal, 1e-4);
}

// The texts in the PDF are checked through the command line's --export-pdf.
TEST_F(ImageCalendarTest, SaveAsAndOpenWithWriteTheFormatTheNameAsksFor)
{
    auto f = shown();
    const std::pair<const char*, QByteArray> table[] = {
        {"cal.png", "png"}, {"cal.jpg", "jpeg"},       {"cal.JPEG", "jpeg"},
        {"cal.bmp", "bmp"}, {"Calendar_Image", "bmp"}, {"cal.tiff", "bmp"}};
    // The keys on the days: their rectangle stays out of the files too.
    f->activateWindow();
    f->Month(0)->setFocus();
    QApplication::processEvents();
    f->Month(0)->ShowFocusDay();
    ASSERT_TRUE(f->Month(0)->FocusDayShown());
    for (const auto& [name, format] : table) {
        SCOPED_TRACE(name);
        dialogs->saveAnswer = file(QString::fromLatin1(name));
        click(*f, "mnuFileSaveAs");
        QImageReader reader(dialogs->saveAnswer);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), format);
        EXPECT_EQ(reader.read().size(), f->ClientArea()->size());
    }
    dialogs->saveAnswer = file("cal.pdf");
    click(*f, "mnuFileSaveAs");
    EXPECT_TRUE(readBytes(file("cal.pdf")).startsWith("%PDF-"));
    EXPECT_EQ(dialogs->saveRequests.back(), "Calendar_Image");
    // The files have no navigation arrows; the window keeps them.
    EXPECT_TRUE(f->Month(0)->ShowButtons());
    f->Month(0)->setShowButtons(false);
    f->Month(0)->clearFocus();
    const QImage plain = f->ClientArea()->grab().toImage();
    f->Month(0)->setShowButtons(true);
    EXPECT_NE(f->ClientArea()->grab().toImage(), plain);
    EXPECT_EQ(QImage(file("cal.png")).convertToFormat(plain.format()), plain);

    // Refused, cancelled (nothing said), failed; a full disk leaves the old
    // picture and PDF as they were.
    for (const char* name : {"cal.gif", "", "no/such/folder/cal.png"}) {
        dialogs->saveAnswer = *name ? file(QString::fromLatin1(name)) : QString();
        click(*f, "mnuFileSaveAs");
    }
    const QByteArray oldPng = readBytes(file("cal.png")), oldPdf = readBytes(file("cal.pdf"));
    {
        const FileSizeLimit full(1000);
        for (const char* name : {"cal.png", "cal.pdf"}) {
            dialogs->saveAnswer = file(QString::fromLatin1(name));
            click(*f, "mnuFileSaveAs");
        }
    }
    EXPECT_EQ(readBytes(file("cal.png")), oldPng);
    EXPECT_EQ(readBytes(file("cal.pdf")), oldPdf);
    EXPECT_FALSE(QFileInfo::exists(file("cal.gif")));
    ASSERT_EQ(fx.messages->shown.size(), 4u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains(".png, .bmp, .jpg or .pdf"));
    EXPECT_EQ(fx.messages->shown[1].text,
              "Error 76 (Path not found) in procedure mnuFileSaveAs_Click of Form frmYear");
    EXPECT_EQ(fx.messages->shown[3].text,
              "Error 61 (File too large) in procedure mnuFileSaveAs_Click of Form frmYear");

    // The temporary bitmap goes to the chooser from the user's own folder.
    click(*f, "mnuFileOpenWith");
    const QString bmp = fx.foldersFake->tempPath() +
                        QStringLiteral("/TarnwellFree-%1/calendar_image.bmp").arg(::geteuid());
    EXPECT_EQ(fx.shellFake->openedWith, QStringList{bmp});
    EXPECT_EQ(facts(QImageReader(bmp).format(), f->Month(0)->ShowButtons()), "bmp false");
    EXPECT_EQ(QFileInfo(bmp).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    // Another user's link in that folder's place is not followed.
    ASSERT_TRUE(QDir(QFileInfo(bmp).path()).removeRecursively());
    ASSERT_TRUE(QFile::link(file("cal.png"), QFileInfo(bmp).path()));
    fx.messages->shown.clear();
    click(*f, "mnuFileOpenWith");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_TRUE(fx.messages->shown[0].text.startsWith("Error 75 ("));
    EXPECT_EQ(readBytes(file("cal.png")), oldPng);
    EXPECT_EQ(fx.shellFake->openedWith.size(), 1);
}

TEST_F(ImageCalendarTest, MainWindowShowsOneImageCalendarAndShowsItAgainUnchanged)
{
    auto cal = makeForm();
    cal->show();
    MainWindowTest::click(*cal, "mnuFilePrintPreview");
    frmYear* year = cal->ImageCalendar();
    ASSERT_NE(year, nullptr);
    EXPECT_TRUE(year->isVisible() && !year->parentWidget() && !year->isModal());
    year->setMonthCount(2);
    MainWindowTest::click(*cal, "mnuFilePrintPreview");
    EXPECT_EQ(cal->ImageCalendar(), year);
    EXPECT_EQ(year->LoadedMonths(), 2);

    year->close(); // unloads: the next opening starts again
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(cal->ImageCalendar(), nullptr);
    MainWindowTest::click(*cal, "mnuFilePrintPreview");
    ASSERT_NE(cal->ImageCalendar(), nullptr);
    EXPECT_EQ(cal->ImageCalendar()->MonthCount(), 6);
    cal->ImageCalendar()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
