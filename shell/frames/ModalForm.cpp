#include "shell/frames/ModalForm.h"

#include "platform/Messages.h"

#include "shell/frames/StoreResults.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/MainData.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPixmap DrawnIcon(int number, const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    TMainData::DrawPicture(painter, QRect(QPoint(0, 0), size), number);
    return picture;
}

constexpr int kSavePicture = 110;
constexpr int kClosePicture = 76;

} // namespace

TModalForm::TModalForm(QWidget* parent)
    : TBaseForm(parent)
    , m_icons(QSize(32, 32))
{
    setModal(true);
    m_icons.Append(DrawnIcon(kSavePicture, m_icons.Size()));
    m_icons.Append(DrawnIcon(kClosePicture, m_icons.Size()));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_framePanel = new TGradientPanel(this);
    m_framePanel->setObjectName(QStringLiteral("FramePanel"));
    m_frameLayout = new QVBoxLayout(m_framePanel);
    m_frameLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_framePanel, 1);

    m_pMenu = new TGradientPanel(this);
    m_pMenu->setObjectName(QStringLiteral("pMenu"));
    m_pMenu->SetColor(QColor(0xC6, 0xD9, 0xEE));
    m_pMenu->SetColorEnd(QColor(0x9E, 0xBE, 0xE0));
    m_menuLayout = new QHBoxLayout(m_pMenu);
    m_menuLayout->setContentsMargins(0, 2, 0, 2);
    m_menu = new QToolBar(m_pMenu);
    m_menu->setObjectName(QStringLiteral("Menu"));
    m_menu->setIconSize(m_icons.Size());
    m_menu->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_menu->setStyleSheet(QStringLiteral("QToolBar { background: transparent; border: none; }"));
    m_menuLayout->addWidget(m_menu);
    m_menuLayout->addStretch(1);
    layout->addWidget(m_pMenu);

    m_aOk = new QAction(m_icons.Icon(0), QStringLiteral("Записать"), this);
    m_aOk->setObjectName(QStringLiteral("AOk"));
    m_aOk->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    m_aOk->setShortcutContext(Qt::WindowShortcut);
    m_aClose = new QAction(m_icons.Icon(1), QStringLiteral("Закрыть"), this);
    m_aClose->setObjectName(QStringLiteral("AClose"));
    m_aClose->setShortcut(QKeySequence(Qt::Key_Escape));
    m_aClose->setShortcutContext(Qt::WindowShortcut);
    // Added to the dialog itself, so that the keys work also while the button bar is hidden.
    addAction(m_aOk);
    addAction(m_aClose);
    connect(m_aOk, &QAction::triggered, this, &TModalForm::AOkExecute);
    connect(m_aClose, &QAction::triggered, this, &TModalForm::ACloseExecute);

    m_tbSave = new QToolButton(m_menu);
    m_tbSave->setObjectName(QStringLiteral("tbSave"));
    m_tbSave->setDefaultAction(m_aOk);
    m_tbSave->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_menu->addWidget(m_tbSave);
    m_menu->addSeparator()->setObjectName(QStringLiteral("tbSeparator"));
    m_tbCancel = new QToolButton(m_menu);
    m_tbCancel->setObjectName(QStringLiteral("tbCancel"));
    m_tbCancel->setDefaultAction(m_aClose);
    m_tbCancel->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_menu->addWidget(m_tbCancel);
}

TModalForm::~TModalForm() = default;

int TModalForm::ShowModal()
{
    if (m_closedBeforeShown)
        return QDialog::Rejected;
    return exec();
}

void TModalForm::CloseWithCancel()
{
    if (isVisible()) {
        reject();
        return;
    }
    m_closedBeforeShown = true;
    setResult(QDialog::Rejected);
}

void TModalForm::AOkExecute()
{
    if (ShowStoreResult(DBMain()->Save()))
        accept();
}

