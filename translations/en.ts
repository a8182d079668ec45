<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutTab</name>
    <message>
        <source>项目主页：</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>问题反馈：</source>
        <translation>Feedback:</translation>
    </message>
    <message>
        <source>关于 Qt(&amp;Q)</source>
        <translation>About &amp;Qt</translation>
    </message>
    <message>
        <source>第三方来源(&amp;C)</source>
        <translation>&amp;Credits</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>数据文件夹：</source>
        <translation>Data folder:</translation>
    </message>
</context>
<context>
    <name>AesAccountUpdateDialog</name>
    <message>
        <source>修改管理账号信息</source>
        <translation>Change Master Account</translation>
    </message>
    <message>
        <source>进度</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>更新详情</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>未填写更改项</source>
        <translation>Nothing to Change</translation>
    </message>
    <message>
        <source>请至少填写一个需要更改的内容！</source>
        <translation>Please fill in at least one field to change.</translation>
    </message>
    <message>
        <source>更改信息</source>
        <translation>Changes</translation>
    </message>
    <message>
        <source>&lt;用户&gt;将被更新为</source>
        <translation>The user will be changed to</translation>
    </message>
    <message>
        <source>&lt;密钥&gt;将被更新</source>
        <translation>The key will be changed</translation>
    </message>
    <message>
        <source>请确认更改</source>
        <translation>Confirm Changes</translation>
    </message>
    <message>
        <source>数据库执行出错</source>
        <translation>Database Error</translation>
    </message>
    <message>
        <source>请重启软件以还原数据库！</source>
        <translation>Please restart the program to restore the database.</translation>
    </message>
    <message>
        <source>请等待</source>
        <translation>Please Wait</translation>
    </message>
    <message>
        <source>请等待进度完成哦</source>
        <translation>Please wait until the change is complete.</translation>
    </message>
    <message>
        <source>新用户(&amp;U)</source>
        <translation>New &amp;user</translation>
    </message>
    <message>
        <source>新密钥(&amp;K)</source>
        <translation>New &amp;key</translation>
    </message>
    <message>
        <source>确认新密钥(&amp;R)</source>
        <translation>&amp;Repeat new key</translation>
    </message>
</context>
<context>
    <name>AutoStart</name>
    <message>
        <source>无法更改注册表项：%1</source>
        <translation>Cannot change the registry value: %1</translation>
    </message>
    <message>
        <source>无法删除 %1：%2</source>
        <translation>Cannot delete %1: %2</translation>
    </message>
    <message>
        <source>无法创建文件夹：%1</source>
        <translation>Cannot create the folder: %1</translation>
    </message>
