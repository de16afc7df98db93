// The list frame's layout: its panels, bars, grid and filter editor, and how its columns fit its width.

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

QAction* TBaseFind::MakeAction(const QString& name, const QString& caption, const QString& hint, bool visible)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setVisible(visible);
    action->setData(0);
    return action;
}

QToolButton* TBaseFind::MakeButton(const QString& name, QAction* action)
{
    // The bar carries the action itself: a bar too narrow for its buttons offers it in its overflow menu,
    // and the button shows and hides with the action.
    tbMain->addAction(action);
    auto* button = qobject_cast<QToolButton*>(tbMain->widgetForAction(action));
    button->setObjectName(name);
    return button;
}

void TBaseFind::BuildLayout()
{
    // Title and command bar
    FindPicture = new QLabel(this);
    FindPicture->setObjectName(QStringLiteral("FindPicture"));
    FindCaption = new QLabel(this);
    FindCaption->setObjectName(QStringLiteral("FindCaption"));
    QFont title = FindCaption->font();
    title.setBold(true);
    FindCaption->setFont(title);
    tbMain = new QToolBar(this);
    tbMain->setObjectName(QStringLiteral("tbMain"));
    tbMain->setIconSize(MainData().LagreIcons().Size());
    tbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbNew = MakeButton(QStringLiteral("tbNew"), aNew);
    tbOpen = MakeButton(QStringLiteral("tbOpen"), aOpen);
    tbDel = MakeButton(QStringLiteral("tbDel"), aDel);
    tbCopy = MakeButton(QStringLiteral("tbCopy"), aCopy);
    tbPrint = MakeButton(QStringLiteral("tbPrint"), aPrint);
    tbRefresh = MakeButton(QStringLiteral("tbRefresh"), aRefresh);
    tbMain->addSeparator();
    tbLinks = MakeButton(QStringLiteral("tbLinks"), aLinks);
    auto* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(4, 2, 4, 2);
    titleRow->addWidget(FindPicture);
    titleRow->addWidget(FindCaption, 1);
    titleRow->addWidget(tbMain);

    // Search mode bar
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* modeLabel = new QLabel(QStringLiteral("Режим поиска:"), Panel2);
    tBarFind = new QToolBar(Panel2);
    tBarFind->setObjectName(QStringLiteral("tBarFind"));
    tbBrief = new QToolButton(tBarFind);
    tbBrief->setObjectName(QStringLiteral("tbBrief"));
    tbBrief->setText(QStringLiteral("Простой"));
    tbBrief->setCheckable(true);
    tbBrief->setAutoExclusive(true);
    tbBrief->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolButton3 = new QToolButton(tBarFind);
    ToolButton3->setObjectName(QStringLiteral("ToolButton3"));
    ToolButton3->setText(QStringLiteral("Расширенный"));
    ToolButton3->setCheckable(true);
    ToolButton3->setAutoExclusive(true);
    ToolButton3->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tBarFind->addWidget(tbBrief);
    tBarFind->addWidget(ToolButton3);
    auto* modeRow = new QHBoxLayout(Panel2);
    modeRow->setContentsMargins(4, 0, 4, 0);
    modeRow->addWidget(modeLabel);
    modeRow->addWidget(tBarFind);
    modeRow->addStretch(1);

    // Quick find
    BriefFind = new TGradientPanel(this);
    BriefFind->SetGradientDirection(TGradientDirection::gdVertical);
    BriefFind->SetColor(Qt::white);
    BriefFind->SetColorEnd(SelectedCellColor);
    BriefFind->setObjectName(QStringLiteral("BriefFind"));
    auto* findLabel = new QLabel(QStringLiteral("Искать"), BriefFind);
    eFind = new QComboBox(BriefFind);
    eFind->setObjectName(QStringLiteral("eFind"));
    eFind->setEditable(true);
    eFind->setInsertPolicy(QComboBox::NoInsert);
    eFind->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    tbarConfigGrp = new QToolBar(BriefFind);
    tbarConfigGrp->setObjectName(QStringLiteral("tbarConfigGrp"));
    tbEditGroup = new QToolButton(tbarConfigGrp);
    tbEditGroup->setObjectName(QStringLiteral("tbEditGroup"));
    tbEditGroup->setToolTip(QStringLiteral("Настройка групп"));
    tbarConfigGrp->addWidget(tbEditGroup);
    tbarConfigGrp->hide();
    auto* briefRow = new QHBoxLayout(BriefFind);
    briefRow->setContentsMargins(4, 2, 4, 2);
    briefRow->setSpacing(4);
    briefRow->addWidget(findLabel);
    briefRow->addWidget(eFind, 1);
    briefRow->addWidget(tbarConfigGrp);

    // Extended find: the option list's own header carries the two captions.
    FullFind = new QWidget(this);
    FullFind->setObjectName(QStringLiteral("FullFind"));
    OptionList = new TOptionList(FullFind);
    OptionList->setObjectName(QStringLiteral("OptionList"));
    OptionList->SetStrings({QStringLiteral("1="), QStringLiteral("2="), QStringLiteral("3="), QStringLiteral("4=")});
    FindHeader = OptionList->horizontalHeader();
    FindHeader->setObjectName(QStringLiteral("FindHeader"));
    FindHeader->setVisible(OptionList->TitleCaptions().size() >= 2);
    auto* fullColumn = new QVBoxLayout(FullFind);
    fullColumn->setContentsMargins(0, 0, 0, 0);
    fullColumn->addWidget(OptionList);

    // Footer
    hFindResult = new QWidget(this);
    hFindResult->setObjectName(QStringLiteral("hFindResult"));
    hFindResultCaption = new QLabel(QStringLiteral("Найдено:"), hFindResult);
    hFindResultCaption->setObjectName(QStringLiteral("hFindResultCaption"));
    hFindResultCount = new QLabel(QStringLiteral("0"), hFindResult);
    hFindResultCount->setObjectName(QStringLiteral("hFindResultCount"));
    auto* footerRow = new QHBoxLayout(hFindResult);
    footerRow->setContentsMargins(4, 1, 4, 1);
    footerRow->addWidget(hFindResultCaption);
    footerRow->addWidget(hFindResultCount, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(titleRow);
    layout->addWidget(Panel2);
    layout->addWidget(BriefFind);
    layout->addWidget(FullFind);
    layout->addWidget(Grid, 1);
    layout->addWidget(hFindResult);

    // Tab goes from the search, in either mode, to the rows.
    setTabOrder(eFind, OptionList);
    setTabOrder(OptionList, Grid);
}

int TBaseFind::ResizeColumn() const
{
    const int columns = Grid->ColumnCount();
    const int wanted = Grid->ResizeColNum();
    if (wanted > 0 && columns >= wanted && Grid->IsColumnVisible(wanted - 1))
        return wanted - 1;
    return columns - 1;
}

void TBaseFind::FrameResize()
{
    const int column = ResizeColumn();
    if (column < 0 || m_fitting)
        return;
    m_fitting = true;
    int others = 0;
    for (int i = 0; i < Grid->ColumnCount(); ++i)
        if (i != column && Grid->IsColumnVisible(i))
            others += Grid->columnWidth(i);
    const int width = Grid->width() - others - Grid->ColumnCount() - 18;
    Grid->setColumnWidth(column, std::max(width, 8));
    m_fitting = false;
}

void TBaseFind::HeaderSectionResize(int section)
{
    // The user widened or narrowed a column: the resize column takes up the difference.
    if (m_fitting || section == ResizeColumn())
        return;
    FrameResize();
}

bool TBaseFind::OptionListDrawCell(QPainter& painter, const QRect& rect, int row, int column, bool selected)
{
    if (column != 1)
        return false;
    painter.save();
    PaintCellBackground(painter, rect, selected);
    DrawCellText(painter, rect, OptionList->Value(row), false, QColor(0, 0, 128));
    painter.restore();
    return true;
}

void TBaseFind::resizeEvent(QResizeEvent* event)
{
    TBaseDBFrame::resizeEvent(event);
    FrameResize();
}
