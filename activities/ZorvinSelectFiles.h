#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QStringList>

class QGroupBox;
class QLabel;
class QTreeView;
class QTreeWidget;

/**
 * \brief The file picker (dialog kind 201 "Выбор файла"): the folder tree, the files of the folder chosen
 * that the mask lets through, and the path chosen.
 *
 * It works on the dialog record: Str1 brings the current path in and takes the chosen one out, Str2 brings
 * the mask. Storing sets the record's kind to 0, so that the dialog writes nothing and the caller reads Str1.
 */
class TFZorvinSelectFiles final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFZorvinSelectFiles)

public:
    explicit TFZorvinSelectFiles(QWidget* parent = nullptr);
    ~TFZorvinSelectFiles() override;

    /// The extensions a mask lets through ("*.TXT;*.doc" gives ".txt" and ".doc"): lower-cased, each from a
    /// "." up to the next ";" or the end.
    static QStringList MaskEntries(const QString& mask);
    /// Whether a file is listed under \a mask: every file for an empty mask, else one whose extension, in
    /// lower case, is one of the mask's entries.
    static bool MaskAccepts(const QString& mask, const QString& fileName);

    void SetMasterDBInfo(TDBMainInfo* record) override;
    bool ValidateData() override;
    void StoreData() override;

    /// Another folder in the tree: its files are listed.
    void FolderTreeChange();
    /// Another file in the list: its full path is the one chosen.
    void FilesListChange();
    /// A double click (or Enter) on a file chooses it and closes the dialog with OK.
    void FilesListDblClick();

    /// The names of the files listed, in order.
    QStringList ListedFiles() const;

    QTreeView* FolderTree() const { return m_folderTree; }
    QTreeWidget* FilesList() const { return m_filesList; }
    QLabel* mPath() const { return m_mPath; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFiles(const QString& folder);

    QTreeView* m_folderTree;
    QTreeWidget* m_filesList;
    QGroupBox* m_groupBox1;
    QLabel* m_mPath;
    QString m_mask;
    QString m_folder;
};
