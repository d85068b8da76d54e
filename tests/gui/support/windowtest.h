#pragma once

// What a test of the main window works with: the window, the simulated SDK as a test drives
// it, the boxes it answers, the controls by name, and the widget classes.
#include "controls.h"
#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>
