// The Russian names of kinship: blood relations from the generations up and down, relations by marriage and
// by baptism from a table of path shapes.
#include "store/KinshipPath.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

/// A word in its masculine and feminine forms.
struct TWordPair
{
    QString Male;
    QString Female;

    QString For(bool female) const { return female ? Female : Male; }
};

/// The letter of a step in a path shape: U a parent, D a child, S a brother or sister, M a husband or wife,
/// G a godparent, C a godchild.
QChar Letter(TKinshipStep::TKind kind)
{
    switch (kind) {
    case TKinshipStep::Parent: return u'U';
    case TKinshipStep::Child: return u'D';
    case TKinshipStep::Sibling: return u'S';
    case TKinshipStep::Partner: return u'M';
    case TKinshipStep::Godparent: return u'G';
    case TKinshipStep::Godchild: return u'C';
    }
    return u'?';
}

/// Which sex the person at the end of the first marriage step must have for a row to apply.
enum class TSpouse { Any, Husband, Wife };

struct TShapeWord
{
    const char16_t* Shape;
    TSpouse Spouse;
    const char16_t* Male;
    const char16_t* Female;
};

// Relations by marriage and by baptism. The shape is read from the first person to the last; the last
// person's sex chooses the form. A half-brother or half-sister of a spouse (MUD) counts as a brother.
constexpr TShapeWord ShapeWords[] = {
    {u"M", TSpouse::Any, u"муж", u"жена"},
    {u"MU", TSpouse::Wife, u"тесть", u"тёща"},
    {u"MU", TSpouse::Husband, u"свёкор", u"свекровь"},
    {u"MS", TSpouse::Wife, u"шурин", u"свояченица"},
    {u"MS", TSpouse::Husband, u"деверь", u"золовка"},
    {u"MUD", TSpouse::Wife, u"шурин", u"свояченица"},
    {u"MUD", TSpouse::Husband, u"деверь", u"золовка"},
    {u"MD", TSpouse::Any, u"пасынок", u"падчерица"},
    {u"UM", TSpouse::Any, u"отчим", u"мачеха"},
    {u"DM", TSpouse::Any, u"зять", u"невестка"},
    {u"SM", TSpouse::Any, u"зять", u"невестка"},
    {u"UDM", TSpouse::Any, u"зять", u"невестка"},
    {u"UMD", TSpouse::Any, u"сводный брат", u"сводная сестра"},
    {u"DMU", TSpouse::Any, u"сват", u"сватья"},
    {u"USM", TSpouse::Any, u"дядя", u"тётя"},
    {u"MSM", TSpouse::Wife, u"свояк", u"свойственница"},
    {u"G", TSpouse::Any, u"крёстный отец", u"крёстная мать"},
    {u"C", TSpouse::Any, u"крестник", u"крестница"},
    {u"DG", TSpouse::Any, u"кум", u"кума"},
    {u"CU", TSpouse::Any, u"кум", u"кума"},
    {u"CG", TSpouse::Any, u"кум", u"кума"},
};

/// "двоюродный", "троюродный" ... for the degree 2..10 of a collateral line; empty beyond.
QString Collateral(int degree, bool female)
{
    static const QStringList stems{u"двоюродн"_s, u"троюродн"_s, u"четвероюродн"_s, u"пятиюродн"_s,
        u"шестиюродн"_s, u"семиюродн"_s, u"восьмиюродн"_s, u"девятиюродн"_s, u"десятиюродн"_s};
    if (degree < 2 || degree - 2 >= stems.size())
        return {};
    return stems[degree - 2] + (female ? u"ая"_s : u"ый"_s);
}

QString Great(int times)
{
    return u"пра"_s.repeated(qMax(0, times));
}

QString Joined(const QString& adjective, const QString& noun)
{
    return adjective.isEmpty() ? noun : adjective + u' ' + noun;
}

/// The generations of a blood relation: up to the common ancestor, then down.
struct TBloodShape
{
    int Up = 0;
    int Down = 0;
    bool Adoptive = false;
    /// The two share one parent only: the path turns at a person, not at a family.
    bool Half = false;
    /// The index of the person the path turns at (for a half relation).
    int Turn = 0;
};

/// The blood shape of \a steps (parents, at most one brother or sister, then children); none otherwise.
std::optional<TBloodShape> BloodShape(const QList<TKinshipStep>& steps)
{
    TBloodShape shape;
    int i = 0;
    for (; i < steps.size() && steps[i].Kind == TKinshipStep::Parent; ++i)
        ++shape.Up, shape.Adoptive |= steps[i].Adoptive;
    shape.Turn = i;
    bool sibling = false;
    if (i < steps.size() && steps[i].Kind == TKinshipStep::Sibling) {
        ++shape.Up, ++shape.Down, shape.Adoptive |= steps[i].Adoptive;
        sibling = true;
        ++i;
    }
    for (; i < steps.size() && steps[i].Kind == TKinshipStep::Child; ++i)
        ++shape.Down, shape.Adoptive |= steps[i].Adoptive;
    if (i != steps.size())
        return std::nullopt;
    shape.Half = !sibling && shape.Up > 0 && shape.Down > 0;
    return shape;
}

