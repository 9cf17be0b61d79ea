#pragma once
// Insert into page: the editors' script put into an HTML page, its HEAD
// fragment before the page's </head> and its BODY fragment where the user
// chooses, after the change has been shown as a diff.
//
// A page in a file is read with the program's decoder and written back in
// its own encoding and line breaks through the checked save helper, after
// its present bytes have been kept as "<name>~" beside it.  The page open
// in the editors (a document opened from an HTML file without section
// markers, BODY_ED holding the page) takes the HEAD editor's text into its
// head instead, as one undo step of both editors, and nothing is written.

#include <QObject>
#include <QString>

#include <functional>

class Prompter;
class ScriptEditors;
struct BodyPlace;
struct Ports;

/// The document's file as Insert into page needs it.
struct OpenDocumentFile {
    QString path;         // empty when the document has no file
    bool isPage = false;  // an HTML file whose page is all of BODY_ED
};

/// Asks whether a file whose encoding cannot hold the characters in
/// unencodable is to be written in UTF-8 instead, naming them; true on Yes.
bool askToWriteInUtf8(Prompter &prompter, const QString &fileName, const QString &unencodable);

class PageInsertController final : public QObject {
    Q_OBJECT
public:
    PageInsertController(const Ports &ports, std::function<OpenDocumentFile()> document, QObject *parent = nullptr);

    void insertIntoPage();

private:
    void insertIntoOpenPage();
    void insertIntoFile(const QString &path, const BodyPlace &place);

    Prompter &m_prompter;
    ScriptEditors &m_editors;
    std::function<OpenDocumentFile()> m_document;
};
