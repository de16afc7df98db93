// vCard files as programs write them: a phone's 2.1 export in quoted-printable, an address book's 3.0, a 4.0
// file with partial birthdays, Outlook's folding, old code pages and line ends, broken cards among good
// ones; and a person written and read back is the same person.
#include "contacts/VCard.h"
#include "contacts/VCardContact.h"
#include "store/DateSerial.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/PhoneView.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace VCardContact;

namespace {

QByteArray Corpus(const QString& name)
{
    const QDir folder(QStringLiteral(ZORVIN_VCARD_CORPUS));
    QFile file(folder.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The people of a file and its problems as "line: text".
struct TRead
{
    QList<TPerson> People;
    QList<int> ProblemLines;
};

TRead ReadAll(const QByteArray& data)
{
    TRead read;
    const VCard::TFile file = VCard::Parse(data);
    for (const VCard::TProblem& p : file.Problems)
        read.ProblemLines << p.Line;
    for (const VCard::TCard& card : file.Cards) {
        const TReading reading = FromCard(card);
        for (const VCard::TProblem& p : reading.Problems)
            read.ProblemLines << p.Line;
        if (reading.Person)
            read.People << *reading.Person;
    }
    std::sort(read.ProblemLines.begin(), read.ProblemLines.end());
    return read;
}

QString Names(const TPerson& p)
{
    return p.Surname + u'|' + p.FirstName + u'|' + p.Patronymic;
}

QString Date(double serial)
{
    return DateSerial::ToDate(serial).toString(u"dd.MM.yyyy"_s);
}

} // namespace

class TestVCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void phoneExportInQuotedPrintable()
    {
        const TRead read = ReadAll(Corpus(u"phone-21.vcf"_s));
        QCOMPARE(read.ProblemLines, QList<int>());
        QCOMPARE(read.People.size(), 2);
        const TPerson& anna = read.People.at(0);
        QCOMPARE(Names(anna), u"Смирнова|Анна|Сергеевна"_s);
        QCOMPARE(anna.Phones.size(), 2);
        QCOMPARE(anna.Phones.at(0).Number, u"7 9165550123"_s);
        QCOMPARE(anna.Phones.at(0).Type, int(PhoneType::Mobile));
        QCOMPARE(anna.Phones.at(1).Number, u"7 8435554433"_s);
        QCOMPARE(anna.Phones.at(1).Type, int(PhoneType::Phone));
        QCOMPARE(Date(anna.Birth), u"04.11.1987"_s);
        QVERIFY(anna.BirthComplete);
        // The soft line breaks join the note back without a trace.
        QCOMPARE(anna.Note,
            u"Познакомились на конференции в Казани, обещала прислать статью про сортировку писем и фото с экскурсии."_s);
        QImage photo;
        QVERIFY(photo.loadFromData(anna.Photo));
        QCOMPARE(photo.size(), QSize(10, 12));

        const TPerson& petr = read.People.at(1);
        QCOMPARE(Names(petr), u"Кузнецов|Пётр|"_s);
        QCOMPARE(petr.Phones.at(1).Type, int(PhoneType::Fax));
        QCOMPARE(petr.Internet.size(), 1);
        QCOMPARE(petr.Internet.at(0).Type, int(InternetType::Email));
        QCOMPARE(petr.Addresses.size(), 1);
        const TAddress& a = petr.Addresses.at(0);
        QCOMPARE(a.Street + u'|' + a.House + u'|' + a.Settlement + u'|' + a.PostalIndex + u'|' + a.Country,
            u"ул. Садовая|12|Санкт-Петербург|190000|Россия"_s);
    }

    void oldCodePageAndLineEnds()
    {
        TRead read = ReadAll(Corpus(u"nokia-cp1251.vcf"_s));
        QCOMPARE(read.People.size(), 2);
        QCOMPARE(Names(read.People.at(0)), u"Орлов|Игорь|Викторович"_s);
        QCOMPARE(read.People.at(0).Phones.at(0).Number, u"7 9035550011"_s);
        // Neither charset nor valid UTF-8: the Windows code page.
        QCOMPARE(Names(read.People.at(1)), u"Белова|Ольга|"_s);
        QCOMPARE(Date(read.People.at(1).Birth), u"29.02.1972"_s);

        read = ReadAll(Corpus(u"mac-cr.vcf"_s));
        QCOMPARE(read.People.size(), 1);
        QCOMPARE(Names(read.People.at(0)), u"Иванов|Иван|Иванович"_s);
        read = ReadAll(Corpus(u"utf16.vcf"_s));
        QCOMPARE(read.People.size(), 1);
        QCOMPARE(Names(read.People.at(0)), u"Иванов|Иван|"_s);
    }

    // A phone's or contact's comment sits beside it in a property of the same group; one without a group, or
    // a group without a phone, belongs to nothing.
    void commentsOfGroupedProperties()
    {
        const QByteArray card = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Орлова;Ирина\r\n"
                                "Item1.TEL;CELL:+7 916 555-01-02\r\n"
                                "ITEM1.X-ZORVIN-COMMENT;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=B4=D0=BE 18:00=0D=0A"
                                "=D0=BF=D0=BE=D1=81=D0=BB=D0=B5 =\r\n=D1=81=D0=B1  \r\n"
                                "TEL;HOME:+7 495 555-03-04\r\n"
                                "X-ZORVIN-COMMENT:ничей\r\n"
                                "item2.EMAIL;INTERNET:irina@example.ru\r\n"
                                "item2.X-ZORVIN-COMMENT:рабочая\\, для писем\r\n"
                                "item3.X-ZORVIN-COMMENT:без телефона\r\n"
                                "END:VCARD\r\n";
        const TRead read = ReadAll(card);
        QCOMPARE(read.ProblemLines, QList<int>());
        QCOMPARE(read.People.size(), 1);
        const TPerson& irina = read.People.at(0);
        QCOMPARE(irina.Phones.size(), 2);
        QCOMPARE(irina.Phones.at(0).Comment, u"до 18:00\nпосле сб"_s);
        QCOMPARE(irina.Phones.at(1).Comment, QString());
        QCOMPARE(irina.Internet.size(), 1);
        QCOMPARE(irina.Internet.at(0).Comment, u"рабочая, для писем"_s);
        // Written out, each commented property gets a group of its own and reads back the same.
        VCard::TWriter writer(u"3.0"_s);
        Write(writer, irina);
        QVERIFY(writer.Data().contains("item1.TEL;TYPE=CELL:"));
        QVERIFY(writer.Data().contains("item2.X-ZORVIN-COMMENT:рабочая\\, для писем\r\n"));
        const TRead back = ReadAll(writer.Data());
        QCOMPARE(back.People.size(), 1);
        QCOMPARE(back.People.at(0).Phones, irina.Phones);
        QCOMPARE(back.People.at(0).Internet, irina.Internet);
    }

    void addressBookExport()
    {
        const TRead read = ReadAll(Corpus(u"addressbook-30.vcf"_s));
        QCOMPARE(read.ProblemLines, QList<int>());
        QCOMPARE(read.People.size(), 2);
        const TPerson& d = read.People.at(0);
        QCOMPARE(Names(d), u"Волков|Дмитрий|Андреевич"_s);
        QCOMPARE(d.Internet.size(), 4);
        QCOMPARE(d.Internet.at(2).Type, int(InternetType::Site));
        QCOMPARE(d.Internet.at(2).Address, u"https://volkov.example.org"_s);
        QCOMPARE(d.Internet.at(3).Type, int(InternetType::SocialNetwork));
        QCOMPARE(d.Internet.at(3).Name, u"ВКонтакте"_s);
        QCOMPARE(d.Organizations.size(), 1);
        QCOMPARE(d.Organizations.at(0).Name, u"ООО \"Ромашка\""_s);
        QCOMPARE(d.Organizations.at(0).Branch, u"Отдел продаж"_s);
        QCOMPARE(d.Organizations.at(0).Title, u"Менеджер"_s);
        QCOMPARE(d.Groups, QStringList({u"Коллеги"_s, u"Друзья"_s}));
        QCOMPARE(d.Note, u"Любит шахматы, играет по средам.\nТелефон рабочий — через секретаря."_s);
        const TAddress& a = d.Addresses.at(0);
        QCOMPARE(a.Street + u'|' + a.House + u'|' + a.Flat, u"Ленинский проспект|30|45"_s);
    }

    void partialBirthdaysOfVersion4()
    {
        const TRead read = ReadAll(Corpus(u"rfc6350-40.vcf"_s));
        QCOMPARE(read.ProblemLines, QList<int>());
        QCOMPARE(read.People.size(), 3);
        const TPerson& elena = read.People.at(0);
        QCOMPARE(elena.Sex, 2);
        QCOMPARE(elena.Birth, 0.0);
        QCOMPARE(elena.BirthdayDay, 15);
        QCOMPARE(elena.BirthdayMonth, 3);
        QCOMPARE(elena.Phones.at(0).Number, u"7 9165553311"_s);
        QCOMPARE(elena.Phones.at(0).Type, int(PhoneType::Mobile));
        QVERIFY(!elena.Photo.isEmpty());
        const TPerson& nik = read.People.at(1);
        QCOMPARE(nik.Sex, 1);
        QCOMPARE(Date(nik.Birth), u"01.01.1985"_s);
        QVERIFY(!nik.BirthComplete);
        QCOMPARE(nik.Internet.at(0).Type, int(InternetType::Messenger));
        QCOMPARE(nik.Internet.at(0).Name, u"Telegram"_s);
        const TPerson& alla = read.People.at(2);
        QCOMPARE(Names(alla), u"Морозова|Алла|"_s);
        QCOMPARE(Date(alla.Birth), u"01.07.1990"_s);
        QVERIFY(!alla.BirthComplete);
        QVERIFY(alla.Dead);
        QCOMPARE(Date(alla.Death), u"05.01.2020"_s);
    }

    void outlookFolding()
    {
        const TRead read = ReadAll(Corpus(u"outlook-folded.vcf"_s));
        QCOMPARE(read.People.size(), 1);
        const TPerson& p = read.People.at(0);
        QCOMPARE(Names(p), u"Григорьев|Виктор|"_s);
        QCOMPARE(p.Sex, 1);
        QCOMPARE(p.Phones.at(0).Number, u"7 3835556677"_s);
        QCOMPARE(p.Note, u"Встреча перенесена на следующую неделю; договорились обсудить поставки, сроки оплаты и "
                         u"скидку для постоянных клиентов."_s);
    }

    void brokenCardsAmongGoodOnes()
    {
        const TRead read = ReadAll(Corpus(u"broken-mixed.vcf"_s));
        QStringList names;
        for (const TPerson& p : read.People)
            names << p.Surname;
        QCOMPARE(names, QStringList({u"Первый"_s, u"Второй"_s, u"Третий"_s}));
        // Outside a card, an unfinished card, a line without a colon, a date that is none, a number too long,
        // a card without a name, the unfinished last card.
        QCOMPARE(read.ProblemLines, QList<int>({1, 7, 13, 14, 15, 17, 25}));
        QVERIFY(read.People.at(1).Phones.isEmpty());
    }

    void fullNameSplit_data()
    {
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("names");
        QTest::newRow("surname first") << u"Иванов Иван Иванович"_s << u"Иванов|Иван|Иванович"_s;
        QTest::newRow("first name first") << u"Иван Иванович Иванов"_s << u"Иванов|Иван|Иванович"_s;
        QTest::newRow("first name and surname") << u"Иван Иванов"_s << u"Иванов|Иван|"_s;
        QTest::newRow("surname and first name") << u"Петрова Анна"_s << u"Петрова|Анна|"_s;
        QTest::newRow("first name and patronymic") << u"Анна Петровна"_s << u"|Анна|Петровна"_s;
        QTest::newRow("one word") << u"Мама"_s << u"|Мама|"_s;
        QTest::newRow("latin") << u"John Ronald Smith"_s << u"Smith|John Ronald|"_s;
    }

    void fullNameSplit()
    {
        QFETCH(QString, full);
        QFETCH(QString, names);
        const std::array<QString, 3> split = SplitFullName(full);
        QCOMPARE(split[0] + u'|' + split[1] + u'|' + split[2], names);
    }

    void phoneNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digits");
        QTest::newRow("international") << u"+7 (495) 123-45-67"_s << u"7 4951234567"_s;
        QTest::newRow("trunk prefix") << u"8 916 123 45 67"_s << u"7 9161234567"_s;
        QTest::newRow("two-digit country") << u"+49 30 1234567"_s << u"49 301234567"_s;
        QTest::newRow("local") << u"123-45-67"_s << u"     1234567"_s;
        QTest::newRow("area and local") << u"(495) 123-45-67"_s << u"  4951234567"_s;
        QTest::newRow("extension cut") << u"+7 495 123-45-67 x 89"_s << u"7 4951234567"_s;
        QTest::newRow("too long") << u"+44 20 7946 0958 123"_s << QString();
        QTest::newRow("no digits") << u"нет"_s << QString();
    }

