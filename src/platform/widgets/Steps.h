#pragma once
// A routine in numbered steps. An error is reported with the number of the
// step it came from, as "... in line N in procedure P of ...". After an error
// the remaining steps are skipped, or run anyway where the routine asks for
// that (one damaged setting must not keep the rest of a start-up from running).
#include "platform/widgets/ReportError.h"

#include <QString>
#include <exception>
#include <utility>

class Steps {
public:
    enum class AfterError { Stop, GoOn };

    Steps(QString procedure, UnitKind kind, QString unit, AfterError after = AfterError::Stop)
        : procedure_(std::move(procedure)), unit_(std::move(unit)), kind_(kind), after_(after)
    {
    }

    template <class F> Steps& operator()(int step, F&& f)
    {
        if (failed_ && after_ == AfterError::Stop)
            return *this;
        try {
            f();
        } catch (const std::exception& e) {
            failed_ = true;
            reportError(e, procedure_, kind_, unit_, step);
        }
        return *this;
    }
    bool failed() const { return failed_; }

private:
    QString procedure_;
    QString unit_;
    UnitKind kind_;
    AfterError after_;
    bool failed_ = false;
};
