// The list frame's statement and filter: the quick find, the extended filter rows and the query timer.

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

QString TBaseFind::GetSelectSQL()
{
    QString sql = QStringLiteral("select AllInfo.* from AllInfo");
    if (m_sqlOrder.isEmpty())
        m_sqlOrder = DefaultOrder;
    if (const TDBMainInfo* master = MasterDBInfo())
        sql += QStringLiteral(" where AllInfo.ObjType = ") + QString::number(master->ObjType);
    sql += GetWhereSQL();
    sql += QStringLiteral(" order by ") + TotalOrder(m_sqlOrder);
    return sql;
}

QString TBaseFind::TotalOrder(const QString& order, const QString& key)
{
    const QString trimmed = order.trimmed();
    if (trimmed.isEmpty())
        return key;
    const QString last = trimmed.section(QLatin1Char(','), -1).trimmed();
    const QString keyColumn = key.section(QLatin1Char('.'), -1);
    if (last.compare(key, Qt::CaseInsensitive) == 0 || last.compare(keyColumn, Qt::CaseInsensitive) == 0)
        return trimmed;
    return trimmed + QStringLiteral(", ") + key;
}

void TBaseFind::SetFindField(int index, const QString& text)
{
    const QString value = text.trimmed();
    if (index >= 1 && index <= 5)
        m_findOptions->Str(index) = value;
    else if (index >= 6 && index <= 10)
        m_findOptions->Link(index - 5) = value;
    else if (index >= 11 && index <= 15)
        m_findOptions->Int(index - 10) = IntOfText(value);
    else if (index == 16)
        m_findOptions->Comments = value;
}

QString TBaseFind::GetWhereSQL()
{
    m_whereExt.clear();
    m_findOptions->Clear();
    if (m_fullFindMode)
        ParseOptionList();
    else
        ParseBriefFind();
    QString conditions;
    for (int i = 1; i <= 5; ++i)
        if (!EmptyId(m_findOptions->Link(i)))
            IdCondition(conditions, m_findOptions->Link(i), QStringLiteral("AllInfo.Link") + QString::number(i));
    for (int i = 1; i <= 5; ++i)
        LikeCondition(conditions, QStringLiteral("AllInfo.Str") + QString::number(i), m_findOptions->Str(i));
    LikeCondition(conditions, QStringLiteral("AllInfo.Comments"), m_findOptions->Comments);
    for (int i = 1; i <= 5; ++i)
        IntCondition(conditions, QStringLiteral("AllInfo.Int") + QString::number(i), m_findOptions->Int(i));
    QString tail;
    if (!conditions.isEmpty())
        tail = QStringLiteral(" and ") + conditions;
    if (!m_whereExt.isEmpty())
        tail += QStringLiteral(" and ") + m_whereExt;
    return tail;
}

void TBaseFind::ParseBriefFind()
{
    // Single blanks separate the words; two blanks in a row leave a word empty and shift the rest.
    const QStringList words = eFind->currentText().split(QLatin1Char(' '));
    for (int i = 0; i < std::min<qsizetype>(4, words.size()); ++i)
        SetFindField(i + 1, words[i]);
}

void TBaseFind::ParseOptionList() { }

// Event handlers

void TBaseFind::tbBriefClick()
{
    SetFullFindMode(false);
}

void TBaseFind::ToolButton3Click()
{
    SetFullFindMode(true);
}

void TBaseFind::eFindChange()
{
    InitTimerQuery->start();
}

void TBaseFind::InitTimerQueryTimer()
{
    InitTimerQuery->stop();
    RunQuery(QString());
}
