#pragma once
// The about box: title, version and a fixed description and disclaimer.
#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Shows the one about box, modeless and without owner; a second call
    // brings the same window forward.
    static frmAbout* ShowAbout();
    // The open about box, or null.
    static frmAbout* instance();

    // "Version major.minor.revision" from a version text such as "1.0.0".
    static QString VersionText(const QString& version);

private:
    void Form_Load();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
};
