#include "contacts/LinkedListParts.h"

#include "shell/frames/BaseFind.h"

#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace LinkedListParts {

void HideSearchArea(TBaseFind* list, bool count)
{
    QStringList parts{u"Panel2"_s, u"BriefFind"_s, u"FullFind"_s};
    if (count)
        parts << u"hFindResult"_s;
    for (const QString& name : parts)
        if (auto* part = list->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly))
            part->hide();
}

QToolBar* AddCheckedBar(TBaseFind* list)
{
    auto* bar = new QToolBar(list);
    bar->setObjectName(u"tbarChecked"_s);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    if (auto* layout = qobject_cast<QVBoxLayout*>(list->layout()))
        layout->insertWidget(1, bar);
    return bar;
}

QToolButton* AddCheckButton(QToolBar* bar, const QString& name, const QString& caption, int tag)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(caption);
    button->setCheckable(true);
    button->setProperty("Tag", tag);
    bar->addWidget(button);
    QObject::connect(button, &QToolButton::toggled, bar, [bar, button](bool down) {
        if (!down)
            return;
        for (QToolButton* other : bar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
            if (other != button && other->property("Tag").isValid())
                other->setChecked(false);
    });
    return button;
}

} // namespace LinkedListParts
