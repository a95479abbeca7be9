#pragma once
// Capture of a window's inner area, and writing pictures in the format their file name asks for.
#include "storage/FileWriter.h"

#include <QByteArray>
#include <QPixmap>
#include <QString>

class QMainWindow;
class QWidget;

// A rectangle (pixels) of the window's client area, or of the whole window.
QPixmap CaptureArea(QWidget& window, bool clientOnly, int left, int top, int width, int height);
// The whole inner area of a window: its central widget, without the menu bar.
QPixmap CaptureFormClient(QMainWindow& form);

// The writer format a file name asks for: "png", "jpeg", "gif", "pdf", else "bmp".
QByteArray PictureFormatFor(const QString& fileName);
// Writes the picture whole through the file writer, or raises a RuntimeError
// with the cause; the old file is then as it was.
void SavePicture(const QPixmap& picture, const QString& fileName, const QByteArray& format,
                 WriteMode mode = WriteMode::UserFile);
