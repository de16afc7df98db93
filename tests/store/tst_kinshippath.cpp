// How two people are related, as a table of pairs over a family of four generations with a remarriage, an
// adoption and godparents. Each pair is searched both ways: the word, its reverse and the path length.
#include "store/KinshipPath.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"
#include "tests/support/ObjectWeb.h"
#include "tests/support/TempDatabase.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestKinshipPath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void pairs_data();
    void pairs();
    void pathShowsEachStepWithItsLink();
    void notRelatedAndTheDepthLimit();
    void cyclicDataEnds();

private:
    QString Person(const QString& key, const QString& name, bool female, const QString& nativeFamily = {});
    QString Family(const QString& key, const QString& husband, const QString& wife);

    std::unique_ptr<TTempDatabase> m_db;
    std::unique_ptr<TObjectWeb> m_web;
};

QString TestKinshipPath::Person(const QString& key, const QString& name, bool female, const QString& nativeFamily)
{
    return m_web->Add(key, Kind::Person, [&](TDBMainInfo& r) {
        const TPersonView person(r);
        const QStringList parts = name.split(u' ');
        person.SetSurname(parts.value(0));
        person.SetFirstName(parts.value(1));
        person.SetIsFemale(female);
        if (!nativeFamily.isEmpty())
            person.SetNativeFamily(m_web->Id(nativeFamily));
    });
}

QString TestKinshipPath::Family(const QString& key, const QString& husband, const QString& wife)
{
    return m_web->Add(key, Kind::Family, [&](TDBMainInfo& r) {
        const TFamilyView family(r);
        family.SetHusband(husband.isEmpty() ? Ids::None : m_web->Id(husband));
        family.SetWife(wife.isEmpty() ? Ids::None : m_web->Id(wife));
        family.SetStatus(FamilyStatus::Married);
    });
}

void TestKinshipPath::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
    m_db = std::make_unique<TTempDatabase>();
    QVERIFY(m_db->IsOpen());
    m_web = std::make_unique<TObjectWeb>(m_db->Db());
    // Generation 1: two couples.
    Person(u"ivan"_s, u"Орлов Иван"_s, false);
    Person(u"anna"_s, u"Орлова Анна"_s, true);
    Family(u"F1"_s, u"ivan"_s, u"anna"_s);
    Person(u"semen"_s, u"Белов Семён"_s, false);
    Person(u"vera"_s, u"Белова Вера"_s, true);
    Family(u"F0"_s, u"semen"_s, u"vera"_s);
    // Generation 2: Пётр married twice; his second wife Елена has a son of her first marriage.
    Person(u"petr"_s, u"Орлов Пётр"_s, false, u"F1"_s);
    Person(u"olga"_s, u"Зимина Ольга"_s, true, u"F1"_s);
    Person(u"maria"_s, u"Орлова Мария"_s, true, u"F0"_s);
    Person(u"elena"_s, u"Орлова Елена"_s, true);
    Person(u"boris"_s, u"Лунин Борис"_s, false);
    Person(u"nikolai"_s, u"Зимин Николай"_s, false);
    Family(u"F2"_s, u"petr"_s, u"maria"_s);
    Family(u"F3"_s, u"petr"_s, u"elena"_s);
    Family(u"F5"_s, u"boris"_s, u"elena"_s);
    Family(u"F4"_s, u"nikolai"_s, u"olga"_s);
    // Generation 3: children of both marriages, a cousin and an adopted cousin.
    Person(u"aleksei"_s, u"Орлов Алексей"_s, false, u"F2"_s);
    Person(u"yulia"_s, u"Орлова Юлия"_s, true, u"F2"_s);
    Person(u"darya"_s, u"Орлова Дарья"_s, true, u"F3"_s);
    Person(u"gleb"_s, u"Лунин Глеб"_s, false, u"F5"_s);
    Person(u"irina"_s, u"Зимина Ирина"_s, true, u"F4"_s);
    Person(u"kirill"_s, u"Зимин Кирилл"_s, false);
    m_web->Add(u"adoption"_s, Kind::AdoptiveFamilyLink, [&](TDBMainInfo& r) {
        const TAdoptiveFamilyLinkView link(r);
        link.SetFamily(m_web->Id(u"F4"_s));
        link.SetPerson(m_web->Id(u"kirill"_s));
    });
    // Generation 4, and godparents: Ольга christened her nephew, a friend the great-grandson,
    // Светлана her husband's cousin.
    Person(u"svetlana"_s, u"Орлова Светлана"_s, true);
    Family(u"F6"_s, u"aleksei"_s, u"svetlana"_s);
    Person(u"maksim"_s, u"Орлов Максим"_s, false, u"F6"_s);
    Person(u"viktor"_s, u"Ветров Виктор"_s, false);
    Person(u"tamara"_s, u"Ким Тамара"_s, true);
    for (const auto& [child, column, godparent] :
        {std::tuple{u"aleksei"_s, 3, u"olga"_s}, std::tuple{u"maksim"_s, 2, u"viktor"_s},
            std::tuple{u"irina"_s, 3, u"svetlana"_s}}) {
        TDBMainInfo row;
        row.SetDatabase(m_db->Db());
        QVERIFY(row.SetObj(m_web->Id(child)));
        if (column == 3)
            PersonView(row).SetGodmother(m_web->Id(godparent));
        else
            PersonView(row).SetGodfather(m_web->Id(godparent));
        QVERIFY(row.Save().Ok());
    }
    QVERIFY(m_web->IsComplete());
}

