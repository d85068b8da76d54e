#pragma once

#include "parameters/boxpresenter.h"

class QWidget;

// The boxes as Qt's message boxes, modal over the window, but for the parentless Reset question.
class MessageBoxes final : public BoxPresenter
{
public:
    explicit MessageBoxes(QWidget *window);

    void about(const QString &title, const QString &text) override;
    void warning(const QString &text) override;
    bool confirm(const QString &question) override;

private:
    QWidget *window;
};
