#include "activities/EventPrev.h"

#include "activities/EventLook.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/PictureList.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectRecord.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupView.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

QLabel* Label(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TFEventPrev::TFEventPrev(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_imageStatus(Label(u"ImageStatus"_s, this))
    , m_lDirect(Label(u"lDirect"_s, this))
    , m_lStr1(Label(u"lStr1"_s, this))
    , m_lStr2(Label(u"lStr2"_s, this))
    , m_lStr3(Label(u"lStr3"_s, this))
{
    setObjectName(u"FEventPrev"_s);
    SetLinkMode(1);
    m_imageStatus->setFixedSize(36, 36);
    m_imageStatus->setAlignment(Qt::AlignCenter);
    m_lDirect->setAlignment(Qt::AlignCenter);
    QFont bold = m_lStr2->font();
    bold.setBold(true);
    m_lStr2->setFont(bold);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_imageStatus, 0, 0, 2, 1);
    layout->addWidget(m_lDirect, 2, 0);
    layout->addWidget(m_lStr1, 0, 1);
    layout->addWidget(m_lStr2, 1, 1);
    layout->addWidget(m_lStr3, 2, 1);
    layout->setColumnStretch(1, 1);
}

TFEventPrev::~TFEventPrev() = default;

void TFEventPrev::LoadData()
{
    TBaseDBFrame::LoadData();
    m_imageStatus->clear();
    m_lDirect->clear();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record || IsNewId(record->Obj))
        return;
    const TConstEventView event(*record);
    TDBMainInfo project;
    project.SetDatabase(record->Database());
    if (!IsEmptyId(event.Project()))
        project.SetObj(event.Project());
    m_lStr1->setText(u'[' + TConstGroupView(project).Name() + u']');
    m_lStr2->setText(event.Name());
    m_lStr3->setText(event.Start() == 0 ? QString() : DateSerial::DateText(event.Start()) + u' ');
    const TPictureList& pictures = MainData().LagreIcons();
    m_imageStatus->setPixmap(pictures.Icon(EventTypePicture(static_cast<int>(event.EventKind()))).pixmap(pictures.Size()));
    m_lDirect->setText(event.EventKind() < 1 ? u" "_s : EventLook::DirectionText(event.Direction()));
}
