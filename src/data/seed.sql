-- Delivered content of a new database (run once, inside the creating transaction).
-- The administrator is added by the program itself, with a hashed password.

INSERT INTO SysInfo(F_Code, F_Name, F_Manager, F_Phone, F_HandPhone, F_Homepage, F_Email, F_Enroler, F_Mem, F_BakPath, F_ZDhkcode)
VALUES('本社区', '', '', '', '', '', '', '', '', '', 1);

-- Permission catalogue: the label is what the operator editor lists and what a
-- grant refers to, so it must stay unique.
INSERT INTO Limits(F_name, F_code, F_flag) VALUES
('社区信息', '101', 1),
('更改密码', '102', 1),
('用户权限', '103', 1),
('选项...', '104', 1),
('自定义设置', '105', 1),
('新增', '201', 1),
('修改', '202', 1),
('删除', '203', 1),
('排序...', '204', 1),
('显示字段选择', '205', 1),
('保存当前网格', '206', 1),
('复制', '207', 1),
('救助对像簿', '208', 1),
('居民通讯录', '209', 1),
('家庭档案设置', '210', 1),
('导出', '301', 1),
('报表设计', '302', 1),
('当前户口详单', '303', 1),
('当前户详单及户口变更', '304', 1),
('当前户口列表', '305', 1),
('户口登记表打印', '306', 1),
('户口簿分类打印', '307', 1),
('婚育状况证明表', '308', 1),
('独生子女证明表', '309', 1),
('申办户籍证明表', '310', 1),
('人口死亡证明表', '311', 1),
('贫困人口证明表', '312', 1),
('低保人员证明表', '313', 1),
('人口信息图表统计', '401', 1),
('户口提醒', '402', 1),
('居民通讯录查询统计', '403', 1),
('救助对象查询统计', '404', 1),
('社区人口统计列表', '405', 1),
('新增人口查询统计', '406', 1),
('死亡人口查询统计', '407', 1),
('迁入人口查询统计', '408', 1),
('迁出人口查询统计', '409', 1),
('户口注销查询统计', '410', 1),
('家庭信息统计列表', '411', 1),
('导入户口资料', '501', 1),
('系统数据清理', '502', 1),
('数据备份恢复', '503', 1),
('压缩修复数据库', '504', 1),
('连接网络数据库', '505', 1);

-- The flagged rows are read by position (F_ID order): captions of the custom
-- fields ZF1-ZF5, SZ1-SZ3, RQ1-RQ3, then the decimals of money amounts.
INSERT INTO KeyValue(KeyID, F_name, F_Value, F_flag, F_from, F_to) VALUES
('ZF1', '字符项一', '字符项一', 1, 0, 0),
('ZF2', '字符项二', '字符项二', 1, 0, 0),
('ZF3', '字符项三', '字符项三', 1, 0, 0),
('ZF4', '字符项四', '字符项四', 1, 0, 0),
('ZF5', '字符项五', '字符项五', 1, 0, 0),
('SZ1', '数值项一', '数值项一', 1, 0, 0),
('SZ2', '数值项二', '数值项二', 1, 0, 0),
('SZ3', '数值项三', '数值项三', 1, 0, 0),
('RQ1', '日期项一', '日期项一', 1, 0, 0),
('RQ2', '日期项二', '日期项二', 1, 0, 0),
('RQ3', '日期项三', '日期项三', 1, 0, 0),
('XS', '金额小数位数', '2', 1, 0, 0);

-- Age bands of the resident list's age tree, matched by node text. Ages are
-- differences of calendar years, so a child born this year is 0: the first
-- decade band starts at 0 to leave nobody out. 200 stands for "no upper bound".
INSERT INTO KeyValue(KeyID, F_name, F_Value, F_flag, F_from, F_to) VALUES
('nl03', '成年人', '', 0, 18, 200),
('nl04', '未成年人', '', 0, 0, 17),
('nl05', '老年人', '', 0, 60, 200),
('nl06', '学龄前儿童', '', 0, 0, 6),
('nl07', '1-9', '', 0, 0, 9),
('nl08', '10-19', '', 0, 10, 19),
('nl09', '20-29', '', 0, 20, 29),
('nl10', '30-39', '', 0, 30, 39),
('nl11', '40-49', '', 0, 40, 49),
('nl12', '50-59', '', 0, 50, 59),
('nl13', '60-69', '', 0, 60, 69),
('nl14', '70-79', '', 0, 70, 79),
('nl15', '80-89', '', 0, 80, 89),
('nl16', '90-99', '', 0, 90, 99),
('nl17', '100以上', '', 0, 100, 200);

