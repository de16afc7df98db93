// The typed views where they carry a rule of their own: the display texts composed from a row's parts,
// the sign of a money operation's amount, the note text split over four columns and the plain texts an
// address keeps in link columns, each through a save and a load of a real database.
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/EventView.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/kinds/NoteView.h"
#include "store/kinds/OrganizationView.h"
#include "tests/support/TempDatabase.h"

#include <QTest>

class TKindViewsTest : public QObject
{
    Q_OBJECT

private slots:
    void DisplayTexts()
    {
        QCOMPARE(EventDisplayName(DateSerial::FromDate(QDate(2024, 1, 5)), QStringLiteral("Встреча")),
            QStringLiteral("[05.01.2024] Встреча"));
        QCOMPARE(EventDisplayName(0, QStringLiteral("Звонок")), QStringLiteral("[Дата не определена] Звонок"));
        QCOMPARE(OrganizationDisplayName(QString(), QStringLiteral("ООО"), QStringLiteral("Ромашка")),
            QStringLiteral("ООО, Ромашка"));
        QCOMPARE(OrganizationDisplayName(QString(), QString(), QStringLiteral("Ромашка")), QStringLiteral("Ромашка"));
        // a branch is named after its parent whatever form of ownership it names
        QCOMPARE(
            OrganizationDisplayName(QStringLiteral("ООО, Ромашка"), QStringLiteral("ООО"), QStringLiteral("Склад")),
            QStringLiteral("ООО, Ромашка, Склад"));
        QCOMPARE(
            AccountDisplayName(QStringLiteral("Кошелёк"), QStringLiteral("руб.")), QStringLiteral("Кошелёк, руб."));
    }

    void OperationSigns()
    {
        // money leaving the account chosen first is negative, money arriving positive
        for (int code : {OperationCode::Income, OperationCode::LentReturned, OperationCode::Borrowed})
            QCOMPARE(OperationCode::Sign(code), 1);
        for (int code : {OperationCode::Expense, OperationCode::Transfer, OperationCode::Exchange, OperationCode::Lent,
                 OperationCode::BorrowedReturned})
            QCOMPARE(OperationCode::Sign(code), -1);
        QVERIFY(OperationCode::IsPair(OperationCode::Transfer) && OperationCode::IsPair(OperationCode::Exchange));
        QVERIFY(!OperationCode::IsPair(OperationCode::Income) && !OperationCode::IsPair(OperationCode::Lent));
    }

    void RowsKeepWhatTheViewsWrite()
    {
        TTempDatabase fixture;
        QVERIFY(fixture.IsOpen());

        // A note text of 900 characters fills the three text columns and puts the rest in the comment.
        QString text;
        for (int i = 0; i < 900; ++i)
            text += QChar(u'а' + i % 32);
        TDBMainInfo note;
        note.SetDatabase(fixture.Db());
        note.ObjType = Kind::Note;
        NoteView(note).SetTitle(QStringLiteral("Длинная"));
        NoteView(note).SetText(text);
        QCOMPARE(note.Str3.size(), 255);
        QCOMPARE(note.Comments.size(), 900 - 3 * 255);
        QCOMPARE(note.Save(), SaveResult::Done);

        // An address keeps its house and flat as plain text in link columns, cut to their 16 characters.
        TDBMainInfo address;
        address.SetDatabase(fixture.Db());
        address.ObjType = Kind::Address;
        AddressView(address).SetSettlement(QStringLiteral("Одинцово"));
        AddressView(address).SetHouse(QStringLiteral("12к3"));
        AddressView(address).SetFlat(QStringLiteral("офис 1234567890123"));
        QCOMPARE(address.Save(), SaveResult::Done);

        TDBMainInfo loaded;
        loaded.SetDatabase(fixture.Db());
        QVERIFY(loaded.SetObj(note.Obj));
        QCOMPARE(NoteView(loaded).Text(), text);
        QCOMPARE(NoteView(loaded).Title(), QStringLiteral("Длинная"));
        QVERIFY(loaded.SetObj(address.Obj));
        const TConstAddressView parts(loaded);
        QCOMPARE(parts.Settlement(), QStringLiteral("Одинцово"));
        QCOMPARE(parts.House(), QStringLiteral("12к3"));
        QCOMPARE(parts.Flat(), QStringLiteral("офис 12345678901"));
    }
};

QTEST_GUILESS_MAIN(TKindViewsTest)
#include "tst_kindviews.moc"
