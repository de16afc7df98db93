// The list frame's commands: opening, creating, deleting, the links window, and the keys and clicks that run them.

#include "shell/frames/BaseFind.h"

#include "platform/Messages.h"
#include "shell/frames/BaseForm.h"
#include "shell/mainwindow/MainBroker.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/OptionList.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/TextHelpers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "shell/frames/BaseFindParts.h"

using namespace BaseFindParts;

// Virtual operations

void TBaseFind::aDelExecute()
{
    WorkInfo()->SetObj(m_curObjId);
    DeleteObject(m_curObjId);
}

bool TBaseFind::SelectInDialog()
{
    TDBMainInfo* dialogRecord = DialogRecord();
    if (!InModalDialog() || !dialogRecord)
        return false;
    dialogRecord->Assign(WorkInfo());
    AcceptDialog();
    return true;
}

void TBaseFind::QueryAfterOpen()
{
    FrameResize();
    if (OnQAfterOpen)
        OnQAfterOpen();
}

void TBaseFind::EnableActions()
{
    const bool row = !EmptyId(m_curObjId);
    aOpen->setEnabled(row);
    aDel->setEnabled(row);
    aPrint->setEnabled(row);
    aCopy->setEnabled(row);
    const int tag = aLinks->data().toInt();
    aLinks->setEnabled(!EmptyId(m_curLinkId) || tag == 7 || tag == 30 || tag == 35);
}

bool TBaseFind::DeleteObject(const QString& id)
{
    // The row to stand on afterwards is read first: the deletion is announced, and the list may have been
    // read anew by the time it returns.
    TListModel* rows = Grid->Model();
    const int current = Grid->CurrentRecord();
    const int next = current + 1 < rows->RecordCount() ? current + 1 : current - 1;
    const QString nextId = next >= 0 ? rows->Row(next).Text(QStringLiteral("ObjId")) : QString();
    WorkInfo()->SetObj(id);
    if (DeleteWorkInfo() != 1)
        return false;
    RunQuery(nextId);
    return true;
}

bool TBaseFind::IsDirectDelete()
{
    return EmptyId(m_curObjId) || EmptyId(m_curLinkId) || SameId(m_curLinkId, m_curObjId);
}

bool TBaseFind::eFindKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (aOpen->isEnabled())
        aOpen->trigger();
    return true;
}

bool TBaseFind::GridKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (aOpen->isEnabled())
            aOpen->trigger();
        return true;
    }
    if (key == Qt::Key_Delete) {
        if (aDel->isEnabled())
            aDel->trigger();
        return true;
    }
    return false;
}

