#pragma once
#include <QString>

class IFolders {
public:
    virtual ~IFolders() = default;
    // The per-user local application data root, without a trailing separator.
    virtual QString localAppData() const = 0;
    // The temporary folder, without a trailing separator.
    virtual QString tempPath() const = 0;
    // The executable's base name: it names the data folder and the settings key space.
    virtual QString exeBaseName() const = 0;
};

class QtFolders : public IFolders {
public:
    QString localAppData() const override;
    QString tempPath() const override;
    QString exeBaseName() const override;
};
