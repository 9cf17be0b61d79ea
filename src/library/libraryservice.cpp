#include "library/libraryservice.h"

LibraryService::LibraryService(QObject *parent) : QObject(parent) {}

void LibraryService::registerBranch(LibraryKind kind, LibraryBranch *branch)
{
    (kind == LibraryKind::User ? m_user : m_builtIn) = branch;
}

std::optional<LibraryKind> LibraryService::focusedLibrary() const
{
    if (m_user && m_user->libraryHasFocus())
        return LibraryKind::User;
    if (m_builtIn && m_builtIn->libraryHasFocus())
        return LibraryKind::BuiltIn;
    return std::nullopt;
}

bool LibraryService::GetLibraryScript(LibraryKind library)
{
    LibraryBranch *branch = library == LibraryKind::User ? m_user : m_builtIn;
    if (!branch)
        return false;
    // A failing branch leaves the texts of the last success alone.
    LibraryTexts produced;
    if (!branch->produceScript(produced))
        return false;
    m_texts = std::move(produced);
    return true;
}
