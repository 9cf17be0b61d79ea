#pragma once
// Browsers for tests: the lookup answers what the test arranged (by
// default: a default browser and no other), and launches are recorded and
// answered with a preset result, so no browser ever starts in a test.  A
// test tells how a started browser fared through the launch's watcher.

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
        QString path;
        StartWatcher watched;
    };
    QList<Launch> launches;

    int lookups = 0;

    BrowserLookup findBrowsers() override
    {
        ++lookups;
        return found;
    }
    bool launch(const InstalledBrowser &browser, const BrowserTarget &target, StartWatcher watched) override
    {
        launches.append({browser.executable, target.url, target.path, std::move(watched)});
        return launchResult;
    }
};
