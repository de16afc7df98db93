// The list frame's drag and drop: dragging a row out and linking an object dropped on the list.

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

bool TBaseFind::LinkObject()
{
    return false;
}

bool TBaseFind::CanLinkObject(const TDBMainInfo&, QString&)
{
    return false;
}

bool TBaseFind::DragAllowed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master && m_gridDraged && !InModalDialog() && EmptyId(master->Obj) && buttons == Qt::LeftButton
        && modifiers == Qt::NoModifier && !EmptyId(m_curObjId);
}

void TBaseFind::GridMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    if (DragAllowed(buttons, modifiers))
        BeginDrag();
}

void TBaseFind::BeginDrag()
{
    // The drag object goes away on its own once the drop is over.
    QPointer<QDrag> drag = new QDrag(Grid);
    auto* data = new QMimeData;
    data->setData(RowMimeType, m_curObjId.toUtf8());
    drag->setMimeData(data);
    const Qt::DropAction action = drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
    if (drag && action != Qt::IgnoreAction)
        GridEndDrag(drag->target());
}

bool TBaseFind::GridDragOver(QObject* source)
{
    m_dropObj.Clear();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || EmptyId(master->Obj))
        return false;
    TBaseFind* sourceList = ListOfGrid(source);
    if (!sourceList || EmptyId(sourceList->CurObjId()))
        return false;
    const TDBMainInfo* info = sourceList->GetCurrentObjInfo();
    QString reason;
    if (!info || !CanLinkObject(*info, reason))
        return false;
    m_dropObj.Id = info->Obj;
    m_dropObj.Kind = info->ObjType;
    m_dropObj.Database = info->Database();
    return true;
}

void TBaseFind::GridEndDrag(QObject* target)
{
    TBaseFind* targetList = ListOfGrid(target);
    if (targetList && targetList->LinkObject())
        targetList->RunQuery(targetList->WorkInfo()->Obj);
}

TBaseFind* TBaseFind::ListOfGrid(QObject* grid)
{
    // A drop lands on the grid's viewport; the grid is its parent.
    QObject* object = grid;
    if (object && !qobject_cast<TMyDBGrid*>(object) && object->parent() && qobject_cast<TMyDBGrid*>(object->parent()))
        object = object->parent();
    if (!qobject_cast<TMyDBGrid*>(object))
        return nullptr;
    for (QObject* owner = object->parent(); owner; owner = owner->parent())
        if (auto* list = qobject_cast<TBaseFind*>(owner))
            return list;
    return nullptr;
}

bool TBaseFind::eventFilter(QObject* watched, QEvent* event)
{
    const bool onGrid = watched == Grid || watched == Grid->viewport();
    if (CommandEvent(watched, event))
        return true;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == Grid && GridKeyDown(key))
            return true;
        if ((watched == eFind || watched == eFind->lineEdit()) && eFindKeyDown(key))
            return true;
        break;
    }
    case QEvent::MouseButtonPress:
        if (watched == Grid->viewport())
            m_pressPosition = static_cast<QMouseEvent*>(event)->position().toPoint();
        break;
    case QEvent::MouseMove:
        if (watched == Grid->viewport()) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if ((move->position().toPoint() - m_pressPosition).manhattanLength() >= QApplication::startDragDistance())
                GridMouseMove(move->buttons(), move->modifiers());
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (onGrid) {
            auto* over = static_cast<QDragMoveEvent*>(event);
            if (over->mimeData()->hasFormat(RowMimeType) && GridDragOver(over->source())) {
                over->setDropAction(Qt::LinkAction);
                over->accept();
            } else {
                over->ignore();
            }
            return true;
        }
        break;
    case QEvent::Drop:
        if (onGrid) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasFormat(RowMimeType) && !m_dropObj.IsEmpty()) {
                drop->setDropAction(Qt::LinkAction);
                drop->accept();
            } else {
                drop->ignore();
            }
            return true;
        }
        break;
    default:
        break;
    }
    return TBaseDBFrame::eventFilter(watched, event);
}
