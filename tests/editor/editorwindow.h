#pragma once
// One script editor in a top-level window of its own, for the editor's
// GUI tests.

#include "editor/scripteditor.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

template <typename Editor = ScriptEditor>
struct EditorWindowOf {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    Editor *editor = nullptr;

    EditorWindowOf()
    {
        auto *layout = new QVBoxLayout(window.get());
        editor = new Editor(window.get());
        editor->setObjectName(QStringLiteral("BODY_ED"));
        layout->addWidget(editor);
        window->resize(640, 420);
    }

    /// Shows the window and waits until it is the active one.
    [[nodiscard]] bool show()
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
};

using EditorWindow = EditorWindowOf<>;