-- Lookup values of every code type. F_ID order is the order of the drop-downs.
-- The handlers (empname) are the office's own staff and are left for the office to enter.
INSERT INTO t_code(F_type, F_name) VALUES
-- Relation to the head of household, as the register booklet writes it.
('hzguanxi', '户主'), ('hzguanxi', '本人'), ('hzguanxi', '配偶'), ('hzguanxi', '夫'), ('hzguanxi', '妻'),
('hzguanxi', '子'), ('hzguanxi', '长子'), ('hzguanxi', '次子'), ('hzguanxi', '独生子'), ('hzguanxi', '女'),
('hzguanxi', '长女'), ('hzguanxi', '次女'), ('hzguanxi', '独生女'), ('hzguanxi', '儿媳'), ('hzguanxi', '女婿'),
('hzguanxi', '孙子'), ('hzguanxi', '孙女'), ('hzguanxi', '外孙子'), ('hzguanxi', '外孙女'), ('hzguanxi', '父亲'),
('hzguanxi', '母亲'), ('hzguanxi', '公公'), ('hzguanxi', '婆婆'), ('hzguanxi', '岳父'), ('hzguanxi', '岳母'),
('hzguanxi', '祖父'), ('hzguanxi', '祖母'), ('hzguanxi', '外祖父'), ('hzguanxi', '外祖母'), ('hzguanxi', '兄'),
('hzguanxi', '弟'), ('hzguanxi', '姐'), ('hzguanxi', '妹'), ('hzguanxi', '侄子'), ('hzguanxi', '侄女'),
('hzguanxi', '外甥'), ('hzguanxi', '外甥女'), ('hzguanxi', '养子'), ('hzguanxi', '养女'), ('hzguanxi', '继子'),
('hzguanxi', '继女'), ('hzguanxi', '继父'), ('hzguanxi', '继母'), ('hzguanxi', '其他亲属'),
('hzguanxi', '非亲属'),
-- Household types; they also make the resident list's type tree.
('hktype', '非农业家庭户口'), ('hktype', '农业家庭户口'), ('hktype', '居民家庭户口'), ('hktype', '集体户口'),
('xx', 'A型'), ('xx', 'B型'), ('xx', 'AB型'), ('xx', 'O型'), ('xx', '其他'), ('xx', '不详'),
('jkmem', '健康'), ('jkmem', '良好'), ('jkmem', '一般'), ('jkmem', '较弱'), ('jkmem', '有慢性病'),
('jkmem', '有严重疾病'), ('jkmem', '残疾'),
-- The 56 ethnic groups in the order of the national standard, then its two further codes.
('minzu', '汉族'), ('minzu', '蒙古族'), ('minzu', '回族'), ('minzu', '藏族'), ('minzu', '维吾尔族'),
('minzu', '苗族'), ('minzu', '彝族'), ('minzu', '壮族'), ('minzu', '布依族'), ('minzu', '朝鲜族'),
('minzu', '满族'), ('minzu', '侗族'), ('minzu', '瑶族'), ('minzu', '白族'), ('minzu', '土家族'),
('minzu', '哈尼族'), ('minzu', '哈萨克族'), ('minzu', '傣族'), ('minzu', '黎族'), ('minzu', '傈僳族'),
('minzu', '佤族'), ('minzu', '畲族'), ('minzu', '高山族'), ('minzu', '拉祜族'), ('minzu', '水族'),
('minzu', '东乡族'), ('minzu', '纳西族'), ('minzu', '景颇族'), ('minzu', '柯尔克孜族'), ('minzu', '土族'),
('minzu', '达斡尔族'), ('minzu', '仫佬族'), ('minzu', '羌族'), ('minzu', '布朗族'), ('minzu', '撒拉族'),
('minzu', '毛南族'), ('minzu', '仡佬族'), ('minzu', '锡伯族'), ('minzu', '阿昌族'), ('minzu', '普米族'),
('minzu', '塔吉克族'), ('minzu', '怒族'), ('minzu', '乌孜别克族'), ('minzu', '俄罗斯族'), ('minzu', '鄂温克族'),
('minzu', '德昂族'), ('minzu', '保安族'), ('minzu', '裕固族'), ('minzu', '京族'), ('minzu', '塔塔尔族'),
('minzu', '独龙族'), ('minzu', '鄂伦春族'), ('minzu', '赫哲族'), ('minzu', '门巴族'), ('minzu', '珞巴族'),
('minzu', '基诺族'), ('minzu', '其他未识别民族'), ('minzu', '外国血统中国籍人士'),
-- Education levels after the national classification, highest first.
('whchengdu', '博士研究生'), ('whchengdu', '硕士研究生'), ('whchengdu', '大学本科'), ('whchengdu', '大学专科'),
('whchengdu', '中等专科'), ('whchengdu', '职业高中'), ('whchengdu', '技工学校'), ('whchengdu', '普通高中'),
('whchengdu', '初中'), ('whchengdu', '小学'), ('whchengdu', '学龄前'), ('whchengdu', '文盲或半文盲'),
('hymem', '未婚'), ('hymem', '已婚'), ('hymem', '初婚'), ('hymem', '再婚'), ('hymem', '复婚'), ('hymem', '离婚'),
('hymem', '丧偶'),
('bymem', '未服兵役'), ('bymem', '服现役'), ('bymem', '退出现役'), ('bymem', '预备役'), ('bymem', '基干民兵'),
('bymem', '普通民兵'), ('bymem', '免服兵役'),
('zjxinyang', '无宗教信仰'), ('zjxinyang', '佛教'), ('zjxinyang', '道教'), ('zjxinyang', '伊斯兰教'),
('zjxinyang', '天主教'), ('zjxinyang', '基督教'), ('zjxinyang', '其他'),
-- Political status in the order of the national code, ending with the masses.
('zzmianmao', '中共党员'), ('zzmianmao', '中共预备党员'), ('zzmianmao', '共青团员'), ('zzmianmao', '民革党员'),
('zzmianmao', '民盟盟员'), ('zzmianmao', '民建会员'), ('zzmianmao', '民进会员'), ('zzmianmao', '农工党党员'),
('zzmianmao', '致公党党员'), ('zzmianmao', '九三学社社员'), ('zzmianmao', '台盟盟员'), ('zzmianmao', '无党派人士'),
('zzmianmao', '群众'),
('work', '国家机关工作人员'), ('work', '专业技术人员'), ('work', '企事业单位管理人员'), ('work', '办事人员'),
('work', '商业服务业人员'), ('work', '生产运输工人'), ('work', '农林牧渔人员'), ('work', '军人'), ('work', '个体经营者'),
('work', '自由职业者'), ('work', '离退休人员'), ('work', '学生'), ('work', '无业人员'), ('work', '其他'),
-- Kinds of move; the resident editor offers them for moving in and for moving out.
('qrtype', '出生'), ('qrtype', '市内迁移'), ('qrtype', '省内迁移'), ('qrtype', '跨省迁移'), ('qrtype', '投靠亲属'),
('qrtype', '婚姻迁移'), ('qrtype', '工作调动'), ('qrtype', '购房落户'), ('qrtype', '大中专学生迁移'),
('qrtype', '退伍转业'), ('qrtype', '刑满释放'), ('qrtype', '回国定居'), ('qrtype', '户口恢复'), ('qrtype', '其他'),
-- Move-out kinds for the moved-out list's drop-down, which no screen maintains.
('qctype', '市内迁出'), ('qctype', '省内迁出'), ('qctype', '跨省迁出'), ('qctype', '升学迁出'), ('qctype', '应征入伍'),
('qctype', '婚姻迁出'), ('qctype', '投靠亲属'), ('qctype', '工作调动'), ('qctype', '出国(境)定居'), ('qctype', '其他'),
('hjstatus', '人户一致'), ('hjstatus', '人在户不在'), ('hjstatus', '户在人不在'), ('hjstatus', '空挂户'),
('jjstatus', '富裕'), ('jjstatus', '小康'), ('jjstatus', '一般'), ('jjstatus', '困难'), ('jjstatus', '特困'),
('zstype', '自有住房'), ('zstype', '租住公房'), ('zstype', '租住私房'), ('zstype', '廉租住房'), ('zstype', '公共租赁住房'),
('zstype', '单位宿舍'), ('zstype', '借住'), ('zstype', '其他'),
('dbreason', '无劳动能力'), ('dbreason', '因病致贫'), ('dbreason', '因残致贫'), ('dbreason', '失业下岗'),
('dbreason', '收入低于保障标准'), ('dbreason', '孤寡老人'), ('dbreason', '单亲家庭'), ('dbreason', '子女就学'),
('dbreason', '遭受灾害'), ('dbreason', '其他'),
('jystatus', '已就业'), ('jystatus', '灵活就业'), ('jystatus', '公益性岗位'), ('jystatus', '失业'),
('jystatus', '下岗'), ('jystatus', '待业'), ('jystatus', '退休'), ('jystatus', '丧失劳动能力'),
('yftype', '烈士遗属'), ('yftype', '因公牺牲军人遗属'), ('yftype', '病故军人遗属'), ('yftype', '伤残军人'),
('yftype', '在乡复员军人'), ('yftype', '带病回乡退伍军人'), ('yftype', '参战退役人员'), ('yftype', '现役军人家属'),
('yftype', '退役士兵'), ('yftype', '其他'),
('ldnengli', '有劳动能力'), ('ldnengli', '部分丧失劳动能力'), ('ldnengli', '完全丧失劳动能力'),
('shnengli', '能自理'), ('shnengli', '部分自理'), ('shnengli', '不能自理'),
('gystatus', '自行生活'), ('gystatus', '子女赡养'), ('gystatus', '亲属扶养'), ('gystatus', '集中供养'),
('gystatus', '分散供养'), ('gystatus', '其他'),
('jzmem', '与配偶同住'), ('jzmem', '与子女同住'), ('jzmem', '与亲属同住'), ('jzmem', '独居'), ('jzmem', '养老机构'),
('jzmem', '其他'),
('pomem', '健在'), ('pomem', '已故'), ('pomem', '离异'), ('pomem', '无配偶'),
('mtmem', '身体健康'), ('mtmem', '一般'), ('mtmem', '体弱多病'), ('mtmem', '半失能'), ('mtmem', '完全失能'),
('mtmem', '长期卧床'),
('jjlaiyuan', '退休金'), ('jjlaiyuan', '养老保险金'), ('jjlaiyuan', '子女供养'), ('jjlaiyuan', '低保金'),
('jjlaiyuan', '劳动收入'), ('jjlaiyuan', '储蓄'), ('jjlaiyuan', '社会救济'), ('jjlaiyuan', '其他'),
('tsmem', '孤寡老人'), ('tsmem', '空巢老人'), ('tsmem', '失独老人'), ('tsmem', '高龄老人'), ('tsmem', '离休干部'),
('tsmem', '重点优抚对象'), ('tsmem', '残疾老人'), ('tsmem', '其他'),
-- Kinds of disability after the national classification.
('cjstatus', '视力残疾'), ('cjstatus', '听力残疾'), ('cjstatus', '言语残疾'), ('cjstatus', '肢体残疾'),
('cjstatus', '智力残疾'), ('cjstatus', '精神残疾'), ('cjstatus', '多重残疾'),
('bgtype', '出生'), ('bgtype', '死亡'), ('bgtype', '迁入'), ('bgtype', '迁出'), ('bgtype', '立户'),
('bgtype', '分户'), ('bgtype', '户主变更'), ('bgtype', '姓名变更'), ('bgtype', '性别更正'), ('bgtype', '出生日期更正'),
('bgtype', '民族更正'), ('bgtype', '身份证号变更'), ('bgtype', '文化程度变更'), ('bgtype', '婚姻状况变更'),
('bgtype', '兵役状况变更'), ('bgtype', '职业变更'), ('bgtype', '服务处所变更'), ('bgtype', '住址变更'), ('bgtype', '注销'),
('bgtype', '户口恢复'), ('bgtype', '其他'),
('awoketime', '上午'), ('awoketime', '下午'), ('awoketime', '全天'), ('awoketime', '08:00'),
('awoketime', '09:00'), ('awoketime', '10:00'), ('awoketime', '11:00'), ('awoketime', '14:00'),
('awoketime', '15:00'), ('awoketime', '16:00'), ('awoketime', '17:00'),
('txcaption', '身份证到期换领'), ('txcaption', '户口迁移办理'), ('txcaption', '低保复核'), ('txcaption', '低保金发放'),
('txcaption', '失业登记复查'), ('txcaption', '高龄津贴申领'), ('txcaption', '优抚金发放'), ('txcaption', '残疾证年审'),
('txcaption', '走访慰问'), ('txcaption', '入学登记'), ('txcaption', '兵役登记'), ('txcaption', '其他'),
('hkxingzhi', '常住户口'), ('hkxingzhi', '暂住户口'), ('hkxingzhi', '寄住户口'), ('hkxingzhi', '人户分离'),
('hkxingzhi', '流动人口'),
('JNtechang', '电脑操作'), ('JNtechang', '家电维修'), ('JNtechang', '缝纫'), ('JNtechang', '编织'),
('JNtechang', '烹饪'), ('JNtechang', '按摩'), ('JNtechang', '书法绘画'), ('JNtechang', '音乐'),
('JNtechang', '种植养殖'), ('JNtechang', '其他'),
('WAZreason', '无接收单位'), ('WAZreason', '本人无就业意愿'), ('WAZreason', '缺乏劳动技能'), ('WAZreason', '年老体弱'),
('WAZreason', '患病'), ('WAZreason', '户籍未落实'), ('WAZreason', '住所不定'), ('WAZreason', '其他'),
-- Characters input methods make hard to type: the dot of minority names,
-- address symbols, rare characters of given names.
('abSheet1', '·'), ('abSheet1', '－'), ('abSheet1', '＃'), ('abSheet1', '№'), ('abSheet1', '㎡'),
('abSheet1', '堃'), ('abSheet1', '喆'), ('abSheet1', '赟'), ('abSheet1', '昇'), ('abSheet1', '犇'),
('abSheet1', '淼'), ('abSheet1', '焱'), ('abSheet1', '垚'), ('abSheet1', '鑫'), ('abSheet1', '旻'),
('abSheet1', '翀'), ('abSheet1', '玥'), ('abSheet1', '珺');

