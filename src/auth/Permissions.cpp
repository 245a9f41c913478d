#include "Permissions.h"

#include "data/DataModule.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace Permissions {

const QList<Entry> &catalogue()
{
    static const QList<Entry> all = {
        {"101", QStringLiteral("社区信息"), "mi100"},
        {"102", QStringLiteral("更改密码"), "mi100"},
        {"103", QStringLiteral("用户权限"), "mi100"},
        {"104", QStringLiteral("选项..."), "mi100"},
        {"105", QStringLiteral("自定义设置"), "mi100"},
        {"201", QStringLiteral("新增"), "mi200"},
        {"202", QStringLiteral("修改"), "mi200"},
        {"203", QStringLiteral("删除"), "mi200"},
        {"204", QStringLiteral("排序..."), "mi200"},
        {"205", QStringLiteral("显示字段选择"), "mi200"},
        {"206", QStringLiteral("保存当前网格"), "mi200"},
        {"207", QStringLiteral("复制"), "mi200"},
        {"208", QStringLiteral("救助对像簿"), "mi200"},
        {"209", QStringLiteral("居民通讯录"), "mi200"},
        {"210", QStringLiteral("家庭档案设置"), "mi200"},
        {"301", QStringLiteral("导出"), "mi300"},
        {"302", QStringLiteral("报表设计"), "mi300"},
        {"303", QStringLiteral("当前户口详单"), "mi300"},
        {"304", QStringLiteral("当前户详单及户口变更"), "mi300"},
        {"305", QStringLiteral("当前户口列表"), "mi300"},
        {"306", QStringLiteral("户口登记表打印"), "mi300"},
        {"307", QStringLiteral("户口簿分类打印"), "mi300"},
        {"308", QStringLiteral("婚育状况证明表"), "mi300"},
        {"309", QStringLiteral("独生子女证明表"), "mi300"},
        {"310", QStringLiteral("申办户籍证明表"), "mi300"},
        {"311", QStringLiteral("人口死亡证明表"), "mi300"},
        {"312", QStringLiteral("贫困人口证明表"), "mi300"},
        {"313", QStringLiteral("低保人员证明表"), "mi300"},
        {"401", QStringLiteral("人口信息图表统计"), "mi400"},
        {"402", QStringLiteral("户口提醒"), "mi400"},
        {"403", QStringLiteral("居民通讯录查询统计"), "mi400"},
        {"404", QStringLiteral("救助对象查询统计"), "mi400"},
        {"405", QStringLiteral("社区人口统计列表"), "mi400"},
        {"406", QStringLiteral("新增人口查询统计"), "mi400"},
        {"407", QStringLiteral("死亡人口查询统计"), "mi400"},
        {"408", QStringLiteral("迁入人口查询统计"), "mi400"},
        {"409", QStringLiteral("迁出人口查询统计"), "mi400"},
        {"410", QStringLiteral("户口注销查询统计"), "mi400"},
        {"411", QStringLiteral("家庭信息统计列表"), "mi400"},
        {"501", QStringLiteral("导入户口资料"), "mi500"},
        {"502", QStringLiteral("系统数据清理"), "mi500"},
        {"503", QStringLiteral("数据备份恢复"), "mi500"},
        {"504", QStringLiteral("压缩修复数据库"), "mi500"},
        {"505", QStringLiteral("连接网络数据库"), "mi500"},
    };
    return all;
}

bool isAdministrator(const QString &loginName)
{
    return loginName.trimmed().toLower() == QLatin1String("admin");
}

namespace {

void setActionVisible(QWidget *w, const QString &name, bool visible)
{
    if (QAction *a = w->findChild<QAction *>(name))
        a->setVisible(visible);
}

bool actionVisible(QWidget *w, const QString &name)
{
    QAction *a = w->findChild<QAction *>(name);
    return a && a->isVisible();
}

} // namespace

void SetLimits(QWidget *w, const QString &loginName)
{
    const bool admin = isAdministrator(loginName);
    QHash<QString, bool> menuVisible;
    for (const Entry &e : catalogue()) {
        const bool v = admin || DataModule::HasPermission(e.code);
        setActionVisible(w, QStringLiteral("Action") + e.code, v);
        menuVisible[e.menu] = menuVisible.value(e.menu) || v;
    }
    for (int i = 1; i <= 6; ++i)
        setActionVisible(w, QStringLiteral("Action90%1").arg(i), actionVisible(w, QStringLiteral("Action20%1").arg(i)));
    setActionVisible(w, QStringLiteral("Action31"), actionVisible(w, QStringLiteral("Action301")));
    for (auto it = menuVisible.cbegin(); it != menuVisible.cend(); ++it)
        if (QMenu *m = w->findChild<QMenu *>(it.key()))
            m->menuAction()->setVisible(it.value());
}

} // namespace Permissions
