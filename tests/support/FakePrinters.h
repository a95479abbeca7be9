#pragma once
// The printer service for tests: a "default printer" that writes a PDF file,
// or none; the dialogs answer from a script and count how often they opened.
#include "platform/Services.h"
#include "platform/widgets/IPrinters.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <optional>

class FakePrinters : public IPrinters {
public:
    explicit FakePrinters(const QString& printerFile)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printerFile);
        // Narrower than the calendar's letter shape, so width and height fits differ.
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    QPrinter* defaultPrinter() override { return hasPrinter ? &printer : nullptr; }
    bool printDialog(QPrinter& p, QWidget*) override
    {
        ++printDialogs;
        if (printDialogFile.isEmpty())
            return false;
        // What choosing "Print to File (PDF)" does.
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(printDialogFile);
        return true;
    }
    bool pageSetupDialog(QPrinter& p, QWidget*) override
    {
        ++setupDialogs;
        if (setupPaper)
            p.setPageSize(*setupPaper);
        if (setupOrientation)
            p.setPageOrientation(*setupOrientation);
        return setupOrientation.has_value();
    }

    QPrinter printer{QPrinter::HighResolution};
    bool hasPrinter = false;
    QString printDialogFile; // empty: the print dialog is cancelled
    std::optional<QPageLayout::Orientation> setupOrientation; // none: setup is cancelled
    std::optional<QPageSize> setupPaper;                      // none: the paper stays
    int printDialogs = 0;
    int setupDialogs = 0;
};
