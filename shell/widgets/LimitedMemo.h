#pragma once

#include <QPlainTextEdit>

/**
 * \brief A memo that holds at most MaxLength() characters (0: no limit).
 *
 * A key or an input-method text that would pass the limit is refused, a paste or drop is cut where the
 * limit is reached; what the memo held before stays as it was, with the caret where it was. Text set by
 * the program (setPlainText) is not cut: a longer stored text is shown whole and left to its owner.
 */
class TLimitedMemo final : public QPlainTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLimitedMemo)

public:
    explicit TLimitedMemo(int maxLength = 0, QWidget* parent = nullptr);
    ~TLimitedMemo() override;

    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int maxLength) { m_maxLength = maxLength; }
    /// How many more characters fit in place of the selection (a large number without a limit).
    int Room() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    /// \a text cut to the room left, never in the middle of a surrogate pair.
    QString Fitting(const QString& text) const;

    int m_maxLength;
};
