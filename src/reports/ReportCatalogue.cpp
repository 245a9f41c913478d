#include "ReportCatalogue.h"

namespace ReportCatalogue {

namespace {

const QString kPersonColumns = QStringLiteral(
    "F_ID,F_mainID,F_Code,F_Name,F_HKtype,F_LDcode,F_HScode, F_ZYname,F_HZname,F_HZguanxi,F_SFZcode,F_QFwork,"
    "F_QFdate,F_CSdate, F_sex,F_SG,F_XX,F_JKmem,F_HJaddress,F_MinZu,F_JGaddress, F_ZZaddress,F_QTaddress,"
    "F_WHchengdu,F_HYmem,F_BYmem,F_ZJxinyang, F_ZZmianmao,F_work,F_workAddress,F_memo1");

const QString kReliefColumns = QStringLiteral(
    "F_ID,F_name,F_SFZcode,F_sex,F_CSdate,F_WHchengdu,F_HYmem,F_LDcode, F_HScode,F_Znum,F_JJstatus,F_ZStype,"
    "F_SRprice,F_JTphone,F_JTaddress");

const QString kReliefOwn[6] = {
    QStringLiteral("F_DBZcode,F_DBreason,F_BZprice,F_DBfromDate,F_DBtoDate,F_memo3,F_ZXflag,F_DBflag"),
    QStringLiteral("F_SYdate,F_SYZcode,F_OLDwork,F_OLDunit,F_JYstatus,F_XSflag,F_XStoDate, F_YBLflag,F_QZmem,"
                   "F_YQprice,F_memo4,F_ZXflag,F_SYflag"),
    QStringLiteral("F_YFZcode, F_YFtype,F_LDnengli,F_SHnengli,F_YFJYstatus,F_YFprice,F_GYstatus,F_memo5,F_ZXflag,"
                   "F_YFflag"),
    QStringLiteral("F_CYdate,F_LJaddress,F_xingQI,F_AYreason,F_LFflag,F_LOLDwork,F_Xaddress, F_AZdate,F_WAZreason,"
                   "F_memo6,F_ZXflag,F_LLflag"),
    QStringLiteral("F_workTime,F_LTtime,F_LTprice,F_JZmem,F_LTmem,F_POmem,F_MTmem,F_JJlaiyuan, F_TSmem,F_memo7,"
                   "F_ZXflag,F_LNflag"),
    QStringLiteral("F_CJZcode, f_CJstatus,F_JHempName,F_CJLDnengLI,F_JNtechang,F_memo8,F_ZXflag,F_CJflag"),
};
const char *const kReliefFlag[6] = { "F_DBflag", "F_SYflag", "F_YFflag", "F_LLflag", "F_LNflag", "F_CJflag" };

QString reliefSql(int category)
{
    QString sql = QStringLiteral("select ") + kReliefColumns + QStringLiteral(", ") + kReliefOwn[category]
        + QStringLiteral(" from ZuZav where (") + QLatin1String(kReliefFlag[category]) + QStringLiteral("=true) ");
    if (category == 3)
        sql += QStringLiteral("and (F_CYdate >= #1900-08-14# and F_CYdate <= #3000-08-14# "
                              "and F_AZdate >= #1900-08-14# and F_AZdate <= #3000-08-14#) ");
    return sql + QStringLiteral("and F_ZXflag = false order by F_code");
}

const QString kAddressBookSql = QStringLiteral(
    "select F_ID,F_name,F_LDcode,F_HScode,F_ZZaddress,F_TXhandphone, F_TXphone,F_TXworkPhone,F_TXqq,F_TXfax,"
    "F_TXhomepage,F_TXemail,F_memo9,F_ZXflag,F_TXflag from ZuZav where (F_TXflag=true) order by F_code");

// Reminders due within a month, as the reminder window lists them.
const QString kReminderSql = QStringLiteral(
    "select c.F_HKtype,c.F_ID,c.F_LDcode,c.F_HScode, c.F_code,c.F_name,c.F_sex,c.F_SFZcode,c.F_HJaddress,"
    "c.F_HKxingzhi, t.F_awokeDate,t.F_awokeTime,t.F_caption,t.F_memo1,t.F_editDate, t.F_operName, "
    "DateDiff(\"y\",date(),t.F_awokeDate) as f_num from t_TXrec as t left join ZuZav as c on t.F_mainID = c.F_mainID "
    "where DateDiff(\"y\",date(),t.F_awokeDate) >= 0 and DateDiff(\"y\",date(),t.F_awokeDate) <= 30 ");

QString personList(const QString &extra, const QString &where)
{
    return QStringLiteral("select ") + kPersonColumns + extra + QStringLiteral(" from ZuZav where ") + where
        + QStringLiteral(" order by F_code");
}

QList<Entry> build()
{
    using S = Source;
    QList<Entry> e = {
        { QStringLiteral("frHkXianqing"), QStringLiteral("当前户口详单"), S::MainWindow, {} },
        { QStringLiteral("frHkBianGeng"), QStringLiteral("当前户口详单及户口变更"), S::MainWindow, {} },
        { QStringLiteral("frHkList"), QStringLiteral("当前户口列表"), S::MainWindow, {} },
        { QStringLiteral("frHkDengJiBiao"), QStringLiteral("户口登记表打印"), S::MainWindow, {} },
        { QStringLiteral("frHkFenLei"), QStringLiteral("户口簿分类打印"), S::Classified, {} },
        { QStringLiteral("frHKreport1"), QStringLiteral("婚育状况证明表"), S::MainWindow, {} },
        { QStringLiteral("frHKreport2"), QStringLiteral("独生子女证明表"), S::MainWindow, {} },
        { QStringLiteral("frHKreport3"), QStringLiteral("申办户籍证明表"), S::MainWindow, {} },
        { QStringLiteral("frHKreport4"), QStringLiteral("人口死亡证明表"), S::MainWindow, {} },
        { QStringLiteral("frHKreport5"), QStringLiteral("贫困人口证明表"), S::MainWindow, {} },
        { QStringLiteral("frHKreport6"), QStringLiteral("低保人员证明表"), S::MainWindow, {} },
        { QStringLiteral("frJiaTingGL"), QStringLiteral("家庭档案列表"), S::List,
            QStringLiteral("select * from t_JTinfo where (1=1) and F_flag = false order by F_code") },
    };
    const QString relief[6] = { QStringLiteral("低保人员"), QStringLiteral("失业人员"), QStringLiteral("优抚对象"),
        QStringLiteral("两劳人员"), QStringLiteral("老年人"), QStringLiteral("残疾人") };
    for (int i = 0; i < 6; ++i)
        e.append({ QStringLiteral("frJZduXiangGL%1").arg(i + 1), relief[i] + QStringLiteral("档案资料"), S::List,
            reliefSql(i) });
    e.append({ QStringLiteral("frTongXuLuGL"), QStringLiteral("居民通讯录"), S::List, kAddressBookSql });
    e.append({ QStringLiteral("frAwokeFx"), QStringLiteral("户口提醒"), S::List, kReminderSql });
    e.append({ QStringLiteral("frSQdetailTJ"), QStringLiteral("社区人口查询统计列表"), S::List,
        personList(QStringLiteral(",F_CSaddress,F_QRflag,F_QCflag,F_QRdate, F_OLDaddress,F_QRtype,F_QRreason,"
                                  "F_QCdate,F_NewAddress,F_QCtype, F_QCreason,F_WGflag,F_ZXflag,F_SWdate,F_SWreason,"
                                  "F_ZXdate,F_ZXreason, F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5,F_SZ1,F_SZ2,F_SZ3,F_RQ1,"
                                  "F_RQ2,F_RQ3, F_HKcode,F_JSflag,F_HJstatus,F_JTphone,F_Znum,F_Nnum,F_Fnum, "
                                  "F_SRprice,F_JJstatus,F_ZStype,F_memo2, F_DBflag,F_SYflag,F_YFflag,F_LLflag,"
                                  "F_LNflag,F_CJflag,F_editDate,F_HKxingzhi"),
            QStringLiteral("(1=1) and F_ZXflag = false")) });
    e.append({ QStringLiteral("frXZdetailTJ"), QStringLiteral("新增人口查询统计列表"), S::List,
        personList(QStringLiteral(",F_CSaddress,F_HKxingzhi"), QStringLiteral("(F_ZXflag = false)")) });
    e.append({ QStringLiteral("frSWdetailTJ"), QStringLiteral("死亡人口查询统计列表"), S::List,
        personList(QStringLiteral(",F_SWdate,F_SWreason, F_ZXdate,F_ZXreason,F_ZXflag"),
            QStringLiteral("(F_WGflag = true)")) });
    e.append({ QStringLiteral("frQRdetailTJ"), QStringLiteral("迁入人口查询统计列表"), S::List,
        personList(QStringLiteral(",F_QRflag,F_QRdate, F_OLDaddress,F_QRtype,F_QRreason"),
            QStringLiteral("(F_QRflag = true)and(F_ZXflag = false)")) });
    e.append({ QStringLiteral("frQCdetailTJ"), QStringLiteral("迁出人口查询统计列表"), S::List,
        personList(QStringLiteral(",F_QCflag,F_QCdate, F_NEWaddress,F_QCtype,F_QCreason,F_ZXdate,F_ZXreason,F_ZXflag"),
            QStringLiteral("(F_QCflag = true)")) });
    e.append({ QStringLiteral("frZXdetailTJ"), QStringLiteral("注销人口查询统计列表"), S::List,
        personList(QStringLiteral(",F_ZXdate,F_ZXreason,F_ZXflag"), QStringLiteral("(F_ZXflag = true)")) });
    e.append({ QStringLiteral("frJTdetailTJ"), QStringLiteral("家庭信息查询统计列表"), S::List,
        QStringLiteral("select * from t_JTinfo where (1=1) order by F_code") });
    e.append({ QStringLiteral("frTXLdetailTJ"), QStringLiteral("居民通讯录查询统计列表"), S::List,
        QStringLiteral("select F_ID,F_name,F_LDcode,F_HScode,F_ZZaddress,F_TXhandphone, F_TXphone,F_TXworkPhone,"
                       "F_TXqq,F_TXfax,F_TXhomepage,F_TXemail,F_memo9,F_ZXflag from ZuZav where (F_TXflag=true) "
                       "order by F_code") });
    for (int i = 0; i < 6; ++i)
        e.append({ QStringLiteral("frJZdetailTJ%1").arg(i + 1), relief[i] + QStringLiteral("查询统计"), S::List,
            reliefSql(i) });
    e.append({ QStringLiteral("frStatFx"), QStringLiteral("户口信息统计分析"), S::List, {} });
    return e;
}

} // namespace

const QList<Entry> &entries()
{
    static const QList<Entry> e = build();
    return e;
}

const Entry *find(const QString &name)
{
    for (const Entry &e : entries())
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QString residentListSql(bool withPhoto)
{
    return QStringLiteral(
               "select F_ID,F_mainID,F_Code,F_Name,F_HKtype,F_LDcode,F_HScode, F_ZYname,F_HZname,F_HZguanxi,F_SFZcode,"
               "F_QFwork,F_QFdate,F_CSdate, F_CSaddress,F_sex,F_SG,F_XX,F_JKmem,F_HJaddress,F_MinZu,F_JGaddress, "
               "F_ZZaddress,F_QTaddress,F_WHchengdu,F_HYmem,F_BYmem,F_ZJxinyang, F_ZZmianmao,F_work,F_workAddress,"
               "F_memo1,F_QRflag,F_QCflag,F_QRdate, F_OLDaddress,F_QRtype,F_QRreason,F_QCdate,F_NewAddress,F_QCtype, "
               "F_QCreason,F_WGflag,F_ZXflag,F_SWdate,F_SWreason,F_ZXdate,F_ZXreason, F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5,"
               "F_SZ1,F_SZ2,F_SZ3,F_RQ1,F_RQ2,F_RQ3, F_HKcode,F_JSflag,F_HJstatus,F_JTphone,F_Znum,F_Nnum,F_Fnum, "
               "F_SRprice,F_JJstatus,F_ZStype,F_memo2, F_DBflag,F_SYflag,F_YFflag,F_LLflag,F_LNflag,F_CJflag,"
               "F_editDate,")
        + (withPhoto ? QStringLiteral("F_empImage,") : QString())
        + QStringLiteral("F_imagePath,F_HKxingzhi,F_JTcode,F_JTaddress from ZuZav where (1=1) and F_ZXflag = false ");
}

QString changeRecordsSql()
{
    return QStringLiteral("select * from t_BGrec where F_mainID = :F_mainID order by F_Date, F_ID");
}

QString cancellationRecordsSql()
{
    return QStringLiteral("select * from t_ZXrec order by F_date, F_ID");
}

QString remindersSql()
{
    return QStringLiteral("select * from t_TXrec where F_mainID = :F_mainID order by F_AwokeDate, F_ID");
}

} // namespace ReportCatalogue
