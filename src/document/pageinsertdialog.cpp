#include "document/pageinsertdialog.h"

#include "platform/prompter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

PageInsertDialog::PageInsertDialog(Prompter &prompter, const QString &openPageName, ElementLister lister,
                                   QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_lister(std::move(lister)), m_hasOpenPage(!openPageName.isEmpty())
{
    setObjectName(QStringLiteral("PageInsertDialog"));
    setWindowTitle(QStringLiteral("Insert into page"));

    auto *pageBox = new QGroupBox(QStringLiteral("Page"), this);
    auto *pageGrid = new QGridLayout(pageBox);
    m_openPage = new QRadioButton(QStringLiteral("The page open in the editors (%1)").arg(openPageName), pageBox);
    m_openPage->setObjectName(QStringLiteral("openPage"));
    m_file = new QRadioButton(QStringLiteral("An HTML &file:"), pageBox);
    m_file->setObjectName(QStringLiteral("pageFile"));
    m_path = new QLineEdit(pageBox);
    m_path->setObjectName(QStringLiteral("pagePath"));
    m_path->setMinimumWidth(320);
    m_browse = new QPushButton(QStringLiteral("&Browse ..."), pageBox);
    pageGrid->addWidget(m_openPage, 0, 0, 1, 3);
    pageGrid->addWidget(m_file, 1, 0);
    pageGrid->addWidget(m_path, 1, 1);
    pageGrid->addWidget(m_browse, 1, 2);
    m_openPage->setVisible(!openPageName.isEmpty());

    auto *placeBox = new QGroupBox(QStringLiteral("The BODY fragment goes"), this);
    placeBox->setObjectName(QStringLiteral("bodyPlace"));
    auto *placeGrid = new QGridLayout(placeBox);
    m_beforeBodyEnd = new QRadioButton(QStringLiteral("just before </body>"), placeBox);
    m_beforeBodyEnd->setObjectName(QStringLiteral("beforeBodyEnd"));
    m_afterElement = new QRadioButton(QStringLiteral("after the &element:"), placeBox);
    m_afterElement->setObjectName(QStringLiteral("afterElement"));
    m_elements = new QComboBox(placeBox);
    m_elements->setObjectName(QStringLiteral("elements"));
    m_elements->setMinimumContentsLength(24);
    placeGrid->addWidget(m_beforeBodyEnd, 0, 0, 1, 2);
    placeGrid->addWidget(m_afterElement, 1, 0);
    placeGrid->addWidget(m_elements, 1, 1);
    m_beforeBodyEnd->setChecked(true);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("&Show the change ..."));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The HEAD fragment goes just before the page's </head>."), this));
    layout->addWidget(pageBox);
    layout->addWidget(placeBox);
    layout->addWidget(m_note);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, &PageInsertDialog::browse);
    connect(m_path, &QLineEdit::editingFinished, this, &PageInsertDialog::listElements);
    connect(m_path, &QLineEdit::textChanged, this, [this] {
        m_file->setChecked(true);
        updateState();
    });
    for (QRadioButton *button : {m_openPage, m_file, m_beforeBodyEnd, m_afterElement})
        connect(button, &QRadioButton::toggled, this, &PageInsertDialog::updateState);
    connect(m_elements, &QComboBox::activated, this, [this] { m_afterElement->setChecked(true); });

    (openPageName.isEmpty() ? m_file : m_openPage)->setChecked(true);
    updateState();
}

PageInsertChoice PageInsertDialog::choice() const
{
    PageInsertChoice chosen;
    chosen.openPage = m_hasOpenPage && m_openPage->isChecked();
    if (!chosen.openPage)
        chosen.path = m_path->text().trimmed();
    if (m_afterElement->isChecked() && m_elements->currentIndex() >= 0) {
        chosen.place.kind = BodyPlace::AfterElement;
        chosen.place.id = m_elements->currentData().toString();
    }
    return chosen;
}

