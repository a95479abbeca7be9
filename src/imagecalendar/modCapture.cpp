#include "imagecalendar/modCapture.h"

#include "platform/RuntimeError.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QMainWindow>

QPixmap CaptureArea(QWidget& window, bool clientOnly, int left, int top, int width, int height)
{
    QWidget* source = &window;
    if (auto* form = qobject_cast<QMainWindow*>(&window);
        clientOnly && form && form->centralWidget())
        source = form->centralWidget();
    return source->grab(QRect(left, top, width, height));
}

QPixmap CaptureFormClient(QMainWindow& form)
{
    const QWidget* client = form.centralWidget() ? form.centralWidget() : &form;
    return CaptureArea(form, true, 0, 0, client->width(), client->height());
}

QByteArray PictureFormatFor(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return "png";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "jpeg";
    if (suffix == QLatin1String("gif"))
        return "gif";
    if (suffix == QLatin1String("pdf"))
        return "pdf";
    return "bmp";
}

void SavePicture(const QPixmap& picture, const QString& fileName, const QByteArray& format,
                 WriteMode mode)
{
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, format);
    if (format == "jpeg")
        writer.setQuality(95); // a calendar is lines and small text
    if (!writer.write(picture.toImage()))
        throw Err::make(Err::PathFileAccess, writer.errorString());
    WriteWholeFile(fileName, encoded.data(), mode);
}