    void phoneNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, digits);
        QCOMPARE(PhoneDigits(text), digits);
        if (!digits.isEmpty())
            QCOMPARE(PhoneDigits(PhoneText(digits)), digits);
    }

    // Everything a card carries comes back the same through the writer and the reader, in both versions.
    void writtenAndReadBack_data()
    {
        QTest::addColumn<QString>("version");
        QTest::newRow("3.0") << u"3.0"_s;
        QTest::newRow("4.0") << u"4.0"_s;
    }

    void writtenAndReadBack()
    {
        QFETCH(QString, version);
        QImage image(20, 23, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "JPEG"));

        TPerson p;
        p.Surname = u"Тестова-Длинная"_s;
        p.FirstName = u"Анна; Мария"_s;
        p.Patronymic = u"Сергеевна"_s;
        p.Sex = 2;
        p.Birth = DateSerial::FromDate(QDate(1980, 3, 1));
        p.BirthComplete = false;
        p.Note = u"Строка, с запятой; и точкой с запятой\\ и чертой\nвторая строка — "_s + QString(80, u'ж');
        p.Photo = jpeg;
        // Comments with what a value escapes, one long enough to be folded; phones and contacts without one.
        p.Phones = {{u"7 4951234567"_s, PhoneType::Phone, u"после 18:00, \"добавочный\" 12; спросить\nАнну"_s},
            {u"7 9161234567"_s, PhoneType::Mobile, QString()},
            {u"  4951112233"_s, PhoneType::Fax, QString(90, u'ф')},
            {u"7 4951112234"_s, PhoneType::PhoneFax, QString()}};
        p.Internet = {{InternetType::Email, u"anna@example.ru"_s, QString(), u"рабочая\\личная"_s},
            {InternetType::Site, u"https://example.ru/a,b;c"_s, QString(), QString()},
            {InternetType::SocialNetwork, u"https://vk.example/id1"_s, u"ВКонтакте"_s, u"старая страница"_s},
            {InternetType::Messenger, u"@anna"_s, u"Telegram"_s, QString()},
            {InternetType::Skype, u"anna_s"_s, QString(), QString()},
            {InternetType::Other, u"https://blog.example"_s, u"Блог"_s, u"; , :"_s}};
        p.Addresses = {{u"Россия"_s, u"Московская обл."_s, u"Одинцовский р-н"_s, u"Одинцово"_s, u"ул. Мира"_s,
                           u"5к2"_s, u"17"_s, u"143000"_s, true},
            {u"Россия"_s, QString(), QString(), u"Москва"_s, u"Тверская ул."_s, u"1"_s, QString(), QString(), false}};
        p.Organizations = {{u"Волжский банк"_s, u"АО"_s, u"Дополнительный офис № 907"_s, u"Кассир"_s},
            {u"ООО \"Ромашка\""_s, QString(), QString(), QString()}};
        p.Groups = {u"Друзья, старые"_s, u"Коллеги"_s};

        VCard::TWriter writer(version);
        Write(writer, p);
        TPerson yearless;
        yearless.FirstName = u"Без года"_s;
        yearless.BirthdayDay = 29;
        yearless.BirthdayMonth = 2;
        yearless.Dead = true;
        Write(writer, yearless);
        for (const QByteArray& line : writer.Data().split('\n'))
            QVERIFY2(line.size() <= 76, line.constData()); // 75 bytes and the CR

        const TRead read = ReadAll(writer.Data());
        QCOMPARE(read.ProblemLines, QList<int>());
        QCOMPARE(read.People.size(), 2);
        const TPerson& q = read.People.at(0);
        QCOMPARE(Names(q), Names(p));
        QCOMPARE(q.Sex, p.Sex);
        QCOMPARE(q.Birth, p.Birth);
        QCOMPARE(q.BirthComplete, p.BirthComplete);
        QCOMPARE(q.Note, p.Note);
        QCOMPARE(q.Photo, p.Photo);
        QCOMPARE(q.Phones, p.Phones);
        QCOMPARE(q.Internet, p.Internet);
        QCOMPARE(q.Addresses, p.Addresses);
        QCOMPARE(q.Organizations, p.Organizations);
        QCOMPARE(q.Groups, p.Groups);
        const TPerson& y = read.People.at(1);
        QCOMPARE(y.BirthdayDay, 29);
        QCOMPARE(y.BirthdayMonth, 2);
        QVERIFY(y.Dead);
    }
};

QTEST_GUILESS_MAIN(TestVCard)
#include "tst_vcard.moc"
