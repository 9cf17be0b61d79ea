#pragma once
// The help window: the program's HTML help pages from its resources, with
// contents, a keyword index and numbered topics shown in a compact
// secondary window ("prawe").  Nothing is made before the first request.
//
// The help set lives under ":/help/": the pages (*.html), the stylesheet
// help.css and the tables helpset.h reads (topics, contents, keywords).

#include "platform/helpset.h"
#include "platform/helpsystem.h"

#include <QHash>
#include <QList>
#include <QMultiMap>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <memory>

class DesktopShell;
class Prompter;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QWidget;

class HelpWindow final : public QObject, public HelpSystem {
    Q_OBJECT
public:
    /// External links go to the shell; the topic chooser and the print
    /// dialog are shown through the prompter.
    HelpWindow(DesktopShell &shell, Prompter &prompter, QObject *parent = nullptr);
    /// As above, with real dialogs of its own.
    explicit HelpWindow(DesktopShell &shell, QObject *parent = nullptr);
    ~HelpWindow() override;

    void showContents() override;
    void showKeywordSearch(const QString &keyword) override;
    void showHelpOnHelp() override;
    void ShowHelpTopic(int topic) override;
    void setGeneratedPage(const QString &pageName, std::function<QString()> html) override;

    /// Where the help set is read from (":/help/", built into the program).
    static QString helpRoot();
    /// The page a topic number opens ("" when the number is unknown).
    QString pageForTopic(int topic) const;
    /// Every topic number the help knows, in ascending order.
    QList<int> topics() const;
    /// The pages of the contents tree, in order.
    QStringList contentsPages() const;
    /// Every static page of the help set.
    QStringList staticPages() const;
    /// Whether a page can be shown: a static page or a registered generator.
    bool hasPage(const QString &page) const;
    /// The keywords of the index and the pages each leads to.
    QMultiMap<QString, QString> keywordIndex() const;
    /// The text of a page as the windows show it (a generated one made now).
    QString pageHtml(const QString &page) const;
    /// The text shown for an address inside the help (pages, the missing-topic page).
    QString htmlForAddress(const QUrl &address) const;

    /// Opens the keyword's page in the main window; a keyword on several
    /// pages lets the user choose one.
    void openKeyword(const QString &keyword);

    // The windows and their parts once made (nullptr before).
    QWidget *mainWindow() const { return m_main; }
    QWidget *topicWindow() const { return m_topic; }
    QTextBrowser *mainBrowser() const { return m_mainBrowser; }
    QTextBrowser *topicBrowser() const { return m_topicBrowser; }
    QTreeWidget *contentsTree() const { return m_contentsTree; }
    QLineEdit *indexSearch() const { return m_search; }
    QListWidget *indexList() const { return m_indexList; }
    QTabWidget *sideTabs() const { return m_side; }

private:
    void ensureMain();
    void ensureTopicWindow();
    void loadTables() const;
    void filterIndex(const QString &text);
    void follow(QTextBrowser *browser, const QUrl &url);
    void showPage(QTextBrowser *browser, const QUrl &address);
    void raiseMain();
    void updateTopicCaption();
    void selectContentsItem(const QUrl &address);
    void printPage();
    QString pageTitle(const QString &page) const;
    QTextBrowser *makeBrowser(QWidget *parent);

    DesktopShell &m_shell;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter *m_prompter;
    QHash<QString, std::function<QString()>> m_generated;

    mutable bool m_loaded = false;
    mutable HelpSet m_set;

    QPointer<QWidget> m_main;
    QPointer<QWidget> m_topic;
    QTextBrowser *m_mainBrowser = nullptr;
    QTextBrowser *m_topicBrowser = nullptr;
    QTabWidget *m_side = nullptr;
    QTreeWidget *m_contentsTree = nullptr;
    QLineEdit *m_search = nullptr;
    QListWidget *m_indexList = nullptr;
};
