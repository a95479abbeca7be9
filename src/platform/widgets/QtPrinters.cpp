#include "platform/Services.h"
#include "platform/widgets/IPrinters.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

QtPrinters::QtPrinters() = default;

QtPrinters::~QtPrinters()
{
    delete printer_;
}

QPrinter* QtPrinters::defaultPrinter()
{
    // Without a printer QPrinter quietly falls back to PDF output with no
    // file to write: that is "no printer" here.
    if (QPrinterInfo::defaultPrinter().isNull() && QPrinterInfo::availablePrinterNames().isEmpty())
        return nullptr;
    if (!printer_)
        printer_ = new QPrinter(QPrinter::HighResolution);
    return printer_;
}

bool QtPrinters::printDialog(QPrinter& printer, QWidget* owner)
{
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrinters::pageSetupDialog(QPrinter& printer, QWidget* owner)
{
    QPageSetupDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

IPrinters& printerService()
{
    auto& s = services();
    if (!s.printers)
        s.printers = std::make_shared<QtPrinters>();
    return *s.printers;
}
