#pragma once
// "Editor options": the colour scheme and the looks of the highlighting
// styles (font attribute, colours, "as default") with a sample page drawn in
// them; the font and the layout of the text; how it is printed; two keys
// for each editor command.  The dialog works on a copy of the settings; its
// caller takes settings() when it closes with OK.

#include "editor/highlightscheme.h"
#include "editor/keyclashes.h"

#include <QDialog>

class CustomColours;
class ColourButton;
class Prompter;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QListWidget;
class QSpinBox;
class QTableWidget;
class ScriptEditor;

class EditorOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    EditorOptionsDialog(const EditorSettings &settings, Prompter &prompter, CustomColours &colours,
                        QWidget *parent = nullptr);

    /// The settings as the dialog shows them now.
    EditorSettings settings() const;
    /// The keys the window's commands use: an editor key one of them takes
    /// is noted beside its box with the command's caption.
    void setWindowKeys(std::vector<WindowKey> keys);
    /// The sample text the styles page draws.
    static QString sampleText();

private:
    QWidget *buildStylesPage();
    QWidget *buildKeysPage();
    QWidget *buildDisplayPage();
    QWidget *buildPrintingPage();
    void takeSchemeAndFont();
    void showStyle(int row);
    void takeStyle();
    StyleLook *currentLook();
    /// The note beside a row's key boxes: which of its keys the window takes.
    void noteKeyClashes(int row);

    EditorSettings m_settings;
    Prompter &m_prompter;
    CustomColours &m_colours;
    std::vector<int> m_styleIds;  // the editable styles, in the list's order
    bool m_showing = false;

    QListWidget *m_styles = nullptr;
    QComboBox *m_attribute = nullptr;
    ColourButton *m_foreground = nullptr;
    ColourButton *m_background = nullptr;
    QCheckBox *m_foregroundAsDefault = nullptr;
    QCheckBox *m_backgroundAsDefault = nullptr;
    ScriptEditor *m_sample = nullptr;
    QTableWidget *m_keys = nullptr;
    std::vector<WindowKey> m_windowKeys;
    QButtonGroup *m_scheme = nullptr;
    QComboBox *m_fontName = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QSpinBox *m_tabWidth = nullptr;
    QSpinBox *m_blockIndent = nullptr;
    QCheckBox *m_wordWrap = nullptr;
    QCheckBox *m_lineNumbers = nullptr;
    QSpinBox *m_rightMargin = nullptr;
    QCheckBox *m_printColours = nullptr;
    QCheckBox *m_printLineNumbers = nullptr;
};
