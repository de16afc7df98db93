#include "shell/frames/BaseObjFrame.h"

#include "shell/frames/StoreResults.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/mainwindow/MainBroker.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/StringGrid.h"
#include "store/Gid.h"
#include "store/ObjectRecord.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int StripWidth = 4;
constexpr int HeaderMargin = 20;
constexpr int CaptionMargin = 54;

// Pictures of the shared list for the card's own buttons.
constexpr int SavePicture = 110;
constexpr int PrintPicture = 75;
constexpr int DopInfoPicture = 111;
constexpr int FamilyPicture = 40;
constexpr int BuchPicture = 27;

const QString kInitialHeader = QStringLiteral("Дополнительные  данные");

QToolBar* MakeToolBar(QWidget* parent, const QString& name)
{
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setIconSize(MainData().LagreIcons().Size());
    bar->setMovable(false);
    bar->setFloatable(false);
    return bar;
}

} // namespace

TBaseObjFrame::TBaseObjFrame(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_rowPictures(MainData().LagreIcons().Size())
{
    BuildLayout();
    if (TMainBroker* broker = MainBroker())
        broker->WinListAdd(this);
}

TBaseObjFrame::~TBaseObjFrame()
{
    // The section and edit frames go first, while the record they may be linked to still lives.
    delete m_sectionFrame;
    delete m_extraList;
    delete m_editFrame;
}

void TBaseObjFrame::BuildLayout()
{
    m_gradientPanel1 = new TGradientPanel(this);
    m_gradientPanel1->setObjectName(QStringLiteral("GradientPanel1"));
    m_gradientPanel1->SetGradientDirection(TGradientDirection::gdVertical);
    m_gradientPanel1->SetColor(QColor(0x9E, 0xBE, 0xE0));
    m_gradientPanel1->SetColorEnd(QColor(0xF4, 0xF8, 0xFC));

    m_objPanel = new QWidget(this);
    m_objPanel->setObjectName(QStringLiteral("ObjPanel"));
    m_objLayout = new QVBoxLayout(m_objPanel);
    m_objLayout->setContentsMargins(0, 0, 0, 0);
    m_objLayout->setSpacing(0);

    m_op = new TGradientPanel(m_objPanel);
    m_op->setObjectName(QStringLiteral("OP"));
    m_op->SetColor(QColor(0xF4, 0xF8, 0xFC));
    m_op->SetColorEnd(QColor(0xC6, 0xD9, 0xEE));
    m_opLayout = new QVBoxLayout(m_op);
    m_opLayout->setContentsMargins(0, 0, 0, 0);
    m_objLayout->addWidget(m_op);

    m_cBarFin = new QWidget(m_objPanel);
    m_cBarFin->setObjectName(QStringLiteral("cBarFin"));
    auto* finLayout = new QHBoxLayout(m_cBarFin);
    finLayout->setContentsMargins(0, 0, 0, 0);
    m_menu = MakeToolBar(m_cBarFin, QStringLiteral("Menu"));
    m_menu->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    finLayout->addWidget(m_menu);
    m_objLayout->addWidget(m_cBarFin);

    m_aSave = new QAction(MainData().LagreIcons().Icon(SavePicture), QStringLiteral("Записать"), this);
    m_aSave->setObjectName(QStringLiteral("aSave"));
    m_aSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_aSave->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_aSave);
    m_aPrint = new QAction(MainData().LagreIcons().Icon(PrintPicture), QStringLiteral("Печать"), this);
    m_aPrint->setObjectName(QStringLiteral("aPrint"));
    m_aPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_aPrint->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_aPrint->setVisible(false);
    addAction(m_aPrint);
    m_menu->addAction(m_aSave);
    m_menu->addAction(m_aPrint);
    m_tbSave = qobject_cast<QToolButton*>(m_menu->widgetForAction(m_aSave));
    m_tbSave->setObjectName(QStringLiteral("tbSave"));
    m_tbPrint = qobject_cast<QToolButton*>(m_menu->widgetForAction(m_aPrint));
    m_tbPrint->setObjectName(QStringLiteral("tbPrint"));
    connect(m_aSave, &QAction::triggered, this, &TBaseObjFrame::aSaveExecute);
    connect(m_aPrint, &QAction::triggered, this, &TBaseObjFrame::aPrintExecute);

    m_coolBar1 = new QWidget(m_objPanel);
    m_coolBar1->setObjectName(QStringLiteral("CoolBar1"));
    auto* coolLayout = new QHBoxLayout(m_coolBar1);
    coolLayout->setContentsMargins(0, 0, 0, 0);
    m_tbarOptions = MakeToolBar(m_coolBar1, QStringLiteral("tbarOptions"));
    coolLayout->addWidget(m_tbarOptions);
    m_objLayout->addWidget(m_coolBar1);
    auto* groups = new QActionGroup(this);
    groups->setExclusive(true);
    const auto addGroup = [&](const QString& name, const QString& hint, int picture, int index) {
        auto* action = new QAction(MainData().LagreIcons().Icon(picture), hint, groups);
        action->setCheckable(true);
        action->setToolTip(hint);
        m_tbarOptions->addAction(action);
        auto* button = qobject_cast<QToolButton*>(m_tbarOptions->widgetForAction(action));
        button->setObjectName(name);
        // Tab reaches the group buttons and Space presses them, as it does every other button.
        button->setFocusPolicy(Qt::TabFocus);
        connect(action, &QAction::triggered, this, [this, index] { tbBuchClick(index); });
        return button;
    };
    m_tbDopInfo = addGroup(QStringLiteral("tbDopInfo"), QStringLiteral("Дополнительные данные"), DopInfoPicture,
                           DopInfoGroup);
    m_tbFamily = addGroup(QStringLiteral("tbFamily"), QStringLiteral("Семья и родственники, соседи"),
                          FamilyPicture, FamilyGroup);
    m_tbBuch = addGroup(QStringLiteral("tbBuch"), QStringLiteral("Финансовые операции"), BuchPicture, BuchGroup);
    m_tbDopInfo->defaultAction()->setChecked(true);
    m_tbFamily->defaultAction()->setVisible(false);

    m_header = new QHeaderView(Qt::Horizontal, m_objPanel);
    m_header->setObjectName(QStringLiteral("Header"));
    m_headerModel = new QStandardItemModel(0, 1, m_header);
    m_headerModel->setHorizontalHeaderLabels({kInitialHeader});
    m_header->setModel(m_headerModel);
    m_header->setDefaultAlignment(Qt::AlignCenter);
    m_header->setSectionsClickable(false);
    m_header->setSectionResizeMode(QHeaderView::Fixed);
    m_header->setFocusPolicy(Qt::NoFocus);
    m_header->setFixedHeight(m_header->fontMetrics().height() + 10);
    m_objLayout->addWidget(m_header);

    m_grid = new TMyStringGrid(m_objPanel);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setColumnCount(2);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The arrows move along the sections; Tab leaves the list.
    m_grid->setTabKeyNavigation(false);
    m_grid->SetImageSize(TImageSize::imLarge);
    m_grid->SetExtImages(&m_rowPictures);
    m_grid->SetDefaultRowHeight(SectionRowHeight);
    m_grid->setColumnWidth(0, IconColumnWidth);
    m_objLayout->addWidget(m_grid, 1);
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            GridClick();
    });
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int) {
        // A click on the row already shown shows it afresh, as the list of sections always did.
        if (!m_filling && row == m_grid->currentRow())
            GridClick();
    });

    m_sectionPanel = new QWidget(this);
    m_sectionPanel->setObjectName(QStringLiteral("SectionPanel"));
    m_sectionLayout = new QVBoxLayout(m_sectionPanel);
    m_sectionLayout->setContentsMargins(0, 0, 0, 0);

    connect(this, &TBaseDBFrame::AfterResize, this, &TBaseObjFrame::FrameResize);
}

