#pragma once
// The controllers' surroundings without the main window: the two editors in
// a plain widget, the action registry, the status panels, the library
// service, a recording prompter, and the window's narrow interfaces
// (pages, settings pages, editor menus, drop targets, preview) recorded;
// ports hands them to a controller as the window would.

#include "app/actiontable.h"
#include "document/scripteditors.h"
#include "library/libraryservice.h"
#include "ports/ports.h"
#include "recordingprompter.h"
#include "widgets/actions.h"
#include "widgets/statuspanels.h"

#include <QHBoxLayout>
#include <QStatusBar>
#include <QStringList>
#include <QWidget>

struct FakeWorkbench final : EditorPageSwitch, SettingsPages, EditorMenus, DropTargets, ScriptPreview {
    RecordingPrompter prompter;
    QWidget window;
    QStatusBar *statusBar = new QStatusBar(&window);
    ActionRegistry actions{&window, actionTable(), findLayout};
    ScriptEditors editors;
    StatusPanels status{statusBar};
    LibraryService libraries;

    /// What the controllers asked of the window, in order.
    QStringList calls;
    bool browserExists = false;
    /// The seams above; no help, shell, browsers, custom colours, text
    /// insertion or library selection.
    Ports ports;

    FakeWorkbench()
    {
        auto *row = new QHBoxLayout(&window);
        auto *head = new QWidget(&window);
        auto *body = new QWidget(&window);
        row->addWidget(head);
        row->addWidget(body);
        editors.create(head, body);
        window.resize(600, 300);
        window.show();
        prompter.setParentWindow(&window);
        ports.prompter = &prompter;
        ports.actions = &actions;
        ports.editors = &editors;
        ports.status = &status;
        ports.libraries = &libraries;
        ports.libraryTexts = &libraries;
        ports.pages = this;
        ports.settingsPages = this;
        ports.menus = this;
        ports.drops = this;
        ports.preview = this;
    }

    void showEditorPage() override { calls << QStringLiteral("showEditorPage"); }
    void hideSettingsPages() override { calls << QStringLiteral("hideSettingsPages"); }
    void setEditorMenusEnabled(bool on) override { calls << QStringLiteral("editorMenus %1").arg(on); }
    void registerDropSource(QObject *, std::function<bool()>, std::function<void(ScriptEditor *)>) override
    {
        calls << QStringLiteral("registerDropSource");
    }
    bool internalBrowserExists() const override { return browserExists; }
    void previewEditorsInDefaultBrowser() override { calls << QStringLiteral("previewEditorsInDefaultBrowser"); }
    void enterPreviewTab() override { calls << QStringLiteral("enterPreviewTab"); }
    void ShowInInternalBrowser(const QString &head, const QString &body, const QString &) override
    {
        calls << QStringLiteral("ShowInInternalBrowser %1|%2").arg(head, body);
    }
};

/// A library branch whose answers the test sets.
struct FakeBranch final : LibraryBranch {
    bool focused = false;
    bool succeeds = true;
    LibraryTexts script;
    int asked = 0;
    bool libraryHasFocus() const override { return focused; }
    bool produceScript(LibraryTexts &texts) override
    {
        ++asked;
        if (succeeds)
            texts = script;
        return succeeds;
    }
};
