#pragma once

#include <QDialog>

namespace Ui {
class Dialog;
}

// The About box: product name and version on French captions.
class Dialog : public QDialog
{
    Q_OBJECT

public:
    explicit Dialog(QWidget *parent);
    ~Dialog() override;

private:
    Ui::Dialog *ui;
};
