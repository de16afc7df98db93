#include "contacts/FirmaPrev.h"

#include "contacts/AddressLine.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/NoteView.h"
#include "store/kinds/OrganizationView.h"

#include <QDateTime>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TFFirmaPrev::TFFirmaPrev(QWidget* parent)
    : TBaseDBFrame(parent)
{
    SetLinkMode(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    for (int i = 0; i < 3; ++i) {
        m_lines[i] = new QLabel(this);
        m_lines[i]->setObjectName(u"lStr"_s + QString::number(i + 1));
        layout->addWidget(m_lines[i]);
    }
    layout->addStretch(1);
}

TFFirmaPrev::~TFFirmaPrev() = default;

void TFFirmaPrev::LoadData()
{
    TBaseDBFrame::LoadData();
    for (QLabel* line : m_lines)
        line->clear();
    m_text.clear();
    m_note = false;
    const TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    switch (record->ObjType) {
    case Kind::Address:
        m_text = AddressLine::OfRecord(*record, 0);
        break;
    case Kind::Organization:
        m_text = OrganizationView(*record).DisplayName();
        break;
    case Kind::Note:
        // A note shows its date and its title, uncut.
        m_note = true;
        if (const TConstNoteView note = NoteView(*record); note.Date() != 0)
            m_lines[0]->setText(DateSerial::ToDateTime(note.Date()).toString(u"dd.MM.yyyy hh:mm"_s));
        m_lines[1]->setText(NoteView(*record).Title());
        return;
    default:
        return;
    }
    ShowText();
}

void TFFirmaPrev::ShowText()
{
    if (m_note)
        return;
    const int letter = m_lines[0]->fontMetrics().horizontalAdvance(u'a') + 3;
    const int n = (m_lines[0]->width() - 2) / letter;
    if (n <= 0) {
        m_lines[0]->setText(m_text);
        m_lines[1]->clear();
        m_lines[2]->clear();
        return;
    }
    m_lines[0]->setText(m_text.left(n));
    m_lines[1]->setText(m_text.mid(n, n));
    m_lines[2]->setText(m_text.mid(2 * n));
}

void TFFirmaPrev::resizeEvent(QResizeEvent* event)
{
    TBaseDBFrame::resizeEvent(event);
    ShowText();
}
