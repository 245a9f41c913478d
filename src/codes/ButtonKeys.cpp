#include "ButtonKeys.h"

#include <QAbstractButton>
#include <QShortcut>

void bindKey(QWidget *form, const QKeySequence &key, QAbstractButton *button)
{
    auto *s = new QShortcut(key, form);
    QObject::connect(s, &QShortcut::activated, button, [button] {
        if (button->isEnabled())
            button->click();
    });
}
