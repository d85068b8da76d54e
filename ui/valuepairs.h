#pragma once

namespace Ui {
class MainWindow;
}

// The ten quantities shown twice, as a slider and as a spin box beside it.
enum class ValuePair
{
    gamma,
    sharpening,
    clhe,
    gsk,
    gfid,
    gms,
    tint,
    nbBoxes,
    iaSensitivity,
    interOU
};

// Keeps the two sides of each pair on one value, converting between the slider's positions
// and the spin box's values. Signals stay connected while one side writes the other: the
// inequality test alone stops the echo, and a value clamped by the receiving widget must
// travel back once to pull the sender onto it.
class ValuePairs
{
public:
    explicit ValuePairs(const Ui::MainWindow &form);

    void sliderMoved(ValuePair pair, int position);
    void spinBoxChanged(ValuePair pair, double value);

private:
    const Ui::MainWindow &form;
};
