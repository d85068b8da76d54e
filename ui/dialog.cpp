#include "ui/dialog.h"

#include "ui_dialog.h"

Dialog::Dialog(QWidget *parent) : QDialog(parent), ui(new Ui::Dialog)
{
    ui->setupUi(this);
    ui->NomProduit->setText(QStringLiteral(VELMORA_PRODUCT_NAME));
    ui->VersionProduit->setText(QStringLiteral(VELMORA_VERSION));
}

Dialog::~Dialog()
{
    delete ui;
}
