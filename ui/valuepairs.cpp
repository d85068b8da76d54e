#include "ui/valuepairs.h"

#include "parameters/conversions.h"
#include "ui_mainwindow.h"

namespace {

double sameValue(int position)
{
    return position;
}

struct Pair
{
    QSlider *Ui::MainWindow::*slider;
    // One of the two: the pairs of whole numbers have integer spin boxes.
    QDoubleSpinBox *Ui::MainWindow::*edit;
    QSpinBox *Ui::MainWindow::*spinBox;
    double (*valueAt)(int position);
    int (*positionOf)(double value);
};

using Form = Ui::MainWindow;
// In the order of ValuePair. The GMS spin box reaches 2^32: beyond the int range the position
// saturates, and the slider clamps it to its own maximum.
const Pair pairs[] = {
    {&Form::gammaSlider, &Form::gammaEdit, nullptr, conversions::gammaFromPosition,
     conversions::gammaToPosition},
    {&Form::sharpeningSlider, &Form::sharpeningEdit, nullptr, conversions::sharpeningFromPosition,
     conversions::sharpeningToPosition},
    {&Form::clheSlider, &Form::clheEdit, nullptr, sameValue, conversions::roundToInt},
    {&Form::gskSlider, &Form::gskEdit, nullptr, sameValue, conversions::roundToInt},
    {&Form::gfidSlider, &Form::gfidEdit, nullptr, sameValue, conversions::roundToInt},
    {&Form::gmsSlider, &Form::gmsEdit, nullptr, sameValue, conversions::roundToInt},
    {&Form::tintSlider, &Form::tintEdit, nullptr, sameValue, conversions::roundToInt},
    {&Form::nbBoxesSlider, nullptr, &Form::nbBoxesSpinBox, sameValue, conversions::roundToInt},
    {&Form::iASensitivitySlider, nullptr, &Form::iASensitivitySpinBox, sameValue,
     conversions::roundToInt},
    {&Form::interOverUnionSlider, nullptr, &Form::interOverUnionSpinBox, sameValue,
     conversions::roundToInt},
};

template<typename Widget, typename Value> void setIfDifferent(Widget *widget, Value value)
{
    if (widget->value() != value)
        widget->setValue(value);
}

} // namespace

ValuePairs::ValuePairs(const Ui::MainWindow &form) : form(form) { }

void ValuePairs::sliderMoved(ValuePair id, int position)
{
    const Pair &pair = pairs[static_cast<int>(id)];
    if (pair.edit)
        setIfDifferent(form.*pair.edit, pair.valueAt(position));
    else
        setIfDifferent(form.*pair.spinBox, position);
}

void ValuePairs::spinBoxChanged(ValuePair id, double value)
{
    const Pair &pair = pairs[static_cast<int>(id)];
    setIfDifferent(form.*pair.slider, pair.positionOf(value));
}
