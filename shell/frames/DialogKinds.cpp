#include "shell/frames/DialogKinds.h"

#include "store/DataBase.h"
#include "store/ObjectRecord.h"

namespace {

QString GroupCaption(qint64 groupKind)
{
    switch (groupKind) {
    case 9:
        return QStringLiteral("Определение проекта");
    case 25:
        return QStringLiteral("Определение группы доходов");
    case 26:
        return QStringLiteral("Определение группы расходов");
    case 27:
        return QStringLiteral("Определение подгруппы доходов");
    case 28:
        return QStringLiteral("Определение подгруппы расходов");
    default:
        return QStringLiteral("Определение группы");
    }
}

TDialogKind Plain(const QString& caption)
{
    TDialogKind kind;
    kind.Caption = caption;
    return kind;
}

TDialogKind WithoutBar(const QString& caption)
{
    TDialogKind kind = Plain(caption);
    kind.ButtonBarHidden = true;
    return kind;
}

TDialogKind WithOk(const QString& caption, const QString& ok)
{
    TDialogKind kind = Plain(caption);
    kind.OkCaption = ok;
    return kind;
}

TDialogKind Following(const QString& caption)
{
    TDialogKind kind = Plain(caption);
    kind.FollowsFrameSize = true;
    return kind;
}

} // namespace

namespace DialogKinds {

bool EditKind(const TDBMainInfo& record, TDialogKind* kind)
{
    TDialogKind found;
    switch (record.ObjType) {
    case 1: found = Plain(QStringLiteral("Новый человек")); break;
    case 3: found = Plain(QStringLiteral("Новый адрес")); break;
    case 4: found = Plain(QStringLiteral("Данные о телефоне")); break;
    case 5: found = Plain(QStringLiteral("Данные о связи через Интернет")); break;
    case 6: found = Plain(QStringLiteral("Новая организация")); break;
    case 7: found = Plain(QStringLiteral("Новая семья")); break;
    case 8: found = Following(QStringLiteral("Новое событие")); break;
    case 10: found = Plain(QStringLiteral("Новая заметка")); break;
    case 20: found = Plain(QStringLiteral("Взаимосвязь, определение ролей")); break;
    case 21: found = Plain(GroupCaption(record.Int1)); break;
    case 23: found = Plain(QStringLiteral("Определение счета")); break;
    case 24: found = Following(QStringLiteral("Движение средств по счетам")); break;
    case 30: found = WithoutBar(QStringLiteral("Анализ финансов")); break;
    case 31: found = Plain(QStringLiteral("Определение вида втречи")); break;
    case 35: found = WithoutBar(QStringLiteral("Анализ событий")); break;
    case 80: found = Plain(QStringLiteral("Адрес жительства")); break;
    case 81: found = Plain(QStringLiteral("Приемная семья")); break;
    case 82: found = Plain(QStringLiteral("Отношение объект - платеж")); break;
    case 103: found = Plain(QStringLiteral("Счета")); break;
    case 105: found = WithoutBar(QStringLiteral("Список операций")); break;
    case 123:
        found = Plain(record.Int1 == 1 ? QStringLiteral("Настройка статей доходов")
                                       : QStringLiteral("Настройка статей расходов"));
        break;
    case 124: found = Plain(QStringLiteral("Настройка проектов")); break;
    case 125: found = WithOk(QStringLiteral("Настройка групп"), QStringLiteral("Обновить")); break;
    case 200: found = Plain(QStringLiteral("Выбор рабочей папки")); break;
    case 201: found = Plain(QStringLiteral("Выбор файла")); break;
    case 904: found = Plain(QStringLiteral("Подключенные базы данных")); break;
    case 1001: found = WithOk(QStringLiteral("Выбор фото"), QStringLiteral("Обновить")); break;
    default: return false;
    }
    if (kind)
        *kind = found;
    return true;
}

bool PickKind(int kind, TDialogKind* settings)
{
    QString caption;
    switch (kind) {
    case 1: caption = QStringLiteral("Поиск знакомых"); break;
    case 3: caption = QStringLiteral("Поиск адреса"); break;
    case 6: caption = QStringLiteral("Поиск организации"); break;
    case 7: caption = QStringLiteral("Поиск семьи"); break;
    case 8: caption = QStringLiteral("Поиск события"); break;
    case 9: caption = QStringLiteral("Поиск проекта"); break;
    case 10: caption = QStringLiteral("Поиск заметки"); break;
    case 101:
    case 102: caption = QStringLiteral("Движение средств"); break;
    case 104: caption = QStringLiteral("Поиск телефона"); break;
    default: return false;
    }
    if (settings)
        *settings = WithoutBar(caption);
    return true;
}

} // namespace DialogKinds
