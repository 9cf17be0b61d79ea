#pragma once
// The preview page and the one file every preview is written to.
//
// The page is "<HTML><HEAD>" + HEAD + "</HEAD><BODY>" + BODY +
// "</BODY></HTML>", nothing added but, for a document that has a file, the
// <BASE HREF> of that file's folder after "<HEAD>".  The file is prev.html in a folder of
// this user's own inside the temporary folder ("quillon-<uid>"): a fixed
// name straight in the shared temporary folder would let another user plant
// a link or a file there.  The folder is made with owner-only rights and
// checked before each use; one that is not ours alone (a link, someone
// else's, open to others, not a folder at all) is left alone and a fresh
// private folder ("quillon-<uid>-XXXXXX") is used for the rest of the run.

#include <QString>

/// The page text of two fragments.  With a pageFolder (the folder of the
/// document's file), a <BASE HREF> to it stands before HEAD, so that the
/// page's relative addresses (style sheets, pictures, links) lead where
/// they lead from the document's own place.
QString composePreviewPage(const QString &head, const QString &body, const QString &pageFolder = QString());

/// A preview page written, or why not: "Cannot create file <path>", a
/// line break and the reason, the message for the user.
struct PreviewWrite {
    QString path;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

/// The preview file of one run: the temporary folder it lives in and the
/// private folder chosen there.
class PreviewFile final {
public:
    /// tempRoot: where the private folder is made (QDir::tempPath() when
    /// empty).
    explicit PreviewFile(const QString &tempRoot = QString());
    /// A fresh private folder made for this run goes with the run.
    ~PreviewFile();
    PreviewFile(const PreviewFile &) = delete;
    PreviewFile &operator=(const PreviewFile &) = delete;

    /// Writes the page (UTF-8, no byte-order mark, line breaks as they are)
    /// and returns the file's path, the same one for every preview while the
    /// folder stays ours.
    PreviewWrite WritePreviewPage(const QString &head, const QString &body, const QString &pageFolder = QString());

    /// The private folder to use, made or checked now; empty when none
    /// could be had.
    QString folder();

    /// The folder tried first: "quillon-<uid>" in the temporary folder.
    QString usualFolder() const;

    /// Whether a folder is ours alone: a real directory (not a link) owned
    /// by this user with no rights for group or others.
    static bool isPrivateFolder(const QString &path);

private:
    QString m_root;
    QString m_folder;
    bool m_fellBack = false;
    QString m_failure;  // why no folder could be had
};
