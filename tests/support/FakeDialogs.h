#pragma once
// Common dialogs for tests: the answer is scripted, the request recorded.
#include "platform/widgets/IDialogs.h"

#include <vector>

class FakeDialogs : public IDialogs {
public:
    bool chooseColor(QWidget*, int32_t initial, int32_t& chosen) override
    {
        colorRequests.push_back(initial);
        if (cancelColor)
            return false;
        chosen = colorAnswer;
        return true;
    }
    QString saveFileName(QWidget*, const QString&, const QString& startPath,
                         const QString& filter) override
    {
        saveRequests.push_back(startPath);
        saveFilters.push_back(filter);
        return saveAnswer;
    }

    QString openFileName(QWidget*, const QString&, const QString& startPath,
                         const QString&) override
    {
        openRequests.push_back(startPath);
        return openAnswer;
    }

    bool cancelColor = false;
    int32_t colorAnswer = 0x0000FF; // red
    std::vector<int32_t> colorRequests;
    QString saveAnswer;
    std::vector<QString> saveRequests, saveFilters;
    QString openAnswer;
    std::vector<QString> openRequests;
};
