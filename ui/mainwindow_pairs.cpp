#include "parameters/conversions.h"
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

// Each pair follows whichever side changed. Signals stay connected while a slot writes
// the other side: the inequality test alone stops the echo, and a value clamped by the
// receiving widget must travel back once to pull the sender onto it.

namespace {

template<typename Widget, typename Value> void setIfDifferent(Widget *widget, Value value)
{
    if (widget->value() != value)
        widget->setValue(value);
}

void correctRoiCorner(MainWindow *window, QSpinBox *corner, int value, const QString &message)
{
    corner->setValue(value);
    QMessageBox::about(window, MainWindow::tr("ROI"), message);
}

} // namespace

void MainWindow::GammaUserSliderChanged(int value)
{
    setIfDifferent(ui->gammaEdit, conversions::gammaFromPosition(value));
}

void MainWindow::GammaUserValueChanged(double value)
{
    setIfDifferent(ui->gammaSlider, conversions::gammaToPosition(value));
}

void MainWindow::SharpeningUserSliderChanged(int value)
{
    setIfDifferent(ui->sharpeningEdit, conversions::sharpeningFromPosition(value));
}

void MainWindow::SharpeningUserValueChanged(double value)
{
    setIfDifferent(ui->sharpeningSlider, conversions::sharpeningToPosition(value));
}

void MainWindow::ClheUserSliderChanged(int value)
{
    setIfDifferent(ui->clheEdit, static_cast<double>(value));
}

void MainWindow::ClheUserValueChanged(double value)
{
    setIfDifferent(ui->clheSlider, conversions::roundToInt(value));
}

void MainWindow::GSKExpertSliderChanged(int value)
{
    setIfDifferent(ui->gskEdit, static_cast<double>(value));
}

void MainWindow::GSKExpertValueChanged(double value)
{
    setIfDifferent(ui->gskSlider, conversions::roundToInt(value));
}

void MainWindow::GFIDExpertSliderChanged(int value)
{
    setIfDifferent(ui->gfidEdit, static_cast<double>(value));
}

void MainWindow::GFIDExpertValueChanged(double value)
{
    setIfDifferent(ui->gfidSlider, conversions::roundToInt(value));
}

void MainWindow::GMSExpertSliderChanged(int value)
{
    setIfDifferent(ui->gmsEdit, static_cast<double>(value));
}

void MainWindow::GMSExpertValueChanged(double value)
{
    // The spin box reaches 2^32: beyond the int range the position saturates and the
    // slider clamps it to its own maximum.
    setIfDifferent(ui->gmsSlider, conversions::roundToInt(value));
}

void MainWindow::TINTExpertSliderChanged(int value)
{
    setIfDifferent(ui->tintEdit, static_cast<double>(value));
}

void MainWindow::TINTExpertValueChanged(double value)
{
    setIfDifferent(ui->tintSlider, conversions::roundToInt(value));
}

void MainWindow::NbBoxesSliderChanged(int value)
{
    setIfDifferent(ui->nbBoxesSpinBox, value);
}

void MainWindow::NbBoxesValueChanged(int value)
{
    setIfDifferent(ui->nbBoxesSlider, value);
}

void MainWindow::IASensitivitySliderChanged(int value)
{
    setIfDifferent(ui->iASensitivitySpinBox, value);
}

void MainWindow::IASensitivityValueChanged(int value)
{
    setIfDifferent(ui->iASensitivitySlider, value);
}

void MainWindow::InterOUSliderChanged(int value)
{
    setIfDifferent(ui->interOverUnionSpinBox, value);
}

void MainWindow::InterOUValueChanged(int value)
{
    setIfDifferent(ui->interOverUnionSlider, value);
}

// Equal corners are a valid ROI: only a strict crossing is corrected.

void MainWindow::x1RoiUserValueChanged(int value)
{
    const int x2 = ui->x2RoiEdit->value();
    if (x2 < value)
        correctRoiCorner(this, ui->x1RoiEdit, x2, tr("ROI X1 must be lower than ROI X2"));
}

void MainWindow::x2RoiUserValueChanged(int value)
{
    const int x1 = ui->x1RoiEdit->value();
    if (value < x1)
        correctRoiCorner(this, ui->x2RoiEdit, x1, tr("ROI X2 must be higher than ROI X1"));
}

void MainWindow::y1RoiUserValueChanged(int value)
{
    const int y2 = ui->y2RoiEdit->value();
    if (y2 < value)
        correctRoiCorner(this, ui->y1RoiEdit, y2, tr("ROI Y1 must be lower than ROI Y2"));
}

void MainWindow::y2RoiUserValueChanged(int value)
{
    const int y1 = ui->y1RoiEdit->value();
    if (value < y1)
        correctRoiCorner(this, ui->y2RoiEdit, y1, tr("ROI Y2 must be higher than ROI Y1"));
}
