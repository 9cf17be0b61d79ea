#pragma once
// PGC_Lib, the resource tabs on the left of the window: "Libraries" (the
// built-in library above the user library), "Languages" and "Functions".

#include <QTabWidget>

class ActionRegistry;
class ElementListView;
class LanguageTreeWidget;
class QSplitter;
class QToolBar;
class QTreeWidget;
class QVBoxLayout;

class ResourceTabs final : public QTabWidget {
    Q_OBJECT
public:
    ResourceTabs(ActionRegistry &actions, QWidget *parent = nullptr);

    QWidget *librariesPage() const { return m_libraries; }   // TAB_BuildIn
    QWidget *languagesPage() const { return m_languages; }   // TAB_Scripting
    QWidget *functionsPage() const { return m_functions; }   // TAB_Func
    /// Where the built-in library's tree goes, above its button strip.
    QVBoxLayout *builtInLayout() const { return m_builtIn; }
    QToolBar *builtInStrip() const { return m_builtInStrip; }  // PNL_BuiltInStrip
    LanguageTreeWidget *languageTree() const { return m_languageTree; } // TRE_JS
    ElementListView *functionList() const { return m_functionList; }    // LST_Functions
    QSplitter *librariesSplitter() const { return m_splitter; } // Splitter1
    /// Where the user library's tree and buttons go, under its caption.
    QVBoxLayout *userLibraryLayout() const { return m_userLibrary; }
    /// Where the script doctor's Problems list goes, under the Functions
    /// tab's list.
    QVBoxLayout *problemsLayout() const { return m_problems; }

    /// Room for every tab in full and every button of the pages' button
    /// strips (the user library's strip, added later, included), in the
    /// current font, as far as the screen leaves room beside them.
    QSize minimumSizeHint() const override;

private:
    QWidget *m_libraries;
    QWidget *m_languages;
    QWidget *m_functions;
    QVBoxLayout *m_builtIn = nullptr;
    QToolBar *m_builtInStrip;
    LanguageTreeWidget *m_languageTree;
    ElementListView *m_functionList;
    QSplitter *m_splitter;
    QVBoxLayout *m_userLibrary;
    QVBoxLayout *m_problems = nullptr;
};
