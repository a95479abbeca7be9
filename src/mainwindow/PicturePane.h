#pragma once
// A picture area of the main window: a background colour and the texts
// printed into it since it was last cleared. The window decides what goes
// where and at which font size; the pane only keeps it and paints it.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

class QPaintDevice;

// Extent in pixels of text in a font on a device. Measured at one reference
// size per face and weight and scaled: the fitting rules try several sizes for
// every pane, and a font engine for each trial size made the start-up slow.
QSizeF TextExtent(const QFont& font, const QString& text, const QPaintDevice* device);
// The start of a text as far as any of it can show across a box this many
// pixels wide: fitting and drawing then take time bounded by the box, not
// by the text (a title may be megabytes long).
QString VisiblePart(const QString& text, double width);
// A platoon's "code description" as the legends print it, no longer than
// can show across the width.
QString LegendText(const QString& code, const QString& description, double width);

class PicturePane : public QWidget {
    Q_OBJECT
public:
    struct PrintedText {
        QString text;
        QPointF topLeft; // pixels; the text's cell, not its baseline
        QFont font;
        int32_t color;
    };

    explicit PicturePane(const QString& name, QWidget* parent = nullptr);

    int32_t BackColor() const { return backColor_; }
    void setBackColor(int32_t ole);
    int32_t ForeColor() const { return foreColor_; }
    void setForeColor(int32_t ole) { foreColor_ = ole; }
    // The drawing font; its size changes as texts are fitted.
    QFont PaneFont() const { return font_; }
    void setPaneFont(const QFont& f) { font_ = f; }
    double FontSize() const { return font_.pointSizeF(); }
    // Held at half a point or more: a pane squeezed to nothing must not leave
    // a font that measures zero and can never be fitted again.
    void setFontSize(double points);

    // Text extent in pixels in the current drawing font.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    void Cls();
    // Prints text with its top-left corner at pos, in the given or the pane's colour.
    void Print(const QString& text, const QPointF& pos);
    void Print(const QString& text, const QPointF& pos, int32_t color);
    const std::vector<PrintedText>& Printed() const { return printed_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int32_t backColor_;
    int32_t foreColor_;
    QFont font_;
    std::vector<PrintedText> printed_;
};
