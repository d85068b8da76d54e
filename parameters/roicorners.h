#pragma once

class BoxPresenter;
class QSpinBox;

enum class RoiCorner
{
    x1,
    y1,
    x2,
    y2
};

// The corners of the region of interest in their four spin boxes. Equal corners are a valid
// region: only a strict crossing is corrected.
class RoiCorners
{
public:
    RoiCorners(QSpinBox *x1, QSpinBox *y1, QSpinBox *x2, QSpinBox *y2, BoxPresenter &boxes);

    // When the corner, given this value, crosses its opposite, it is brought onto the
    // opposite corner, and then a box says why.
    void check(RoiCorner corner, int value);
    QSpinBox *spinBox(RoiCorner corner) const;

private:
    QSpinBox *corners[4];
    BoxPresenter &boxes;
};
