#pragma once
// The two dialogs of Insert into page: where the script goes (which page,
// and where in it the BODY fragment), then the change as a diff, to be
// written (or put into the editors) or cancelled.

#include "document/pageinsertion.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Prompter;

/// What the user chose: the page open in the editors or a file, and the
/// BODY fragment's place.
struct PageInsertChoice {
    bool openPage = false;
    QString path;  // the file, when not the open page
    BodyPlace place;
};

class PageInsertDialog final : public QDialog {
    Q_OBJECT
public:
    /// Lists the elements with an id of the page in a file; an empty list
    /// when it has none or cannot be read.
    using ElementLister = std::function<QList<PageElement>(const QString &path)>;

    /// openPageName names the page open in the editors; empty when they
    /// hold none (the choice is then not offered).
    PageInsertDialog(Prompter &prompter, const QString &openPageName, ElementLister lister, QWidget *parent = nullptr);

    PageInsertChoice choice() const;
    /// Chooses the file at path and lists its elements.
    void setPagePath(const QString &path);
    /// Chooses the element with that id for the BODY fragment ("After
    /// the element"); false when the page has none.
    bool chooseElement(const QString &id);

private:
    void browse();
    void listElements();
    void updateState();

    Prompter &m_prompter;
    ElementLister m_lister;
    QRadioButton *m_openPage = nullptr;
    QRadioButton *m_file = nullptr;
    QLineEdit *m_path = nullptr;
    QPushButton *m_browse = nullptr;
    QRadioButton *m_beforeBodyEnd = nullptr;
    QRadioButton *m_afterElement = nullptr;
    QComboBox *m_elements = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_listedPath;
    bool m_hasOpenPage = false;
};

/// The change shown as a unified diff before anything is written.
class PageDiffDialog final : public QDialog {
    Q_OBJECT
public:
    /// text says what accepting does; acceptCaption is its button's.
    PageDiffDialog(const QString &text, const QString &diff, const QString &acceptCaption, QWidget *parent = nullptr);
    QString diffText() const;

private:
    QPlainTextEdit *m_diff = nullptr;
};
