#include "ScreenUtils.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QWidget>

int ImageKind(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("bmp"))
        return 1;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return 2;
    if (ext == QLatin1String("gif"))
        return 3;
    return 0;
}

void ApplyImeName(QWidget *)
{
}

void EnableNavButtons(QWidget *form, bool enabled)
{
    if (!form)
        return;
    for (const char *name : {"tbFirst", "tbPrior", "tbNext", "tbLast", "tbPrint", "tbSet", "tbExpert"}) {
        const QString n = QString::fromLatin1(name);
        // a toolbar command may be a button or an action
        if (auto *b = form->findChild<QAbstractButton *>(n))
            b->setEnabled(enabled);
        if (auto *a = form->findChild<QAction *>(n))
            a->setEnabled(enabled);
    }
}
