#include "shell/frames/SelectClientFrame.h"

#include "shell/frames/LinksBuchObjForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/PictureList.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

struct TKindItem
{
    TFSelectClientFrame::TButtonMode Mode;
    int Kind;
    const char16_t* Name;
    const char16_t* Caption;
    int Picture;
};

// The spare items have no kind of their own yet: they stay hidden whatever the mode.
constexpr TKindItem KindItems[] = {
    {TFSelectClientFrame::bmPeople, Kind::Person, u"miPeople", u"Человек", 1},
    {TFSelectClientFrame::bmFirma, Kind::Organization, u"miFirma", u"Организация", 2},
    {TFSelectClientFrame::bmEvent, Kind::Event, u"miEvent", u"Событие", 4},
    {TFSelectClientFrame::bmMemo, Kind::Note, u"miMemo", u"Заметка", 5},
    {TFSelectClientFrame::bmAddress, Kind::Address, u"miAddress", u"Адрес", 3},
    {TFSelectClientFrame::bmOther1, 0, u"miOther1", u"", -1},
    {TFSelectClientFrame::bmOther2, 0, u"miOther2", u"", -1},
};

QToolButton* Button(const QString& name, const QString& text, const QString& hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

TFSelectClientFrame::TFSelectClientFrame(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_buttonMode(bmPeople | bmFirma | bmEvent)
    , m_buttonCaption(u"Участник"_s)
    , m_find(Button(u"tbFind"_s, QString(), u"Выбрать"_s, this))
    , m_plat(new QMenu(this))
    , m_mainPanel(new QFrame(this))
    , m_viewListButton(Button(u"btViewList"_s, u"…"_s, u"Выбрать из часто используемых"_s, m_mainPanel))
    , m_open(Button(u"tbOpen"_s, u"Открыть"_s, u"Открыть в отдельном окне"_s, this))
    , m_clear(Button(u"ToolButton3"_s, u"Очистить"_s, u"Очистить"_s, this))
{
    m_plat->setObjectName(u"pmPlat"_s);
    const TPictureList& pictures = MainData().LagreIcons();
    for (const TKindItem& item : KindItems) {
        QAction* action = m_plat->addAction(QString::fromUtf16(item.Caption));
        action->setObjectName(QString::fromUtf16(item.Name));
        action->setData(item.Kind);
        if (item.Picture >= 0)
            action->setIcon(pictures.Icon(item.Picture));
        const int kind = item.Kind;
        connect(action, &QAction::triggered, this, [this, kind]() { ChooseKind(kind); });
        m_kinds.append(action);
    }
    m_find->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_mainPanel->setObjectName(u"MainPanel"_s);
    m_mainPanel->setFrameShape(QFrame::StyledPanel);
    m_mainPanel->setMinimumHeight(40);
    m_mainPanel->installEventFilter(this);
    auto* panelLayout = new QHBoxLayout(m_mainPanel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addStretch(1);
    panelLayout->addWidget(m_viewListButton, 0, Qt::AlignTop);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_find, 0, Qt::AlignTop);
    layout->addWidget(m_mainPanel, 1);
    layout->addWidget(m_open, 0, Qt::AlignTop);
    layout->addWidget(m_clear, 0, Qt::AlignTop);

    connect(m_find, &QToolButton::clicked, this, &TFSelectClientFrame::tbFindClick);
    connect(m_open, &QToolButton::clicked, this, &TFSelectClientFrame::tbOpenClick);
    connect(m_clear, &QToolButton::clicked, this, &TFSelectClientFrame::ToolButton3Click);
    connect(m_viewListButton, &QToolButton::clicked, this, &TFSelectClientFrame::btViewListClick);
    SetButtonMode(m_buttonMode);
    SetViewList(false);
}

TFSelectClientFrame::~TFSelectClientFrame()
{
    if (m_preview)
        m_preview->SetMasterDBInfo(nullptr);
}

void TFSelectClientFrame::SetButtonMode(TButtonModes modes)
{
    m_buttonMode = modes;
    QAction* only = nullptr;
    int shown = 0;
    for (QAction* action : std::as_const(m_kinds)) {
        const TKindItem& item = KindItems[m_kinds.indexOf(action)];
        const bool visible = item.Kind != 0 && modes.testFlag(item.Mode);
        action->setVisible(visible);
        if (visible) {
            only = action;
            ++shown;
        }
    }
    // With one kind the button is that kind's; with several it pops up the choice.
    m_find->setIcon(shown == 1 ? only->icon() : QIcon());
    SetButtonCaption(m_buttonCaption);
}

void TFSelectClientFrame::SetButtonCaption(const QString& caption)
{
    m_buttonCaption = caption;
    int shown = 0;
    QString single;
    for (QAction* action : std::as_const(m_kinds))
        if (action->isVisible()) {
            ++shown;
            single = action->text();
        }
    m_find->setText(shown == 1 && !caption.trimmed().isEmpty() ? single : caption.trimmed());
    m_find->setToolButtonStyle(m_find->text().isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

void TFSelectClientFrame::SetViewList(bool view)
{
    m_viewList = view;
    m_viewListButton->setVisible(view);
}

bool TFSelectClientFrame::HasObject() const
{
    const TDBMainInfo* object = MasterDBInfo();
    return object && !IsEmptyId(object->Obj) && object->ObjType != Kind::Placeholder;
}

QString TFSelectClientFrame::ObjectId() const
{
    return HasObject() ? MasterDBInfo()->Obj.Text() : QString();
}

int TFSelectClientFrame::ObjectKind() const
{
    return HasObject() ? MasterDBInfo()->ObjType : 0;
}

void TFSelectClientFrame::SetObjectId(const QString& id, TMyDataBase* db)
{
    TDBMainInfo* object = MasterDBInfo();
    object->SetDatabase(db);
    if (IsEmptyId(id))
        object->Reset(true);
    else
        object->SetObj(id);
    Q_EMIT ObjectChanged();
}

void TFSelectClientFrame::SetObject(const TDBMainInfo& object)
{
    if (IsEmptyId(object.Obj) || object.ObjType == Kind::Placeholder) {
        SetObjectId(QString(), object.Database());
        return;
    }
    MasterDBInfo()->Assign(&object);
    Q_EMIT ObjectChanged();
}

void TFSelectClientFrame::LoadData()
{
    TBaseDBFrame::LoadData();
    const int kind = HasObject() ? MasterDBInfo()->ObjType : 0;
    if (kind != m_previewKind || !m_preview) {
        if (m_preview) {
            m_preview->SetMasterDBInfo(nullptr);
            delete m_preview;
            m_preview = nullptr;
        }
        m_previewKind = kind;
        if (kind != 0)
            m_preview = Screens::CreatePreview(kind, m_mainPanel);
        if (m_preview) {
            m_preview->SetLinkMode(1);
            static_cast<QHBoxLayout*>(m_mainPanel->layout())->insertWidget(0, m_preview, 1);
            m_preview->SetMasterDBInfo(&m_shown);
        }
    }
    m_shown.Assign(HasObject() ? MasterDBInfo() : nullptr);
    UpdateButtons();
}

void TFSelectClientFrame::UpdateButtons()
{
    m_open->setVisible(HasObject() && !InModalDialog());
    m_clear->setEnabled(HasObject());
}

void TFSelectClientFrame::showEvent(QShowEvent* event)
{
    TBaseDBFrame::showEvent(event);
    UpdateButtons();
}

void TFSelectClientFrame::tbFindClick()
{
    QAction* only = nullptr;
    int shown = 0;
    for (QAction* action : std::as_const(m_kinds))
        if (action->isVisible()) {
            only = action;
            ++shown;
        }
    if (shown == 1)
        only->trigger();
    else if (shown > 1)
        m_plat->popup(m_find->mapToGlobal(QPoint(0, m_find->height())));
}

bool TFSelectClientFrame::ChooseKind(int kind)
{
    if (kind == 0)
        return false;
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->SetDatabase(MasterDBInfo()->Database());
    work->ObjType = kind;
    if (PickWorkInfo() != 1)
        return false;
    SetObject(*work);
    return true;
}

void TFSelectClientFrame::tbOpenClick()
{
    if (!HasObject())
        return;
    WorkInfo()->Assign(MasterDBInfo());
    OpenWorkInfo();
}

void TFSelectClientFrame::ToolButton3Click()
{
    SetObjectId(QString(), MasterDBInfo()->Database());
}

void TFSelectClientFrame::btViewListClick()
{
    if (!OnInitLinkMasterInfo)
        return;
    TDBMainInfo context;
    OnInitLinkMasterInfo(context);
    if (!m_linksForm)
        m_linksForm = new TLinksBuchObjForm(this);
    TMyDataBase* db = context.Database() ? context.Database() : MasterDBInfo()->Database();
    if (!m_linksForm->Open(db, context))
        return;
    m_linksForm->setFixedWidth(m_mainPanel->width());
    m_linksForm->move(m_mainPanel->mapToGlobal(QPoint(0, m_mainPanel->height())));
    m_linksForm->show();
    m_linksForm->activateWindow();
}

bool TFSelectClientFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainPanel && event->type() == QEvent::MouseButtonRelease && m_viewList
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        btViewListClick();
        return true;
    }
    return TBaseDBFrame::eventFilter(watched, event);
}