-- Grid layouts. Width, alignment and display format belong to the column, so
-- they are given once per column name (names match without case, as in the
-- grids); each grid below lists only its columns in display order with their
-- captions and footers.
CREATE TEMP TABLE seed_fmt(field TEXT PRIMARY KEY COLLATE NOCASE, width INTEGER, align INTEGER, fmt TEXT);
INSERT INTO seed_fmt(field, width, align, fmt) VALUES
('ID', 45, 1, ''),
('F_Code', 80, 0, ''), ('F_Name', 70, 0, ''), ('F_HKtype', 100, 0, ''), ('F_LDcode', 70, 0, ''),
('F_HScode', 70, 0, ''), ('F_ZYname', 70, 0, ''), ('F_HZname', 70, 0, ''), ('F_HZguanxi', 80, 0, ''),
('F_SFZcode', 150, 0, ''), ('F_QFwork', 120, 0, ''), ('F_QFdate', 85, 1, 'yyyy-MM-dd'),
('F_CSdate', 85, 1, 'yyyy-MM-dd'), ('F_CSaddress', 140, 0, ''), ('F_sex', 40, 1, ''), ('F_SG', 50, 1, ''),
('F_XX', 50, 1, ''), ('F_JKmem', 80, 0, ''), ('F_HJaddress', 160, 0, ''), ('F_MinZu', 70, 0, ''),
('F_JGaddress', 120, 0, ''), ('F_ZZaddress', 180, 0, ''), ('F_QTaddress', 160, 0, ''),
('F_WHchengdu', 80, 0, ''), ('F_HYmem', 70, 0, ''), ('F_BYmem', 80, 0, ''), ('F_ZJxinyang', 80, 0, ''),
('F_ZZmianmao', 90, 0, ''), ('F_work', 100, 0, ''), ('F_workAddress', 160, 0, ''),
('F_HKxingzhi', 80, 0, ''), ('F_memo1', 160, 0, ''), ('F_JSflag', 45, 1, ''),
('F_editDate', 85, 1, 'yyyy-MM-dd'),
('F_QRflag', 45, 1, ''), ('F_QRdate', 85, 1, 'yyyy-MM-dd'), ('F_OLDaddress', 160, 0, ''),
('F_QRtype', 90, 0, ''), ('F_QRreason', 140, 0, ''), ('F_QCflag', 45, 1, ''),
('F_QCdate', 85, 1, 'yyyy-MM-dd'), ('F_NewAddress', 160, 0, ''), ('F_QCtype', 90, 0, ''),
('F_QCreason', 140, 0, ''), ('F_WGflag', 45, 1, ''), ('F_SWdate', 85, 1, 'yyyy-MM-dd'),
('F_SWreason', 100, 0, ''), ('F_ZXflag', 45, 1, ''), ('F_ZXdate', 85, 1, ''), ('F_ZXreason', 100, 0, ''),
('F_ZF1', 80, 0, ''), ('F_ZF2', 80, 0, ''), ('F_ZF3', 80, 0, ''), ('F_ZF4', 80, 0, ''), ('F_ZF5', 80, 0, ''),
('F_SZ1', 80, 2, ''), ('F_SZ2', 80, 2, ''), ('F_SZ3', 80, 2, ''),
('F_RQ1', 85, 1, 'yyyy-MM-dd'), ('F_RQ2', 85, 1, 'yyyy-MM-dd'), ('F_RQ3', 85, 1, 'yyyy-MM-dd'),
('F_JTcode', 80, 0, ''), ('F_JTaddress', 180, 0, ''), ('F_HKcode', 90, 0, ''), ('F_HJstatus', 80, 0, ''),
('F_JTphone', 100, 0, ''), ('F_Znum', 60, 2, ''), ('F_Nnum', 60, 2, ''), ('F_Fnum', 60, 2, ''),
('F_SRprice', 90, 2, '￥,0.00'), ('F_JJstatus', 70, 0, ''), ('F_ZStype', 90, 0, ''), ('F_memo2', 160, 0, ''),
('F_DBflag', 45, 1, ''), ('F_SYflag', 45, 1, ''), ('F_YFflag', 60, 1, ''), ('F_LLflag', 45, 1, ''),
('F_LNflag', 50, 1, ''), ('F_CJflag', 50, 1, ''),
('F_DBZcode', 90, 0, ''), ('F_DBreason', 110, 0, ''), ('F_BZprice', 90, 2, '￥,0.00'),
('F_DBfromDate', 85, 1, 'yyyy-MM-dd'), ('F_DBtoDate', 85, 1, 'yyyy-MM-dd'), ('F_memo3', 160, 0, ''),
('F_SYdate', 85, 1, 'yyyy-MM-dd'), ('F_SYZcode', 90, 0, ''), ('F_OLDwork', 90, 0, ''),
('F_OLDunit', 140, 0, ''), ('F_JYstatus', 80, 0, ''), ('F_XSflag', 100, 1, ''),
('F_XStoDate', 85, 1, 'yyyy-MM-dd'), ('F_YBLflag', 100, 1, ''), ('F_QZmem', 140, 0, ''),
('F_YQprice', 90, 2, '￥,0.00'), ('F_memo4', 160, 0, ''),
('F_YFZcode', 90, 0, ''), ('F_YFtype', 130, 0, ''), ('F_LDnengli', 110, 0, ''), ('F_SHnengli', 80, 0, ''),
('F_YFJYstatus', 80, 0, ''), ('F_YFprice', 90, 2, '￥,0.00'), ('F_GYstatus', 80, 0, ''),
('F_memo5', 160, 0, ''),
('F_CYdate', 85, 1, 'yyyy-MM-dd'), ('F_LJaddress', 140, 0, ''), ('F_xingQI', 80, 0, ''),
('F_AYreason', 140, 0, ''), ('F_LFflag', 45, 1, ''), ('F_LOLDwork', 90, 0, ''), ('F_Xaddress', 160, 0, ''),
('F_AZdate', 85, 1, 'yyyy-MM-dd'), ('F_WAZreason', 120, 0, ''), ('F_memo6', 160, 0, ''),
('F_workTime', 80, 0, ''), ('F_LTtime', 80, 0, ''), ('F_LTprice', 90, 2, '￥,0.00'), ('F_JZmem', 90, 0, ''),
('F_LTmem', 160, 0, ''), ('F_POmem', 70, 0, ''), ('F_MTmem', 80, 0, ''), ('F_JJlaiyuan', 90, 0, ''),
('F_TSmem', 100, 0, ''), ('F_memo7', 160, 0, ''),
('F_CJZcode', 110, 0, ''), ('F_CJstatus', 80, 0, ''), ('F_JHempName', 70, 0, ''),
('F_CJLDnengLI', 110, 0, ''), ('F_JNtechang', 100, 0, ''), ('F_memo8', 160, 0, ''),
('F_TXhandphone', 100, 0, ''), ('F_TXphone', 100, 0, ''), ('F_TXworkPhone', 100, 0, ''),
('F_TXqq', 90, 0, ''), ('F_TXfax', 100, 0, ''), ('F_TXhomepage', 140, 0, ''), ('F_TXemail', 150, 0, ''),
('F_memo9', 160, 0, ''),
('F_Date', 85, 1, 'yyyy-MM-dd'), ('F_BGtype', 110, 0, ''), ('F_EmpName', 70, 0, ''),
('F_AwokeDate', 85, 1, 'yyyy-MM-dd'), ('F_AwokeTime', 70, 1, ''), ('F_Caption', 140, 0, ''),
('f_num', 50, 2, '');

