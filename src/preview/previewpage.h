#pragma once
// The preview page and the one file every preview is written to.
//
// The page is "<HTML><HEAD>" + HEAD + "</HEAD><BODY>" + BODY +
// "</BODY></HTML>", nothing added.  The file is prev.html in a folder of
// this user's own inside the temporary folder: a fixed name straight in the
// shared temporary folder would let another user plant a link or a file
// there.  The folder is made with owner-only rights and checked before each
// use; one that is not ours (a link, someone else's, open to others) is
// left alone and a fresh private folder is used instead.

#include <QString>

#include <stdexcept>

/// The page text of two fragments.
QString composePreviewPage(const QString &head, const QString &body);

/// A preview that could not be written; what() is the message for the user.
class PreviewWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PreviewFile {
public:
    /// tempRoot: the temporary folder (QDir::tempPath() when empty).
    explicit PreviewFile(const QString &tempRoot = QString());

    /// Writes the page and returns the file's path (always the same one
    /// during a run).  Throws PreviewWriteError.
    QString WritePreviewPage(const QString &head, const QString &body);

    /// The private folder in use (made or checked on demand); empty when
    /// none could be had.
    QString folder();

    /// Whether a folder is ours alone: a real directory (not a link) owned
    /// by this user with no rights for group or others.
    static bool isPrivateFolder(const QString &path);

private:
    QString m_root;
    QString m_folder;
};
