#pragma once
// A colour swatch (DspCol): a label whose background shows a colour. A click,
// or Space or Enter while it has the focus, opens the colour chooser; a
// confirmed colour becomes the swatch's colour (not yet any setting: the
// page stores it when applied). With the focus it is ringed in the highlight
// colour, as a focused button is; a screen reader meets it as a button.
#include <QLabel>

#include "settings/settings.h"

class ChooserService;

class ColorSwatch : public QLabel {
    Q_OBJECT
public:
    ColorSwatch(int index, ChooserService &choosers, QWidget *parent);

    int index() const { return index_; }
    // The colour shown, exactly as stored (0x00BBGGRR).
    ColorValue color() const { return color_; }
    void SetColor(ColorValue color);
    // Runs the colour chooser (not preset) owned by the swatch's window.
    void ChooseColor();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    const int index_;
    ChooserService &choosers_;
    ColorValue color_ = 0;
};