/// The name of a blood relation \a up generations up and \a down down; empty when there is none.
QString BloodWord(const TBloodShape& shape, bool female, bool turnFemale)
{
    const int up = shape.Up;
    const int down = shape.Down;
    const auto pick = [female](const char16_t* male, const char16_t* woman) {
        return QString::fromUtf16(female ? woman : male);
    };
    QString word;
    if (down == 0)
        word = up == 1 ? pick(u"отец", u"мать") : Great(up - 2) + pick(u"дедушка", u"бабушка");
    else if (up == 0)
        word = down == 1 ? pick(u"сын", u"дочь") : Great(down - 2) + pick(u"внук", u"внучка");
    else if (up == down) {
        if (up == 1 && shape.Half)
            word = (turnFemale ? u"единоутробн"_s : u"единокровн"_s) + pick(u"ый брат", u"ая сестра");
        else if (up == 1)
            word = pick(u"брат", u"сестра");
        else if (const QString degree = Collateral(up, female); !degree.isEmpty())
            word = Joined(degree, pick(u"брат", u"сестра"));
    } else if (up > down) {
        // Uncles and aunts, then the brothers and sisters of grandparents.
        const int generations = up - down;
        const QString degree = down == 1 && generations == 1 ? QString() : Collateral(generations == 1 ? down : down + 1, female);
        if (generations == 1 && (down == 1 || !degree.isEmpty()))
            word = Joined(degree, pick(u"дядя", u"тётя"));
        else if (generations > 1 && !degree.isEmpty())
            word = Joined(degree, Great(generations - 2) + pick(u"дедушка", u"бабушка"));
    } else {
        // Nephews and nieces, then their children.
        const int generations = down - up;
        const QString degree = Collateral(up, female);
        if (up == 1 || !degree.isEmpty())
            word = generations == 1 ? Joined(degree, pick(u"племянник", u"племянница"))
                                    : Joined(degree, Great(generations - 2) + pick(u"внучатый племянник", u"внучатая племянница"));
    }
    if (!word.isEmpty() && shape.Adoptive)
        word = pick(u"приёмный ", u"приёмная ") + word;
    return word;
}

} // namespace

QString KinshipWord(const QList<TKinshipPerson>& people, const QList<TKinshipStep>& steps)
{
    if (people.size() != steps.size() + 1)
        return {};
    if (steps.isEmpty())
        return KinshipTexts::SamePerson;
    const bool female = people.constLast().Female;
    if (const auto blood = BloodShape(steps)) {
        if (const QString word = BloodWord(*blood, female, people[blood->Turn].Female); !word.isEmpty())
            return word;
    }
    QString shape;
    int spouseAt = -1;
    for (int i = 0; i < steps.size(); ++i) {
        shape += Letter(steps[i].Kind);
        if (spouseAt < 0 && steps[i].Kind == TKinshipStep::Partner)
            spouseAt = i + 1;
    }
    for (const TShapeWord& row : ShapeWords) {
        if (shape != QStringView(row.Shape))
            continue;
        if (row.Spouse != TSpouse::Any && (spouseAt < 0 || people[spouseAt].Female != (row.Spouse == TSpouse::Wife)))
            continue;
        return QString::fromUtf16(female ? row.Female : row.Male);
    }
    if (shape.contains(u'M'))
        return female ? u"свойственница"_s : u"свойственник"_s;
    return female ? u"родственница"_s : u"родственник"_s;
}

QString KinshipStepWord(const TKinshipStep& step, bool targetFemale)
{
    const TWordPair pair = [&]() -> TWordPair {
        switch (step.Kind) {
        case TKinshipStep::Parent:
            return step.Adoptive ? TWordPair{u"приёмный отец"_s, u"приёмная мать"_s} : TWordPair{u"отец"_s, u"мать"_s};
        case TKinshipStep::Child:
            return step.Adoptive ? TWordPair{u"приёмный сын"_s, u"приёмная дочь"_s} : TWordPair{u"сын"_s, u"дочь"_s};
        case TKinshipStep::Sibling:
            return step.Adoptive ? TWordPair{u"приёмный брат"_s, u"приёмная сестра"_s}
                                 : TWordPair{u"брат"_s, u"сестра"_s};
        case TKinshipStep::Partner: return {u"муж"_s, u"жена"_s};
        case TKinshipStep::Godparent: return {u"крёстный отец"_s, u"крёстная мать"_s};
        case TKinshipStep::Godchild: return {u"крестник"_s, u"крестница"_s};
        }
        return {};
    }();
    return pair.For(targetFemale);
}
