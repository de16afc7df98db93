// The kinship rules as a table: every refusal and every answer to their questions is a row run on a fresh
// database, with what the rule answers, what it said and what is stored afterwards.
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

enum class TRule { Native, Adoptive, RemoveParents };
/// Which person the rule is run for.
enum class TWho { Husband, Wife, Child };
/// What the fixture holds before the rule runs.
enum class TBefore { Nothing, NativeFamily, Adopted };
/// What the adoption dialog does.
enum class TDialog { NotAsked, Saves, Cancels };

struct TExpected
{
    bool Answer = false;
    QStringList Shown;
    bool NativeIsFamily = false;
    /// The child's stored Link1 is the none id.
    bool NativeIsNone = false;
    int Adoptions = 0;
};

QString SavePerson(const QString& surname, bool female, const QString& nativeFamily = QString())
{
    TDBMainInfo row;
    row.ObjType = Kind::Person;
    const TPersonView person(row);
    person.SetSurname(surname);
    person.SetIsFemale(female);
    if (!nativeFamily.isEmpty())
        person.SetNativeFamily(nativeFamily);
    return row.Save().Ok() ? row.Obj.Text() : QString();
}

QString SaveAdoption(const QString& family, const QString& person)
{
    TDBMainInfo row;
    row.ObjType = Kind::AdoptiveFamilyLink;
    const TAdoptiveFamilyLinkView link(row);
    link.SetFamily(family);
    link.SetPerson(person);
    return row.Save().Ok() ? row.Obj.Text() : QString();
}

} // namespace

Q_DECLARE_METATYPE(TRule)
Q_DECLARE_METATYPE(TWho)
Q_DECLARE_METATYPE(TBefore)
Q_DECLARE_METATYPE(TDialog)
Q_DECLARE_METATYPE(TExpected)

class TestFamilyRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();

    void ruleTable_data();
    void ruleTable();
    void failingSaveKeepsTheAdoption();
    void linkTests();

private:
    qint64 Adoptions(const QString& person) const;
    QString NativeOf(const QString& person) const;

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    TDBMainInfo m_family;
    QString m_husband;
    QString m_wife;
    QString m_child;
    QString m_otherFamily;
};

void TestFamilyRules::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    m_messages = std::make_unique<TScriptedMessages>();
    m_husband = SavePerson(u"Муж"_s, false);
    m_wife = SavePerson(u"Жена"_s, true);
    m_family.Clear();
    m_family.SetDatabase(nullptr);
    m_family.ObjType = Kind::Family;
    const TFamilyView family(m_family);
    family.SetHusband(m_husband);
    family.SetWife(m_wife);
    QVERIFY(m_family.Save().Ok());
    TDBMainInfo other;
    other.ObjType = Kind::Family;
    QVERIFY(other.Save().Ok());
    m_otherFamily = other.Obj;
    m_child = SavePerson(u"Ребенок"_s, false);
    QVERIFY(!m_child.isEmpty());
    // An adoption by another family, which no rule on this family may touch.
    QVERIFY(!SaveAdoption(m_otherFamily, m_child).isEmpty());
}

void TestFamilyRules::cleanup()
{
    m_messages.reset();
    m_family.Clear();
    m_fixture.reset();
}

qint64 TestFamilyRules::Adoptions(const QString& person) const
{
    return m_fixture
        ->Scalar(u"select count(*) from AllInfo where ObjType = 81 and Link1 = '"_s + m_family.Obj.Text()
            + u"' and Link2 = '"_s + person + u"'"_s)
        .toLongLong();
}

QString TestFamilyRules::NativeOf(const QString& person) const
{
    return m_fixture->Scalar(u"select Link1 from AllInfo where ObjId = '"_s + person + u"'"_s).toString();
}

