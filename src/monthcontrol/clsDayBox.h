#pragma once
// One day cell of the month control. The control sets the date fields; the
// host window writes colours, captions and the tooltip.
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

class clsDayBox {
public:
    explicit clsDayBox(int16_t index = 0) : Index_(index) {}

    // Free for the host; the control never reads them.
    int32_t X() const { return X_; }
    void setX(int32_t v) { X_ = v; }
    int32_t Y() const { return Y_; }
    void setY(int32_t v) { Y_ = v; }

    int16_t Index() const { return Index_; }
    void setIndex(int16_t v) { Index_ = v; }
    int16_t Value() const { return Value_; }
    void setValue(int16_t v) { Value_ = v; }
    int32_t ForeColor() const { return ForeColor_; }
    void setForeColor(int32_t v) { ForeColor_ = v; }
    // Carried for the host; never painted.
    int32_t BackColor() const { return BackColor_; }
    void setBackColor(int32_t v) { BackColor_ = v; }
    // 0 the displayed month, -1 the month before, 1 the month after.
    int16_t Flag() const { return Flag_; }
    void setFlag(int16_t v) { Flag_ = v; }
    double FullDate() const { return FullDate_; }
    void setFullDate(double v) { FullDate_ = v; }
    QString ToolTipText() const { return ToolTipText_; }
    void setToolTipText(const QString& v) { ToolTipText_ = v; }
    QString LeftCaption() const { return LeftCaption_; }
    void setLeftCaption(const QString& v) { LeftCaption_ = v; }
    int32_t LeftColor() const { return LeftColor_; }
    void setLeftColor(int32_t v) { LeftColor_ = v; }
    QString RightCaption() const { return RightCaption_; }
    void setRightCaption(const QString& v) { RightCaption_ = v; }
    int32_t RightColor() const { return RightColor_; }
    void setRightColor(int32_t v) { RightColor_ = v; }
    // The colour of the corner mark for the day's notes; -1 for none.
    int32_t MarkColor() const { return MarkColor_; }
    void setMarkColor(int32_t v) { MarkColor_ = v; }
    // The colours of the other calendars with an event on the day, painted
    // side by side as a bar along the top of the cell; none for no bar.
    const std::vector<int32_t>& BarColors() const { return BarColors_; }
    void setBarColors(std::vector<int32_t> v) { BarColors_ = std::move(v); }
    // Who is on duty, in words, for a screen reader; never painted.
    QString AccessibleText() const { return AccessibleText_; }
    void setAccessibleText(const QString& v) { AccessibleText_ = v; }

private:
    int32_t X_ = 0;
    int32_t Y_ = 0;
    int16_t Index_ = 0;
    int16_t Value_ = 0;
    int32_t ForeColor_ = 0;
    int32_t BackColor_ = 0xFFFFFF;
    int16_t Flag_ = 0;
    double FullDate_ = 0;
    QString ToolTipText_;
    QString LeftCaption_;
    int32_t LeftColor_ = 0;
    QString RightCaption_;
    int32_t RightColor_ = 0;
    int32_t MarkColor_ = -1;
    std::vector<int32_t> BarColors_;
    QString AccessibleText_;
};
