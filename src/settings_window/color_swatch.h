#pragma once
// A colour swatch (DspCol): a label whose background shows a colour. A click
// asks the settings window to choose a new one.
#include <QLabel>

#include "settings/settings.h"

class ColorSwatch : public QLabel {
    Q_OBJECT
public:
    ColorSwatch(int index, QWidget *parent);

    int index() const { return index_; }
    // The colour shown, exactly as stored (0x00BBGGRR).
    ColorValue color() const { return color_; }
    void SetColor(ColorValue color);

signals:
    void clicked(int index);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const int index_;
    ColorValue color_ = 0;
};