-- Rows are kept in insertion order; grids whose names begin with ~ are column
-- sets shared by several grids and are not delivered themselves.
CREATE TEMP TABLE seed_col(grid TEXT, field TEXT, caption TEXT,
                           footer TEXT NOT NULL DEFAULT '', footer_type INTEGER NOT NULL DEFAULT 0);

-- Resident list: the columns of its statement that a person can read.
INSERT INTO seed_col(grid, field, caption) VALUES
('hukoumain', 'ID', '序号'), ('hukoumain', 'F_Code', '编号'), ('hukoumain', 'F_Name', '姓名'),
('hukoumain', 'F_HKtype', '户口类别'), ('hukoumain', 'F_LDcode', '楼(幢)号'), ('hukoumain', 'F_HScode', '户(室)号'),
('hukoumain', 'F_ZYname', '曾用名'), ('hukoumain', 'F_HZname', '户主姓名'), ('hukoumain', 'F_HZguanxi', '与户主关系'),
('hukoumain', 'F_SFZcode', '身份证号'), ('hukoumain', 'F_QFwork', '签发机关'), ('hukoumain', 'F_QFdate', '签发日期'),
('hukoumain', 'F_CSdate', '出生日期'), ('hukoumain', 'F_CSaddress', '出生地'), ('hukoumain', 'F_sex', '性别'),
('hukoumain', 'F_SG', '身高'), ('hukoumain', 'F_XX', '血型'), ('hukoumain', 'F_JKmem', '健康状况'),
('hukoumain', 'F_HJaddress', '户籍所在地'), ('hukoumain', 'F_MinZu', '民族'), ('hukoumain', 'F_JGaddress', '籍贯'),
('hukoumain', 'F_ZZaddress', '现住址'), ('hukoumain', 'F_QTaddress', '其他住址'), ('hukoumain', 'F_WHchengdu', '文化程度'),
('hukoumain', 'F_HYmem', '婚姻状况'), ('hukoumain', 'F_BYmem', '兵役状况'), ('hukoumain', 'F_ZJxinyang', '宗教信仰'),
('hukoumain', 'F_ZZmianmao', '政治面貌'), ('hukoumain', 'F_work', '职业'), ('hukoumain', 'F_workAddress', '服务处所'),
('hukoumain', 'F_memo1', '备注'), ('hukoumain', 'F_QRflag', '迁入'), ('hukoumain', 'F_QCflag', '签出'),
('hukoumain', 'F_QRdate', '迁入日期'), ('hukoumain', 'F_OLDaddress', '原住址'), ('hukoumain', 'F_QRtype', '迁入类别'),
('hukoumain', 'F_QRreason', '迁入原因'), ('hukoumain', 'F_QCdate', '迁出日期'), ('hukoumain', 'F_NewAddress', '迁出到'),
('hukoumain', 'F_QCtype', '迁出类别'), ('hukoumain', 'F_QCreason', '迁出原因'), ('hukoumain', 'F_WGflag', '亡故'),
('hukoumain', 'F_ZXflag', '注销'), ('hukoumain', 'F_SWdate', '亡故日期'), ('hukoumain', 'F_SWreason', '亡故情况'),
('hukoumain', 'F_ZXdate', '注销日期'), ('hukoumain', 'F_ZXreason', '注销原因'),
('hukoumain', 'F_ZF1', '字符项一'), ('hukoumain', 'F_ZF2', '字符项二'), ('hukoumain', 'F_ZF3', '字符项三'),
('hukoumain', 'F_ZF4', '字符项四'), ('hukoumain', 'F_ZF5', '字符项五'), ('hukoumain', 'F_SZ1', '数值项一'),
('hukoumain', 'F_SZ2', '数值项二'), ('hukoumain', 'F_SZ3', '数值项三'), ('hukoumain', 'F_RQ1', '日期项一'),
('hukoumain', 'F_RQ2', '日期项二'), ('hukoumain', 'F_RQ3', '日期项三'),
('hukoumain', 'F_HKcode', '户口簿号'), ('hukoumain', 'F_JSflag', '军属'), ('hukoumain', 'F_HJstatus', '户籍状况'),
('hukoumain', 'F_JTphone', '联系电话'), ('hukoumain', 'F_Znum', '总人数'), ('hukoumain', 'F_Nnum', '男人数'),
('hukoumain', 'F_Fnum', '女人数'), ('hukoumain', 'F_SRprice', '月均收入'), ('hukoumain', 'F_JJstatus', '经济状况'),
('hukoumain', 'F_ZStype', '住所类型'), ('hukoumain', 'F_memo2', '家庭备注'),
('hukoumain', 'F_DBflag', '低保'), ('hukoumain', 'F_SYflag', '失业'), ('hukoumain', 'F_YFflag', '优抚'),
('hukoumain', 'F_LLflag', '两劳'), ('hukoumain', 'F_LNflag', '老年人'), ('hukoumain', 'F_CJflag', '残疾人'),
('hukoumain', 'F_editDate', '登记日期'), ('hukoumain', 'F_HKxingzhi', '户口性质'), ('hukoumain', 'F_JTcode', '家庭编号'),
('hukoumain', 'F_JTaddress', '家庭地址');

