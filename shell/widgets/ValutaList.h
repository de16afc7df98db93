#pragma once

#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <functional>

class QListWidget;

/**
 * \brief A borderless pop-up list of texts (times of day for the date editor, periods and currencies for the
 * period totals). It hides itself when it loses the focus; Esc gives the focus back to the host's control;
 * Enter and a double click call the host's callback, which reads the selected line.
 */
class TpuValutaList final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TpuValutaList)

public:
    using TCallback = std::function<void(TpuValutaList& list, const QVariant& data)>;

    explicit TpuValutaList(QWidget* parent = nullptr);
    ~TpuValutaList() override;

    QListWidget* lbValuta() const { return m_list; }
    /// The control that gets the focus back on Esc (not owned).
    void SetFocusControl(QWidget* control) { m_focusControl = control; }
    void SetCallback(TCallback callback, const QVariant& data = QVariant());
    /// The period pop-up is always three lines high.
    void SetAlwaysTall(bool tall) { m_alwaysTall = tall; }

    /// The selected line, empty when none.
    QString SelectedText() const;
    /// Selects the line equal to \a text; none when no line is.
    void SelectText(const QString& text);
    /// Sizes the pop-up by the height rule, \a width wide, and shows it at \a topLeft (global).
    void Popup(const QPoint& topLeft, int width);
    /// Runs the callback as Enter does.
    void Choose();

    /// With fewer than 4 lines, lines x (line height + 4) + 2; otherwise 3 x line height + 14.
    static int PopupHeight(int lines, int lineHeight, bool alwaysTall);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* m_list;
    QPointer<QWidget> m_focusControl;
    TCallback m_callback;
    QVariant m_data;
    bool m_alwaysTall = false;
};
