<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>AesAccountUpdateDialog</name>
    <message>
        <source>修改管理账号信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新用户</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新密钥</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认新密钥</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>进度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新详情</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未填写更改项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请至少填写一个需要更改的内容！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密钥不一致</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>两次输入的密钥不一致！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更改信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;用户&gt;将被更新为</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;密钥&gt;将被更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请确认更改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库执行出错</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请重启软件以还原数据库！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请等待</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请等待进度完成哦</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BirthdayConfig</name>
    <message>
        <source>生日配置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>姓名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>别称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>头像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清除编辑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生日类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>农历</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公历</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>性别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>男</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>女</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>农历生日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>忽略年</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>年</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公历生日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提醒时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提前一天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提前三天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提前一周</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>三月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>四月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>五月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>六月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>七月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>八月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>九月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>冬月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>腊月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初三</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初四</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初五</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初六</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初七</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初八</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初九</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初十</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十三</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十四</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十五</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十六</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十七</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十八</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>十九</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二十</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿三</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿四</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿五</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿六</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿七</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿八</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>廿九</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>三十</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>姓名不能为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请填写姓名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超出有效年范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>范围: 1901~2099年</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一个生日超出支持的范围: 1901~2099年</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>否</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择要更新的行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择要删除的行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>农历年</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>农历月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>农历日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公历年</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公历月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公历日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近生日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>农历闰月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经存在相同的人
请确认 姓名+别称+性别 组合的唯一性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请确认删除信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认删除？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BirthdayReminder</name>
    <message>
        <source>后天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>明天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>昨天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1天后</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1天前</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1是%2的生日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生日快乐</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BirthdayWidgetItem</name>
    <message>
        <source>农历</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公历</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CentralNotice</name>
    <message>
        <source>
(之前还有 %1 条提示)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DatabaseUpgrader</name>
    <message>
        <source>表 %1 缺少主键列 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件已存在，未被改动：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库文件未被改动。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到数据库文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 不是本程序的数据库，无法升级。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 没有版本信息，不是本程序的数据库，无法升级。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库版本 %1 比本升级程序支持的版本 %2 新，请使用更新的程序。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>程序需要数据库版本 %1，本升级程序只能升级到版本 %2。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库已是版本 %1，无需升级。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法复制数据库文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>升级失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库已从版本 %1 升级到版本 %2。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库升级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法从程序 %1 获取所需的数据库版本。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpDocument</name>
    <message>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>页面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新日志</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内容</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IconManage</name>
    <message>
        <source>图标选择与管理</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>任务</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>备注</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可拖入图片到这里</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示备注</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>默认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择图标</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择一个图标进行操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择图片文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图片文件(*.jpg *.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图片已存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已有同名的图片文件，是否替换？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图片未能保存，请检查图标文件夹是否可以写入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择待转换的图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无更改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未进行任何更改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>默认图标不能删除，只能更换图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请确认删除信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>路径</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认删除？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IconWidgetItem</name>
    <message>
        <source>选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LabelMessageBox</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>任务</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;img src=&quot;:/img/Task/Lock.png&quot; width=&quot;25&quot; height=&quot;25&quot;/&gt;&lt;br/&gt;表示右下角弹窗会一直停留&lt;/p&gt;&lt;p&gt;&lt;img src=&quot;:/img/Task/Unlock.png&quot; width=&quot;25&quot; height=&quot;25&quot;/&gt;&lt;br/&gt;表示右下角弹窗会按照配置时间显示后，自动关闭&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每周</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期三</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期四</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期五</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期六</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剩余时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>目标时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加任务</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清除已完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生日管家</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>账号管理</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密钥</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改管理账号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检索方式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手机号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>昵称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手机</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>增加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上一页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>/ 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跳转</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>系统</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开机启动</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前用户</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>语言</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>配置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>点击配置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图标</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单页账号数，0~100，0表示不分页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无操作自动退出管理账号时间(秒)，0或30~300，0表示不退出，务必注意账号被他人窥视</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目主页：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>问题反馈：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于 Qt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第三方来源</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缩放率被更改，建议重启软件以适应新的缩放率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是否重启本软件生效？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库需要升级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使用已删除图标的地方，已被重置为默认图标，将在重启后生效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检测到使用了更新前的图标，需要重启软件后才会更新界面显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>注册</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>语言将在下次软件打开时生效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请填写任务名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认注册该账号吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证通过，请注意周边环境，离开时请务必退出验证！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出验证</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正常退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>为了你的账号安全，已自动退出验证</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>注册成功，请尝试用刚才的信息进行验证！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>管理账号已修改，请重新验证！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 秒后自动退出验证</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>警告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认删除该账号？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不分页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>或</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不自动退出，有被他人查看的风险</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库备份出错！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库操作出错！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改成功！</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NormalNotice</name>
    <message>
        <source>保持显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>完成时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通知时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>年龄</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>农历</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公历</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NoticeConfig</name>
    <message>
        <source>提示配置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全屏提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>启用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>任务</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>淡入时间(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>停留时间(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>淡出时间(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文本颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>阴影颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>背景</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全屏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>条状</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>普通提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示时间(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请设置字体颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请设置字体阴影颜色</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SqlThread</name>
    <message>
        <source>检测到之前管理账号可能修改失败
数据库已被还原，如需请重新尝试修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库丢失，程序将退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库连接出错，程序将退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库版本太低，程序将在数据库升级成功后自动重启</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所需版本：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>实际版本：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开始备份数据库..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>完成.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开始获取账号信息..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开始重新加密..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开始提交到数据库..</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>程序已在运行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同目录仅可运行一个程序</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskWidgetItem</name>
    <message>
        <source>周期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时间到</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>任务名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>完成时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期几，这里翻译字符最长的那一个词用作计算宽度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期三</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期四</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期五</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期六</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>星期天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超过 99 天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 天 %2 小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 小时 %2 分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 分 %2 秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThirdPartySource</name>
    <message>
        <source>第三方来源</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>代码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图标</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserInfoDetailDialog</name>
    <message>
        <source>编辑账号信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手机</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密码 *</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>昵称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密码备注 *</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>公开的备注</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加密的备注 *</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>带(*)的内容会被加密存储</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请验证后查看加密信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>增加账号信息</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VaultInput</name>
    <message>
        <source>用户名无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>格式:
中文: 2~16位
中文+字母+数字: 4~16位任意组合

说明:
字母/数字都是半角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密钥无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>格式:
中文: 4~24位
中文+字母+数字+符号: 8~24位任意组合

说明:
可用符号: !@#$%^&amp;*_.?
字母/数字/符号都是半角
启用显示密码后可输入中文</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WorkdayConfig</name>
    <message>
        <source>工作日配置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清除过期日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作 =&gt; 休息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>备注</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>休息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作或休息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日期无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>填写格式为</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该日期已存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请先选择要删除的行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请确认以下信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认删除？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使用说明：
正常情况下，默认1~5为工作日，6~7为休息日
这里可以添加例外情况，如：
添加1~5，会识别为休息日
添加6~7，会识别为工作日</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