-- Change records of the main window. Its one grid is saved under detail1 or
-- detail2 depending on the page chosen, so both keys carry its columns.
INSERT INTO seed_col(grid, field, caption) VALUES
('detail1', 'F_Date', '变更日期'), ('detail1', 'F_BGtype', '变更类型'), ('detail1', 'F_Memo1', '原始内容'),
('detail1', 'F_Memo2', '变更后内容'), ('detail1', 'F_EmpName', '经手人'), ('detail1', 'F_Memo3', '备注');
INSERT INTO seed_col(grid, field, caption, footer, footer_type)
SELECT 'detail2', field, caption, footer, footer_type FROM seed_col WHERE grid = 'detail1' ORDER BY rowid;

-- Families: list and picker alike.
INSERT INTO seed_col(grid, field, caption, footer, footer_type) VALUES
('jiatinggl', 'F_code', '编号', '合计', 1), ('jiatinggl', 'F_HKcode', '户口簿号', '', 0),
('jiatinggl', 'F_HZname', '户主姓名', '', 0), ('jiatinggl', 'F_LDcode', '楼(幢)号', '', 0),
('jiatinggl', 'F_HScode', '户(室)号', '', 0), ('jiatinggl', 'F_JTaddress', '家庭住址', '', 0),
('jiatinggl', 'F_JTphone', '家庭', '', 0), ('jiatinggl', 'F_HJstatus', '户籍状态', '', 0),
('jiatinggl', 'F_Znum', '总人数', '', 2), ('jiatinggl', 'F_Nnum', '男人数', '', 2),
('jiatinggl', 'F_Fnum', '女人数', '', 2), ('jiatinggl', 'F_SRprice', '月均收入', '', 2),
('jiatinggl', 'F_JJstatus', '经济状况', '', 0), ('jiatinggl', 'F_ZStype', '住所类型', '', 0),
('jiatinggl', 'F_JSflag', '军属否', '', 0), ('jiatinggl', 'F_DBflag', '低保户', '', 0),
('jiatinggl', 'F_YFflag', '优抚对象', '', 0), ('jiatinggl', 'F_memo1', '备注', '', 0);
INSERT INTO seed_col(grid, field, caption, footer, footer_type)
SELECT 'dlgjiatingxz', field, caption, footer, footer_type FROM seed_col WHERE grid = 'jiatinggl' ORDER BY rowid;