</context>
<context>
    <name>BackupRestoreDialog</name>
    <message>
        <source>从备份恢复</source>
        <translation>Restore from a Backup</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>任务</source>
        <translation>Tasks</translation>
    </message>
    <message>
        <source>生日</source>
        <translation>Birthdays</translation>
    </message>
    <message>
        <source>账号</source>
        <translation>Accounts</translation>
    </message>
    <message>
        <source>还原(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>正在读取备份...</source>
        <translation>Reading the backups...</translation>
    </message>
    <message>
        <source>数据库已还原</source>
        <translation>Database Restored</translation>
    </message>
    <message>
        <source>程序将重新启动。</source>
        <translation>The program will now restart.</translation>
    </message>
    <message>
        <source>无法还原</source>
        <translation>Could Not Restore</translation>
    </message>
    <message>
        <source>还没有备份。程序每天把数据库复制到：
%1</source>
        <translation>There are no backups yet. Every day the program copies the database to:
%1</translation>
    </message>
    <message>
        <source>选择一个备份来替换当前的数据库。当前的数据库会先另存为一个备份，然后程序重新启动。</source>
        <translation>Choose a backup to replace the current database with. The current database is first kept as one more backup, then the program restarts.</translation>
    </message>
    <message>
        <source>（还原前）</source>
        <translation>(before a restore)</translation>
    </message>
    <message>
        <source>已损坏</source>
        <translation>damaged</translation>
    </message>
    <message>
        <source>用 %1 的备份替换当前的数据库吗？</source>
        <translation>Replace the current database with the backup of %1?</translation>
    </message>
    <message>
        <source>备份中有 %1 个任务、%2 个生日、%3 个账号。</source>
        <translation>The backup holds %1 tasks, %2 birthdays and %3 accounts.</translation>
    </message>
    <message>
        <source>当前的数据库会先另存为一个备份。还原后程序将重新启动。</source>
        <translation>The current database is first kept as one more backup. The program restarts after the restore.</translation>
    </message>
    <message>
        <source>（日期晚于今天）</source>
        <translation>(dated after today)</translation>
    </message>
</context>
<context>
    <name>BirthdayCalendar</name>
    <message>
        <source>%1的%2岁生日</source>
        <translation>%1&apos;s birthday (%2)</translation>
    </message>
    <message>
        <source>%1的生日</source>
        <translation>%1&apos;s birthday</translation>
    </message>
    <message>
        <source>农历%1月%2日</source>
        <translation>Lunar month %1, day %2</translation>
    </message>
</context>
<context>
    <name>BirthdayConfig</name>
    <message>
        <source>生日配置</source>
        <translation>Birthdays</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>别称</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>头像</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>生日类型</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>农历</source>
        <translation>Lunar</translation>
    </message>
    <message>
        <source>公历</source>
        <translation>Solar</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Gender</translation>
    </message>
    <message>
        <source>男</source>
        <translation>Male</translation>
    </message>
    <message>
        <source>女</source>
        <translation>Female</translation>
    </message>
    <message>
        <source>年</source>
        <translation>year</translation>
    </message>
    <message>
        <source>提醒时间</source>
        <translation>Remind</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>正月</source>
        <translation>1st month</translation>
    </message>
    <message>
        <source>二月</source>
        <translation>2nd month</translation>
    </message>
    <message>
        <source>三月</source>
        <translation>3rd month</translation>
    </message>
    <message>
        <source>四月</source>
        <translation>4th month</translation>
    </message>
    <message>
        <source>五月</source>
        <translation>5th month</translation>
    </message>
    <message>
        <source>六月</source>
        <translation>6th month</translation>
    </message>
    <message>
        <source>七月</source>
        <translation>7th month</translation>
    </message>
    <message>
        <source>八月</source>
        <translation>8th month</translation>
    </message>
    <message>
        <source>九月</source>
        <translation>9th month</translation>
    </message>
    <message>
        <source>十月</source>
        <translation>10th month</translation>
    </message>
    <message>
        <source>冬月</source>
        <translation>11th month</translation>
    </message>
    <message>
        <source>腊月</source>
        <translation>12th month</translation>
    </message>
    <message>
        <source>初一</source>
        <translation>Day 1</translation>
    </message>
    <message>
        <source>初二</source>
        <translation>Day 2</translation>
    </message>
    <message>
        <source>初三</source>
        <translation>Day 3</translation>
    </message>
    <message>
        <source>初四</source>
        <translation>Day 4</translation>
    </message>
    <message>
        <source>初五</source>
        <translation>Day 5</translation>
    </message>
    <message>
        <source>初六</source>
        <translation>Day 6</translation>
    </message>
    <message>
        <source>初七</source>
        <translation>Day 7</translation>
    </message>
    <message>
        <source>初八</source>
        <translation>Day 8</translation>
    </message>
    <message>
        <source>初九</source>
        <translation>Day 9</translation>
    </message>
    <message>
        <source>初十</source>
        <translation>Day 10</translation>
    </message>
    <message>
        <source>十一</source>
        <translation>Day 11</translation>
    </message>
    <message>
        <source>十二</source>
        <translation>Day 12</translation>
    </message>
    <message>
        <source>十三</source>
        <translation>Day 13</translation>
    </message>
    <message>
        <source>十四</source>
        <translation>Day 14</translation>
    </message>
    <message>
        <source>十五</source>
        <translation>Day 15</translation>
    </message>
    <message>
        <source>十六</source>
        <translation>Day 16</translation>
    </message>
    <message>
        <source>十七</source>
        <translation>Day 17</translation>
    </message>
    <message>
        <source>十八</source>
        <translation>Day 18</translation>
    </message>
    <message>
        <source>十九</source>
        <translation>Day 19</translation>
    </message>
    <message>
        <source>二十</source>
        <translation>Day 20</translation>
    </message>
    <message>
        <source>廿一</source>
        <translation>Day 21</translation>
    </message>
    <message>
        <source>廿二</source>
        <translation>Day 22</translation>
    </message>
    <message>
        <source>廿三</source>
        <translation>Day 23</translation>
    </message>
    <message>
        <source>廿四</source>
        <translation>Day 24</translation>
    </message>
    <message>
        <source>廿五</source>
        <translation>Day 25</translation>
    </message>
    <message>
        <source>廿六</source>
        <translation>Day 26</translation>
    </message>
    <message>
        <source>廿七</source>
        <translation>Day 27</translation>
    </message>
    <message>
        <source>廿八</source>
        <translation>Day 28</translation>
    </message>
    <message>
        <source>廿九</source>
        <translation>Day 29</translation>
    </message>
    <message>
        <source>三十</source>
        <translation>Day 30</translation>
    </message>
    <message>
        <source>姓名不能为空</source>
        <translation>Name Required</translation>
    </message>
    <message>
        <source>请填写姓名</source>
        <translation>Please enter a name.</translation>
    </message>
    <message>
        <source>超出有效年范围</source>
        <translation>Year Out of Range</translation>
    </message>
    <message>
        <source>范围: 1901~2099年</source>
        <translation>Range: 1901–2099</translation>
    </message>
    <message>
        <source>下一个生日超出支持的范围: 1901~2099年</source>
        <translation>The next birthday is outside the supported range: 1901–2099</translation>
    </message>
    <message>
        <source>无效</source>
        <translation>N/A</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>添加失败</source>
        <translation>Add Failed</translation>
    </message>
    <message>
        <source>更新失败</source>
        <translation>Update Failed</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>请选择要更新的行</source>
        <translation>Please select the row to update.</translation>
    </message>
    <message>
        <source>请选择要删除的行</source>
        <translation>Please select the row to delete.</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>农历年</source>
        <translation>Lunar year</translation>
    </message>
    <message>
        <source>农历月</source>
        <translation>Lunar month</translation>
    </message>
    <message>
        <source>农历日</source>
        <translation>Lunar day</translation>
    </message>
    <message>
        <source>公历年</source>
        <translation>Solar year</translation>
    </message>
    <message>
        <source>公历月</source>
        <translation>Solar month</translation>
    </message>
    <message>
        <source>公历日</source>
        <translation>Solar day</translation>
    </message>
    <message>
        <source>最近生日</source>
        <translation>Next birthday</translation>
    </message>
    <message>
        <source>农历闰月</source>
        <translation>Leap month</translation>
    </message>
    <message>
        <source>已经存在相同的人
请确认 姓名+别称+性别 组合的唯一性</source>
        <translation>This person already exists.
Name, nickname and gender together must be unique.</translation>
    </message>
    <message>
        <source>请确认删除信息</source>
        <translation>The following will be deleted</translation>
    </message>
    <message>
        <source>确认删除？</source>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>姓名(&amp;N)</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>别称(&amp;K)</source>
        <translation>Nic&amp;kname</translation>
    </message>
    <message>
        <source>清除编辑(&amp;E)</source>
        <translation>Cl&amp;ear</translation>
    </message>
    <message>
        <source>农历(&amp;L)</source>
        <translation>&amp;Lunar</translation>
    </message>
    <message>
        <source>公历(&amp;S)</source>
        <translation>&amp;Solar</translation>
    </message>
    <message>
        <source>男(&amp;M)</source>
        <translation>&amp;Male</translation>
    </message>
    <message>
        <source>女(&amp;F)</source>
        <translation>&amp;Female</translation>
    </message>
    <message>
        <source>农历生日(&amp;B)</source>
        <translation>Lunar &amp;birthday</translation>
    </message>
    <message>
        <source>忽略年(&amp;I)</source>
        <translation>&amp;Ignore year</translation>
    </message>
    <message>
        <source>公历生日(&amp;O)</source>
        <translation>S&amp;olar birthday</translation>
    </message>
    <message>
        <source>提前一天(&amp;1)</source>
        <translation>&amp;1 day before</translation>
    </message>
    <message>
        <source>提前三天(&amp;3)</source>
        <translation>&amp;3 days before</translation>
    </message>
    <message>
        <source>提前一周(&amp;W)</source>
        <translation>1 &amp;week before</translation>
    </message>
    <message>
        <source>添加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>更新(&amp;U)</source>
        <translation>&amp;Update</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>把每人接下来的 10 个生日（农历生日换算成公历）和未完成的任务写入一个 iCalendar (.ics) 文件，可导入手机或网页日历</source>
        <translation>Write everyone&apos;s next 10 birthdays (lunar ones on their solar day) and the pending tasks to an iCalendar (.ics) file for phone and web calendars</translation>
    </message>
    <message>
        <source>导出日历(&amp;X)</source>
        <translation>E&amp;xport Calendar...</translation>
    </message>
    <message>
        <source>日历已导出</source>
        <translation>Calendar Exported</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>Export Failed</translation>
    </message>
    <message>
        <source>导出日历</source>
        <translation>Export Calendar</translation>
    </message>
    <message>
        <source>iCalendar 文件 (*.ics)</source>
        <translation>iCalendar files (*.ics)</translation>
    </message>
    <message>
        <source>已写入：
%1

可以把它导入手机或网页日历。
再次导出会更新同样的日程，不会重复添加。</source>
        <translation>Written to:
%1

Import it into a phone or web calendar.
Exporting again updates these events, no duplicates.</translation>
    </message>
</context>
<context>
    <name>BirthdayReminder</name>
    <message>
        <source>后天</source>
        <translation>In 2 days</translation>
    </message>
    <message>
        <source>明天</source>
        <translation>Tomorrow</translation>
    </message>
    <message>
        <source>今天</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>昨天</source>
        <translation>Yesterday</translation>
    </message>
    <message>
        <source>前天</source>
        <translation>2 days ago</translation>
    </message>
    <message>
        <source>%1天后</source>
        <translation>In %1 days</translation>
    </message>
    <message>
        <source>%1天前</source>
        <translation>%1 days ago</translation>
    </message>
    <message>
        <source>%1是%2的生日</source>
        <translation>%1: %2&apos;s birthday</translation>
    </message>
    <message>
        <source>生日快乐</source>
        <translation>Happy birthday!</translation>
    </message>
</context>
<context>
    <name>BirthdayTab</name>
    <message>
        <source>还没有生日记录。双击这里添加第一个人的生日。</source>
        <translation>No birthdays yet. Double-click here to add the first one.</translation>
    </message>
</context>
<context>
    <name>BirthdayWidgetItem</name>
    <message>
        <source>农历</source>
        <translation>Lunar</translation>
    </message>
    <message>
        <source>公历</source>
        <translation>Solar</translation>
    </message>
    <message>
        <source>按农历过生日</source>
        <translation>Birthday kept by the lunar calendar</translation>
    </message>
    <message>
        <source>按公历过生日</source>
        <translation>Birthday kept by the solar calendar</translation>
    </message>
    <message>
        <source>没有出生年份，年龄未知</source>
        <translation>No birth year given: age unknown</translation>
    </message>
    <message>
        <source>这个生日满 %1 岁</source>
        <translation>Turns %1 on this birthday</translation>
    </message>
    <message numerus="yes">
        <source>还有 %n 天过生日</source>
        <translation>
            <numerusform>%n day until the birthday</numerusform>
            <numerusform>%n days until the birthday</numerusform>
        </translation>
    </message>
    <message>
        <source>今天过生日</source>
        <translation>Birthday today</translation>
    </message>
</context>
<context>
    <name>CalDavClient</name>
    <message>
        <source>服务器地址无效：%1</source>
        <translation>The server address is not valid: %1</translation>
    </message>
    <message>
        <source>不加密的 http 只用于本机的服务器，否则密码会以明文传送；请使用 https 地址</source>
        <translation>Unencrypted http is only for a server on this computer, as the password would cross the network readable; use an https address</translation>
    </message>
    <message>
        <source>服务器的证书不被信任，连接已拒绝：%1</source>
        <translation>The server&apos;s certificate is not trusted; the connection was refused: %1</translation>
    </message>
    <message>
        <source>服务器不接受这个用户名和密码</source>
        <translation>The server does not accept this user name and password</translation>
    </message>
    <message>
        <source>服务器上的事件已被改动</source>
        <translation>The event was changed on the server</translation>
    </message>
    <message>
        <source>无法连接服务器：%1</source>
        <translation>Cannot reach the server: %1</translation>
    </message>
    <message>
        <source>服务器拒绝了请求：%1 %2</source>
        <translation>The server refused the request: %1 %2</translation>
    </message>
    <message>
        <source>服务器的回答无法读取</source>
        <translation>The server&apos;s answer cannot be read</translation>
    </message>
    <message>
        <source>在这个地址没有找到日历服务</source>
        <translation>No calendar service was found at this address</translation>
    </message>
    <message>
        <source>服务器没有告知这个用户的日历位置</source>
        <translation>The server does not say where this user&apos;s calendars are</translation>
    </message>
</context>
<context>
    <name>CalendarExport</name>
    <message>
        <source>无法读取数据库：%1</source>
        <translation>Cannot read the database: %1</translation>
    </message>
    <message>
        <source>无法写入标准输出</source>
        <translation>Cannot write to standard output</translation>
    </message>
</context>
<context>
    <name>CentralNotice</name>
    <message>
        <source>
(之前还有 %1 条提示)</source>
        <translation>
(earlier notices: %1)</translation>
    </message>
</context>
<context>
    <name>ConfigSettings</name>
    <message>
        <source>设置未保存</source>
        <translation>Setting Not Saved</translation>
    </message>
    <message>
        <source>无法写入设置文件 %1</source>
        <translation>Could not write the settings file %1.</translation>
    </message>
</context>
<context>
    <name>DatabaseBackup</name>
    <message>
        <source>无法创建文件夹：%1</source>
        <translation>Cannot create the folder: %1</translation>
    </message>
    <message>
        <source>无法保留当前的数据库，未做还原：
%1</source>
        <translation>The current database could not be kept, so nothing was restored:
%1</translation>
    </message>
    <message>
        <source>备份已损坏，或不是本程序的数据库：
%1</source>
        <translation>The backup is damaged, or not a database of this program:
%1</translation>
    </message>
    <message>
        <source>无法用备份替换数据库，数据库和备份都保持原样：
%1</source>
        <translation>The database could not be replaced with the backup; both are left as they were:
%1</translation>
    </message>
    <message>
        <source>这是数据库版本 %1 的备份，本程序使用版本 %2，无法还原。</source>
        <translation>This is a backup of database version %1; this program uses version %2, so it cannot be restored.</translation>
    </message>
    <message>
        <source>数据库无法重新打开：
%1
%2

程序将退出，请重新启动它。</source>
        <translation>The database could not be opened again:
%1
%2

The program will now quit; please start it again.</translation>
    </message>
</context>
<context>
    <name>DatabaseConfigGroup</name>
    <message>
        <source>保留备份数(&amp;K)</source>
        <translation>Backups &amp;kept</translation>
    </message>
    <message>
        <source>每天启动时和运行中每天一次，把数据库复制到 src/database/backups/，保留最近这么多天的备份</source>
        <translation>Once a day, at start and while running, the database is copied to src/database/backups/; the copies of this many recent days are kept</translation>
    </message>
    <message>
        <source>不备份</source>
        <translation>none</translation>
    </message>
    <message>
        <source>从备份恢复(&amp;R)</source>
        <translation>&amp;Restore from a Backup...</translation>
    </message>
    <message>
        <source>今天的数据库备份未能写入：%1</source>
        <translation>Today&apos;s database backup could not be written: %1</translation>
    </message>
</context>
<context>
    <name>DatabaseFile</name>
    <message>
        <source>复制出的数据库无法完整读出</source>
        <translation>the copied database does not read whole</translation>
    </message>
</context>
<context>
    <name>DatabaseUpgrader</name>
    <message>
        <source>表 %1 缺少主键列 %2</source>
        <translation>Table %1 has no primary key column %2</translation>
    </message>
    <message>
        <source>文件已存在，未被改动：%1</source>
        <translation>The file already exists and was left unchanged: %1</translation>
    </message>
    <message>
        <source>数据库文件未被改动。</source>
        <translation>The database file was not changed.</translation>
    </message>
    <message>
        <source>找不到数据库文件：%1</source>
        <translation>Database file not found: %1</translation>
    </message>
    <message>
        <source>%1 不是本程序的数据库，无法升级。</source>
        <translation>%1 is not a database of this program and cannot be upgraded.</translation>
    </message>
    <message>
        <source>%1 没有版本信息，不是本程序的数据库，无法升级。</source>
        <translation>%1 has no version information: it is not a database of this program and cannot be upgraded.</translation>
    </message>
    <message>
        <source>数据库版本 %1 比本升级程序支持的版本 %2 新，请使用更新的程序。</source>
        <translation>Database version %1 is newer than version %2, the newest this upgrader supports. Please use a newer program.</translation>
    </message>
    <message>
        <source>程序需要数据库版本 %1，本升级程序只能升级到版本 %2。</source>
        <translation>The program needs database version %1, but this upgrader can only upgrade to version %2.</translation>
    </message>
    <message>
        <source>数据库已是版本 %1，无需升级。</source>
        <translation>The database is already at version %1; no upgrade is needed.</translation>
    </message>
    <message>
        <source>无法复制数据库文件。</source>
        <translation>Could not copy the database file.</translation>
    </message>
    <message>
        <source>升级失败：%1</source>
        <translation>Upgrade failed: %1</translation>
    </message>
    <message>
        <source>数据库已从版本 %1 升级到版本 %2。</source>
        <translation>The database was upgraded from version %1 to version %2.</translation>
    </message>
    <message>
        <source>数据库升级</source>
        <translation>Database Upgrade</translation>
    </message>
    <message>
        <source>无法从程序 %1 获取所需的数据库版本。</source>
        <translation>Could not get the required database version from program %1.</translation>
    </message>
    <message>
        <source>%1 的设置行</source>
        <translation>the settings row of %1</translation>
    </message>
    <message>
        <source>数据库已修复，补上了：%1</source>
        <translation>The database was repaired; added back: %1</translation>
    </message>
    <message>
        <source>请手动启动程序。</source>
        <translation>Please start the program yourself.</translation>
    </message>
</context>
<context>
    <name>DetachedProcess</name>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>文件不能执行</source>
        <translation>the file cannot be run</translation>
    </message>
    <message>
        <source>无法启动 %1：%2</source>
        <translation>Cannot start %1: %2</translation>
    </message>
</context>
<context>
    <name>HelpDocument</name>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>更新日志</source>
        <translation>Version history</translation>
    </message>
    <message>
        <source>页面(&amp;P)</source>
        <translation>&amp;Pages</translation>
    </message>
    <message>
        <source>内容(&amp;C)</source>
        <translation>&amp;Content</translation>
    </message>
</context>
<context>
    <name>HolidayImport</name>
    <message>
        <source>无法读取文件：%1</source>
        <translation>Cannot read the file: %1</translation>
    </message>
    <message>
        <source>文件太大，不是节假日日历。</source>
        <translation>The file is too large to be a holiday calendar.</translation>
    </message>
    <message>
        <source>这不是一个完整的 iCalendar（.ics）日历文件。</source>
        <translation>This is not a complete iCalendar (.ics) file.</translation>
    </message>
    <message>
        <source>文件中有空字符（NUL），事件的标题无法完整读出，没有导入。</source>
        <translation>The file contains a NUL character, so the event titles cannot be read whole. Nothing was imported.</translation>
    </message>
    <message>
        <source>日历中有 %1 天，超过了十年的 %2 天，不是节假日日历，没有导入。</source>
        <translation>The calendar holds %1 days, more than the %2 days of ten years: it is no holiday calendar. Nothing was imported.</translation>
    </message>
    <message>
        <source>日历中没有可用的日期，找不到节假日或调休上班日。</source>
        <translation>The calendar names no usable date: no holidays or make-up working days found.</translation>
    </message>
    <message numerus="yes">
        <source>%n 个已取消</source>
        <translation>
            <numerusform>%n cancelled</numerusform>
            <numerusform>%n cancelled</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个没有日期</source>
        <translation>
            <numerusform>%n without a date</numerusform>
            <numerusform>%n without a date</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个超过 %1 天</source>
        <translation>
            <numerusform>%n longer than %1 days</numerusform>
            <numerusform>%n longer than %1 days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个不在所读的年份内</source>
        <translation>
            <numerusform>%n outside the years read</numerusform>
            <numerusform>%n outside the years read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>跳过 %n 个事件：%1。</source>
        <translation>
            <numerusform>Skipped %n event: %1.</numerusform>
            <numerusform>Skipped %n events: %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>HolidayReview</name>
    <message>
        <source>导入节假日</source>
        <translation>Import Holidays</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>星期</source>
        <translation>Weekday</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>这一天变为</source>
        <translation>The day becomes</translation>
    </message>
    <message>
        <source>采用勾选的日期</source>
        <translation>Take the Ticked Dates</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>日历中有 %1 个日期，其中 %2 个与现在不同，已勾选 %3 个。勾选的日期将被采用。</source>
        <translation>The calendar names %1 dates; %2 of them differ from now, %3 are ticked. The ticked dates will be taken.</translation>
    </message>
    <message>
        <source>工作</source>
        <translation>Workday</translation>
    </message>
    <message>
        <source>休息</source>
        <translation>Day off</translation>
    </message>
    <message>
        <source>（与列表中的相反）</source>
        <translation> (listed the other way)</translation>
    </message>
    <message>
        <source>（已过去）</source>
        <translation> (past)</translation>
    </message>
    <message>
        <source>（其他事件）</source>
        <translation> (other event)</translation>
    </message>
</context>
<context>
    <name>IconManage</name>
    <message>
        <source>图标选择与管理</source>
        <translation>Icon Library</translation>
    </message>
    <message>
        <source>任务</source>
        <translation>Task</translation>
    </message>
    <message>
        <source>生日</source>
        <translation>Birthday</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>可拖入图片到这里</source>
        <translation>Drop an image here</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>未选择图标</source>
        <translation>No Icon Selected</translation>
    </message>
    <message>
        <source>请选择一个图标进行操作</source>
        <translation>Please select an icon first.</translation>
    </message>
    <message>
        <source>请选择图片文件</source>
        <translation>Choose an Image File</translation>
    </message>
    <message>
        <source>图片文件(*.jpg *.png)</source>
        <translation>Images (*.jpg *.png)</translation>
    </message>
    <message>
        <source>图片已存在</source>
        <translation>Image Exists</translation>
    </message>
    <message>
        <source>已有同名的图片文件，是否替换？</source>
        <translation>An image file with this name already exists. Replace it?</translation>
    </message>
    <message>
        <source>保存失败</source>
        <translation>Save Failed</translation>
    </message>
    <message>
        <source>请选择图片</source>
        <translation>No Image Chosen</translation>
    </message>
    <message>
        <source>请选择待转换的图片</source>
        <translation>Please choose an image for the icon.</translation>
    </message>
    <message>
        <source>无更改</source>
        <translation>No Changes</translation>
    </message>
    <message>
        <source>未进行任何更改</source>
        <translation>Nothing was changed.</translation>
    </message>
    <message>
        <source>无法删除</source>
        <translation>Cannot Delete</translation>
    </message>
    <message>
        <source>默认图标不能删除，只能更换图片</source>
        <translation>The default icon cannot be deleted, only given another image.</translation>
    </message>
    <message>
        <source>请确认删除信息</source>
        <translation>The following will be deleted</translation>
    </message>
    <message>
        <source>路径</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>确认删除？</source>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>图片太大</source>
        <translation>Image Too Large</translation>
    </message>
    <message>
        <source>这张图片有 %1 × %2 像素，超过了可以导入的 %3 百万像素。
请先把它缩小，再导入。</source>
        <translation>This image has %1 × %2 pixels, more than the %3 megapixels that can be imported.
Please make it smaller first, then import it.</translation>
    </message>
    <message>
        <source>任务(&amp;T)</source>
        <translation>&amp;Task</translation>
    </message>
    <message>
        <source>生日(&amp;B)</source>
        <translation>&amp;Birthday</translation>
    </message>
    <message>
        <source>备注(&amp;N)</source>
        <translation>&amp;Note</translation>
    </message>
    <message>
        <source>图片(&amp;I)</source>
        <translation>&amp;Image</translation>
    </message>
    <message>
        <source>显示备注(&amp;S)</source>
        <translation>&amp;Show notes</translation>
    </message>
    <message>
        <source>选择(&amp;L)</source>
        <translation>Se&amp;lect</translation>
    </message>
    <message>
        <source>添加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>选择图片文件</source>
        <translation>Choose a picture file</translation>
    </message>
    <message>
        <source>无法读取图片</source>
        <translation>Cannot Read the Picture</translation>
    </message>
    <message>
        <source>这个文件不是可以读取的 JPEG 或 PNG 图片：
%1
%2</source>
        <translation>This file is not a readable JPEG or PNG picture:
%1
%2</translation>
    </message>
    <message>
        <source>图片未能保存，请检查图标文件夹是否可以写入：
%1</source>
        <translation>The image could not be saved. Please check that the icon folder is writable:
%1</translation>
    </message>
</context>
<context>
    <name>IconWidgetItem</name>
    <message>
        <source>选择</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>LabelMessageBox</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确认删除？</source>
        <translation>Confirm Deletion</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>任务</source>
        <translation>Tasks</translation>
    </message>
    <message>
        <source>生日管家</source>
        <translation>Birthdays</translation>
    </message>
    <message>
        <source>账号管理</source>
        <translation>Account Vault</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>系统</source>
        <translation>System</translation>
    </message>
    <message>
        <source>开机启动</source>
        <translation>Start at logon</translation>
    </message>
    <message>
        <source>配置</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>点击配置</source>
        <translation>Configure...</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>显示窗口</source>
        <translation>Show Window</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>缩放率被更改，建议重启软件以适应新的缩放率</source>
        <translation>The display scaling has changed. Restart the program to adapt to it.</translation>
    </message>
    <message>
        <source>是否重启本软件生效？</source>
        <translation>Restart to Apply?</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>数据库需要升级</source>
        <translation>Database Upgrade Needed</translation>
    </message>
    <message>
        <source>使用已删除图标的地方，已被重置为默认图标，将在重启后生效</source>
        <translation>Items that used the deleted icon were given the default icon. This shows after a restart.</translation>
    </message>
    <message>
        <source>检测到使用了更新前的图标，需要重启软件后才会更新界面显示</source>
        <translation>Some items still show the icon as it was before the change. The display is updated after a restart.</translation>
    </message>
    <message>
        <source>提示</source>
        <comment>title of the database restored message</comment>
        <translation>Information</translation>
    </message>
    <message>
        <source>立即重启</source>
        <translation>Restart Now</translation>
    </message>
    <message>
        <source>稍后</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>要现在重启软件以切换语言吗？
选择“稍后”将在下次启动时切换。</source>
        <translation>Restart the program now to switch the language?
Choose Later to switch at the next start.</translation>
    </message>
    <message>
        <source>数据未能保存</source>
        <translation>Data Not Saved</translation>
    </message>
    <message>
        <source>退出程序？</source>
        <translation>Quit the program?</translation>
    </message>
    <message>
        <source>这个桌面没有系统托盘，关闭窗口会结束程序，之后不再有任务和生日提醒。</source>
        <translation>This desktop has no system tray: closing the window ends the program, and there will be no more task or birthday reminders.</translation>
    </message>
    <message>
        <source>当前用户(&amp;U)</source>
        <translation>Current &amp;user</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>生日(&amp;B)</source>
        <translation>&amp;Birthdays</translation>
    </message>
    <message>
        <source>工作日(&amp;W)</source>
        <translation>&amp;Workdays</translation>
    </message>
    <message>
        <source>图标(&amp;I)</source>
        <translation>&amp;Icons</translation>
    </message>
    <message>
        <source>提示(&amp;F)</source>
        <translation>&amp;Notices</translation>
    </message>
    <message>
        <source>数据库</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>剪贴板将在 %1 秒后清除</source>
        <translation>Clipboard cleared in %1 s</translation>
    </message>
    <message numerus="yes">
        <source>节假日订阅：%n 个日期与工作日列表相反，点此决定</source>
        <translation>
            <numerusform>Holiday subscription: %n date contradicts the workday list, click to decide</numerusform>
            <numerusform>Holiday subscription: %n dates contradict the workday list, click to decide</numerusform>
        </translation>
    </message>
    <message>
        <source>无法重新启动</source>
        <translation>Cannot Restart</translation>
    </message>
    <message>
        <source>程序将退出，请手动启动它。</source>
        <translation>The program will now quit; please start it yourself.</translation>
    </message>
    <message>
        <source>数据库没有升级，程序将退出。</source>
        <translation>The database was not upgraded. The program will now quit.</translation>
    </message>
    <message>
        <source>开机启动未更改</source>
        <translation>Start at Logon Not Changed</translation>
    </message>
    <message>
        <source>同步</source>
        <translation>Sync</translation>
    </message>
</context>
<context>
    <name>NormalNotice</name>
    <message>
        <source>保持显示</source>
        <translation>Keep on screen</translation>
    </message>
    <message>
        <source>完成时间</source>
        <translation>Due time</translation>
    </message>
    <message>
        <source>通知时间</source>
        <translation>Shown at</translation>
    </message>
    <message>
        <source>年龄</source>
        <translation>Age</translation>
    </message>
    <message>
        <source>农历</source>
        <translation>Lunar</translation>
    </message>
    <message>
        <source>公历</source>
        <translation>Solar</translation>
    </message>
    <message>
        <source>稍后提醒</source>
        <translation>Remind me later</translation>
    </message>
</context>
<context>
    <name>NoticeConfig</name>
    <message>
        <source>提示配置</source>
        <translation>Notices</translation>
    </message>
    <message>
        <source>全屏提示</source>
        <translation>Centre notice</translation>
    </message>
    <message>
        <source>启用</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>任务</source>
        <translation>Tasks</translation>
    </message>
    <message>
        <source>生日</source>
        <translation>Birthdays</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>普通提示</source>
        <translation>Popup</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>输入无效</source>
        <translation>Invalid Input</translation>
    </message>
    <message>
        <source>范围</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>请设置字体颜色</source>
        <translation>Choose the Text Colour</translation>
    </message>
    <message>
        <source>请设置字体阴影颜色</source>
        <translation>Choose the Shadow Colour</translation>
    </message>
    <message>
        <source>淡入时间(s)(&amp;I)</source>
        <translation>Fade-&amp;in time (s)</translation>
    </message>
    <message>
        <source>停留时间(s)(&amp;D)</source>
        <translation>&amp;Display time (s)</translation>
    </message>
    <message>
        <source>淡出时间(s)(&amp;O)</source>
        <translation>Fade-&amp;out time (s)</translation>
    </message>
    <message>
        <source>文本颜色(&amp;X)</source>
        <translation>Te&amp;xt colour</translation>
    </message>
    <message>
        <source>阴影颜色(&amp;H)</source>
        <translation>S&amp;hadow colour</translation>
    </message>
    <message>
        <source>全屏(&amp;F)</source>
        <translation>&amp;Full screen</translation>
    </message>
    <message>
        <source>条状(&amp;B)</source>
        <translation>&amp;Band</translation>
    </message>
    <message>
        <source>无(&amp;N)</source>
        <translation>&amp;None</translation>
    </message>
    <message>
        <source>显示时间(s)(&amp;T)</source>
        <translation>Display &amp;time (s)</translation>
    </message>
    <message>
        <source>文本颜色</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <source>阴影颜色</source>
        <translation>Shadow colour</translation>
    </message>
</context>
<context>
    <name>PasswordGenerator</name>
    <message>
        <source>弱</source>
        <translation>weak</translation>
    </message>
    <message>
        <source>中</source>
        <translation>fair</translation>
    </message>
    <message>
        <source>强</source>
        <translation>strong</translation>
    </message>
    <message>
        <source>强度：%1（约 %2 位）</source>
        <translation>Strength: %1 (about %2 bits)</translation>
    </message>
</context>
<context>
    <name>ProgramFolders</name>
    <message>
        <source>无法创建数据文件夹：%1</source>
        <translation>Cannot create the data folder: %1</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>写入后只有 %1 字节，应有 %2 字节</source>
        <translation>only %1 of %2 bytes were written</translation>
    </message>
    <message>
        <source>%1 不是普通文件，没有写入。</source>
        <translation>%1 is not a regular file; nothing was written.</translation>
    </message>
    <message>
        <source>复制时源文件变了</source>
        <translation>the source changed while it was copied</translation>
    </message>
    <message>
        <source>无法把 %1 复制到 %2：%3</source>
        <translation>Cannot copy %1 to %2: %3</translation>
    </message>
</context>
<context>
    <name>SecretClipboard</name>
    <message>
        <source>已复制</source>
        <translation>Copied</translation>
    </message>
    <message>
        <source>已复制，%1 秒后从剪贴板清除</source>
        <translation>Copied; cleared from the clipboard in %1 seconds</translation>
    </message>
</context>
<context>
    <name>SingleInstanceLock</name>
    <message>
        <source>无法创建共享内存 %1：%2</source>
        <translation>Cannot create the shared memory %1: %2</translation>
    </message>
    <message>
        <source>无法创建锁文件 %1：%2</source>
        <translation>Cannot create the lock file %1: %2</translation>
    </message>
    <message>
        <source>没有写入权限</source>
        <translation>no permission to write</translation>
    </message>
    <message>
        <source>无法在这个文件夹中创建文件</source>
        <translation>no file can be created in that folder</translation>
    </message>
</context>
<context>
    <name>Snooze</name>
    <message>
        <source>%1 小时</source>
        <translation>%1 hour</translation>
    </message>
    <message>
        <source>%1 分钟</source>
        <translation>%1 minutes</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SqlThread</name>
    <message>
        <source>检测到之前管理账号可能修改失败
数据库已被还原，如需请重新尝试修改</source>
        <translation>An earlier change of the master account may have failed.
The database was restored; change the master account again if needed.</translation>
    </message>
    <message>
        <source>数据库丢失，程序将退出</source>
        <translation>The database is missing. The program will exit.</translation>
    </message>
    <message>
        <source>数据库连接出错，程序将退出</source>
        <translation>Could not open the database. The program will exit.</translation>
    </message>
    <message>
        <source>数据库版本太低，程序将在数据库升级成功后自动重启</source>
        <translation>The database version is too old. The program will restart by itself once the database is upgraded.</translation>
    </message>
    <message>
        <source>所需版本：</source>
        <translation>Required version: </translation>
    </message>
    <message>
        <source>实际版本：</source>
        <translation>Current version: </translation>
    </message>
    <message>
        <source>数据库文件正被其他程序使用：
%1

请关闭该程序后再启动。程序将退出。</source>
        <translation>The database file is in use by another program:
%1

Close that program, then start again. The program will exit.</translation>
    </message>
    <message>
        <source>数据库文件已损坏，或不是本程序的数据库：
%1

请换回一份完好的数据库文件后再启动。程序将退出。</source>
        <translation>The database file is damaged or is not a database of this program:
%1

Put back an intact copy of the database file, then start again. The program will exit.</translation>
    </message>
    <message>
        <source>数据库不完整，程序将在数据库修复后自动重启</source>
        <translation>The database is incomplete. The program will restart by itself once the database is repaired.</translation>
    </message>
    <message>
        <source>缺少：</source>
        <translation>Missing: </translation>
    </message>
    <message>
        <source>检测到管理账号修改留下的数据库备份，但它已损坏，无法用来还原。</source>
        <translation>A database backup left by a master account change was found, but it is damaged and cannot be used to restore the database.</translation>
    </message>
    <message>
        <source>数据库保持原样。请删除或移走这个备份：
%1</source>
        <translation>The database was left as it was. Please delete or move this backup:
%1</translation>
    </message>
    <message>
        <source>数据库保持原样；损坏的备份已移到：
%1</source>
        <translation>The database was left as it was; the damaged backup was moved to:
%1</translation>
    </message>
    <message>
        <source>刚才的更改没有保存到数据库。

数据库：%1
原因：%2

请确认数据库文件和所在的文件夹可以写入、磁盘没有写满，然后再试一次。</source>
        <translation>The change just made was not saved to the database.

Database: %1
Reason: %2

Make sure the database file and its folder are writable and the disk is not full, then try again.</translation>
    </message>
    <message>
        <source>数据库备份无法删除：
%1

它不会再被用来还原。请关闭可能占用它的程序后手动删除，否则下次修改管理账号时无法备份。</source>
        <translation>The database backup could not be deleted:
%1

It will not be used to restore anything. Close any program that may be using it and delete it yourself; otherwise the next master account change cannot make its backup.</translation>
    </message>
    <message>
        <source>数据库文件无法写入：
%1

在这里输入的任务、生日、账号和设置都无法保存。请确认该文件及其所在的文件夹可以写入，然后再启动。程序将退出。</source>
        <translation>The database file cannot be written:
%1

No task, birthday, account or setting entered here could be saved. Make sure the file and its folder are writable, then start again. The program will exit.</translation>
    </message>
    <message>
        <source>无法用备份还原数据库：
%1

%2
请确认数据库所在的文件夹可以写入、磁盘没有写满，然后再启动。程序将退出。备份保持原样。</source>
        <translation>Cannot restore the database from the backup:
%1

%2
Make sure the database folder can be written and the disk is not full, then start again. The program will now quit. The backup is kept as it is.</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>程序已在运行</source>
        <translation>Already Running</translation>
    </message>
    <message>
        <source>同目录仅可运行一个程序</source>
        <translation>Only one copy of the program can run from the same folder.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>每位用户仅可运行一个程序</source>
        <translation>Only one copy of the program can run for each user.</translation>
    </message>
    <message>
        <source>无法启动</source>
        <translation>Cannot Start</translation>
    </message>
    <message>
        <source>无法确认同目录没有另一个程序在运行：
%1

程序将退出。</source>
        <translation>Cannot make sure that no other copy runs from this folder:
%1

The program will now quit.</translation>
    </message>
    <message>
        <source>无法打开数据文件夹：%1</source>
        <translation>Cannot open the data folder: %1</translation>
    </message>
</context>
<context>
    <name>SyncConfigGroup</name>
    <message>
        <source>服务器(&amp;V)</source>
        <translation>Ser&amp;ver</translation>
    </message>
    <message>
        <source>CalDAV 日历服务器的地址，如 https://cloud.example.com 或日历本身的地址</source>
        <translation>The address of the CalDAV calendar server, such as https://cloud.example.com, or of the calendar itself</translation>
    </message>
    <message>
        <source>https://</source>
        <translation>https://</translation>
    </message>
    <message>
        <source>用户名(&amp;N)</source>
        <translation>User &amp;name</translation>
    </message>
    <message>
        <source>测试连接(&amp;T)</source>
        <translation>&amp;Test connection</translation>
    </message>
    <message>
        <source>密码(&amp;M)</source>
        <translation>Passw&amp;ord</translation>
    </message>
    <message>
        <source>保存在系统的密钥环中，不写入设置文件</source>
        <translation>Kept in the system&apos;s keyring, never in the settings file</translation>
    </message>
    <message>
        <source>留空则用已保存的密码</source>
        <translation>Leave empty to use the saved password</translation>
    </message>
    <message>
        <source>日历(&amp;D)</source>
        <translation>Calen&amp;dar</translation>
    </message>
    <message>
        <source>任务和生日同步到这个日历；先测试连接以列出服务器上的日历</source>
        <translation>Tasks and birthdays are synced with this calendar; test the connection first to list the server&apos;s calendars</translation>
    </message>
    <message>
        <source>立即同步(&amp;Y)</source>
        <translation>S&amp;ync now</translation>
    </message>
    <message>
        <source>日历中没有成为任务的事件，以及原因</source>
        <translation>Events of the calendar that did not become tasks, and why</translation>
    </message>
    <message>
        <source>不同步</source>
        <translation>No sync</translation>
    </message>
    <message>
        <source>正在同步…</source>
        <translation>Syncing…</translation>
    </message>
    <message>
        <source>系统没有可用的密钥环，密码只保留到程序退出。</source>
        <translation>The system has no keyring to keep the password: it is kept until the program ends.</translation>
    </message>
    <message numerus="yes">
        <source>日历中有 %n 个事件没有成为任务：</source>
        <translation>
            <numerusform>%n event of the calendar did not become a task:</numerusform>
            <numerusform>%n events of the calendar did not become tasks:</numerusform>
        </translation>
    </message>
    <message>
        <source>正在连接…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>连接失败：%1</source>
        <translation>Connection failed: %1</translation>
    </message>
    <message>
        <source>无法写入设置文件</source>
        <translation>Cannot write the settings file</translation>
    </message>
    <message>
        <source>新建日历“Pemmora”</source>
        <translation>New calendar “Pemmora”</translation>
    </message>
    <message numerus="yes">
        <source>连接成功，找到 %n 个日历。</source>
        <translation>
            <numerusform>Connected; %n calendar found.</numerusform>
            <numerusform>Connected; %n calendars found.</numerusform>
        </translation>
    </message>
    <message>
        <source>请选择要同步的日历。</source>
        <translation>Choose the calendar to sync with.</translation>
    </message>
    <message>
        <source>无法新建日历：%1</source>
        <translation>Cannot create the calendar: %1</translation>
    </message>
    <message>
        <source>请先测试连接，再选择要同步的日历</source>
        <translation>Test the connection first, then choose the calendar to sync with</translation>
    </message>
    <message>
        <source>日历同步</source>
        <translation>Calendar sync</translation>
    </message>
    <message>
        <source>请输入 %1 在 %2 的密码。
系统没有保存它的密钥环时，密码只保留到程序退出。</source>
        <translation>Enter the password of %1 at %2.
Without a system keyring to keep it, the password is kept only until the program ends.</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message>
        <source>“%1”在服务器上已删除，本机又改过：保留本机的修改</source>
        <translation>“%1” was deleted on the server and changed here: the change here is kept</translation>
    </message>
    <message>
        <source>“%1”两边都改过，本机的修改较晚，替换了服务器上的版本</source>
        <translation>“%1” changed on both sides; the change here is later and replaced the server&apos;s version</translation>
    </message>
    <message>
        <source>“%1”两边都改过，服务器上的修改较晚，替换了本机的版本</source>
        <translation>“%1” changed on both sides; the server&apos;s change is later and replaced the version here</translation>
    </message>
</context>
<context>
    <name>SyncMapping</name>
    <message>
        <source>不是日程事件</source>
        <translation>Not an event</translation>
    </message>
    <message>
        <source>重复事件中有单独改过的日子</source>
        <translation>Single occurrences of the series were changed</translation>
    </message>
    <message>
        <source>事件已取消</source>
        <translation>The event is cancelled</translation>
    </message>
    <message>
        <source>全天事件没有提醒的时刻</source>
        <translation>An all-day event has no time to remind at</translation>
    </message>
    <message>
        <source>重复规则对应不上任务的周期：%1</source>
        <translation>The repeat rule matches no task cycle: %1</translation>
    </message>
    <message>
        <source>重复中另加或除去了日子</source>
        <translation>The series adds or leaves out days</translation>
    </message>
    <message>
        <source>与日历中另一个事件是同一个任务</source>
        <translation>The same task as another event of the calendar</translation>
    </message>
</context>
<context>
    <name>SyncService</name>
    <message>
        <source>没有同步密码</source>
        <translation>No password for the sync</translation>
    </message>
    <message>
        <source>请填写密码</source>
        <translation>Enter the password</translation>
    </message>
    <message>
        <source>无法读取数据库</source>
        <translation>Cannot read the database</translation>
    </message>
    <message>
        <source>无法保存同步状态：%1</source>
        <translation>Cannot save the sync state: %1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>（无标题）</source>
        <translation>(no title)</translation>
    </message>
    <message>
        <source>日历已同步 %1</source>
        <translation>Calendar synced %1</translation>
    </message>
    <message>
        <source>日历同步失败：%1</source>
        <translation>Calendar sync failed: %1</translation>
    </message>
    <message>
        <source>日历同步失败：%1（上次成功 %2）</source>
        <translation>Calendar sync failed: %1 (last success %2)</translation>
    </message>
</context>
<context>
    <name>TaskTab</name>
    <message>
        <source>提示窗一直停留</source>
        <translation>Popup stays until closed</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;img src=&quot;:/img/Task/Lock.png&quot; width=&quot;25&quot; height=&quot;25&quot;/&gt;&lt;br/&gt;表示右下角弹窗会一直停留&lt;/p&gt;&lt;p&gt;&lt;img src=&quot;:/img/Task/Unlock.png&quot; width=&quot;25&quot; height=&quot;25&quot;/&gt;&lt;br/&gt;表示右下角弹窗会按照配置时间显示后，自动关闭&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;img src=&quot;:/img/Task/Lock.png&quot; width=&quot;25&quot; height=&quot;25&quot;/&gt;&lt;br/&gt;Popups stay in the bottom-right corner until you close them&lt;/p&gt;&lt;p&gt;&lt;img src=&quot;:/img/Task/Unlock.png&quot; width=&quot;25&quot; height=&quot;25&quot;/&gt;&lt;br/&gt;Popups close by themselves after the display time set in the notice settings&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>任务图标：点击或按空格键选择</source>
        <translation>Task icon: click or press Space to choose</translation>
    </message>
    <message>
        <source>任务图标</source>
        <translation>Task icon</translation>
    </message>
    <message>
        <source>单次</source>
        <translation>Once</translation>
    </message>
    <message>
        <source>每天</source>
        <translation>Daily</translation>
    </message>
    <message>
        <source>工作日</source>
        <translation>Workdays</translation>
    </message>
    <message>
        <source>每周</source>
        <translation>Weekly</translation>
    </message>
    <message>
        <source>星期一</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>星期二</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>星期三</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>星期四</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>星期五</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>星期六</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>星期天</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>剩余时间(&amp;L)</source>
        <translation>Time &amp;left</translation>
    </message>
    <message>
        <source>目标时间(&amp;D)</source>
        <translation>&amp;Due time</translation>
    </message>
    <message>
        <source>添加任务(&amp;A)</source>
        <translation>&amp;Add Task</translation>
    </message>
    <message>
        <source>清除已完成(&amp;C)</source>
        <translation>&amp;Clear Completed</translation>
    </message>
    <message>
        <source>请填写任务名称</source>
        <translation>Enter a task name</translation>
    </message>
    <message>
        <source>没有已完成的任务</source>
        <translation>No completed tasks</translation>
    </message>
    <message numerus="yes">
        <source>删除 %n 个已完成的任务？</source>
        <translation>
            <numerusform>Delete %n completed task?</numerusform>
            <numerusform>Delete %n completed tasks?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TaskWidgetItem</name>
    <message>
        <source>周期</source>
        <translation>Cycle</translation>
    </message>
    <message>
        <source>时间到</source>
        <translation>Time&apos;s up</translation>
    </message>
    <message>
        <source>任务名</source>
        <translation>Task name</translation>
    </message>
    <message>
        <source>完成时间</source>
        <translation>Due time</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>单次</source>
        <translation>Once</translation>
    </message>
    <message>
        <source>每天</source>
        <translation>Daily</translation>
    </message>
    <message>
        <source>工作日</source>
        <translation>Workdays</translation>
    </message>
    <message>
        <source>星期几，这里翻译字符最长的那一个词用作计算宽度</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>星期一</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>星期二</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>星期三</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>星期四</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>星期五</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>星期六</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>星期天</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>超过 99 天</source>
        <translation>Over 99 days</translation>
    </message>
    <message>
        <source>%1 天 %2 小时</source>
        <translation>%1 d %2 h</translation>
    </message>
    <message>
        <source>%1 小时 %2 分</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 分 %2 秒</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>确认删除？</source>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>删除任务“%1”？</source>
        <translation>Delete the task “%1”?</translation>
    </message>
    <message>
        <source>提示窗一直停留</source>
        <translation>Popup stays until closed</translation>
    </message>
</context>
<context>
    <name>TextRule</name>
    <message numerus="yes">
        <source>最多 %n 个字符</source>
        <translation>
            <numerusform>At most %n character</numerusform>
            <numerusform>At most %n characters</numerusform>
        </translation>
    </message>
    <message>
        <source>这一栏最多 %1 个字符，多出的部分没有加入。</source>
        <translation>This field takes at most %1 characters; the rest was left out.</translation>
    </message>
    <message>
        <source>空字符（NUL）无法保存，已去掉。</source>
        <translation>NUL characters cannot be stored and were removed.</translation>
    </message>
</context>
<context>
    <name>ThirdPartySource</name>
    <message>
        <source>第三方来源</source>
        <translation>Credits</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>图标</source>
        <translation>Icons</translation>
    </message>
</context>
<context>
    <name>UserInfoDetailDialog</name>
    <message>
        <source>编辑账号信息</source>
        <translation>Edit Account</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>带(*)的内容会被加密存储</source>
        <translation>Fields marked (*) are stored encrypted.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>请验证后查看加密信息</source>
        <translation>Log in to view</translation>
    </message>
    <message>
        <source>增加账号信息</source>
        <translation>Add Account</translation>
    </message>
    <message>
        <source>已损坏，无法读取</source>
        <translation>Damaged, unreadable</translation>
    </message>
    <message>
        <source>存储的内容已损坏，无法读取；不重新填写则保存时原样保留</source>
        <translation>The stored content is damaged and cannot be read; unless you enter a new value, it is saved unchanged</translation>
    </message>
    <message>
        <source>项目(&amp;T)</source>
        <translation>&amp;Title</translation>
    </message>
    <message>
        <source>用户名(&amp;U)</source>
        <translation>&amp;User name</translation>
    </message>
    <message>
        <source>手机(&amp;P)</source>
        <translation>&amp;Phone</translation>
    </message>
    <message>
        <source>邮箱(&amp;E)</source>
        <translation>&amp;Email</translation>
    </message>
    <message>
        <source>密码(&amp;W) *</source>
        <translation>Pass&amp;word *</translation>
    </message>
    <message>
        <source>昵称(&amp;K)</source>
        <translation>Nic&amp;kname</translation>
    </message>
    <message>
        <source>密码备注(&amp;H) *</source>
        <translation>Password &amp;hint *</translation>
    </message>
    <message>
        <source>网址(&amp;S)</source>
        <translation>Web&amp;site</translation>
    </message>
    <message>
        <source>公开的备注(&amp;B)</source>
        <translation>Pu&amp;blic note</translation>
    </message>
    <message>
        <source>加密的备注(&amp;Y) *</source>
        <translation>Encr&amp;ypted note *</translation>
    </message>
    <message>
        <source>复制用户名，稍后自动从剪贴板清除</source>
        <translation>Copy the user name; it is cleared from the clipboard shortly</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>生成一个新密码；箭头处可选长度和字符种类</source>
        <translation>Generate a new password; the arrow chooses length and kinds of characters</translation>
    </message>
    <message>
        <source>生成(&amp;G)</source>
        <translation>&amp;Generate</translation>
    </message>
    <message>
        <source>复制密码，稍后自动从剪贴板清除</source>
        <translation>Copy the password; it is cleared from the clipboard shortly</translation>
    </message>
    <message>
        <source>长度：</source>
        <translation>Length: </translation>
    </message>
    <message>
        <source>字母</source>
        <translation>Letters</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>Digits</translation>
    </message>
    <message>
        <source>符号</source>
        <translation>Symbols</translation>
    </message>
</context>
<context>
    <name>UsersConfigGroup</name>
    <message>
        <source>单页账号数，0~100，0表示不分页(&amp;P)</source>
        <translation>Accounts per &amp;page, 0–100 (0: no paging)</translation>
    </message>
    <message>
        <source>无操作自动退出管理账号时间(秒)，0或30~300，0表示不退出，务必注意账号被他人窥视(&amp;S)</source>
        <translation>Log out after this many idle &amp;seconds, 0 or 30–300 (0: never; others may then see your accounts)</translation>
    </message>
    <message>
        <source>确定(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>输入无效</source>
        <translation>Invalid Input</translation>
    </message>
    <message>
        <source>范围</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>不分页</source>
        <translation>no paging</translation>
    </message>
    <message>
        <source>或</source>
        <translation>or</translation>
    </message>
    <message>
        <source>不自动退出，有被他人查看的风险</source>
        <translation>never log out automatically (others may see your accounts)</translation>
    </message>
    <message>
        <source>复制的用户名和密码在剪贴板中保留的时间(秒)，0或5~120，0表示不清除(&amp;C)</source>
        <translation>Seconds a copied user name or password stays on the &amp;clipboard, 0 or 5–120 (0: until replaced)</translation>
    </message>
    <message>
        <source>不清除，复制的内容留在剪贴板中</source>
        <translation>never clear: what was copied stays on the clipboard</translation>
    </message>
</context>
<context>
    <name>UsersTab</name>
    <message>
        <source>用户(&amp;U)</source>
        <translation>&amp;User</translation>
    </message>
    <message>
        <source>密钥(&amp;K)</source>
        <translation>&amp;Key</translation>
    </message>
    <message>
        <source>显示密钥</source>
        <translation>Show key</translation>
    </message>
    <message>
        <source>修改管理账号(&amp;M)</source>
        <translation>Change &amp;Master Account</translation>
    </message>
    <message>
        <source>验证</source>
        <translation>Log In</translation>
    </message>
    <message>
        <source>检索方式</source>
        <translation>Search by</translation>
    </message>
    <message>
        <source>项目(&amp;T)</source>
        <translation>&amp;Title</translation>
    </message>
    <message>
        <source>用户名(&amp;N)</source>
        <translation>User &amp;name</translation>
    </message>
    <message>
        <source>邮箱(&amp;E)</source>
        <translation>&amp;Email</translation>
    </message>
    <message>
        <source>手机号(&amp;P)</source>
        <translation>&amp;Phone</translation>
    </message>
    <message>
        <source>网址(&amp;W)</source>
        <translation>&amp;Website</translation>
    </message>
    <message>
        <source>检索(&amp;S)</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>用户名</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>昵称</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>手机</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Updated</translation>
    </message>
    <message>
        <source>增加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>编辑(&amp;D)</source>
        <translation>E&amp;dit</translation>
    </message>
    <message>
        <source>删除(&amp;L)</source>
        <translation>De&amp;lete</translation>
    </message>
    <message>
        <source>上一页(&amp;R)</source>
        <translation>P&amp;revious</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>/ 1</source>
        <translation>/ 1</translation>
    </message>
    <message>
        <source>跳转(&amp;G)</source>
        <translation>&amp;Go</translation>
    </message>
    <message>
        <source>下一页(&amp;X)</source>
        <translation>Ne&amp;xt</translation>
    </message>
    <message>
        <source>注册</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>验证中...</source>
        <translation>Logging in...</translation>
    </message>
    <message>
        <source>验证中</source>
        <translation>Logging In</translation>
    </message>
    <message>
        <source>请再次输入密钥</source>
        <translation>Type the key again</translation>
    </message>
    <message>
        <source>请牢记用户名和密钥：二者都无法找回，忘记后加密保存的密码、密码备注和加密的备注将无法恢复。</source>
        <translation>Remember the user name and the key: neither can be recovered, and without them the encrypted passwords, password hints and encrypted notes are lost for good.</translation>
    </message>
    <message>
        <source>确认注册该账号吗？</source>
        <translation>Register This Master Account?</translation>
    </message>
    <message>
        <source>确认密钥</source>
        <translation>Confirm Key</translation>
    </message>
    <message>
        <source>该账号库由旧版程序注册，将按以下用户名和刚才的密钥重新加密：
%1

请核对用户名，并再次输入密钥</source>
        <translation>This account vault was registered by an older version and will be encrypted again under this user name and the key you just entered:
%1

Check the user name and type the key again</translation>
    </message>
    <message>
        <source>验证通过，请注意周边环境，离开时请务必退出验证！</source>
        <translation>Logged in. Mind who can see your screen, and always log out before you leave!</translation>
    </message>
    <message>
        <source>退出验证</source>
        <translation>Log Out</translation>
    </message>
    <message>
        <source>正常退出</source>
        <translation>Logged out</translation>
    </message>
    <message>
        <source>为了你的账号安全，已自动退出验证</source>
        <translation>Logged out automatically to keep your accounts safe</translation>
    </message>
    <message>
        <source>验证失败</source>
        <translation>Login failed</translation>
    </message>
    <message>
        <source>注册成功，请尝试用刚才的信息进行验证！</source>
        <translation>Registered. Now log in with the details you just entered.</translation>
    </message>
    <message>
        <source>管理账号已修改，请重新验证！</source>
        <translation>The master account was changed. Please log in again.</translation>
    </message>
    <message>
        <source>%1 秒后自动退出验证</source>
        <translation>Logging out in %1 s</translation>
    </message>
    <message>
        <source>输入无效</source>
        <translation>Invalid Input</translation>
    </message>
    <message>
        <source>确认删除该账号？</source>
        <translation>Delete this account?</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>数据库备份出错！</source>
        <translation>Database backup failed.</translation>
    </message>
    <message>
        <source>数据库操作出错！</source>
        <translation>Database operation failed.</translation>
    </message>
    <message>
        <source>修改成功！</source>
        <translation>Master account changed.</translation>
    </message>
    <message>
        <source>部分内容无法读取</source>
        <translation>Some Fields Unreadable</translation>
    </message>
    <message>
        <source>%1 个加密内容已损坏，无法读取，已按原样保留。</source>
        <translation>%1 encrypted field(s) are damaged and cannot be read; they were kept as stored.</translation>
    </message>
    <message>
        <source>备份文件未能删除</source>
        <translation>Backup File Not Deleted</translation>
    </message>
    <message>
        <source>复制用户名(&amp;U)</source>
        <translation>Copy &amp;User Name</translation>
    </message>
    <message>
        <source>复制密码(&amp;P)</source>
        <translation>Copy &amp;Password</translation>
    </message>
    <message>
        <source>存储的密码已损坏，无法读取</source>
        <translation>The stored password is damaged and cannot be read</translation>
    </message>
    <message>
        <source>该账号没有密码</source>
        <translation>This account has no password</translation>
    </message>
    <message>
        <source>该账号没有用户名</source>
        <translation>This account has no user name</translation>
    </message>
    <message>
        <source>已取消注册</source>
        <translation>Registration cancelled</translation>
    </message>
</context>
<context>
    <name>VaultInput</name>
    <message>
        <source>用户名无效</source>
        <translation>Invalid User Name</translation>
    </message>
    <message>
        <source>格式:
中文: 2~16位
中文+字母+数字: 4~16位任意组合

说明:
字母/数字都是半角</source>
        <translation>Format:
2–16 Chinese characters, or
4–16 Chinese characters, letters and digits in any mix

Note:
Letters and digits are half-width (ASCII)</translation>
    </message>
    <message>
        <source>密钥无效</source>
        <translation>Invalid Key</translation>
    </message>
    <message>
        <source>格式:
中文: 4~24位
中文+字母+数字+符号: 8~24位任意组合

说明:
可用符号: !@#$%^&amp;*_.?
字母/数字/符号都是半角
启用显示密码后可输入中文</source>
        <translation>Format:
4–24 Chinese characters, or
8–24 Chinese characters, letters, digits and symbols in any mix

Notes:
Symbols allowed: !@#$%^&amp;*_.?
Letters, digits and symbols are half-width (ASCII)
Chinese characters can be typed while the key is shown</translation>
    </message>
    <message>
        <source>密钥不一致</source>
        <translation>Keys Do Not Match</translation>
    </message>
    <message>
        <source>两次输入的密钥不一致！</source>
        <translation>The two keys you entered do not match.</translation>
    </message>
</context>
<context>
    <name>VaultStore</name>
    <message>
        <source>开始备份数据库..</source>
        <translation>Backing up the database...</translation>
    </message>
    <message>
        <source>完成.</source>
        <translation>Done.</translation>
    </message>
    <message>
        <source>开始获取账号信息..</source>
        <translation>Reading the accounts...</translation>
    </message>
    <message>
        <source>获取: %1 / %2</source>
        <translation>Read: %1 / %2</translation>
    </message>
    <message>
        <source>开始重新加密..</source>
        <translation>Re-encrypting...</translation>
    </message>
    <message>
        <source>加密: %1 / %2</source>
        <translation>Encrypted: %1 / %2</translation>
    </message>
    <message>
        <source>开始提交到数据库..</source>
        <translation>Writing to the database...</translation>
    </message>
    <message>
        <source>提交: %1 / %2</source>
        <translation>Written: %1 / %2</translation>
    </message>
</context>
<context>
    <name>WorkdayConfig</name>
    <message>
        <source>工作日配置</source>
        <translation>Workdays</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>工作 =&gt; 休息</source>
        <translation>Workday =&gt; Day off</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>工作</source>
        <translation>Workday</translation>
    </message>
    <message>
        <source>休息</source>
        <translation>Day off</translation>
    </message>
    <message>
        <source>工作或休息</source>
        <translation>Workday or day off</translation>
    </message>
    <message>
        <source>日期无效</source>
        <translation>Invalid Date</translation>
    </message>
    <message>
        <source>填写格式为</source>
        <translation>Use the format</translation>
    </message>
    <message>
        <source>该日期已存在</source>
        <translation>This date is already listed</translation>
    </message>
    <message>
        <source>未选择行</source>
        <translation>No Row Selected</translation>
    </message>
    <message>
        <source>请先选择要删除的行</source>
        <translation>Please select the row to delete first.</translation>
    </message>
    <message>
        <source>请确认以下信息</source>
        <translation>The following will be deleted</translation>
    </message>
    <message>
        <source>确认删除？</source>
        <translation>Confirm Deletion</translation>
    </message>
    <message>
        <source>使用说明：
正常情况下，默认1~5为工作日，6~7为休息日
这里可以添加例外情况，如：
添加1~5，会识别为休息日
添加6~7，会识别为工作日</source>
        <translation>How it works:
Normally Monday to Friday are workdays and the weekend is off.
Add the exceptions here:
a Monday to Friday date you add becomes a day off,
a Saturday or Sunday date you add becomes a workday.</translation>
    </message>
    <message>
        <source>没有过期日期</source>
        <translation>No past dates</translation>
    </message>
    <message numerus="yes">
        <source>删除 %n 个过期日期？</source>
        <translation>
            <numerusform>Delete %n past date?</numerusform>
            <numerusform>Delete %n past dates?</numerusform>
        </translation>
    </message>
    <message>
        <source>添加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>清除过期日期(&amp;C)</source>
        <translation>&amp;Clear Past Dates</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>日期(&amp;T)</source>
        <translation>Da&amp;te</translation>
    </message>
    <message>
        <source>备注(&amp;N)</source>
        <translation>&amp;Note</translation>
    </message>
    <message>
        <source>从 iCalendar（.ics）文件导入节假日和调休上班日</source>
        <translation>Import public holidays and make-up working days from an iCalendar (.ics) file</translation>
    </message>
    <message>
        <source>导入(&amp;I)</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>导入节假日</source>
        <translation>Import holidays</translation>
    </message>
    <message>
        <source>iCalendar 日历</source>
        <translation>iCalendar calendar</translation>
    </message>
    <message>
        <source>所有文件</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>无法导入</source>
        <translation>Cannot import</translation>
    </message>
    <message>
        <source>网上日历(&amp;S)</source>
        <translation>&amp;Subscription</translation>
    </message>
    <message>
        <source>网上节假日日历的地址（https:// 或 webcal://），启动时和每周获取一次</source>
        <translation>Address of a holiday calendar on the web (https:// or webcal://), fetched at start and once a week</translation>
    </message>
    <message>
        <source>https:// 或 webcal:// 地址</source>
        <translation>https:// or webcal:// address</translation>
    </message>
    <message>
        <source>订阅</source>
        <translation>Subscribe</translation>
    </message>
    <message>
        <source>日历中的 %1 个日期都已与现在相同，无需更改。</source>
        <translation>All %1 dates of the calendar are already as it says; nothing to change.</translation>
    </message>
    <message>
        <source>无法订阅</source>
        <translation>Cannot Subscribe</translation>
    </message>
    <message>
        <source>请填写以 https:// 或 webcal:// 开头的日历地址。</source>
        <translation>Please enter a calendar address that starts with https:// or webcal://.</translation>
    </message>
    <message>
        <source>从未</source>
        <translation>never</translation>
    </message>
    <message>
        <source>没有订阅网上的节假日日历。</source>
        <translation>No holiday calendar on the web subscribed.</translation>
    </message>
    <message>
        <source>获取失败：%1
保留已有的日期。上次成功：%2</source>
        <translation>Fetch failed: %1
The dates already listed stay. Last success: %2</translation>
    </message>
    <message>
        <source>启动时和每周获取一次。上次成功：%1</source>
        <translation>Fetched at start and once a week. Last success: %1</translation>
    </message>
</context>
</TS>
