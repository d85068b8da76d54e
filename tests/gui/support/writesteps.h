#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One step of a write: the camera setter it calls and the text its log line starts with,
// followed by " OK" when the setter accepted and " KO" when it refused.
struct WriteStep
{
    QString text;
    QString setter;
};

// In the order each write sends them.
inline const QVector<WriteStep> userWriteSteps
    = {{"Set GAMMA value", "SetGamma"},
       {"Set CLHE value", "SetClhe"},
       {"Set SHARPENING value", "SetSharpening"},
       {"Set ROI X1 value", "SetRoiX1"},
       {"Set ROI Y1 value", "SetRoiY1"},
       {"Set ROI X2 value", "SetRoiX2"},
       {"Set ROI Y2 value", "SetRoiY2"},
       {"Set POLARITY value", "SetPolarity"},
       {"Configure Zoom", "ConfigureZoom"},
       {"Configure contrast type", "SetContrastType"},
       {"Enable NUC", "SetNucEnabled"},
       {"Set IMAGE horizontal FLIP value", "SetHorizontalFlip"},
       {"Set IMAGE vertical FLIP value", "SetVerticalFlip"},
       {"Set vignetting correction value", "SetVignettingCorrection"},
       {"Set column correction value", "SetColumnCorrection"}};
inline const QVector<WriteStep> expertWriteSteps
    = {{"Set GSK value", "SetGsk"},
       {"Set GFID value", "SetGfid"},
       {"Set TINT value", "SetTint"},
       {"Set GMS value", "SetGms"},
       {"Set BPR value", "SetBpr"},
       {"Set Offset correction value", "SetOffsetCorrection"},
       {"Set Gain correction value", "SetGainCorrection"},
       {"Enable NUC", "SetNucEnabled"}};
inline const QVector<WriteStep> iaWriteSteps = {{"Set IA config", "SetIaConfig"}};

// The log lines of a write in which only the setter `refused` (none when empty) answered false.
inline QStringList writeLines(const QVector<WriteStep> &steps, const QString &refused = {})
{
    QStringList lines;
    for (const WriteStep &step : steps)
        lines << step.text + (step.setter == refused ? " KO" : " OK");
    return lines;
}

// The camera calls of a write, as SimulatedSdk::operations names them.
inline QStringList writeCalls(const QVector<WriteStep> &steps, const QString &port)
{
    QStringList calls;
    for (const WriteStep &step : steps)
        calls << QStringLiteral("camera[%1].%2").arg(port, step.setter);
    return calls;
}
