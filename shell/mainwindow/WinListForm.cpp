#include "shell/mainwindow/WinListForm.h"

#include "platform/Messages.h"
#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/ModalForm.h"
#include "shell/frames/ShellKinds.h"
#include "shell/frames/StoreResults.h"
#include "shell/widgets/MainData.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/RecordFrame.h"

#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString& kChangedQuestion = TModalForm::ChangedQuestion;

// A change of letter case is a change the user made: the texts are compared exactly, everything else as
// the record compares it.
bool SameStoredContent(const TDBMainInfo& edited, const TDBMainInfo& stored)
{
    if (!edited.SameContent(stored) || edited.Comments != stored.Comments)
        return false;
    for (int i = 1; i <= 5; ++i) {
        if (edited.Str(i) != stored.Str(i))
            return false;
    }
    return true;
}

// Every frame of the record puts its input into it, without messages; false when any of them refused.
bool ApplyFramesQuietly(TDBMainInfo& record)
{
    bool accepted = true;
    const QList<TRecordFrame*> frames = record.Frames();
    for (TRecordFrame* frame : frames) {
        if (record.Frames().contains(frame) && frame->ApplyData() != 0)
            accepted = false;
    }
    return accepted;
}

} // namespace

TWinListForm::TWinListForm(QStackedWidget* explorer, QToolButton* closeButton, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_explorer(explorer)
    , m_closeButton(closeButton)
    , m_grid(new QTableWidget(1, 4, this))
    , m_objFotos(QSize(32, 32))
{
    setObjectName(QStringLiteral("WinListForm"));
    m_grid->setObjectName(QStringLiteral("WinGrid"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setIconSize(m_objFotos.Size());
    m_grid->setColumnHidden(1, true);
    m_grid->setColumnWidth(0, 38);
    m_grid->setColumnWidth(2, 40);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_grid);
    resize(420, RowHeight * 4);
    m_cards.append(nullptr);
    SetRow(0, QString(), QString(), QString());
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int) { SelectRow(row); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { WinGridDblClick(row); });
}

TWinListForm::~TWinListForm() = default;

int TWinListForm::RowCount() const
{
    return m_grid->rowCount();
}

TBaseDBFrame* TWinListForm::CardAt(int row) const
{
    return row >= 0 && row < m_cards.size() ? m_cards.at(row).data() : nullptr;
}

int TWinListForm::RowOf(const TBaseDBFrame* card) const
{
    if (!card)
        return -1;
    for (int row = 0; row < m_cards.size(); ++row) {
        if (m_cards.at(row).data() == card)
            return row;
    }
    return -1;
}

QString TWinListForm::CellText(int row, int column) const
{
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void TWinListForm::SetCell(int row, int column, const QString& text)
{
    auto* item = m_grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        m_grid->setItem(row, column, item);
    }
    item->setData(Qt::UserRole, text);
    if (column == 0) {
        bool number = false;
        const int picture = text.toInt(&number);
        QIcon icon;
        if (number && picture >= PhotoBase)
            icon = m_objFotos.Icon(picture - PhotoBase);
        else if (number)
            icon = MainData().LagreIcons().Icon(picture);
        item->setIcon(icon);
        item->setText(QString());
    } else {
        QString shown = text;
        item->setText(shown.replace(QLatin1Char('\r'), QLatin1Char('\n')).trimmed());
    }
}

void TWinListForm::SetRow(int row, const QString& picture, const QString& second, const QString& text)
{
    SetCell(row, 0, picture);
    SetCell(row, 1, QStringLiteral("-1"));
    SetCell(row, 2, second);
    SetCell(row, 3, text);
}

void TWinListForm::AddCard(TBaseDBFrame* card)
{
    if (!card || RowOf(card) >= 0)
        return;
    int row = RowCount() - 1;
    if (CardAt(row)) {
        row = RowCount();
        m_grid->insertRow(row);
        m_cards.append(nullptr);
    }
    m_cards[row] = card;
    SetRow(row, QStringLiteral("-1"), QStringLiteral(" "), QStringLiteral(" "));
    SelectRow(row);
}

QString TWinListForm::PhotoPicture(int row, const QByteArray& photo, const QString& fallback)
{
    if (photo.isEmpty())
        return fallback;
    const QImage image = QImage::fromData(photo, "JPEG");
    if (image.isNull())
        return fallback;
    m_objFotos.Replace(row, QPixmap::fromImage(image));
    return QString::number(PhotoBase + row);
}

void TWinListForm::UpdateCard(TBaseDBFrame* card)
{
    const int row = RowOf(card);
    const TDBMainInfo* r = card ? card->MasterDBInfo() : nullptr;
    if (row < 0 || !r)
        return;
    const TShellKind* kind = ShellKinds::Find(r->ObjType);
    if (!kind || !kind->WinListRow)
        return;
    const TWinListRow shown = kind->WinListRow(*r);
    SetRow(row, PhotoPicture(row, shown.Photo, QString::number(shown.Picture)), shown.Second, shown.Text);
}

int TWinListForm::FindCard(const QString& id, const TMyDataBase* db) const
{
    // Objects not yet written all carry an empty id; each of them is an object of its own.
    if (IsEmptyId(id))
        return -1;
    const TMyDataBase* wanted = db ? db : CurrentDatabase();
    for (int row = 0; row < m_cards.size(); ++row) {
        const TBaseDBFrame* card = m_cards.at(row).data();
        const TDBMainInfo* record = card ? card->MasterDBInfo() : nullptr;
        if (!record || !SameId(record->Obj, id))
            continue;
        const TMyDataBase* shown = record->Database() ? record->Database() : CurrentDatabase();
        if (shown == wanted)
            return row;
    }
    return -1;
}

int TWinListForm::CloseCard(int row)
{
    TBaseDBFrame* card = CardAt(row);
    if (!card)
        return 0;
    TDBMainInfo* record = card->MasterDBInfo();
    if (record && record->ObjType != Kind::MoneyOperation) {
        // A new object has never been written, so closing it loses what was typed unless the user says so.
        bool changed = IsNewId(record->Obj);
        if (!changed) {
            TDBMainInfo stored;
            stored.SetDatabase(record->Database());
            if (!stored.SetObj(record->Obj)) {
                changed = true;
            } else if (!IsEmptyId(stored.Obj)) {
                // A frame refusing its input (a required field emptied) keeps that input out of the record,
                // yet the user did change it.
                const bool refused = !ApplyFramesQuietly(*record);
                changed = refused || !SameStoredContent(*record, stored);
            }
        }
        if (changed) {
            switch (Messages().AskYesNoCancel(kChangedQuestion)) {
            case TAnswer::Cancel:
                return 0;
            case TAnswer::Yes: {
                const TStoreResult saved = record->Save();
                if (!ShowStoreResult(saved))
                    return saved.Code;
                break;
            }
            case TAnswer::No:
                break;
            }
        }
    }
    Dismiss(row);
    return 1;
}

void TWinListForm::DiscardCardsOf(const QStringList& ids, const TMyDataBase* db)
{
    for (const QString& id : ids) {
        for (int row = FindCard(id, db); row >= 0; row = FindCard(id, db))
            Dismiss(row);
    }
}

void TWinListForm::Dismiss(int row)
{
    RemoveRow(row);
    const int last = RowCount() - 1;
    if (TBaseDBFrame* front = CardAt(last))
        m_explorer->setCurrentWidget(front);
    UpdateCloseButton(last);
}

void TWinListForm::RemoveRow(int row)
{
    QPointer<TBaseDBFrame> card = m_cards.at(row);
    if (RowCount() > 1) {
        m_grid->removeRow(row);
        m_cards.removeAt(row);
        m_objFotos.Remove(row);
        // The photos of the rows below moved up one place: their picture numbers follow.
        for (int below = row; below < RowCount(); ++below) {
            bool number = false;
            const int picture = CellText(below, 0).toInt(&number);
            if (number && picture >= PhotoBase)
                SetCell(below, 0, QString::number(PhotoBase + below));
        }
    } else {
        m_cards[0] = nullptr;
        m_objFotos.Clear();
        SetRow(0, QString(), QString(), QString());
    }
    if (card) {
        // The card may be the one asking to be closed: it leaves the object area now and goes later.
        m_explorer->removeWidget(card);
        card->hide();
        card->setParent(nullptr);
        card->deleteLater();
    }
}

void TWinListForm::SelectRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    m_grid->selectRow(row);
    if (TBaseDBFrame* card = CardAt(row)) {
        if (m_explorer->indexOf(card) < 0)
            m_explorer->addWidget(card);
        m_explorer->setCurrentWidget(card);
    }
    UpdateCloseButton(row);
}

void TWinListForm::UpdateCloseButton(int row)
{
    m_closeButton->setProperty("Tag", row);
    // The empty row exists only while no card is open, so the last row holds a card whenever one is open.
    m_closeButton->setEnabled(CardAt(row) != nullptr);
}

void TWinListForm::WinGridDblClick(int row)
{
    SelectRow(row);
    hide();
}

void TWinListForm::ShowUnder(QWidget* button)
{
    if (!CardAt(RowCount() - 1))
        return;
    const int height = qMin(RowHeight * RowCount() + 4, 600);
    resize(width(), height);
    const QPoint below = button->mapToGlobal(QPoint(button->width(), button->height()));
    move(below.x() - width(), below.y());
    show();
    m_grid->setFocus();
}

void TWinListForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        WinGridDblClick(m_grid->currentRow());
        return;
    }
    QWidget::keyPressEvent(event);
}