void TestKinshipPath::cleanupTestCase()
{
    m_web.reset();
    m_db.reset();
}

void TestKinshipPath::pairs_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("reverse");
    QTest::addColumn<int>("length");

    const auto row = [](const char* name, const QString& from, const QString& to, const QString& word,
                        const QString& reverse, int length) {
        QTest::newRow(name) << from << to << word << reverse << length;
    };
    row("father and son", u"ivan"_s, u"petr"_s, u"сын"_s, u"отец"_s, 1);
    row("brother and sister", u"petr"_s, u"olga"_s, u"сестра"_s, u"брат"_s, 1);
    row("cousins", u"aleksei"_s, u"irina"_s, u"двоюродная сестра"_s, u"двоюродный брат"_s, 3);
    row("aunt and niece", u"darya"_s, u"olga"_s, u"тётя"_s, u"племянница"_s, 2);
    row("great-grandparent", u"ivan"_s, u"maksim"_s, u"правнук"_s, u"прадедушка"_s, 3);
    row("grandparent", u"anna"_s, u"aleksei"_s, u"внук"_s, u"бабушка"_s, 2);
    row("great-aunt", u"maksim"_s, u"olga"_s, u"двоюродная бабушка"_s, u"внучатый племянник"_s, 3);
    row("cousin once removed", u"irina"_s, u"maksim"_s, u"двоюродный племянник"_s, u"двоюродная тётя"_s, 4);
    row("half-siblings by the father", u"aleksei"_s, u"darya"_s, u"единокровная сестра"_s,
        u"единокровный брат"_s, 2);
    row("half-siblings by the mother", u"gleb"_s, u"darya"_s, u"единоутробная сестра"_s,
        u"единоутробный брат"_s, 2);
    row("step-siblings", u"gleb"_s, u"yulia"_s, u"сводная сестра"_s, u"сводный брат"_s, 3);
    row("stepfather", u"gleb"_s, u"petr"_s, u"отчим"_s, u"пасынок"_s, 2);
    row("husband and wife", u"petr"_s, u"elena"_s, u"жена"_s, u"муж"_s, 1);
    row("wife's mother", u"petr"_s, u"vera"_s, u"тёща"_s, u"зять"_s, 2);
    row("wife's father", u"petr"_s, u"semen"_s, u"тесть"_s, u"зять"_s, 2);
    row("husband's mother", u"svetlana"_s, u"maria"_s, u"свекровь"_s, u"невестка"_s, 2);
    row("husband's father", u"svetlana"_s, u"petr"_s, u"свёкор"_s, u"невестка"_s, 2);
    row("husband's sister", u"elena"_s, u"olga"_s, u"золовка"_s, u"невестка"_s, 2);
    // Also the godmother of Мария's son: the marriage wins over the godparent link, both ways.
    row("husband's sister and kuma", u"maria"_s, u"olga"_s, u"золовка"_s, u"невестка"_s, 2);
    row("the parents of a couple", u"ivan"_s, u"semen"_s, u"сват"_s, u"сват"_s, 3);
    row("adopted son", u"nikolai"_s, u"kirill"_s, u"приёмный сын"_s, u"приёмный отец"_s, 1);
    row("adopted cousin", u"aleksei"_s, u"kirill"_s, u"приёмный двоюродный брат"_s, u"приёмный двоюродный брат"_s, 3);
    row("an aunt who is also the godmother", u"aleksei"_s, u"olga"_s, u"тётя"_s, u"племянник"_s, 2);
    row("godmother", u"irina"_s, u"svetlana"_s, u"крёстная мать"_s, u"крестница"_s, 1);
    row("godfather", u"maksim"_s, u"viktor"_s, u"крёстный отец"_s, u"крестник"_s, 1);
    row("godfather of a son", u"aleksei"_s, u"viktor"_s, u"кум"_s, u"кум"_s, 2);
    row("same person", u"ivan"_s, u"ivan"_s, KinshipTexts::SamePerson, KinshipTexts::SamePerson, 0);
}

