#pragma once
// A help system for tests: records the requests.

#include "platform/helpsystem.h"

#include <QList>
#include <QMap>
#include <QStringList>

class FakeHelp final : public HelpSystem {
public:
    QStringList requests;  // "contents", "search:<keyword>", "helponhelp", "topic:<n>"
    QMap<QString, std::function<QString()>> generated;

    void showContents() override { requests << QStringLiteral("contents"); }
    void showKeywordSearch(const QString &keyword) override { requests << QStringLiteral("search:") + keyword; }
    void showHelpOnHelp() override { requests << QStringLiteral("helponhelp"); }
    void ShowHelpTopic(int topic) override { requests << QStringLiteral("topic:%1").arg(topic); }
    void setGeneratedPage(const QString &pageName, std::function<QString()> html) override
    {
        generated.insert(pageName, std::move(html));
    }
};
