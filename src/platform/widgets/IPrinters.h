#pragma once
// The printer and its system dialogs behind a service: tests print to a PDF
// file and answer the dialogs without a modal window.
#include <QPageLayout>
#include <optional>

class QPrinter;
class QWidget;

class IPrinters {
public:
    virtual ~IPrinters() = default;
    // The default printer; null when none is set up.
    virtual QPrinter* defaultPrinter() = 0;
    // The system print dialog for the printer (it offers printing to a PDF
    // file); false when cancelled.
    virtual bool printDialog(QPrinter& printer, QWidget* owner) = 0;
    // The system page and printer setup; false when cancelled.
    virtual bool pageSetupDialog(QPrinter& printer, QWidget* owner) = 0;

    // The paper chosen in a page setup while there is no printer: kept for
    // the run, so the next window takes it too.
    std::optional<QPageLayout> chosenPage;
};

// The installed printer service, the Qt one when none is installed.
IPrinters& printerService();

class QtPrinters : public IPrinters {
public:
    QtPrinters();
    ~QtPrinters() override;
    QPrinter* defaultPrinter() override;
    bool printDialog(QPrinter& printer, QWidget* owner) override;
    bool pageSetupDialog(QPrinter& printer, QWidget* owner) override;

private:
    QPrinter* printer_ = nullptr;
};
