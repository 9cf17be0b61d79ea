#pragma once
// The help file: contents, keyword search, help on help and numbered
// topics shown in a secondary window.

#include <QString>

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
};
