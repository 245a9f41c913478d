#include "Vocabulary.h"

#include <map>
#include <sstream>

namespace Vocabulary {

namespace {

std::vector<std::string> split(const std::string &words)
{
    std::vector<std::string> out;
    std::istringstream in(words);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// "text:weight text:weight ..."
std::vector<Weighted> weighted(const std::string &list)
{
    std::vector<Weighted> out;
    for (const std::string &item : split(list)) {
        const auto colon = item.rfind(':');
        out.push_back({ item.substr(0, colon), std::stoi(item.substr(colon + 1)) });
    }
    return out;
}

// Utf-8 characters of a run of Chinese text.
std::vector<std::string> characters(const std::string &text)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xF0)
            n = 4;
        else if (c >= 0xE0)
            n = 3;
        else if (c >= 0xC0)
            n = 2;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

} // namespace

const std::vector<Weighted> &surnames()
{
    // Rough shares per thousand in the north of China.
    static const std::vector<Weighted> v = weighted(
        "王:80 李:75 张:72 刘:58 陈:38 杨:30 赵:28 黄:16 吴:16 周:16 徐:12 孙:14 马:13 朱:10 胡:10 郭:11 何:8 "
        "林:7 高:10 罗:6 郑:7 梁:8 谢:5 宋:6 唐:5 许:5 韩:7 邓:4 冯:5 曹:5 彭:4 曾:3 肖:4 田:5 董:5 潘:3 "
        "袁:4 蔡:3 蒋:3 余:2 于:5 杜:4 叶:2 程:3 魏:4 苏:3 吕:3 丁:3 任:3 卢:3 姚:3 沈:2 钟:2 姜:3 崔:3 "
        "谭:2 陆:2 范:3 汪:2 廖:1 石:3 金:2 韦:1 贾:3 夏:2 付:2 方:2 邹:1 熊:1 白:3 孟:3 秦:2 邱:1 侯:3 "
        "江:1 尹:2 薛:2 闫:3 段:2 雷:1 龙:1 史:2 陶:1 贺:2 毛:1 郝:3 顾:1 龚:1 邵:1 万:1 钱:1 严:1 武:2 "
        "戴:1 牛:2 庞:1 欧阳:1 司马:1 上官:1");
    return v;
}

const std::vector<std::string> &givenChars(bool male, int era)
{
    static const std::vector<std::string> lists[2][3] = { { characters("秀英兰珍淑桂凤玉芬琴华霞翠荣芳梅素云金萍"),
                                                              characters("丽静敏燕艳娟婷娜丹莉玲洁红霞雪慧颖倩晶琳"),
                                                              characters("梓涵欣怡诗雨萱可馨思佳琪一若语彤悦晴依妍") },
        { characters("国建华明军德福志文永正庆林树宝忠海山才贵春成学友"),
            characters("伟强磊军勇杰涛斌超刚鹏辉波亮峰宁飞东浩鑫"),
            characters("子轩浩宇睿泽博一晨航铭俊梓熙宸逸辰涵诚皓") } };
    return lists[male ? 1 : 0][era < 0 ? 0 : era > 2 ? 2 : era];
}

const std::vector<Region> &homeRegions()
{
    static const std::vector<Region> v = {
        { "110105", "", "北京市", "朝阳区" },
        { "110101", "", "北京市", "东城区" },
        { "110102", "", "北京市", "西城区" },
        { "110106", "", "北京市", "丰台区" },
        { "110107", "", "北京市", "石景山区" },
        { "110108", "", "北京市", "海淀区" },
    };
    return v;
}

const std::vector<Region> &otherRegions()
{
    static const std::vector<Region> v = {
        { "120101", "", "天津市", "和平区" },
        { "130102", "河北省", "石家庄市", "长安区" },
        { "130606", "河北省", "保定市", "莲池区" },
        { "140105", "山西省", "太原市", "小店区" },
        { "150102", "内蒙古自治区", "呼和浩特市", "新城区" },
        { "210102", "辽宁省", "沈阳市", "和平区" },
        { "220102", "吉林省", "长春市", "南关区" },
        { "230102", "黑龙江省", "哈尔滨市", "道里区" },
        { "320102", "江苏省", "南京市", "玄武区" },
        { "340102", "安徽省", "合肥市", "瑶海区" },
        { "370102", "山东省", "济南市", "历下区" },
        { "370202", "山东省", "青岛市", "市南区" },
        { "410105", "河南省", "郑州市", "金水区" },
        { "420106", "湖北省", "武汉市", "武昌区" },
        { "430102", "湖南省", "长沙市", "芙蓉区" },
        { "510104", "四川省", "成都市", "锦江区" },
        { "610103", "陕西省", "西安市", "碑林区" },
    };
    return v;
}

const std::string &compound()
{
    static const std::string s = "北京市朝阳区安和路安和里";
    return s;
}

const std::vector<std::string> &streets()
{
    static const std::vector<std::string> v
        = split("建设路 人民路 解放路 中山路 胜利街 和平路 新华路 光明街 文化路 朝阳路 幸福街 团结路");
    return v;
}

const std::vector<std::string> &employers()
{
    static const std::vector<std::string> v
        = split("北京华信科技有限公司 北京东方金桥贸易有限公司 北京鼎盛建设集团有限公司 北京恒达物业管理有限公司 "
                "北京新星餐饮管理有限公司 北京远航物流有限公司 北京博瑞软件有限公司 北京安和超市有限公司 "
                "朝阳区安和路街道办事处 朝阳区第三小学 朝阳区社区卫生服务中心 北京城建置业有限公司 "
                "北京长青医药连锁有限公司 北京顺达出租汽车有限公司 北京京华印刷厂 个体经营");
    return v;
}

const std::vector<std::string> &schools(int level)
{
    static const std::vector<std::string> v[3] = {
        split("朝阳区实验小学 朝阳区第三小学 安和路小学 朝阳区芳草小学"),
        split("北京市第八十中学 朝阳区安和中学 北京市日坛中学 朝阳外国语学校"),
        split("北京工业大学 首都师范大学 北京联合大学 首都经济贸易大学 北京化工大学"),
    };
    return v[level < 0 ? 0 : level > 2 ? 2 : level];
}

const std::vector<std::string> &prisons()
{
    static const std::vector<std::string> v
        = split("北京市监狱 北京市第二监狱 北京市前进监狱 河北省冀东监狱 北京市天河监狱");
    return v;
}

const std::vector<std::string> &offences()
{
    static const std::vector<std::string> v = split("盗窃罪 诈骗罪 故意伤害罪 寻衅滋事罪 交通肇事罪 抢劫罪 非法经营罪");
    return v;
}

const std::vector<Weighted> &codeValues(const std::string &type)
{
    static const std::map<std::string, std::vector<Weighted>> lists = {
        { "hktype", weighted("非农业家庭户口:55 居民家庭户口:35 农业家庭户口:6 集体户口:4") },
        { "hkxingzhi:native", weighted("常住户口:94 人户分离:6") },
        { "hkxingzhi:migrant", weighted("流动人口:70 暂住户口:25 寄住户口:5") },
        { "hjstatus", weighted("人户一致:85 户在人不在:12 空挂户:3") },
        { "minzu",
            weighted("汉族:930 满族:22 回族:20 蒙古族:8 朝鲜族:5 壮族:4 土家族:3 苗族:2 藏族:2 维吾尔族:2 彝族:1 "
                     "布依族:1") },
        { "xx", weighted("O型:34 A型:28 B型:25 AB型:9 不详:4") },
        { "jkmem:child", weighted("健康:95 良好:5") },
        { "jkmem:adult", weighted("健康:85 良好:8 一般:4 有慢性病:3") },
        { "jkmem:elderly", weighted("健康:35 良好:15 一般:20 较弱:10 有慢性病:17 有严重疾病:3") },
        { "whchengdu:preschool", weighted("学龄前:1") },
        { "whchengdu:primary", weighted("小学:1") },
        { "whchengdu:junior", weighted("初中:1") },
        { "whchengdu:senior", weighted("普通高中:70 职业高中:15 中等专科:10 技工学校:5") },
        { "whchengdu:college", weighted("普通高中:20 大学专科:30 大学本科:45 中等专科:5") },
        { "whchengdu:adult",
            weighted("初中:14 普通高中:16 职业高中:3 技工学校:2 中等专科:8 大学专科:20 大学本科:29 "
                     "硕士研究生:7 博士研究生:1") },
        { "whchengdu:elderly",
            weighted("文盲或半文盲:6 小学:20 初中:32 普通高中:20 技工学校:1 中等专科:8 大学专科:7 "
                     "大学本科:6") },
        { "bymem:man", weighted("未服兵役:85 退出现役:8 预备役:2 服现役:1 免服兵役:4") },
        { "bymem:woman", weighted("未服兵役:1") },
        { "zjxinyang", weighted("无宗教信仰:180 佛教:12 基督教:4 伊斯兰教:2 天主教:1 道教:1") },
        { "zzmianmao:child", weighted("群众:1") },
        { "zzmianmao:youth", weighted("共青团员:55 群众:40 中共党员:4 中共预备党员:1") },
        { "zzmianmao:adult",
            weighted("群众:80 中共党员:15 中共预备党员:1 无党派人士:1 民盟盟员:1 九三学社社员:1 "
                     "民建会员:1") },
        { "zzmianmao:elderly", weighted("群众:72 中共党员:25 民革党员:1 民盟盟员:1 无党派人士:1") },
        { "work:student", weighted("学生:1") },
        { "work:adult",
            weighted("国家机关工作人员:5 专业技术人员:22 企事业单位管理人员:6 办事人员:15 商业服务业人员:24 "
                     "生产运输工人:11 农林牧渔人员:1 军人:1 个体经营者:7 自由职业者:5 无业人员:3") },
        { "work:retired", weighted("离退休人员:90 无业人员:10") },
        { "qrtype:in",
            weighted("购房落户:25 投靠亲属:15 工作调动:15 婚姻迁移:12 跨省迁移:12 市内迁移:12 "
                     "大中专学生迁移:6 退伍转业:3") },
        { "qrtype:out", weighted("工作调动:25 投靠亲属:15 婚姻迁移:15 市内迁移:20 跨省迁移:20 其他:5") },
        { "qctype:out",
            weighted("市内迁出:20 跨省迁出:15 省内迁出:5 升学迁出:10 应征入伍:3 婚姻迁出:15 投靠亲属:10 "
                     "工作调动:15 出国(境)定居:5 其他:2") },
        { "empname", weighted("张丽:30 王建华:25 李敏:20 赵红梅:15 刘洋:10") },
        { "awoketime", weighted("上午:15 下午:15 全天:5 08:00:5 09:00:20 10:00:15 14:00:15 15:00:10") },
        { "txcaption:general",
            weighted("身份证到期换领:30 户口迁移办理:15 走访慰问:30 入学登记:10 兵役登记:5 "
                     "失业登记复查:10") },
        { "dbreason",
            weighted("无劳动能力:15 因病致贫:30 因残致贫:20 失业下岗:15 收入低于保障标准:10 孤寡老人:3 "
                     "单亲家庭:5 子女就学:2") },
        { "jystatus:unemployed", weighted("失业:40 待业:20 下岗:10 灵活就业:20 公益性岗位:10") },
        { "jystatus", weighted("已就业:40 退休:30 灵活就业:10 失业:5 丧失劳动能力:15") },
        { "yftype",
            weighted("烈士遗属:3 因公牺牲军人遗属:2 病故军人遗属:3 伤残军人:10 在乡复员军人:10 "
                     "带病回乡退伍军人:7 参战退役人员:10 现役军人家属:20 退役士兵:35") },
        { "ldnengli", weighted("有劳动能力:55 部分丧失劳动能力:30 完全丧失劳动能力:15") },
        { "shnengli", weighted("能自理:75 部分自理:18 不能自理:7") },
        { "gystatus", weighted("自行生活:50 子女赡养:30 亲属扶养:5 集中供养:3 分散供养:10 其他:2") },
        { "mtmem", weighted("身体健康:50 一般:30 体弱多病:12 半失能:4 完全失能:1 长期卧床:3") },
        { "jjlaiyuan", weighted("退休金:55 养老保险金:15 子女供养:15 劳动收入:5 储蓄:5 社会救济:1 其他:1") },
        { "cjstatus", weighted("视力残疾:15 听力残疾:15 言语残疾:3 肢体残疾:35 智力残疾:10 精神残疾:12 多重残疾:10") },
        { "jjstatus:normal", weighted("一般:60 小康:30 富裕:10") },
        { "jjstatus:poor", weighted("困难:80 特困:20") },
        { "zstype", weighted("自有住房:62 租住公房:8 租住私房:18 廉租住房:3 公共租赁住房:4 单位宿舍:3 借住:2") },
        { "jntechang", weighted("无:30 电脑操作:20 家电维修:10 缝纫:10 编织:15 烹饪:15 按摩:10 书法绘画:5 音乐:5") },
        { "wazreason",
            weighted("无接收单位:30 本人无就业意愿:20 缺乏劳动技能:25 年老体弱:5 患病:10 户籍未落实:5 "
                     "住所不定:5") },
    };
    static const std::vector<Weighted> none;
    const auto it = lists.find(type);
    return it == lists.end() ? none : it->second;
}

} // namespace Vocabulary
