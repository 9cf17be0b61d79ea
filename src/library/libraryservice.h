#pragma once
// GetLibraryScript as a service of the libraries: the user and built-in
// branches register with it; every consumer (edit, insert, preview, copy)
// asks it for the script selected in a library and reads the library HEAD
// and BODY texts it keeps.

#include "ports/ports.h"

#include <QObject>
#include <QString>

#include <optional>

/// The two libraries a script can come from.
enum class LibraryKind { User, BuiltIn };

/// The result of the last successful GetLibraryScript: the library HEAD
/// text and library BODY text.
struct LibraryTexts {
    QString head;
    QString body;
};

/// One library as the service sees it.
class LibraryBranch {
public:
    virtual ~LibraryBranch() = default;
    /// Whether the library's tree has the keyboard focus.
    virtual bool libraryHasFocus() const = 0;
    /// Produces the selected script; false (after the branch's own message,
    /// where it has one) when it cannot.
    virtual bool produceScript(LibraryTexts &texts) = 0;
};

class LibraryService final : public QObject, public LibraryTextsKeeper {
    Q_OBJECT
public:
    explicit LibraryService(QObject *parent = nullptr);

    void registerBranch(LibraryKind kind, LibraryBranch *branch);

    /// The library whose tree has the focus, the user library first.
    std::optional<LibraryKind> focusedLibrary() const;
    /// The script selected in a library into texts(); false when it cannot
    /// be had (texts() then keeps what it held).
    bool GetLibraryScript(LibraryKind library);

    const LibraryTexts &texts() const { return m_texts; }
    void setTexts(const LibraryTexts &texts) { m_texts = texts; }
    void keepLibraryTexts(const QString &head, const QString &body) override { m_texts = {head, body}; }

private:
    LibraryBranch *m_user = nullptr;
    LibraryBranch *m_builtIn = nullptr;
    LibraryTexts m_texts;
};