void TModalForm::ACloseExecute()
{
    if (ClosePopup())
        return;
    if (ConfirmDiscard())
        reject();
}

bool TModalForm::ClosePopup()
{
    bool closed = false;
    // A completion list pops up beside its edit without taking the focus from it.
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget()); edit && isAncestorOf(edit)) {
        QCompleter* completer = edit->completer();
        if (completer && completer->popup() && completer->popup()->isVisible()) {
            completer->popup()->hide();
            closed = true;
        }
    }
    QWidget* popup = QApplication::activePopupWidget();
    if (popup && (isAncestorOf(popup) || (popup->parentWidget() && isAncestorOf(popup->parentWidget())))) {
        popup->close();
        closed = true;
    }
    return closed;
}

bool TModalForm::ConfirmDiscard()
{
    if (!m_asksBeforeDiscard || !isVisible() || !InputChanged())
        return true;
    switch (Messages().AskYesNoCancel(ChangedQuestion)) {
    case TAnswer::Yes:
        AOkExecute();
        return false;
    case TAnswer::No:
        return true;
    case TAnswer::Cancel:
        break;
    }
    return false;
}

QStringList TModalForm::InputState() const
{
    QStringList state;
    const QList<QWidget*> controls = m_framePanel->findChildren<QWidget*>();
    for (const QWidget* control : controls) {
        if (const auto* line = qobject_cast<const QLineEdit*>(control))
            state << line->displayText();
        else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control))
            state << memo->toPlainText();
        else if (const auto* rich = qobject_cast<const QTextEdit*>(control))
            state << rich->toPlainText();
        else if (const auto* combo = qobject_cast<const QComboBox*>(control))
            state << combo->currentText();
        else if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control))
            state << (static_cast<const QAbstractButton*>(control)->isChecked() ? QStringLiteral("1")
                                                                                : QStringLiteral("0"));
    }
    return state;
}

bool TModalForm::InputChanged() const
{
    return m_shownOnce && InputState() != m_shownState;
}

void TModalForm::showEvent(QShowEvent* event)
{
    TBaseForm::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_shownState = InputState();
    }
}

// The dialog's own Esc (a key an edit left alone, such as Esc in an open completion list) goes the way of
// "Закрыть" too.
void TModalForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        ACloseExecute();
        return;
    }
    TBaseForm::keyPressEvent(event);
}

void TModalForm::closeEvent(QCloseEvent* event)
{
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    TBaseForm::closeEvent(event);
}

void TModalForm::SetButtonBarVisible(bool visible)
{
    m_pMenu->setVisible(visible);
}

bool TModalForm::ButtonBarVisible() const
{
    return !m_pMenu->isHidden();
}

int TModalForm::ButtonBarHeight() const
{
    return ButtonBarVisible() ? m_pMenu->sizeHint().height() : 0;
}

void TModalForm::CentreButtons()
{
    const int indent = qMax(0, (m_pMenu->width() - m_menu->sizeHint().width()) / 2);
    QMargins margins = m_menuLayout->contentsMargins();
    if (margins.left() != indent) {
        margins.setLeft(indent);
        m_menuLayout->setContentsMargins(margins);
    }
}

void TModalForm::PlaceFrame(QWidget* frame)
{
    m_frameLayout->addWidget(frame);
    SizeToFrame(frame);
}

void TModalForm::SizeToFrame(QWidget* frame)
{
    QSize size = frame->sizeHint().expandedTo(frame->minimumSizeHint());
    // A frame without a layout has no size hint: its own size is what it asks for.
    if (!size.isValid())
        size = frame->size();
    resize(qMax(size.width(), m_pMenu->isHidden() ? 0 : m_menu->sizeHint().width()), size.height() + ButtonBarHeight());
    CentreButtons();
}

void TModalForm::resizeEvent(QResizeEvent* event)
{
    TBaseForm::resizeEvent(event);
    CentreButtons();
}
