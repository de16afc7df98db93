#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QHash>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

/**
 * \brief The editor of an address (the dialog "Новый адрес" and the address card's edit frame): country,
 * region, district, settlement, street, house, flat, postal index and comment.
 *
 * Each box offers the values stored with the box before it: the regions of the country, the districts of the
 * region, the settlements of the district (of the region when no district is given), the streets of the
 * settlement, its houses in the street, the postal indexes of the settlement. A list is read when its box is
 * entered, and read again only when the value it was read for has changed. Leaving the index with a country
 * and no settlement fills region, district and settlement with the combination stored most often for them.
 */
class TEditAddress final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditAddress)

public:
    static constexpr int PartLength = 16;
    static constexpr int IndexLength = 6;
    static constexpr int CommentLength = 250;
    /// Wide enough for the names of regions and settlements in the boxes.
    static constexpr int MinimumWidth = 440;

    explicit TEditAddress(QWidget* parent = nullptr);
    ~TEditAddress() override;

    QComboBox* cbCountry() const { return m_cbCountry; }
    QComboBox* cbRegion() const { return m_cbRegion; }
    QComboBox* cbRajon() const { return m_cbRajon; }
    QComboBox* cbCity() const { return m_cbCity; }
    QComboBox* eStreet() const { return m_eStreet; }
    QComboBox* eH_A() const { return m_eH_A; }
    QLineEdit* eApp() const { return m_eApp; }
    QComboBox* ePIndex() const { return m_ePIndex; }
    QPlainTextEdit* mComments() const { return m_comments; }
    /// The items a box's list offers now.
    static QStringList Items(const QComboBox* box);

    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    void AfterSave() override;

    // The handlers, callable as the controls call them.
    void cbRegionEnter();
    void cbRajonEnter();
    void cbCityEnter();
    void eStreetEnter();
    void eH_AEnter();
    void ePIndexEnter();
    void ePIndexExit();
    void cbCountryExit(QComboBox* box);

    /// The statement that finds the region, district and settlement stored most often with \a index in
    /// \a country; the first row is the one the index look-up takes (equal counts in alphabetical order).
    static QString IndexLookupStatement(const QString& index, const QString& country);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Fills \a box's list from DistinctValues (kind 3, \a mode with \a key and \a value) unless it holds the
    /// list for \a lookupKey already; a blank \a value leaves the list as it is.
    void Complete(QComboBox* box, const QString& lookupKey, const QString& key, const QString& value, int mode);
    QString BoxText(const QComboBox* box) const;
    /// The focus moved from \a old to \a now: a box left is normalised, the index left is looked up.
    void FocusMoved(QWidget* old, QWidget* now);

    QComboBox* m_cbCountry;
    QComboBox* m_cbRegion;
    QComboBox* m_cbRajon;
    QComboBox* m_cbCity;
    QComboBox* m_eStreet;
    QComboBox* m_eH_A;
    QLineEdit* m_eApp;
    QComboBox* m_ePIndex;
    QPlainTextEdit* m_comments;
    /// What each box's list was last read for. Each list keeps its own key: a key shared between lists would
    /// let one box's entry mark another box's stale list as current.
    QHash<const QComboBox*, QString> LookupKeys;
};
