#pragma once
// A save file whose disk takes `room` bytes: past them it fails (a full
// disk), or takes only part of a block without a word (a short write).
#include <QSaveFile>
#include <algorithm>

class FailingSaveFile : public QSaveFile {
public:
    FailingSaveFile(const QString& path, qint64 room, bool shortWrite)
        : QSaveFile(path), room_(room), shortWrite_(shortWrite)
    {
    }

protected:
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 n = std::min(len, room_);
        if (n == 0 && !shortWrite_)
            return -1;
        room_ -= n;
        const qint64 done = QSaveFile::writeData(data, n);
        return n < len && !shortWrite_ ? -1 : done;
    }

private:
    qint64 room_;
    bool shortWrite_;
};
