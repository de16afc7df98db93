#pragma once

#include <QString>

class TDBMainInfo;

/**
 * \brief What a frame showing a record offers the record: the record tells its linked frames when it was
 * loaded or saved and asks them to put their edits into it before a save.
 *
 * Implemented by the shell's frames; the store never sees a widget.
 */
class TRecordFrame
{
public:
    virtual ~TRecordFrame() = default;
    /// Links the frame to \a record, or to none (nullptr: the record is going away).
    virtual void SetMasterDBInfo(TDBMainInfo* record) = 0;
    /// The record's content changed: show it.
    virtual void LoadData() = 0;
    /// The record was written.
    virtual void AfterSave() = 0;
    /// Put the edits into the record; 0 when accepted, otherwise the frame refuses (see ErrorText).
    virtual int ApplyData() = 0;
    /// Why the last ApplyData refused.
    virtual QString ErrorText() const = 0;
};
