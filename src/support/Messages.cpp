#include "Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

int boxMessage(const QString &text, int kind)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("提示"));
    box.setText(QString(text).replace(QLatin1String("\\r"), QLatin1String("\n")));
    QPushButton *ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    switch (kind) {
    case MessQuestion:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral("询问"));
        cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    case MessWarning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral("警告"));
        break;
    case MessError:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QStringLiteral("错误"));
        break;
    default:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.setDefaultButton(ok);
    if (!cancel)
        box.setEscapeButton(ok);
    box.exec();
    return box.clickedButton() == ok ? MessOk : MessCancel;
}

MessResponder &responder()
{
    static MessResponder r = boxMessage;
    return r;
}

} // namespace

int ShowMess(const QString &text, int kind)
{
    return responder()(text, kind);
}

MessResponder setMessResponder(MessResponder r)
{
    MessResponder old = responder();
    responder() = r ? std::move(r) : MessResponder(boxMessage);
    return old;
}

void resetMessResponder()
{
    responder() = boxMessage;
}
