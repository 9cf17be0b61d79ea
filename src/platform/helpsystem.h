#pragma once
// The help file: contents, keyword search, help on help and numbered
// topics shown in a secondary window.

#include <QString>

#include <functional>

class HelpSystem {
public:
    virtual ~HelpSystem() = default;
    /// The contents and index window.
    virtual void showContents() = 0;
    /// The keyword index, its search field holding keyword.
    virtual void showKeywordSearch(const QString &keyword) = 0;
    /// How to use the help window.
    virtual void showHelpOnHelp() = 0;
    /// One topic by its context number.
    virtual void ShowHelpTopic(int topic) = 0;
    /// A page made by the program each time it is shown (the keyboard
    /// shortcuts page is made from the window's actions).
    virtual void setGeneratedPage(const QString &pageName, std::function<QString()> html) = 0;
};
