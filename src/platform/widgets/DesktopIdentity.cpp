#include "platform/widgets/DesktopIdentity.h"

#include <QIconEngine>
#include <QString>

#include <optional>

namespace {

// Decoding the PNGs costs more than the rest of start-up's own work, and some
// desktops never ask for the window icon: the files are read on first use.
class OnFirstUseIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new OnFirstUseIconEngine(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : kSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }
    bool isNull() override { return false; }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return loaded().pixmap(size, scale, mode, state);
    }

private:
    static constexpr int kSizes[] = {48, 128, 256};

    const QIcon& loaded()
    {
        if (!icon_) {
            icon_.emplace();
            for (int size : kSizes)
                icon_->addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
        }
        return *icon_;
    }

    std::optional<QIcon> icon_;
};

} // namespace

QIcon ProgramIcon()
{
    // The resources live in a static library: nothing else refers to them, so
    // without this the linker leaves them out.
    Q_INIT_RESOURCE(resources);
    return QIcon(new OnFirstUseIconEngine);
}
