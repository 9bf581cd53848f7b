#pragma once
// The digital display page (AreaDigi): which date and time patterns the
// face's overlay draws, in which colours, with or without outlines.
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
struct Context;
class ColorSwatch;

class DigitalPage {
public:
    DigitalPage(QFrame *area, Context &ctx);

    // Fills the pattern lists from Calender.ini and the rest from the settings.
    void FillDigitalPage();
    // 確定: the page into the settings and the overlay's format texts.
    void Apply();

private:
    Context &ctx_;
    QComboBox *datePatterns_;     // CMB1
    QComboBox *timePatterns_;     // CMB2
    std::array<ColorSwatch *, 4> swatches_;   // DspCol0..3
    QCheckBox *dateOutline_;      // CHK3
    QCheckBox *timeOutline_;      // CHK4
};
