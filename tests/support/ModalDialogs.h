#pragma once
// Acting on a real modal dialog from a test: the action is armed before the
// command that opens the dialog and runs inside the dialog's own event loop.
// A dialog the action leaves open is rejected, so no test ever blocks.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

// While it lives, runs act once on the first modal dialog of type T that opens.
template <class T> class OnModal {
public:
    explicit OnModal(std::function<void(T&)> act) : timer_(std::make_unique<QTimer>())
    {
        QObject::connect(timer_.get(), &QTimer::timeout, [this, act] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer_->stop();
            ++runs_;
            QPointer<T> guard(dialog);
            act(*dialog);
            if (guard && guard->isVisible())
                guard->reject();
        });
        timer_->start(5);
    }
    OnModal(const OnModal&) = delete;
    OnModal& operator=(const OnModal&) = delete;
    // How often a dialog was found: 0 or 1.
    int runs() const { return runs_; }

private:
    std::unique_ptr<QTimer> timer_;
    int runs_ = 0;
};

template <class W> W* child(QWidget& parent, const char* name)
{
    return parent.findChild<W*>(QString::fromLatin1(name));
}
