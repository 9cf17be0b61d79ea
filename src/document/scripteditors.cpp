#include "document/scripteditors.h"

#include "editor/scripteditor.h"
#include "platform/prompter.h"

#include <QVBoxLayout>

ScriptEditors::ScriptEditors(QObject *parent) : QObject(parent) {}

namespace {

ScriptEditor *makeEditor(QWidget *panel, const char *name)
{
    auto *editor = new ScriptEditor(panel);
    editor->setObjectName(QString::fromLatin1(name));
    if (auto *layout = qobject_cast<QBoxLayout *>(panel->layout()))
        layout->addWidget(editor, 1);
    else
        (new QVBoxLayout(panel))->addWidget(editor, 1);
    return editor;
}

} // namespace

void ScriptEditors::create(QWidget *headPanel, QWidget *bodyPanel)
{
    Q_ASSERT(!m_head);
    m_head = makeEditor(headPanel, "HEAD_ED");
    m_body = makeEditor(bodyPanel, "BODY_ED");
    emit created();
}

void ScriptEditors::setScript(const QString &head, const QString &body)
{
    m_head->setWholeText(head);
    m_body->setWholeText(body);
    emit scriptReplaced();
}

ScriptEditor *ScriptEditors::current() const
{
    return m_currentIsHead ? m_head : m_body;
}

void ScriptEditors::setCurrent(ScriptEditor *editor)
{
    if (editor == m_head)
        m_currentIsHead = true;
    else if (editor == m_body)
        m_currentIsHead = false;
}

ScriptEditor *ScriptEditors::focused() const
{
    return m_head && m_head->focused() ? m_head : m_body;
}

bool ScriptEditors::isModified() const
{
    return m_head && (m_head->modifiedState() || m_body->modifiedState());
}

bool askToReplaceScript(Prompter &prompter)
{
    return prompter.AskYesNo(QStringLiteral("Please confirm!"),
                             QStringLiteral("Current script will be deleted, continue ?")) == AnswerYes;
}
