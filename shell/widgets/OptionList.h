#pragma once

#include <QList>
#include <QStringList>
#include <QTableWidget>

#include <functional>

class QPainter;

/// How a row's value is edited.
enum class TEditStyle {
    esSimple,   ///< typed in a line (with the row's edit mask, when it has one)
    esEllipsis, ///< a button beside the value raises the edit-button event
    esPickList, ///< chosen from, or typed into, a drop-down list
};

/// The editing properties of one row.
struct TItemProp
{
    TEditStyle EditStyle = TEditStyle::esSimple;
    QStringList PickList;
    /// An input mask for the line ("00.00.0000; "); empty for none.
    QString EditMask;
    bool ReadOnly = false;
    int MaxLength = 0;
};

/**
 * \brief The value-list editor of the extended search: named rows, each a fixed key (the row's caption) and
 * an editable value.
 *
 * A row may carry a pick list (filled by OnGetPickList when set), an edit mask, or be read-only with an
 * ellipsis button that raises OnEditButtonClick. Values change as they are typed: StringsChanged follows
 * every change. Enter in the list or in a row's editor raises EnterPressed.
 */
class TOptionList final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TOptionList)

public:
    using TGetPickListEvent = std::function<void(TOptionList& sender, const QString& keyName, QStringList& values)>;
    using TEditButtonEvent = std::function<void(TOptionList& sender, int row)>;
    /// Draws a cell instead of the list; false leaves it to the list.
    using TDrawCellEvent = std::function<bool(QPainter& painter, const QRect& rect, int row, int column, bool selected)>;

    explicit TOptionList(QWidget* parent = nullptr);
    ~TOptionList() override;

    /// The rows as "key=value" lines; setting them replaces every row and its properties.
    QStringList Strings() const;
    void SetStrings(const QStringList& lines);
    int RowCount() const { return rowCount(); }
    QString Key(int row) const;
    QString Value(int row) const;
    void SetValue(int row, const QString& value);
    /// The value of the first row whose key is \a key, empty when none.
    QString Values(const QString& key) const;
    void SetValues(const QString& key, const QString& value);
    /// The first row whose key is \a key, -1 when none.
    int FindRow(const QString& key) const;

    TItemProp ItemProps(int row) const;
    void SetItemProps(int row, const TItemProp& props);
    void SetItemProps(const QString& key, const TItemProp& props);

    /// The two column captions ("Поле поиска", "Значение").
    const QStringList& TitleCaptions() const { return m_titleCaptions; }
    void SetTitleCaptions(const QStringList& captions);
    int KeyColumnWidth() const { return columnWidth(0); }

    /// The values a row's pick list offers now (OnGetPickList's answer when set).
    QStringList PickListOf(int row);
    /// Raises OnEditButtonClick for \a row, as its ellipsis button does.
    void EditButtonClick(int row);
    /// Tells the list an editor's Enter was pressed.
    void EnterFromEditor();

    TGetPickListEvent OnGetPickList;
    TEditButtonEvent OnEditButtonClick;
    TDrawCellEvent OnDrawCell;

    /// Paints one cell (the delegate's work).
    void PaintCell(QPainter& painter, const QRect& rect, int row, int column, bool selected) const;

Q_SIGNALS:
    void StringsChanged();
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* ValueItem(int row);
    void ApplyRowFlags(int row);

    QList<TItemProp> m_props;
    QStringList m_titleCaptions;
    bool m_loading = false;
};