void TestFamilyRules::ruleTable_data()
{
    using namespace FamilyRuleTexts;
    QTest::addColumn<TRule>("rule");
    QTest::addColumn<TWho>("who");
    QTest::addColumn<TBefore>("before");
    QTest::addColumn<QList<TAnswer>>("answers");
    QTest::addColumn<TDialog>("dialog");
    QTest::addColumn<TExpected>("expected");
    const QList<TAnswer> none;
    const QList<TAnswer> yes{TAnswer::Yes};
    const QList<TAnswer> no{TAnswer::No};

    QTest::newRow("native: the husband is refused")
        << TRule::Native << TWho::Husband << TBefore::Nothing << none << TDialog::NotAsked
        << TExpected{false, {OwnParent}, false, false, 0};
    QTest::newRow("native: the wife is refused")
        << TRule::Native << TWho::Wife << TBefore::Nothing << none << TDialog::NotAsked
        << TExpected{false, {OwnParent}, false, false, 0};
    QTest::newRow("native: a child without parents")
        << TRule::Native << TWho::Child << TBefore::Nothing << none << TDialog::NotAsked
        << TExpected{true, {}, true, false, 0};
    QTest::newRow("native: adopted already, No") << TRule::Native << TWho::Child << TBefore::Adopted << no
                                                  << TDialog::NotAsked
                                                  << TExpected{false, {AdoptiveToNative}, false, false, 1};
    QTest::newRow("native: adopted already, Yes") << TRule::Native << TWho::Child << TBefore::Adopted << yes
                                                   << TDialog::NotAsked
                                                   << TExpected{true, {AdoptiveToNative}, true, false, 0};
    QTest::newRow("adoptive: the husband is refused")
        << TRule::Adoptive << TWho::Husband << TBefore::Nothing << none << TDialog::NotAsked
        << TExpected{false, {OwnParent}, false, false, 0};
    QTest::newRow("adoptive: the native family is refused")
        << TRule::Adoptive << TWho::Child << TBefore::NativeFamily << none << TDialog::NotAsked
        << TExpected{false, {AlreadyNative}, true, false, 0};
    QTest::newRow("adoptive: a second adoption is refused")
        << TRule::Adoptive << TWho::Child << TBefore::Adopted << none << TDialog::NotAsked
        << TExpected{false, {AlreadyAdoptive}, false, false, 1};
    QTest::newRow("adoptive: the dialog is cancelled")
        << TRule::Adoptive << TWho::Child << TBefore::Nothing << none << TDialog::Cancels
        << TExpected{false, {}, false, false, 0};
    QTest::newRow("adoptive: the dialog saves") << TRule::Adoptive << TWho::Child << TBefore::Nothing << none
                                                 << TDialog::Saves << TExpected{true, {}, false, false, 1};
    QTest::newRow("remove parents: No") << TRule::RemoveParents << TWho::Child << TBefore::NativeFamily << no
                                        << TDialog::NotAsked
                                        << TExpected{false, {RemoveParentsQuestion}, true, false, 0};
    QTest::newRow("remove parents: Yes") << TRule::RemoveParents << TWho::Child << TBefore::NativeFamily << yes
                                         << TDialog::NotAsked
                                         << TExpected{true, {RemoveParentsQuestion}, false, true, 0};
}

