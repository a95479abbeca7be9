#pragma once
// Capture of a window's inner area, printing a picture to fit the page, and
// writing pictures in the format their file name asks for.
#include "storage/FileWriter.h"

#include <QByteArray>
#include <QPixmap>
#include <QString>

class QMainWindow;
class QPrinter;
class QWidget;

// A rectangle (pixels) of the window's client area, or of the whole window.
QPixmap CaptureArea(QWidget& window, bool clientOnly, int left, int top, int width, int height);
// The whole inner area of a window: its central widget, without the menu bar.
QPixmap CaptureFormClient(QMainWindow& form);

// Prints the picture as large as the printable area allows, keeping its
// proportions, from the area's top-left corner; portrait for a picture at
// least as tall as wide. Errors are reported; the page is sent either way.
void PrintPictureToFitPage(QPrinter& printer, const QPixmap& picture);

// The writer format a file name asks for: "png", "jpeg", "gif", "pdf", else "bmp".
QByteArray PictureFormatFor(const QString& fileName);
// Writes the picture whole through the file writer, or raises a RuntimeError
// with the cause; the old file is then as it was.
void SavePicture(const QPixmap& picture, const QString& fileName, const QByteArray& format,
                 WriteMode mode = WriteMode::UserFile);