bool TBaseFind::CommandEvent(QObject* watched, QEvent* event)
{
    const bool onFind = watched == eFind || watched == eFind->lineEdit();
    const bool onGrid = watched == Grid || watched == Grid->viewport();
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool menuKey = key->key() == Qt::Key_Menu
            || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        if ((onFind || onGrid) && menuKey) {
            PopupListMenu();
            return true;
        }
        // The rows move under the edit, so a name can be typed and its row chosen without leaving it.
        const bool rowKey = key->key() == Qt::Key_Down || key->key() == Qt::Key_Up
            || key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp;
        if (onFind && rowKey && key->modifiers() == Qt::NoModifier) {
            QKeyEvent forwarded(QEvent::KeyPress, key->key(), Qt::NoModifier);
            QCoreApplication::sendEvent(Grid, &forwarded);
            return true;
        }
        break;
    }
    case QEvent::ContextMenu:
        // The menu key of the keyboard: the list's menu, under the current row.
        if ((onFind || onGrid) && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
            PopupListMenu();
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
        // Below the rows of an empty list there is nothing to open: the list starts a new object.
        if (watched == Grid->viewport() && EmptyId(m_curObjId)
            && !Grid->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).isValid()) {
            GridDblClick();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void TBaseFind::PopupListMenu()
{
    const QModelIndex current = Grid->currentIndex();
    QRect row = current.isValid() ? Grid->visualRect(current) : QRect();
    if (!row.isValid() || !Grid->viewport()->rect().intersects(row))
        row = QRect(0, 0, Grid->viewport()->width(), 0);
    ppMenu->popup(Grid->viewport()->mapToGlobal(QPoint(row.left() + 8, row.bottom())));
}

void TBaseFind::GridDblClick()
{
    if (EmptyId(m_curLinkId) || SameId(m_curLinkId, m_curObjId)) {
        aOpenExecute();
        return;
    }
    PrepareOpenMenu();
    pmOpen->popup(QCursor::pos());
}

void TBaseFind::aNewExecute(QObject* sender)
{
    const int tag = TagOf(sender);
    if (tag == 0)
        return;
    TDBMainInfo* work = WorkInfo();
    const TDBMainInfo* master = MasterDBInfo();
    work->CopyFrom(*m_findOptions);
    // Only what the statement filters by prefills the new object. A number filters when it is above 0; -1
    // means "equals 0", and 0 or any other negative number filters nothing: the new object gets 0 for all
    // of them. A link that is blank, null or none filters nothing either.
    for (int i = 1; i <= 5; ++i) {
        if (work->Int(i) < 0)
            work->Int(i) = 0;
        if (EmptyId(work->Link(i).Text()))
            work->Link(i) = QString();
    }
    work->ObjType = tag;
    const QString masterId = master ? master->Obj.Text() : QString();
    const bool edited = tag == 4 || tag == 5 || tag == 9 || tag == 23 || tag == 100 || tag == 31 || tag == 24
        || (tag >= 25 && tag <= 28);
    if (edited) {
        if (tag == 4 || tag == 5 || tag == 9 || tag == 23 || tag == 100)
            work->Link1 = masterId;
        else if (tag == 31)
            work->Link1 = master ? master->Link1.Text() : QString();
        else if (tag == 24)
            work->Link2 = masterId;
        else {
            work->ObjType = Kind::Group;
            work->Link1 = master ? master->Link1.Text() : QString();
            work->Int1 = tag;
        }
        if (tag == 4)
            work->Int2 = master ? master->ObjType : 0;
        if (tag == 100)
            work->ObjType = Kind::Address;
        if (EditWorkInfo() != 1)
            return;
        if (tag == 24 && !SelectInDialog() && work->Int1 != 4 && work->Int1 != 8)
            OpenWorkInfo();
        RunQuery(work->Obj);
        return;
    }
    if (!EmptyId(masterId)) {
        if (PickWorkInfo() != 1)
            return;
        m_dropObj.Id = work->Obj;
        m_dropObj.Kind = work->ObjType;
        m_dropObj.Database = work->Database();
        if (LinkObject())
            RunQuery(work->Obj);
        return;
    }
    if (EditWorkInfo() != 1)
        return;
    if (!SelectInDialog())
        OpenWorkInfo();
    RunQuery(work->Obj);
}

void TBaseFind::aNew_Execute()
{
    PopupUnder(pmNew, tbNew);
}

void TBaseFind::PopupUnder(QMenu* menu, QWidget* button)
{
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void TBaseFind::aOpen_Execute()
{
    if (EmptyId(m_curLinkId) || SameId(m_curLinkId, m_curObjId)) {
        aOpenExecute();
        return;
    }
    PrepareOpenMenu();
    PopupUnder(pmOpen, tbOpen);
}

void TBaseFind::aOpenExecute()
{
    if (EmptyId(m_curObjId)) {
        aNew->trigger();
        return;
    }
    OpenObjectById(m_curObjId);
}

void TBaseFind::OpenObjectById(const QString& id)
{
    TDBMainInfo* work = WorkInfo();
    work->SetObj(id);
    if (SelectInDialog())
        return;
    const int kind = work->ObjType;
    const bool edit = IsEditedInDialog(kind) || (kind == Kind::MoneyOperation && (work->Int1 == 4 || work->Int1 == 8));
    if (!edit) {
        OpenWorkInfo();
        return;
    }
    if (EditWorkInfo() == 1)
        RunQuery(work->Obj);
}

void TBaseFind::miOpenLinkObjectClick()
{
    if (EmptyId(m_linkObjId))
        return;
    OpenObjectById(m_linkObjId);
}

void TBaseFind::miOpenLinksClick()
{
    TDBMainInfo* work = WorkInfo();
    work->SetObj(m_curLinkId);
    if (SelectInDialog())
        return;
    if (IsEditedInDialog(work->ObjType)) {
        if (EditWorkInfo() == 1)
            RunQuery(work->Obj);
        return;
    }
    OpenWorkInfo();
}

TDBMainInfo* TBaseFind::DialogRecord() const
{
    TBaseForm* form = InModalDialog() ? HostForm() : nullptr;
    return form ? form->DBMain() : nullptr;
}

void TBaseFind::AcceptDialog()
{
    if (TBaseForm* form = HostForm())
        form->accept();
}

TLinksWindow* TBaseFind::RequestLinksWindow()
{
    TMainBroker* broker = MainBroker();
    return broker ? broker->NewLinksWindow() : nullptr;
}

void TBaseFind::aDel_Execute()
{
    WorkInfo()->SetObj(m_curObjId);
    if (IsDirectDelete())
        aDelExecute();
    else
        PopupUnder(pmDel, tbDel);
}

void TBaseFind::miDelLinkClick()
{
    DeleteObject(m_curLinkId);
}

void TBaseFind::aCopyExecute() { }

void TBaseFind::aPrintExecute() { }

void TBaseFind::aRefreshExecute()
{
    RunQuery(QString());
}

void TBaseFind::aLinksExecute()
{
    if (!m_linksWindow) {
        m_linksWindow = RequestLinksWindow();
        if (m_linksWindow) {
            m_linksWindowAlive = m_linksWindow->Window();
            m_linksWindow->SetOwnerList(this, [this]() {
                const QString current = m_curObjId;
                RunQuery(current);
            });
        }
    }
    const TDBMainInfo* master = MasterDBInfo();
    if (m_linksWindow && m_linksWindowAlive
        && m_linksWindow->Fill(master ? master->Database() : nullptr, master ? master->Obj.Text() : QString(),
            aLinks->data().toInt(), m_curLinkId, m_curObjId)) {
        QWidget* window = m_linksWindow->Window();
        window->adjustSize();
        const QPoint below = tbLinks->mapToGlobal(QPoint(tbLinks->width(), tbLinks->height()));
        QPoint at(below.x() - window->width(), below.y());
        const QScreen* screen = tbLinks->screen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        if (area.isValid()) {
            if (at.x() < area.left())
                at.setX(tbLinks->mapToGlobal(QPoint(0, 0)).x());
            if (at.y() + window->height() > area.bottom() + 1)
                at.setY(tbLinks->mapToGlobal(QPoint(0, 0)).y() - window->height());
        }
        window->move(at);
        window->show();
        window->raise();
        return;
    }
    WorkInfo()->SetObj(m_curLinkId);
    if (OpenWorkInfo() == 1)
        RunQuery(WorkInfo()->Obj);
}