void TestFamilyRules::ruleTable()
{
    QFETCH(TRule, rule);
    QFETCH(TWho, who);
    QFETCH(TBefore, before);
    QFETCH(QList<TAnswer>, answers);
    QFETCH(TDialog, dialog);
    QFETCH(TExpected, expected);

    const QString person = who == TWho::Husband ? m_husband : who == TWho::Wife ? m_wife : m_child;
    if (before == TBefore::NativeFamily) {
        TDBMainInfo child;
        QVERIFY(child.SetObj(m_child));
        PersonView(child).SetNativeFamily(m_family.Obj);
        QVERIFY(child.Save().Ok());
    } else if (before == TBefore::Adopted) {
        QVERIFY(!SaveAdoption(m_family.Obj, m_child).isEmpty());
    }
    for (TAnswer answer : answers)
        m_messages->QueueAnswer(answer);
    const QString nativeBefore = NativeOf(person);

    bool asked = false;
    bool answer = false;
    switch (rule) {
    case TRule::Native:
        answer = SetNativeFamily(m_family, person);
        break;
    case TRule::Adoptive:
        answer = AddAdoptiveFamily(m_family, person, [&](TDBMainInfo& adoption) {
            asked = true;
            const TAdoptiveFamilyLinkView link(adoption);
            if (adoption.ObjType != Kind::AdoptiveFamilyLink || !SameId(link.Family(), m_family.Obj)
                || !SameId(link.Person(), person))
                return false;
            return dialog == TDialog::Saves && adoption.Save().Ok();
        });
        break;
    case TRule::RemoveParents:
        answer = RemoveParents(person, m_family.Database());
        break;
    }
    QCOMPARE(answer, expected.Answer);
    QCOMPARE(m_messages->Shown(), expected.Shown);
    QCOMPARE(asked, dialog != TDialog::NotAsked);
    const QString native = NativeOf(person);
    if (expected.NativeIsFamily)
        QVERIFY2(SameId(native, m_family.Obj), qPrintable(native));
    else if (expected.NativeIsNone)
        QCOMPARE(native, Ids::None);
    else
        QCOMPARE(native, nativeBefore);
    QCOMPARE(Adoptions(person), expected.Adoptions);
    // The adoption by the other family is never touched.
    QCOMPARE(m_fixture
                 ->Scalar(u"select count(*) from AllInfo where ObjType = 81 and Link1 = '"_s + m_otherFamily + u"'"_s)
                 .toLongLong(),
        qint64(1));
}

void TestFamilyRules::failingSaveKeepsTheAdoption()
{
    QVERIFY(!SaveAdoption(m_family.Obj, m_child).isEmpty());
    // The engine refuses to store the family as a person's native family: the person's save then fails.
    const QString family = u"'"_s + m_family.Obj.Text() + u"'"_s;
    QVERIFY(TTempDatabase::OnServer()
            ? m_fixture->Run(u"alter table AllInfo add constraint refused_native check (ObjType <> 1 or Link1 <> "_s
                + family + u")"_s)
            : m_fixture->Run(u"create trigger refused_native before update on AllInfo when new.ObjType = 1 and "
                             u"new.Link1 = "_s
                + family + u" begin select raise(abort, 'refused'); end"_s));
    const QString before = m_fixture->Dump();
    m_messages->QueueAnswer(TAnswer::Yes);
    QVERIFY(!SetNativeFamily(m_family, m_child));
    QCOMPARE(m_fixture->Dump(), before);
    QCOMPARE(Adoptions(m_child), qint64(1));
    // The question, then the failure the user is told about.
    QCOMPARE(m_messages->Shown().size(), 2);
    QCOMPARE(m_messages->Shown().first(), FamilyRuleTexts::AdoptiveToNative);
}

void TestFamilyRules::linkTests()
{
    TMyDataBase* db = m_family.Database();
    QVERIFY(!IsAdoptedBy(m_family.Obj, m_child, db));
    const QString first = SaveAdoption(m_family.Obj, m_child);
    const QString second = SaveAdoption(m_family.Obj, m_child);
    QVERIFY(IsAdoptedBy(m_family.Obj, m_child, db));
    QVERIFY(IsAdoptedBy(m_otherFamily, m_child, db));
    QString id;
    QVERIFY(!NoLinkRow(db, m_family.Obj, m_child, Kind::AdoptiveFamilyLink, id));
    QVERIFY2(SameId(id, first) || SameId(id, second), qPrintable(id));
    id.clear();
    QVERIFY(NoLinkRow(db, m_child, m_family.Obj, Kind::AdoptiveFamilyLink, id));
    QVERIFY(id.isEmpty());
    // A quote in an id is searched for as typed, never as a piece of the statement.
    QVERIFY(NoLinkRow(db, u"\" or \"\"=\""_s, m_child, Kind::AdoptiveFamilyLink, id));
    QVERIFY(!IsNativeFamily(m_family.Obj, m_child, db));
    QVERIFY(!HasBranches(m_family.Obj, db));
    QVERIFY(NoRolePair(db, m_husband, m_wife));
}

QTEST_MAIN(TestFamilyRules)
#include "tst_familyrules.moc"
