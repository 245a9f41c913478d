#include "FormPos.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void DispFormPos(QWidget *form, int mode)
{
    if (!form)
        return;
    QScreen *screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    QSize size = form->size().expandedTo(form->minimumSizeHint());
    if (mode == 0)
        size = QSize(avail.width() * 4 / 5, avail.height() * 4 / 5).expandedTo(size);
    else if (mode == 2)
        size = QSize(avail.width() * 19 / 20, avail.height() * 9 / 10);
    size = size.boundedTo(avail.size());
    form->resize(size);
    QRect centre = avail;
    if (mode == 1 && form->parentWidget() && form->parentWidget()->isVisible())
        centre = form->parentWidget()->window()->frameGeometry();
    QPoint topLeft(centre.center().x() - size.width() / 2, centre.center().y() - size.height() / 2);
    topLeft.setX(qBound(avail.left(), topLeft.x(), qMax(avail.left(), avail.right() - size.width())));
    topLeft.setY(qBound(avail.top(), topLeft.y(), qMax(avail.top(), avail.bottom() - size.height())));
    form->move(topLeft);
}
