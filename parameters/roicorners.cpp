#include "parameters/roicorners.h"

#include "parameters/boxpresenter.h"

#include <QSpinBox>

namespace {

struct Rule
{
    RoiCorner opposite;
    // x1 and y1 must not pass their opposite upwards, x2 and y2 downwards.
    bool isLowCorner;
    const char *message;
};

const Rule &ruleFor(RoiCorner corner)
{
    static const Rule rules[] = {
        {RoiCorner::x2, true, "ROI X1 must be lower than ROI X2"},
        {RoiCorner::y2, true, "ROI Y1 must be lower than ROI Y2"},
        {RoiCorner::x1, false, "ROI X2 must be higher than ROI X1"},
        {RoiCorner::y1, false, "ROI Y2 must be higher than ROI Y1"},
    };
    return rules[static_cast<int>(corner)];
}

} // namespace

RoiCorners::RoiCorners(QSpinBox *x1, QSpinBox *y1, QSpinBox *x2, QSpinBox *y2, BoxPresenter &boxes)
    : corners {x1, y1, x2, y2}, boxes(boxes)
{ }

QSpinBox *RoiCorners::spinBox(RoiCorner corner) const
{
    return corners[static_cast<int>(corner)];
}

void RoiCorners::check(RoiCorner corner, int value)
{
    const Rule &rule = ruleFor(corner);
    const int opposite = spinBox(rule.opposite)->value();
    if (rule.isLowCorner ? opposite < value : value < opposite) {
        spinBox(corner)->setValue(opposite);
        boxes.about(windowText("ROI"), windowText(rule.message));
    }
}