-- Relief subjects: fourteen person columns, then the category's own. The relief
-- list and the relief statistics show the same columns per category.
INSERT INTO seed_col(grid, field, caption, footer, footer_type) VALUES
('~person', 'F_name', '姓名', '合计', 1), ('~person', 'F_SFZcode', '身份证号', '', 0),
('~person', 'F_sex', '性别', '', 0), ('~person', 'F_CSdate', '出生日期', '', 0),
('~person', 'F_WHchengdu', '文化程度', '', 0), ('~person', 'F_HYmem', '婚姻状况', '', 0),
('~person', 'F_LDcode', '楼(幢)号', '', 0), ('~person', 'F_HScode', '户(室)号', '', 0),
('~person', 'F_Znum', '家庭人数', '', 0), ('~person', 'F_JJstatus', '经济状况', '', 0),
('~person', 'F_ZStype', '住所类型', '', 0), ('~person', 'F_SRprice', '月收入', '', 0),
('~person', 'F_JTphone', '家庭电话', '', 0), ('~person', 'F_JTaddress', '家住地址', '', 0);
INSERT INTO seed_col(grid, field, caption, footer, footer_type) VALUES
('~1', 'F_DBZcode', '低保证号', '', 0), ('~1', 'F_DBreason', '低保原因', '', 0),
('~1', 'F_BZprice', '保障金额', '', 2), ('~1', 'F_DBfromDate', '起始日期', '', 0),
('~1', 'F_DBtoDate', '结束日期', '', 0), ('~1', 'F_memo3', '备注', '', 0),
('~2', 'F_SYdate', '失业日期', '', 0), ('~2', 'F_SYZcode', '失业档案号', '', 0),
('~2', 'F_OLDwork', '原职业', '', 0), ('~2', 'F_OLDunit', '原工作单位', '', 0),
('~2', 'F_JYstatus', '就业状况', '', 0), ('~2', 'F_XSflag', '享受失业保障金', '', 0),
('~2', 'F_XStoDate', '结束日期', '', 0), ('~2', 'F_YBLflag', '已办理最低保障', '', 0),
('~2', 'F_QZmem', '求职意向', '', 0), ('~2', 'F_YQprice', '要求月收入', '', 0),
('~2', 'F_memo4', '备注', '', 0),
('~3', 'F_YFZcode', '优抚证号', '', 0), ('~3', 'F_YFtype', '优抚类型', '', 0),
('~3', 'F_LDnengli', '劳动能力', '', 0), ('~3', 'F_SHnengli', '生活能力', '', 0),
('~3', 'F_YFJYstatus', '就业状况', '', 0), ('~3', 'F_YFprice', '月生活费', '', 2),
('~3', 'F_GYstatus', '供养情况', '', 0), ('~3', 'F_memo5', '备注', '', 0),
('~4', 'F_CYdate', '出狱日期', '', 0), ('~4', 'F_LJaddress', '劳改(教)场所', '', 0),
('~4', 'F_xingQI', '刑期', '', 0), ('~4', 'F_AYreason', '案由', '', 0),
('~4', 'F_LFflag', '累犯', '', 0), ('~4', 'F_LOLDwork', '原职业', '', 0),
('~4', 'F_Xaddress', '现住址', '', 0), ('~4', 'F_AZdate', '安置日期', '', 0),
('~4', 'F_WAZreason', '未安置原因', '', 0), ('~4', 'F_memo6', '备注', '', 0),
('~5', 'F_workTime', '工作时间', '', 0), ('~5', 'F_LTtime', '离退休时间', '', 0),
('~5', 'F_LTprice', '退休金', '', 2), ('~5', 'F_JZmem', '居住情况', '', 0),
('~5', 'F_LTmem', '离退休单位及职务', '', 0), ('~5', 'F_POmem', '配偶状况', '', 0),
('~5', 'F_MTmem', '目前状况', '', 0), ('~5', 'F_JJlaiyuan', '经济来源', '', 0),
('~5', 'F_TSmem', '特殊人员', '', 0), ('~5', 'F_memo7', '备注', '', 0),
('~6', 'F_CJZcode', '残疾证号', '', 0), ('~6', 'F_CJstatus', '残疾状况', '', 0),
('~6', 'F_JHempName', '监护人', '', 0), ('~6', 'F_CJLDnengLI', '劳动能力', '', 0),
('~6', 'F_JNtechang', '技能特长', '', 0), ('~6', 'F_memo8', '备注', '', 0);
WITH RECURSIVE category(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM category WHERE n < 6),
     kind(prefix) AS (VALUES ('jzduxianggl'), ('jzdetailtj'))
INSERT INTO seed_col(grid, field, caption, footer, footer_type)
SELECT kind.prefix || category.n, c.field, c.caption, c.footer, c.footer_type
FROM kind, category, seed_col c
WHERE c.grid = '~person' OR c.grid = '~' || category.n
ORDER BY kind.prefix, category.n, c.rowid;

-- Address book and its statistics list.
INSERT INTO seed_col(grid, field, caption) VALUES
('tongxulugl', 'F_name', '姓名'), ('tongxulugl', 'F_LDcode', '楼(幢)号'), ('tongxulugl', 'F_HScode', '户(室)号'),
('tongxulugl', 'F_ZZaddress', '现住址'), ('tongxulugl', 'F_TXhandphone', '手机'), ('tongxulugl', 'F_TXphone', '住宅电话'),
('tongxulugl', 'F_TXworkPhone', '办公电话'), ('tongxulugl', 'F_TXqq', 'QQ'), ('tongxulugl', 'F_TXfax', '传真'),
('tongxulugl', 'F_TXhomepage', '主页'), ('tongxulugl', 'F_TXemail', '电子邮件'), ('tongxulugl', 'F_memo9', '备注');
INSERT INTO seed_col(grid, field, caption, footer, footer_type)
SELECT 'txldetailtj', field, caption, footer, footer_type FROM seed_col WHERE grid = 'tongxulugl' ORDER BY rowid;

-- Reminders falling due, with their residents; f_num is the days left.
INSERT INTO seed_col(grid, field, caption) VALUES
('awokegl', 'F_HKtype', '类别'), ('awokegl', 'F_LDcode', '楼(幢)号'), ('awokegl', 'F_HScode', '户(室)号'),
('awokegl', 'F_code', '编号'), ('awokegl', 'F_name', '姓名'), ('awokegl', 'F_sex', '性别'),
('awokegl', 'F_SFZcode', '身份证号'), ('awokegl', 'F_HJaddress', '户籍所在地'), ('awokegl', 'F_HKxingzhi', '户口性质'),
('awokegl', 'F_AwokeDate', '提醒日期'), ('awokegl', 'F_AwokeTime', '提醒时间'), ('awokegl', 'F_Caption', '提醒主题'),
('awokegl', 'F_memo1', '详细描述'), ('awokegl', 'f_num', '天数');

-- Statistics lists.
INSERT INTO seed_col(grid, field, caption) VALUES
('sqdetailtj', 'F_Code', '编号'), ('sqdetailtj', 'F_Name', '姓名'), ('sqdetailtj', 'F_ZYname', '曾用名'),
('sqdetailtj', 'F_HKtype', '户口类别'), ('sqdetailtj', 'F_LDcode', '楼(幢)号'), ('sqdetailtj', 'F_HScode', '户(室)号'),
('sqdetailtj', 'F_HZname', '户主姓名'), ('sqdetailtj', 'F_HZguanxi', '与户主关系'), ('sqdetailtj', 'F_SFZcode', '身份证号'),
('sqdetailtj', 'F_QFwork', '签发机关'), ('sqdetailtj', 'F_QFdate', '签发日期'), ('sqdetailtj', 'F_CSdate', '出生日期'),
('sqdetailtj', 'F_CSaddress', '出生地址'), ('sqdetailtj', 'F_sex', '性别'), ('sqdetailtj', 'F_SG', '身高'),
('sqdetailtj', 'F_XX', '血型'), ('sqdetailtj', 'F_JKmem', '健康状况'), ('sqdetailtj', 'F_HJaddress', '户籍所在地'),
('sqdetailtj', 'F_MinZu', '民族'), ('sqdetailtj', 'F_JGaddress', '籍贯'), ('sqdetailtj', 'F_ZZaddress', '住址'),
('sqdetailtj', 'F_QTaddress', '其他住址'), ('sqdetailtj', 'F_WHchengdu', '文化程度'), ('sqdetailtj', 'F_HYmem', '婚姻状况'),
('sqdetailtj', 'F_BYmem', '兵役状况'), ('sqdetailtj', 'F_ZJxinyang', '宗教信仰'), ('sqdetailtj', 'F_ZZmianmao', '政治面貌'),
('sqdetailtj', 'F_work', '职业'), ('sqdetailtj', 'F_workAddress', '服务处所'), ('sqdetailtj', 'F_memo1', '备注'),
('sqdetailtj', 'F_QRdate', '迁入日期'), ('sqdetailtj', 'F_OLDaddress', '原住址'), ('sqdetailtj', 'F_QRtype', '迁入类别'),
('sqdetailtj', 'F_QRreason', '迁入原因'), ('sqdetailtj', 'F_QCdate', '迁出日期'), ('sqdetailtj', 'F_NewAddress', '迁出到'),
('sqdetailtj', 'F_QCtype', '迁出类别'), ('sqdetailtj', 'F_QCreason', '迁出原因'), ('sqdetailtj', 'F_QRflag', '迁入'),
('sqdetailtj', 'F_QCflag', '签出'), ('sqdetailtj', 'F_WGflag', '亡故'), ('sqdetailtj', 'F_ZXflag', '注销'),
('sqdetailtj', 'F_DBflag', '低保'), ('sqdetailtj', 'F_JSflag', '军属'), ('sqdetailtj', 'F_SWdate', '亡故日期'),
('sqdetailtj', 'F_SWreason', '亡故情况'), ('sqdetailtj', 'F_ZXdate', '注销日期'), ('sqdetailtj', 'F_ZXreason', '注销原因');

