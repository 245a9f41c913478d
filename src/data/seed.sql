-- Delivered content of a new database (run once, inside the creating transaction).
INSERT INTO SysInfo(F_Code, F_Name, F_Manager, F_Phone, F_HandPhone, F_Homepage, F_Email, F_Enroler, F_Mem, F_BakPath, F_ZDhkcode)
VALUES('本社区', '', '', '', '', '', '', '', '', '', 1);

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
