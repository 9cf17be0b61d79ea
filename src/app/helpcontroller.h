#pragma once
// The help commands, the tabs' help buttons and the About box.

#include <QObject>

class ActionRegistry;
class DesktopShell;
class HelpSystem;
class Prompter;
struct Ports;

class HelpController final : public QObject {
    Q_OBJECT
public:
    explicit HelpController(const Ports &ports, QObject *parent = nullptr);

    void about();

    /// The keyboard shortcuts page, made from the command table.
    static QString shortcutsPage();

private:
    ActionRegistry &m_actions;
    Prompter &m_prompter;
    DesktopShell &m_shell;
    HelpSystem &m_help;
};
