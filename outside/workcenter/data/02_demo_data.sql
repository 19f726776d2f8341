-- Demo company "DEMO": settings, users, programs, interval codes, footers and
-- sign-offs, configuration.

INSERT INTO WCINFO (NAME, VALUE) VALUES
  ('VersionType', '1'),
  ('ProductID', '1'),
  ('Language', 'zh-CN');

INSERT INTO SYSSET (COMPANY, NAME, VALUE, NOTE) VALUES
  ('*', 'QVR002', '示范公司', 'system title shown in window captions'),
  ('*', 'Sys001', '1', 'date style: 1 ymd, 2 mdy, 3 dmy, 4 and 5 ROC year'),
  ('*', 'Sys002', '/', 'date separator'),
  ('*', 'SYS007', '商品大类', 'product category scheme 1'),
  ('*', 'SYS008', '商品中类', 'product category scheme 2'),
  ('*', 'SYS026', '1', '2: no ROC year date styles'),
  ('*', 'SYS181', 'Y', 'N: no web report'),
  ('DEMO', 'QVR002', '示范股份有限公司', 'system title of the demo company'),
  ('TW01', 'QVR002', '台湾分公司', 'system title of the Taiwan branch'),
  ('TW01', 'Sys001', '5', 'ROC year with three digits'),
  ('TW01', 'Sys002', '.', 'date separator');

INSERT INTO QVRMA (MA001, MA002, MA003, MA004, MA005) VALUES
  ('DS', '系统管理员', '13800000001', 'admin@example.com', 'zh-CN'),
  ('796', '测试用户', '', 'test@example.com', 'zh-CN'),
  ('LIN', '林小明', '13912345678', 'lin@example.com', 'zh-CN'),
  ('WANG', '王大伟', '13698765432', '', 'zh-CN'),
  ('SMITH', 'John Smith', '', 'smith@example.com', 'en');

INSERT INTO ADMMB (MB001, MB002, MB003, MB004, MB005, MB006, MB007, MB008, MB009) VALUES
  ('RAVLET', '间距编号报表', 'MRP', 'R', 'Y', 'N', '881115-0.00.01', 'Interval Code Report', 'RAVLET.rpt'),
  ('RAVLEX', '间距编号明细表', 'MRP', 'R', 'N', 'Y', '881115-0.00.01', 'Interval Code Details', 'RAVLEX.rpt'),
  ('RPT01', '库存月报表', 'INV', 'R', 'Y', 'N', '870401-0.00.00', 'Monthly Stock Report', 'RPT01.rpt'),
  ('MRPB01', 'MRP 重新计算', 'MRP', 'B', 'Y', 'Y', '870401-0.00.00', 'MRP Regeneration', '');

INSERT INTO MRPMB (MB001, MB002, MB003, MB004, MB005) VALUES
  ('D001', '每日', 'D', 1, '逐日展开'),
  ('D007', '七日', 'D', 7, ''),
  ('W001', '每周', 'W', 1, '逐周展开'),
  ('W002', '双周', 'W', 2, ''),
  ('M001', '每月', 'M', 1, '逐月展开'),
  ('M003', '每季', 'M', 3, ''),
  ('M006', '半年', 'M', 6, ''),
  ('M012', '每年', 'M', 12, '年度计划');

INSERT INTO CMSMS (MS001, MS002, MS003, MS004, MS005, MS006) VALUES
  ('1', 'F001', '内部报表', '本报表仅供内部使用', '', ''),
  ('1', 'F002', '机密报表', '机密文件, 请勿外传', '打印后请妥善保管', ''),
  ('2', 'S001', '三级签核', '制表:', '审核:', '核准:'),
  ('2', 'S002', '两级签核', '经办:', '主管:', '');

INSERT INTO CMSMT (MT001, MT002, MT003, MT004, MT005) VALUES
  ('RAVLET', 'F001', 'Y', 'S001', 'Y'),
  ('RAVLEX', 'F002', 'N', 'S002', 'N'),
  ('RPT01', '', 'Y', 'S002', 'Y');

INSERT INTO CMSMA (MA001, MA002, MA003) VALUES
  ('WebReportSite', 'http://127.0.0.1:8080/QVReport', 'web report site');

INSERT INTO QVRINTMA (MA001, MA002, MA003) VALUES
  ('StartupPortal', 'portal in use (Y/N)', 'N'),
  ('Portal WS', 'portal web service address', '');

INSERT INTO ADMFILE (FILE_NAME, MODIFY, PATH) VALUES
  ('ravlets.dll', '20240301', 'X:\pub\mods\RAVLETS.DLL'),
  ('rpt01s.dll', '20231205', 'X:\pub\mods\RPT01S.DLL');

INSERT INTO QVRPH (PH001, PH002, PH003) VALUES
  ('DS', 1, '月底结账前核对'),
  ('DS', 2, '仅含正式订单'),
  ('LIN', 1, '本周计划');