void TBaseObjFrame::CreateEditFrame() {}

void TBaseObjFrame::FillSections() {}

TBaseDBFrame* TBaseObjFrame::CreateSectionFrame(int, QWidget*)
{
    return nullptr;
}

void TBaseObjFrame::SetEditFrame(TBaseDBFrame* frame, QWidget* focus)
{
    m_editFrame = frame;
    m_focusControl = focus;
}

void TBaseObjFrame::SetExtraList(TBaseDBFrame* list)
{
    m_extraList = list;
}

void TBaseObjFrame::SetFamilyShown(bool shown)
{
    m_tbFamily->defaultAction()->setVisible(shown);
}

void TBaseObjFrame::SetBuchShown(bool shown)
{
    m_tbBuch->defaultAction()->setVisible(shown);
}

void TBaseObjFrame::SetPrintShown(bool shown)
{
    m_aPrint->setVisible(shown);
}

void TBaseObjFrame::LoadData()
{
    TBaseDBFrame::LoadData();
    if (!m_grid->RowInUse(0))
        BuildCard();
    UpdateWindowList();
}

void TBaseObjFrame::BuildCard()
{
    FreeSectionFrame();
    delete m_extraList;
    delete m_editFrame;
    m_focusControl = nullptr;
    CreateEditFrame();
    TDBMainInfo* record = MasterDBInfo();
    if (m_editFrame) {
        m_editFrame->SetLinkMode(1);
        m_editFrame->setParent(m_op);
        m_opLayout->addWidget(m_editFrame);
        m_editFrame->SetMasterDBInfo(record);
        m_editFrame->show();
    }
    if (m_extraList) {
        m_extraList->setParent(m_objPanel);
        m_extraList->setFixedHeight(ExtraListHeight);
        m_objLayout->insertWidget(m_objLayout->indexOf(m_op) + 1, m_extraList);
        m_extraList->SetMasterDBInfo(record);
        m_extraList->show();
    }
    tbBuchClick(DopInfoGroup);
}