void PageInsertDialog::setPagePath(const QString &path)
{
    m_path->setText(path);
    listElements();
}

bool PageInsertDialog::chooseElement(const QString &id)
{
    const int index = m_elements->findData(id);
    if (index < 0)
        return false;
    m_elements->setCurrentIndex(index);
    m_afterElement->setChecked(true);
    return true;
}

void PageInsertDialog::browse()
{
    FileDialogRequest request;
    request.caption = QStringLiteral("Select an HTML page");
    request.filters = QStringList{QStringLiteral("HTML documents (*.htm *.html)"), QStringLiteral("All files (*)")};
    const QString current = m_path->text().trimmed();
    if (!current.isEmpty())
        request.directory = QFileInfo(current).absolutePath();
    const QString path = m_prompter.getOpenFileNameFor(this, request);
    if (!path.isEmpty())
        setPagePath(path);
}

void PageInsertDialog::listElements()
{
    const QString path = m_path->text().trimmed();
    if (path == m_listedPath)
        return;
    m_listedPath = path;
    m_elements->clear();
    if (!path.isEmpty())
        for (const PageElement &element : m_lister(path))
            if (m_elements->findData(element.id) < 0)
                m_elements->addItem(QStringLiteral("%1 id=\"%2\"").arg(element.tag, element.id), element.id);
    if (m_elements->count() == 0)
        m_beforeBodyEnd->setChecked(true);
    updateState();
}

void PageInsertDialog::updateState()
{
    const bool openPage = m_hasOpenPage && m_openPage->isChecked();
    // The page open in the editors is BODY_ED's text: only the HEAD
    // fragment goes into it.
    for (QWidget *w : std::initializer_list<QWidget *>{m_beforeBodyEnd, m_afterElement, m_elements})
        w->setEnabled(!openPage);
    m_afterElement->setEnabled(!openPage && m_elements->count() > 0);
    m_elements->setEnabled(m_afterElement->isEnabled());
    if (openPage)
        m_note->setText(QStringLiteral("The page open in the editors is the BODY fragment itself: the HEAD fragment "
                                       "moves from the HEAD editor into the page's head. Nothing is written to "
                                       "disk, and Undo takes the change back in one step."));
    else
        m_note->setText(QStringLiteral("Before the page is written, its present version is kept beside it under "
                                       "its name followed by \"~\"."));
    m_ok->setEnabled(openPage || (!m_path->text().trimmed().isEmpty() &&
                                  (!m_afterElement->isChecked() || m_elements->currentIndex() >= 0)));
}

// --- the diff -----------------------------------------------------------------------

PageDiffDialog::PageDiffDialog(const QString &text, const QString &diff, const QString &acceptCaption, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PageDiffDialog"));
    setWindowTitle(QStringLiteral("Insert into page"));
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("diffNote"));
    label->setWordWrap(true);
    m_diff = new QPlainTextEdit(this);
    m_diff->setObjectName(QStringLiteral("diff"));
    m_diff->setReadOnly(true);
    m_diff->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_diff->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    // Added lines green, removed red, hunk heads blue, as diffs are read.
    QTextCursor cursor(m_diff->document());
    const QStringList lines = diff.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (i + 1 == lines.size() && line.isEmpty())
            break;
        QTextCharFormat format;
        if (line.startsWith(QStringLiteral("+++")) || line.startsWith(QStringLiteral("---")))
            format.setFontWeight(QFont::Bold);
        else if (line.startsWith(u'+'))
            format.setForeground(QColor(0x00, 0x70, 0x20));
        else if (line.startsWith(u'-'))
            format.setForeground(QColor(0xb0, 0x10, 0x10));
        else if (line.startsWith(QStringLiteral("@@")))
            format.setForeground(QColor(0x20, 0x40, 0xa0));
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(line, format);
    }
    m_diff->moveCursor(QTextCursor::Start);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(acceptCaption);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_diff, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(760, 520);
}

QString PageDiffDialog::diffText() const
{
    return m_diff->toPlainText();
}
