#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <functional>

class QLineEdit;
class QToolButton;

/**
 * \brief The attachment field of a note: the folder, file or web address kept in one text column of the
 * record it is linked to, with "Поиск" (the folder or file picker) and "Открыть".
 *
 * Which column holds the path and which holds the note type are DBStrField and DBIntField; the type read
 * from the record chooses the mode. A web address is typed in; a folder or a file is chosen with the picker
 * (dialog kind 200 or 201), so the edit is read-only then.
 */
class TMyDirectoryList final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMyDirectoryList)

public:
    enum class TListMode { lmNone, lmDir, lmFiles, lmIE };
    /// The dialog kinds of the pickers.
    static constexpr int FolderDialog = 200;
    static constexpr int FileDialog = 201;
    static constexpr int PathLength = 255;

    explicit TMyDirectoryList(QWidget* parent = nullptr);
    ~TMyDirectoryList() override;

    /// The column (1..5 for Str1..Str5) holding the path; setting it reloads.
    int DBStrField() const { return m_strField; }
    void SetDBStrField(int field);
    /// The column (1..5 for Int1..Int5) holding the note type; setting it reloads.
    int DBIntField() const { return m_intField; }
    void SetDBIntField(int field);
    TListMode ListMode() const { return m_mode; }
    /// Switches the mode as the user chose another type: the path typed or chosen so far goes.
    void ChangeListMode(TListMode mode);
    /// The file picker's filter: "*.txt;*.doc"; empty for every file.
    const QString& FileMask() const { return m_fileMask; }
    void SetFileMask(const QString& mask) { m_fileMask = mask; }
    /// Run on every change of the path.
    std::function<void()> OnFileNameChange;

    /// The mode of a note type: 2 a folder, 3 a file, 4 a web address, anything else none.
    static TListMode ModeOfType(qint64 type);

    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;

    /// "Поиск": the folder or file picker, starting at the current path.
    void tbFindClick();
    /// "Открыть": the attachment opened on the desktop.
    void ToolButton1Click();

    /**
     * Opens an attachment on the desktop, never through a shell command line: a folder or a document with
     * the desktop's program for it, a program (".exe", or an executable file without an extension) started
     * directly in its own folder, a web address only as http or https. A path that names nothing, an address
     * of another kind or a refusal of the desktop is told in a message naming it; nothing else happens.
     * False when nothing was opened.
     */
    static bool OpenAttachment(TListMode mode, const QString& path);

    QLineEdit* DirName() const { return m_dirName; }
    QToolButton* tbFind() const { return m_tbFind; }
    QToolButton* ToolButton1() const { return m_toolButton1; }

private:
    void ApplyMode();

    QLineEdit* m_dirName;
    QToolButton* m_tbFind;
    QToolButton* m_toolButton1;
    int m_strField = 2;
    int m_intField = 1;
    TListMode m_mode = TListMode::lmDir;
    QString m_fileMask;
};