void TBaseObjFrame::AddSection(int code, int icon, const QString& caption)
{
    m_grid->AppendRow();
    const int row = m_grid->rowCount() - 1;
    m_grid->SetCell(0, row, QString::number(icon));
    m_grid->SetObject(row, code);
    m_grid->SetCell(1, row, caption);
}

void TBaseObjFrame::tbBuchClick(int index)
{
    m_group = std::clamp(index, static_cast<int>(DopInfoGroup), static_cast<int>(BuchGroup));
    const QToolButton* buttons[] = {m_tbDopInfo, m_tbFamily, m_tbBuch};
    const QToolButton* button = buttons[m_group];
    button->defaultAction()->setChecked(true);
    m_headerModel->setHorizontalHeaderLabels({button->defaultAction()->toolTip()});
    m_filling = true;
    while (m_grid->rowCount() > 1)
        m_grid->RemoveRow(m_grid->rowCount() - 1);
    m_grid->RemoveRow(0);
    FillSections();
    m_grid->setCurrentCell(0, 1);
    m_filling = false;
    GridClick();
}

int TBaseObjFrame::CurrentSection() const
{
    const int row = m_grid->currentRow();
    return m_grid->RowInUse(row) ? m_grid->Object(row).toInt() : 0;
}

QList<int> TBaseObjFrame::SectionCodes() const
{
    QList<int> codes;
    for (int row = 0; row < m_grid->rowCount(); ++row)
        if (m_grid->RowInUse(row))
            codes.append(m_grid->Object(row).toInt());
    return codes;
}

QString TBaseObjFrame::SectionCaption(int code) const
{
    for (int row = 0; row < m_grid->rowCount(); ++row)
        if (m_grid->RowInUse(row) && m_grid->Object(row).toInt() == code)
            return m_grid->Cell(1, row);
    return QString();
}

bool TBaseObjFrame::ShowSection(int code)
{
    const int row = static_cast<int>(SectionCodes().indexOf(code));
    if (row < 0)
        return false;
    m_filling = true;
    m_grid->setCurrentCell(row, 1);
    m_filling = false;
    GridClick();
    return true;
}

QString TBaseObjFrame::HeaderText() const
{
    return m_headerModel->headerData(0, Qt::Horizontal).toString();
}

void TBaseObjFrame::FreeSectionFrame()
{
    delete m_sectionFrame;
    m_sectionFrame = nullptr;
}

void TBaseObjFrame::GridClick()
{
    FreeSectionFrame();
    const int code = CurrentSection();
    if (code == 0)
        return;
    TBaseDBFrame* frame = CreateSectionFrame(code, m_sectionPanel);
    if (!frame)
        return;
    m_sectionFrame = frame;
    m_sectionLayout->addWidget(frame);
    TDBMainInfo* record = MasterDBInfo();
    if (record && !IsEmptyId(record->Obj) && frame->MasterDBInfo()) {
        // The section loads the object itself, from the database the card's object lives in.
        frame->MasterDBInfo()->SetDatabase(record->Database());
        frame->SetMasterId(record->Obj);
    } else {
        frame->SetMasterDBInfo(record);
    }
    frame->show();
}

void TBaseObjFrame::aSaveExecute()
{
    TDBMainInfo* record = MasterDBInfo();
    if (!record || !ShowStoreResult(record->Save()))
        return;
    tbBuchClick(m_group);
    UpdateWindowList();
}

void TBaseObjFrame::aPrintExecute() {}

void TBaseObjFrame::UpdateWindowList()
{
    if (TMainBroker* broker = MainBroker())
        broker->WinListUpdate(this);
}

void TBaseObjFrame::FrameResize()
{
    const int objWidth = std::max(0, (width() - StripWidth) / 2);
    m_gradientPanel1->setGeometry(0, 0, StripWidth, height());
    m_objPanel->setGeometry(StripWidth, 0, objWidth, height());
    m_sectionPanel->setGeometry(StripWidth + objWidth, 0, std::max(0, width() - StripWidth - objWidth), height());
    ObjPanelResize();
}

QSize TBaseObjFrame::sizeHint() const
{
    const QSize object = m_objPanel->sizeHint();
    const QSize section = m_sectionFrame ? m_sectionFrame->sizeHint() : QSize();
    return {StripWidth + 2 * std::max(object.width(), section.width()), std::max(object.height(), section.height())};
}

QSize TBaseObjFrame::minimumSizeHint() const
{
    const QSize object = m_objPanel->minimumSizeHint();
    return {StripWidth + 2 * object.width(), object.height()};
}

void TBaseObjFrame::ObjPanelResize()
{
    const int objWidth = m_objPanel->width();
    m_header->resizeSection(0, std::max(0, objWidth - HeaderMargin));
    m_grid->setColumnWidth(1, std::max(0, objWidth - CaptionMargin));
}
