#pragma once

#include <QString>

#include <functional>

class QWidget;
class TMyDataBase;

/**
 * \brief The linked-objects window a list shows for its links action: the activities floor builds it, the
 * main window hands it out (WM_NEWLINKSWINDOW), the list fills, places and shows it.
 */
class TLinksWindow
{
public:
    virtual ~TLinksWindow() = default;
    /// The list the window serves, and how to rerun that list on its current object.
    virtual void SetOwnerList(QWidget* list, std::function<void()> rerun) = 0;
    /// Fills the window for a row of the list; false when it has nothing to show.
    virtual bool Fill(TMyDataBase* db, const QString& masterId, int tag, const QString& linkId, const QString& objId) = 0;
    /// The window itself, to place and show.
    virtual QWidget* Window() = 0;
};
