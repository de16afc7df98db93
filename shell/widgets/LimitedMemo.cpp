#include "shell/widgets/LimitedMemo.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

#include <limits>

TLimitedMemo::TLimitedMemo(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_maxLength(maxLength)
{
}

TLimitedMemo::~TLimitedMemo() = default;

int TLimitedMemo::Room() const
{
    if (m_maxLength <= 0)
        return std::numeric_limits<int>::max();
    const QTextCursor cursor = textCursor();
    const qsizetype selected = cursor.selectionEnd() - cursor.selectionStart();
    return static_cast<int>(qMax<qsizetype>(0, m_maxLength - (toPlainText().size() - selected)));
}

QString TLimitedMemo::Fitting(const QString& text) const
{
    const int room = Room();
    if (text.size() <= room)
        return text;
    qsizetype cut = room;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut);
}

void TLimitedMemo::keyPressEvent(QKeyEvent* event)
{
    // A new line is a character of the text too.
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = newLine ? QStringLiteral("\n") : event->text();
    const bool inserts = !isReadOnly() && !typed.isEmpty() && (newLine || typed.at(0).isPrint())
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (inserts && typed.size() > Room()) {
        const QString fitting = Fitting(typed);
        if (!fitting.isEmpty())
            insertPlainText(fitting);
        else
            QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TLimitedMemo::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly() || event->commitString().size() <= Room()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(Fitting(event->commitString()), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
    event->accept();
}

void TLimitedMemo::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source || !source->hasText() || m_maxLength <= 0) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString fitting = Fitting(source->text());
    if (!fitting.isEmpty())
        insertPlainText(fitting);
}
