-- Checks of the validator and lookup windows, by table code and lookup key.
-- The column order of a check is what the callers read by position.
-- "appserver." names the report server's database (its schemes), attached
-- read-only when it exists.

INSERT INTO QVRLOOKUP (TABLE_CODE, LOOKUP_KEY, PURPOSE, TITLE, CAPTIONS, SQL) VALUES
  -- program master: name, subsystem, kind, version, log flag, no direct run, report file, English name
  ('ADMMB', '01', 'check', '程序', '', 'SELECT MB002, MB003, MB004, MB007, MB005, MB006, MB009, MB008 FROM ADMMB WHERE MB001 = ?1'),
  -- program flags: code, name, subsystem, no direct run
  ('ADMMB', '11', 'check', '程序', '', 'SELECT MB001, MB002, MB003, MB006 FROM ADMMB WHERE MB001 = ?1'),
  ('ADMMB', '01', 'window', '程序信息查询', '程序代号|程序名称|子系统', 'SELECT MB001, MB002, MB003 FROM ADMMB WHERE ?1 = '''' OR MB003 = ?1 ORDER BY MB001'),
  -- print defaults: footer code, may choose, footer name, three lines, sign-off code, may choose, sign-off name, three lines
  ('CMSMT', '01', 'check', '打印设置', '',
   'SELECT t.MT002, t.MT003, f.MS003, f.MS004, f.MS005, f.MS006, t.MT004, t.MT005, s.MS003, s.MS004, s.MS005, s.MS006 FROM CMSMT t LEFT JOIN CMSMS f ON f.MS001 = ''1'' AND f.MS002 = t.MT002 LEFT JOIN CMSMS s ON s.MS001 = ''2'' AND s.MS002 = t.MT004 WHERE t.MT001 = ?1'),
  -- a footer (?1 = '1') or sign-off (?1 = '2') by code: code, three lines, name
  ('CMSMS', '01', 'check', '页脚签核', '', 'SELECT MS002, MS004, MS005, MS006, MS003 FROM CMSMS WHERE MS001 = ?1 AND MS002 = ?2'),
  ('CMSMS', '01', 'window', '页脚签核信息查询', '编号|名称|第一行|第二行|第三行', 'SELECT MS002, MS003, MS004, MS005, MS006 FROM CMSMS WHERE MS001 = ?1 ORDER BY MS002'),
  -- the web report site
  ('CMSMA', '02', 'check', '网页报表站点', '', 'SELECT MA002 FROM CMSMA WHERE MA001 = ''WebReportSite'''),
  -- a scheme of that name, user and program exists
  ('GENES', '01', 'check', '条件方案', '', 'SELECT NCONDITION, CREATOR, PROGRAMME, CREATE_DATE FROM appserver.schemes WHERE NCONDITION = ?1 AND CREATOR = ?2 AND PROGRAMME = ?3'),
  -- interval codes: code, name, unit, length, remark
  ('MRPMB', '01', 'check', '间距编号', '', 'SELECT MB001, MB002, MB003, MB004, MB005 FROM MRPMB WHERE MB001 = ?1'),
  ('MRPMB', '01', 'window', '间距编号信息查询', '间距编号|名称|单位|长度|备注', 'SELECT MB001, MB002, MB003, MB004, MB005 FROM MRPMB WHERE ?1 = '''' OR MB003 = ?1 ORDER BY MB001'),
  -- users: code, name, mobile, mail
  ('QVRMA', '04', 'check', '用户', '', 'SELECT MA001, MA002, MA003, MA004 FROM QVRMA WHERE MA001 = ?1'),
  ('QVRMA', '04', 'window', '系统用户', '用户编号|用户名称|手机号码|邮箱地址', 'SELECT MA001, MA002, MA003, MA004 FROM QVRMA ORDER BY MA001'),
  -- the phrases of a user
  ('QVRPH', '01', 'window', '常用词语', '词语', 'SELECT PH003 FROM QVRPH WHERE PH001 = ?1 ORDER BY PH002');

PRAGMA user_version = 1;
