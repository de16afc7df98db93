#pragma once

#include "shell/frames/BaseDBFrame.h"

class QGroupBox;
class QLabel;
class QTreeView;

/// The tree of the computer's folders both pickers show.
namespace FolderTrees {
/// A tree of folders only, rooted at the computer.
QTreeView* Make(QWidget* parent);
/// Moves the tree's selection to the folder \a path; false when it cannot be shown.
bool Select(QTreeView* tree, const QString& path);
/// Opens the tree down to the folder \a path and scrolls it into view, selecting nothing.
void Reveal(QTreeView* tree, const QString& path);
/// The path of the folder selected; empty when none is.
QString Selected(const QTreeView* tree);
/// The read-only box showing the path chosen. Showing a choice is not typed input: closing the picker
/// drops it without asking.
QLabel* MakePathBox(QWidget* parent);
/// A picker's answer in its dialog record \a record: the kind 0, so that the dialog writes nothing, and the
/// path chosen in Str1.
void Answer(TDBMainInfo* record, const QString& path);
} // namespace FolderTrees

/**
 * \brief The folder picker (dialog kind 200 "Выбор рабочей папки"): the folder tree and the path chosen.
 *
 * It works on the dialog record: Str1 brings the current path in and takes the chosen one out. Storing sets
 * the record's kind to 0, so that the dialog writes nothing and the caller reads Str1.
 */
class TZorvinSelectDir final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TZorvinSelectDir)

public:
    explicit TZorvinSelectDir(QWidget* parent = nullptr);
    ~TZorvinSelectDir() override;

    void SetMasterDBInfo(TDBMainInfo* record) override;
    bool ValidateData() override;
    void StoreData() override;

    /// The folder selected in the tree (by click or by keys) is the one chosen.
    void FolderTreeChange();

    QTreeView* FolderTree() const { return m_folderTree; }
    QLabel* mPath() const { return m_mPath; }

private:
    QTreeView* m_folderTree;
    QGroupBox* m_groupBox1;
    QLabel* m_mPath;
};