-- New residents: the first nineteen columns of the all-residents list, then remarks.
INSERT INTO seed_col(grid, field, caption)
SELECT 'xzdetailtj', field, caption FROM seed_col WHERE grid = 'sqdetailtj' ORDER BY rowid LIMIT 19;
INSERT INTO seed_col(grid, field, caption) VALUES ('xzdetailtj', 'F_memo1', '备注');

-- The identity columns the deceased, moved and cancelled lists share.
INSERT INTO seed_col(grid, field, caption) VALUES
('~dated', 'F_Code', '编号'), ('~dated', 'F_Name', '姓名'), ('~dated', 'F_ZYname', '曾用名'),
('~dated', 'F_HKtype', '户口类别'), ('~dated', 'F_LDcode', '楼(幢)号'), ('~dated', 'F_HScode', '户(室)号'),
('~dated', 'F_HZguanxi', '与户主关系'), ('~dated', 'F_HZname', '户主姓名'), ('~dated', 'F_SFZcode', '身份证号'),
('~dated', 'F_QFwork', '签发机关'), ('~dated', 'F_QFdate', '签发日期'), ('~dated', 'F_CSdate', '出生日期'),
('~dated', 'F_HJaddress', '户籍所在地'), ('~dated', 'F_sex', '性别'), ('~dated', 'F_SG', '身高'),
('~dated', 'F_XX', '血型'), ('~dated', 'F_JKmem', '健康状况'), ('~dated', 'F_MinZu', '民族'),
('~dated', 'F_memo1', '备注');

INSERT INTO seed_col(grid, field, caption) VALUES
('swdetailtj', 'F_SWdate', '死亡日期'), ('swdetailtj', 'F_SWreason', '死亡原因');
INSERT INTO seed_col(grid, field, caption)
SELECT 'swdetailtj', field, caption FROM seed_col WHERE grid = '~dated' ORDER BY rowid;
INSERT INTO seed_col(grid, field, caption) VALUES
('swdetailtj', 'F_ZXdate', '注销日期'), ('swdetailtj', 'F_ZXreason', '注销原因'), ('swdetailtj', 'F_ZXflag', '是否注销');

INSERT INTO seed_col(grid, field, caption) VALUES
('qrdetailtj', 'F_QRdate', '迁入日期'), ('qrdetailtj', 'F_QRtype', '迁入类别'),
('qrdetailtj', 'F_OLDaddress', '原地址'), ('qrdetailtj', 'F_QRreason', '迁入原因');
INSERT INTO seed_col(grid, field, caption)
SELECT 'qrdetailtj', field, caption FROM seed_col WHERE grid = '~dated' ORDER BY rowid;

INSERT INTO seed_col(grid, field, caption) VALUES
('qcdetailtj', 'F_QCdate', '迁出日期'), ('qcdetailtj', 'F_QCtype', '迁出类别'),
('qcdetailtj', 'F_NewAddress', '迁出到'), ('qcdetailtj', 'F_QCreason', '迁出原因');
INSERT INTO seed_col(grid, field, caption)
SELECT 'qcdetailtj', field, caption FROM seed_col WHERE grid = '~dated' ORDER BY rowid;
INSERT INTO seed_col(grid, field, caption) VALUES
('qcdetailtj', 'F_ZXflag', '是否注销'), ('qcdetailtj', 'F_ZXdate', '注销日期'), ('qcdetailtj', 'F_ZXreason', '注销原因');

INSERT INTO seed_col(grid, field, caption) VALUES
('zxdetailtj', 'F_ZXdate', '注销日期'), ('zxdetailtj', 'F_ZXreason', '注销原因');
INSERT INTO seed_col(grid, field, caption)
SELECT 'zxdetailtj', field, caption FROM seed_col WHERE grid = '~dated' ORDER BY rowid;

INSERT INTO seed_col(grid, field, caption, footer, footer_type) VALUES
('jtdetailtj', 'F_code', '家庭编号', '合计', 1), ('jtdetailtj', 'F_LDcode', '楼(幢)号', '', 0),
('jtdetailtj', 'F_HScode', '户(室)号', '', 0), ('jtdetailtj', 'F_HZname', '户主姓名', '', 0),
('jtdetailtj', 'F_HKcode', '户口簿号', '', 0), ('jtdetailtj', 'F_JTaddress', '家庭地址', '', 0),
('jtdetailtj', 'F_JTphone', '联系电话', '', 0), ('jtdetailtj', 'F_Znum', '总人数', '', 2),
('jtdetailtj', 'F_Nnum', '男人数', '', 2), ('jtdetailtj', 'F_Fnum', '女人数', '', 2),
('jtdetailtj', 'F_SRprice', '月均收入', '', 2), ('jtdetailtj', 'F_JJstatus', '经济状况', '', 0),
('jtdetailtj', 'F_HJstatus', '户籍状况', '', 0), ('jtdetailtj', 'F_ZStype', '住所类型', '', 0),
('jtdetailtj', 'F_JSflag', '军属否', '', 0), ('jtdetailtj', 'F_DBflag', '低保户', '', 0),
('jtdetailtj', 'F_YFflag', '优抚对象', '', 0), ('jtdetailtj', 'F_memo1', '备注', '', 0);

INSERT INTO cfg_Grid(F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_Order,
                     F_AlignMent, F_DisplayFormat, F_FooterValue, F_FooterType)
SELECT c.grid, c.field, c.caption, coalesce(f.width, 80), 1, 1,
       row_number() OVER (PARTITION BY c.grid ORDER BY c.rowid) - 1,
       coalesce(f.align, 0), coalesce(f.fmt, ''), c.footer, c.footer_type
FROM seed_col c LEFT JOIN seed_fmt f ON f.field = c.field
WHERE c.grid NOT LIKE '~%'
ORDER BY c.grid, c.rowid;

DROP TABLE seed_col;
DROP TABLE seed_fmt;

