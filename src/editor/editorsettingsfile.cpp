#include "editor/editorsettingsfile.h"

#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>

EditorSettingsFile::EditorSettingsFile(QString path) : m_path(std::move(path)) {}

EditorSettingsFile::Loaded EditorSettingsFile::load(EditorSettings &settings)
{
    m_damagedBytes.clear();
    m_damagedKept = false;
    m_backupPath.clear();
    m_reason.clear();
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return m_loaded = Loaded::Missing;
    const TextFileRead file = readFileBytes(m_path, kMaxTextFileBytes, LinkPolicy::Refuse);
    if (!file.ok()) {
        m_reason = info.isSymLink() ? refusedLinkText(QDir::toNativeSeparators(m_path)) : unreadableReason(file);
        return m_loaded = Loaded::Unreadable;
    }
    if (readEditorSettings(file.bytes, settings))
        return m_loaded = Loaded::Read;
    m_damagedBytes = file.bytes;
    m_backupPath = unusedBackupPath(m_path);
    return m_loaded = Loaded::Damaged;
}

QString EditorSettingsFile::loadMessage() const
{
    const QString cannotOpen = QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(m_path));
    switch (m_loaded) {
    case Loaded::Missing:
    case Loaded::Read:
        return {};
    case Loaded::Damaged:
        return cannotOpen +
               QStringLiteral("\r\nIt is not an editor settings file; the built-in settings are used. The file is "
                              "kept as %1 before the editor settings are next saved.")
                   .arg(QDir::toNativeSeparators(m_backupPath));
    case Loaded::Unreadable:
        return cannotOpen + QStringLiteral("\r\n") + m_reason +
               QStringLiteral("\r\nThe built-in settings are used, and the file is not overwritten.");
    }
    return {};
}

SaveResult EditorSettingsFile::save(const EditorSettings &settings)
{
    if (m_loaded == Loaded::Unreadable) {
        SaveResult refused;
        refused.error = QStringLiteral("The file could not be read at start, so it is not overwritten");
        return refused;
    }
    if (m_loaded == Loaded::Damaged && !m_damagedKept) {
        const SaveResult kept =
            saveFileAtomically(m_backupPath, m_damagedBytes, SaveDurability::Sync, LinkPolicy::Refuse);
        if (!kept.ok) {
            SaveResult failed;
            failed.error = QStringLiteral("A copy of the file could not be kept in %1: %2")
                               .arg(QDir::toNativeSeparators(m_backupPath), kept.error);
            return failed;
        }
        m_damagedKept = true;
        m_damagedBytes.clear();
    }
    return saveFileAtomically(m_path, writeEditorSettings(settings), SaveDurability::Sync, LinkPolicy::Refuse);
}
