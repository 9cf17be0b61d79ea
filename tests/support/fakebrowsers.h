#pragma once
// Browsers for tests: the lookup answers what the test arranged (by
// default: a default browser and no other), and launches are recorded and
// answered with a preset result, so no browser ever starts in a test.

#include "platform/webbrowsers.h"

#include <QList>
#include <QString>

class FakeBrowsers final : public WebBrowsers {
public:
    /// What the next window's lookup finds; tests set it before making
    /// the window (the window looks the browsers up as it is made).
    static inline BrowserLookup installed{true, {}};
    BrowserLookup found = installed;
    bool launchResult = true;
    struct Launch {
        QString executable;
        QString address;
    };
    QList<Launch> launches;

    int lookups = 0;

    BrowserLookup findBrowsers() override
    {
        ++lookups;
        return found;
    }
    bool launch(const QString &executable, const QString &address) override
    {
        launches.append({executable, address});
        return launchResult;
    }
};