-- Resident columns the spreadsheet import offers; the default header expected in
-- the sheet is the column's caption.
INSERT INTO cfg_import(F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES
('ZuZav', 1, 'F_Code', '编号', '编号'),
('ZuZav', 1, 'F_Name', '姓名', '姓名'),
('ZuZav', 1, 'F_HKtype', '户口类别', '户口类别'),
('ZuZav', 1, 'F_LDcode', '楼(幢)号', '楼(幢)号'),
('ZuZav', 1, 'F_HScode', '户(室)号', '户(室)号'),
('ZuZav', 1, 'F_ZYname', '曾用名', '曾用名'),
('ZuZav', 1, 'F_HZname', '户主姓名', '户主姓名'),
('ZuZav', 1, 'F_HZguanxi', '与户主关系', '与户主关系'),
('ZuZav', 1, 'F_SFZcode', '身份证号', '身份证号'),
('ZuZav', 1, 'F_QFwork', '签发机关', '签发机关'),
('ZuZav', 1, 'F_QFdate', '签发日期', '签发日期'),
('ZuZav', 1, 'F_CSdate', '出生日期', '出生日期'),
('ZuZav', 1, 'F_CSaddress', '出生地', '出生地'),
('ZuZav', 1, 'F_sex', '性别', '性别'),
('ZuZav', 1, 'F_SG', '身高', '身高'),
('ZuZav', 1, 'F_XX', '血型', '血型'),
('ZuZav', 1, 'F_JKmem', '健康状况', '健康状况'),
('ZuZav', 1, 'F_HJaddress', '户籍所在地', '户籍所在地'),
('ZuZav', 1, 'F_MinZu', '民族', '民族'),
('ZuZav', 1, 'F_JGaddress', '籍贯', '籍贯'),
('ZuZav', 1, 'F_ZZaddress', '现住址', '现住址'),
('ZuZav', 1, 'F_QTaddress', '其他住址', '其他住址'),
('ZuZav', 1, 'F_WHchengdu', '文化程度', '文化程度'),
('ZuZav', 1, 'F_HYmem', '婚姻状况', '婚姻状况'),
('ZuZav', 1, 'F_BYmem', '兵役状况', '兵役状况'),
('ZuZav', 1, 'F_ZJxinyang', '宗教信仰', '宗教信仰'),
('ZuZav', 1, 'F_ZZmianmao', '政治面貌', '政治面貌'),
('ZuZav', 1, 'F_work', '职业', '职业'),
('ZuZav', 1, 'F_workAddress', '服务处所', '服务处所'),
('ZuZav', 1, 'F_HKxingzhi', '户口性质', '户口性质'),
('ZuZav', 1, 'F_HKcode', '户口簿号', '户口簿号'),
('ZuZav', 1, 'F_HJstatus', '户籍状况', '户籍状况'),
('ZuZav', 1, 'F_JTphone', '联系电话', '联系电话'),
('ZuZav', 1, 'F_editDate', '登记日期', '登记日期'),
('ZuZav', 1, 'F_memo1', '备注', '备注');

-- Stored statistics of the chart screen, in display order. The statements are in
-- the program's own dialect (double-quoted strings, #date#, DateDiff, Date()) and
-- count residents whose registration is not cancelled; ages are differences of
-- calendar years, and a birth date before 1901-08-14 is the empty date.
INSERT INTO cfg_stat(F_name, F_SQLtext) VALUES
('性别', 'select F_name, count(*) as F_num from (select IIf(F_sex is null or Trim(F_sex) = "", "未填写", F_sex) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('年龄段', 'select F_name, count(*) as F_num from (select case when F_CSdate is null or F_CSdate < #1901-08-14# then "出生日期未填" when DateDiff("yyyy",F_CSdate,Date()) >= 100 then "100岁以上" else ((DateDiff("yyyy",F_CSdate,Date()) / 10) * 10) || "-" || ((DateDiff("yyyy",F_CSdate,Date()) / 10) * 10 + 9) || "岁" end as F_name, IIf(F_CSdate is null or F_CSdate < #1901-08-14#, -1, DateDiff("yyyy",F_CSdate,Date())) as F_age from ZuZav where F_ZXflag = false) group by F_name order by min(F_age)'),
('年龄结构', 'select F_name, count(*) as F_num from (select case when F_CSdate is null or F_CSdate < #1901-08-14# then "出生日期未填" when DateDiff("yyyy",F_CSdate,Date()) <= 6 then "学龄前儿童(0-6岁)" when DateDiff("yyyy",F_CSdate,Date()) <= 17 then "未成年人(7-17岁)" when DateDiff("yyyy",F_CSdate,Date()) <= 59 then "劳动年龄人口(18-59岁)" else "老年人(60岁以上)" end as F_name, IIf(F_CSdate is null or F_CSdate < #1901-08-14#, -1, DateDiff("yyyy",F_CSdate,Date())) as F_age from ZuZav where F_ZXflag = false) group by F_name order by min(F_age)'),
('民族', 'select F_name, count(*) as F_num from (select IIf(F_MinZu is null or Trim(F_MinZu) = "", "未填写", F_MinZu) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('文化程度', 'select F_name, count(*) as F_num from (select IIf(F_WHchengdu is null or Trim(F_WHchengdu) = "", "未填写", F_WHchengdu) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('婚姻状况', 'select F_name, count(*) as F_num from (select IIf(F_HYmem is null or Trim(F_HYmem) = "", "未填写", F_HYmem) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('政治面貌', 'select F_name, count(*) as F_num from (select IIf(F_ZZmianmao is null or Trim(F_ZZmianmao) = "", "未填写", F_ZZmianmao) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('户口类别', 'select F_name, count(*) as F_num from (select IIf(F_HKtype is null or Trim(F_HKtype) = "", "未填写", F_HKtype) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('户口性质', 'select F_name, count(*) as F_num from (select IIf(F_HKxingzhi is null or Trim(F_HKxingzhi) = "", "未填写", F_HKxingzhi) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('职业', 'select F_name, count(*) as F_num from (select IIf(F_work is null or Trim(F_work) = "", "未填写", F_work) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('宗教信仰', 'select F_name, count(*) as F_num from (select IIf(F_ZJxinyang is null or Trim(F_ZJxinyang) = "", "未填写", F_ZJxinyang) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('兵役状况', 'select F_name, count(*) as F_num from (select IIf(F_BYmem is null or Trim(F_BYmem) = "", "未填写", F_BYmem) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('健康状况', 'select F_name, count(*) as F_num from (select IIf(F_JKmem is null or Trim(F_JKmem) = "", "未填写", F_JKmem) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('血型', 'select F_name, count(*) as F_num from (select IIf(F_XX is null or Trim(F_XX) = "", "未填写", F_XX) as F_name from ZuZav where F_ZXflag = false) group by F_name order by count(*) desc'),
('楼(幢)号', 'select F_name, count(*) as F_num from (select IIf(F_LDcode is null or Trim(F_LDcode) = "", "未填写", F_LDcode) as F_name from ZuZav where F_ZXflag = false) group by F_name order by F_name'),
('救助对象', 'select "低保" as F_name, count(*) as F_num from ZuZav where F_DBflag = true and F_ZXflag = false union all select "失业" as F_name, count(*) as F_num from ZuZav where F_SYflag = true and F_ZXflag = false union all select "优抚" as F_name, count(*) as F_num from ZuZav where F_YFflag = true and F_ZXflag = false union all select "两劳" as F_name, count(*) as F_num from ZuZav where F_LLflag = true and F_ZXflag = false union all select "老年人" as F_name, count(*) as F_num from ZuZav where F_LNflag = true and F_ZXflag = false union all select "残疾人" as F_name, count(*) as F_num from ZuZav where F_CJflag = true and F_ZXflag = false');
