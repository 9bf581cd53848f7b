#pragma once
// A spin button (UDBTNArea): an 18 x 18 picture whose halves are drawn from
// the sprite sheet's spin cell, each raised or sunken. It reports presses and
// releases; the settings window decides what they mean and sets the looks.
#include <QWidget>

class SpinButton : public QWidget {
    Q_OBJECT
public:
    SpinButton(int index, QWidget *parent);

    int index() const { return index_; }
    // Looks of the two halves: 0 raised, 1 sunken.
    void SetLooks(int upper, int lower);
    int upperLook() const { return upper_; }
    int lowerLook() const { return lower_; }

signals:
    // A left-button press at height y within the button.
    void pressed(int index, int y);
    // The release of that press, wherever the pointer is by then.
    void released(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const int index_;
    int upper_ = 0;
    int lower_ = 0;
};