void TestKinshipPath::pairs()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, word);
    QFETCH(QString, reverse);
    QFETCH(int, length);

    const TKinshipPath there = FindKinshipPath(m_db->Db(), m_web->Id(from), m_web->Id(to));
    QVERIFY(there.Found);
    QCOMPARE(there.Word, word);
    QCOMPARE(there.Length(), length);
    const TKinshipPath back = FindKinshipPath(m_db->Db(), m_web->Id(to), m_web->Id(from));
    QVERIFY(back.Found);
    QCOMPARE(back.Word, reverse);
    QCOMPARE(back.Length(), length);
}

void TestKinshipPath::pathShowsEachStepWithItsLink()
{
    const TKinshipPath path = FindKinshipPath(m_db->Db(), m_web->Id(u"aleksei"_s), m_web->Id(u"irina"_s));
    QStringList people;
    for (const TKinshipPerson& person : path.People)
        people << m_web->Key(person.Id);
    QCOMPARE(people, (QStringList{u"aleksei"_s, u"petr"_s, u"olga"_s, u"irina"_s}));
    QCOMPARE(path.People.constLast().Name, u"Зимина Ирина"_s);
    QVERIFY(path.People.constLast().Female);
    QStringList links;
    QStringList words;
    for (int i = 0; i < path.Length(); ++i) {
        links << m_web->Key(path.Steps[i].Link);
        words << KinshipStepWord(path.Steps[i], path.People[i + 1].Female);
    }
    QCOMPARE(links, (QStringList{u"F2"_s, u"F1"_s, u"F4"_s}));
    QCOMPARE(words, (QStringList{u"отец"_s, u"сестра"_s, u"дочь"_s}));
}

void TestKinshipPath::notRelatedAndTheDepthLimit()
{
    const TKinshipPath stranger = FindKinshipPath(m_db->Db(), m_web->Id(u"ivan"_s), m_web->Id(u"tamara"_s));
    QVERIFY(!stranger.Found);
    QCOMPARE(stranger.Word, KinshipTexts::NotRelated);
    QCOMPARE(stranger.Length(), 0);
    // Three steps apart: not found within two.
    const QString ivan = m_web->Id(u"ivan"_s);
    const QString maksim = m_web->Id(u"maksim"_s);
    QCOMPARE(FindKinshipPath(m_db->Db(), ivan, maksim, 2).Word, KinshipTexts::NotRelated);
    QCOMPARE(FindKinshipPath(m_db->Db(), ivan, maksim, 3).Word, u"правнук"_s);
}

void TestKinshipPath::cyclicDataEnds()
{
    // A data error: a family is a partner's own native family, and a person is the godfather of himself.
    TObjectWeb web(m_db->Db());
    const QString loop = web.Add(u"loop"_s, Kind::Person, [](TDBMainInfo& r) { PersonView(r).SetSurname(u"Петля"_s); });
    const QString family = web.Add(u"family"_s, Kind::Family, [&](TDBMainInfo& r) {
        FamilyView(r).SetHusband(loop);
        FamilyView(r).SetWife(Ids::None);
    });
    TDBMainInfo row;
    row.SetDatabase(m_db->Db());
    QVERIFY(row.SetObj(loop));
    PersonView(row).SetNativeFamily(family);
    PersonView(row).SetGodfather(loop);
    QVERIFY(row.Save().Ok());
    QCOMPARE(FindKinshipPath(m_db->Db(), loop, m_web->Id(u"ivan"_s)).Word, KinshipTexts::NotRelated);
    QCOMPARE(FindKinshipPath(m_db->Db(), loop, loop).Word, KinshipTexts::SamePerson);
}

QTEST_GUILESS_MAIN(TestKinshipPath)
#include "tst_kinshippath.moc"
