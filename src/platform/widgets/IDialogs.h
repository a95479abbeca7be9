#pragma once
// Common dialogs behind a service, so logic never opens a real modal dialog
// in a test.
#include <QString>
#include <QStringList>
#include <cstdint>

class QWidget;

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Colour chooser starting at an 0x00BBGGRR colour; false when cancelled.
    virtual bool chooseColor(QWidget* owner, int32_t initial, int32_t& chosen) = 0;
    // Save-file chooser; empty when cancelled. The filter lists "text|pattern"
    // pairs joined by "|", as "Windows Bitmap (*.bmp)|*.bmp".
    virtual QString saveFileName(QWidget* owner, const QString& caption, const QString& startPath,
                                 const QString& filter) = 0;
    // Open-file chooser for an existing file, the same filter form; empty when cancelled.
    virtual QString openFileName(QWidget* owner, const QString& caption, const QString& startPath,
                                 const QString& filter) = 0;
};

// The installed dialogs, the Qt ones when none is installed.
IDialogs& dialogsService();

// The Qt dialog's name filters for a "text|pattern" filter: each text shown
// as written, filtering by its pattern.
QStringList SaveDialogFilters(const QString& filter);

class QtDialogs : public IDialogs {
public:
    bool chooseColor(QWidget* owner, int32_t initial, int32_t& chosen) override;
    QString saveFileName(QWidget* owner, const QString& caption, const QString& startPath,
                         const QString& filter) override;
    QString openFileName(QWidget* owner, const QString& caption, const QString& startPath,
                         const QString& filter) override;
};
