// What the image calendar hands out: the printed page, the saved pictures,
// the PDF, the "Open With" picture, and how the main window opens it.
#include "imagecalendar/ImageCalendarTestSupport.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMenu>

TEST_F(ImageCalendarTest, PrintAsksForAPrinterOnlyWithoutOneAndFillsThePage)
{
    auto f = shown();
    click(*f, "mnuFilePrintToFitPage"); // cancelled
    EXPECT_EQ(facts(printers->printDialogs, f->Month(0)->ShowButtons()), "1 true");
    printers->printDialogFile = file("chosen.pdf");
    click(*f, "mnuFilePrintToFitPage");
    EXPECT_EQ(facts(printers->printDialogs, f->Month(0)->ShowButtons()), "2 false");
    EXPECT_GT(QFileInfo(file("chosen.pdf")).size(), 0);
    EXPECT_TRUE(fx.messages->shown.empty());

    // A printer prints at once; a user's resize made the window wider than a landscape page.
    printers->hasPrinter = true;
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

TEST_F(ImageCalendarTest, PrinterSetupReshapesTheWindowToTheChosenPaper)
{
    printers->hasPrinter = true;
    auto f = open();
    const int portraitWidth = f->width();
    printers->setupOrientation = QPageLayout::Landscape;
    click(*f, "mnuFilePrinterSetup");
    EXPECT_EQ(facts(printers->setupDialogs, f->PageRatio() < 1, f->Orientation()), "1 true 2");
    EXPECT_GT(f->width(), portraitWidth);
    EXPECT_TRUE(f->MenuAction("mnuFilePrinterSetup")->isEnabled() && f->ClientArea()->isEnabled());
}

TEST_F(ImageCalendarTest, SaveAsWritesTheFormatTheNameAsksFor)
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
    EXPECT_EQ(dialogs->saveRequests.back(), "Calendar_Image");
    EXPECT_TRUE(f->Month(0)->ShowButtons()); // Save As keeps them
    EXPECT_EQ(f->SaveAsFilter(),
              "Windows Bitmap (*.bmp)|*.bmp|Graphics Interchange Format (*.gif)|*.gif"
              "|JPEG File Interchange Format (*.jpg,*.jpeg)|*.jpg"
              "|Portable Network Graphics (*.png)|*.png|Portable Document Format (*.pdf)|*.pdf");

    // Refused, cancelled (nothing said), failed.
    for (const char* name : {"cal.gif", "", "no/such/folder/cal.png"}) {
        dialogs->saveAnswer = *name ? file(QString::fromLatin1(name)) : QString();
        click(*f, "mnuFileSaveAs");
    }
    EXPECT_FALSE(QFileInfo::exists(file("cal.gif")));
    ASSERT_EQ(fx.messages->shown.size(), 2u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains("Graphics Interchange Format (GIF)"));
    EXPECT_TRUE(fx.messages->shown[1].text.startsWith("Error 75 ("));
    EXPECT_TRUE(
        fx.messages->shown[1].text.endsWith(") in procedure mnuFileSaveAs_Click of Form frmYear"));
}

TEST_F(ImageCalendarTest, SaveAsPdfKeepsTheTextsAsText)
{
    auto f = shown();
    click(*f, "mnuOrientationPick_2");
    dialogs->saveAnswer = file("cal.pdf");
    click(*f, "mnuFileSaveAs");
    EXPECT_TRUE(fx.messages->shown.empty());
    const auto info = poppler("pdfinfo", {file("cal.pdf")});
    if (!info)
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const PdfInfo p = parsePdfInfo(*info);
    EXPECT_EQ(facts(p.pages, p.width > p.height), "1 true"); // a wide calendar, landscape
    const QString text = poppler("pdftotext", {file("cal.pdf"), "-"}).value_or(QString());
    for (const char* expected :
         {"Day Shift", "January 2027", "May 2027", "R Red", "G Green", "Days"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;

    // Callable without the menus, for a window never shown.
    auto hidden = open();
    hidden->setMonthCount(12);
    QString error;
    ASSERT_TRUE(WriteCalendarPdf(*hidden, file("hidden.pdf"), &error)) << error.toStdString();
    const QString all = poppler("pdftotext", {file("hidden.pdf"), "-"}).value_or(QString());
    EXPECT_TRUE(all.contains("November 2027")) << all.toStdString();
    EXPECT_FALSE(WriteCalendarPdf(*hidden, file("no/such/folder/x.pdf"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(ImageCalendarTest, OpenWithHandsTheTemporaryBitmapToTheChooser)
{
    auto f = shown();
    click(*f, "mnuFileOpenWith");
    const QString path = fx.foldersFake->tempPath() + "/calendar_image.bmp";
    ASSERT_EQ(fx.shellFake->openedWith, QStringList{path});
    EXPECT_EQ(
        facts(QImageReader(path).format(), f->Month(0)->ShowButtons(), fx.messages->shown.empty()),
        "bmp false true");

    fx.shellFake->result = false; // nothing to offer: the user is told where the picture is
    click(*f, "mnuFileOpenWith");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains("calendar_image.bmp"));
}

TEST_F(ImageCalendarTest, MainWindowShowsOneImageCalendarAndShowsItAgainUnchanged)
{
    auto cal = makeForm();
    cal->show();
    MainWindowTest::click(*cal, "mnuFilePrintPreview");
    frmYear* year = cal->ImageCalendar();
    ASSERT_NE(year, nullptr);
    EXPECT_TRUE(year->isVisible() && !year->parentWidget() && !year->isModal());
    year->Month(0)->NextMonth();
    year->setMonthCount(2);

    emit cal->findChild<QMenu*>("mnuWindow")->aboutToShow();
    EXPECT_EQ(cal->ImageCalendar(), year);
    EXPECT_EQ(monthsShown(*year), QStringList({"2027-01+", "2027-02"}));

    year->close(); // unloads: the next opening starts again
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(cal->ImageCalendar(), nullptr);
    MainWindowTest::click(*cal, "mnuFilePrintPreview");
    ASSERT_NE(cal->ImageCalendar(), nullptr);
    EXPECT_EQ(cal->ImageCalendar()->MonthCount(), 6);
    cal->ImageCalendar()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
