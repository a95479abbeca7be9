// What the image calendar hands out: the printed page, the saved pictures,
// the PDF, the "Open With" picture, and how the main window opens it.
#include "imagecalendar/ImageCalendarTestSupport.h"
#include "support/FileBytes.h"

#include <QFileInfo>
#include <QImageReader>

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

// The texts in the PDF are checked through the command line's --export-pdf.
TEST_F(ImageCalendarTest, SaveAsAndOpenWithWriteTheFormatTheNameAsksFor)
{
    auto f = shown();
    const std::pair<const char*, QByteArray> table[] = {
        {"cal.png", "png"}, {"cal.jpg", "jpeg"},       {"cal.JPEG", "jpeg"},
        {"cal.bmp", "bmp"}, {"Calendar_Image", "bmp"}, {"cal.tiff", "bmp"}};
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
    EXPECT_TRUE(f->Month(0)->ShowButtons()); // Save As keeps them

    // Refused, cancelled (nothing said), failed.
    for (const char* name : {"cal.gif", "", "no/such/folder/cal.png"}) {
        dialogs->saveAnswer = *name ? file(QString::fromLatin1(name)) : QString();
        click(*f, "mnuFileSaveAs");
    }
    EXPECT_FALSE(QFileInfo::exists(file("cal.gif")));
    ASSERT_EQ(fx.messages->shown.size(), 2u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains("Graphics Interchange Format (GIF)"));
    EXPECT_TRUE(fx.messages->shown[1].text.startsWith("Error 75 ("));

    click(*f, "mnuFileOpenWith"); // the temporary bitmap goes to the chooser
    const QString bmp = fx.foldersFake->tempPath() + "/calendar_image.bmp";
    EXPECT_EQ(fx.shellFake->openedWith, QStringList{bmp});
    EXPECT_EQ(facts(QImageReader(bmp).format(), f->Month(0)->ShowButtons()), "bmp false");
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
