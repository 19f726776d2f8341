-- Message texts the module shows. Arguments fill the "%s" in order; an
-- argument that is not given leaves its place empty.

INSERT INTO QVRMSG (MSG_TYPE, MSG_NO, TEXT_CHS, TEXT_ENG) VALUES
  ('E', '000001', '输入的资料不正确: %s', 'The value entered is not valid: %s'),
  ('E', '000005', '日期输入错误! %s', 'The date is not valid. %s'),
  ('E', '000006', '无法连接应用服务器, 程序无法启动!', 'Cannot connect to the application server; the program cannot start.'),
  ('E', '000013', '作业提交失败! %s', 'The job could not be submitted. %s'),
  ('E', '000015', '无法读取系统注册表!', 'The installation''s registry key cannot be read.'),
  ('E', '000016', '客户端设置中没有指定应用服务器!', 'No application server is configured in the client profile.'),
  ('E', '000030', '收集条件资料时发生错误! %s', 'The conditions could not be collected. %s'),
  ('E', '000036', '窗口名称与程序代号不符!', 'The window does not belong to this program.'),
  ('E', '000037', '必填字段不可空白!', 'A required field is empty.'),
  ('E', '000038', '启动参数不足, 程序无法启动!', 'Not enough start parameters; the program cannot start.'),
  ('E', '100082', '%s不可早于%s!', '%s must not be earlier than %s.'),
  ('W', '000002', '%s的数目不符: 应有 %s 项, 实有 %s 项!', '%s: %s entries expected, %s found.'),
  ('W', '000003', '%s不完整: 共 %s 项, 第 %s 项没有资料!', '%s is incomplete: of %s entries, entry %s is empty.'),
  ('W', '000004', '%s不存在!', '%s does not exist.'),
  ('W', '000014', '主程序传入的条件与本窗口不符!', 'The conditions handed over by the host do not fit this window.'),
  ('I', '000003', '%s没有任何条件或环境设置, 无法执行!', '%sThere are no conditions or settings to run with.'),
  ('I', '000004', '作业已提交, 作业编号: %s', 'The job was submitted. Job number: %s'),
  ('I', '000005', '%s请至少选择一种报表生成选项!', '%sChoose at least one report output option.'),
  ('I', '000008', '查无此资料', 'no such record'),
  ('I', '000009', '日期或时间格式不正确, ', 'the date or time is not valid; '),
  ('I', '000010', '请重新输入!', 'please enter it again.'),
  ('I', '000011', '制表日期', 'print date'),
  ('R', '100235', '页脚编号', 'footer code'),
  ('R', '100236', '签核编号', 'sign-off code'),
  ('R', '200235', '方案内容与窗口不符, 无法开启方案!', 'The scheme does not fit this window and cannot be opened.');
