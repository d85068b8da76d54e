#pragma once

#include <QCoreApplication>
#include <QString>

// The modal boxes the camera operations raise. Each returns when the user has closed it.
class BoxPresenter
{
public:
    // An about box over the window: the window's icon and one OK button.
    virtual void about(const QString &title, const QString &text) = 0;
    // A warning box over the window with an empty title and one OK button.
    virtual void warning(const QString &text) = 0;
    // The question asked before a Reset: no parent, no title, Yes and No with No the default.
    // True only for Yes.
    virtual bool confirm(const QString &question) = 0;

protected:
    ~BoxPresenter() = default;
};

// The window's texts pass through the toolkit's translation in the window's context,
// whichever class shows them.
inline QString windowText(const char *sourceText)
{
    return QCoreApplication::translate("MainWindow", sourceText);
}
