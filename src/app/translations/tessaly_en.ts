<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ChartPicture</name>
    <message>
        <source>婚配指数=%1分</source>
        <translation>Index %1/99</translation>
    </message>
    <message>
        <source>甲命</source>
        <translation>Person A</translation>
    </message>
    <message>
        <source>乙命</source>
        <translation>Person B</translation>
    </message>
    <message>
        <source>乾造</source>
        <translation>Male</translation>
    </message>
    <message>
        <source>坤造</source>
        <translation>Female</translation>
    </message>
</context>
<context>
    <name>ExplanationTexts</name>
    <message>
        <source>%1 天 </source>
        <translation>%1 d </translation>
    </message>
    <message>
        <source>%1 小时 </source>
        <translation>%1 h </translation>
    </message>
    <message>
        <source>%1 分 </source>
        <translation>%1 min </translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>可排盘年份的边界</source>
        <translation>the limit of the years a chart can be cast for</translation>
    </message>
    <message>
        <source>零时（换日）</source>
        <translation>midnight (the day changes)</translation>
    </message>
    <message>
        <source>零时（生日日期）</source>
        <translation>midnight (date of birth)</translation>
    </message>
    <message>
        <source>%1时与%2时之交</source>
        <translation>the boundary of the %1 and %2 hours</translation>
    </message>
    <message>
        <source>%1（换日）</source>
        <translation>%1 (the day changes)</translation>
    </message>
    <message>
        <source>年柱</source>
        <translation>Year Pillar</translation>
    </message>
    <message>
        <source>月柱</source>
        <translation>Month Pillar</translation>
    </message>
    <message>
        <source>日柱</source>
        <translation>Day Pillar</translation>
    </message>
    <message>
        <source>时柱</source>
        <translation>Hour Pillar</translation>
    </message>
    <message>
        <source>真太阳时</source>
        <translation>true solar time</translation>
    </message>
    <message>
        <source>地方时</source>
        <translation>local mean time</translation>
    </message>
    <message>
        <source>北京时间</source>
        <translation>Beijing time</translation>
    </message>
    <message>
        <source>甲命</source>
        <translation>Person A</translation>
    </message>
    <message>
        <source>乙命</source>
        <translation>Person B</translation>
    </message>
</context>
<context>
    <name>tessaly::BoundaryNotice</name>
    <message>
        <source>出生时刻临近交界的提示</source>
        <translation>Notice: birth moment near a boundary</translation>
    </message>
    <message>
        <source>%1为%2</source>
        <translation>%1 would be %2</translation>
    </message>
    <message>
        <source>%1（北京时间）</source>
        <translation>%1 (Beijing time)</translation>
    </message>
    <message>
        <source>若早于 %1</source>
        <translation>if earlier than %1</translation>
    </message>
    <message>
        <source>若晚于 %1</source>
        <translation>if later than %1</translation>
    </message>
    <message>
        <source>%1出生时刻距%2仅 %3：%4，%5</source>
        <translation>%1: the birth moment is only %3 from %2: %4, %5</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>tessaly::CaseTreeModel</name>
    <message>
        <source>命例</source>
        <translation>Cases</translation>
    </message>
    <message>
        <source>公%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>农%1</source>
        <translation>lunar %1</translation>
    </message>
</context>
<context>
    <name>tessaly::CoupleTimelineChart</name>
    <message>
        <source>冲日支</source>
        <translation>clashes the day branch</translation>
    </message>
    <message>
        <source>合日支</source>
        <translation>combines with the day branch</translation>
    </message>
    <message>
        <source>刑害日支</source>
        <translation>punishes or harms the day branch</translation>
    </message>
    <message>
        <source>桃花</source>
        <translation>Peach Blossom</translation>
    </message>
    <message>
        <source>岁运并临</source>
        <translation>year and luck pillar alike</translation>
    </message>
    <message>
        <source>今年</source>
        <translation>this year</translation>
    </message>
    <message>
        <source>流年对照图</source>
        <translation>Chart of the 流年 Annual Pillars of both persons</translation>
    </message>
    <message>
        <source>甲命、乙命的大运与各年流年：上为甲命，下为乙命，中间为流年干支；点击某年或用左右方向键选年，下方显示该年两人的全部关系。</source>
        <translation>The 大运 Luck Pillars of Person A (above) and Person B (below), with the Annual Pillar of every year in the middle; click a year or choose it with the Left and Right keys to see all relations of both persons in that year below.</translation>
    </message>
    <message>
        <source>流年</source>
        <translation>Annual Pillar</translation>
    </message>
    <message>
        <source>未起运</source>
        <translation>luck not started</translation>
    </message>
    <message>
        <source>%1年 %2（自立春起）</source>
        <translation>%1: %2 (from the Start of Spring)</translation>
    </message>
    <message>
        <source>%1 %2年 %3</source>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <source>%1 日支%2：%3%2%4</source>
        <translation>%1 day branch %2: %3 %2 %4</translation>
    </message>
    <message>
        <source>日支%1</source>
        <translation>day branch %1</translation>
    </message>
    <message>
        <source>年支%1</source>
        <translation>year branch %1</translation>
    </message>
    <message>
        <source>✿ 桃花（%1）</source>
        <translation>✿ Peach Blossom (%1)</translation>
    </message>
    <message>
        <source>◆ 岁运并临（大运%1）</source>
        <translation>◆ year and luck pillar alike (Luck Pillar %1)</translation>
    </message>
    <message>
        <source>日支%1：无刑冲害合</source>
        <translation>day branch %1: no punishment, clash, harm or combination</translation>
    </message>
    <message>
        <source>%1 未出生</source>
        <translation>%1 not yet born</translation>
    </message>
    <message>
        <source>%1 未起运：%2年起大运</source>
        <translation>%1 luck not started: the Luck Pillars start in %2</translation>
    </message>
    <message>
        <source>%1 大运%2：%3年至%4年
%5</source>
        <translation>%1 Luck Pillar %2: %3 to %4
%5</translation>
    </message>
</context>
<context>
    <name>tessaly::CoupleTimelineView</name>
    <message>
        <source>所选年份</source>
        <translation>The chosen year</translation>
    </message>
    <message>
        <source>点击某一年，这里显示该年两人的全部关系。</source>
        <translation>Click a year: all relations of both persons in that year are shown here.</translation>
    </message>
    <message>
        <source>%1年 %2（自立春起）</source>
        <translation>%1: %2 (from the Start of Spring)</translation>
    </message>
    <message>
        <source>无法保存图片到%1。</source>
        <translation>The picture cannot be saved to %1.</translation>
    </message>
    <message>
        <source>无法开始打印。</source>
        <translation>Printing cannot start.</translation>
    </message>
    <message>
        <source>打印未能完成。</source>
        <translation>Printing did not finish.</translation>
    </message>
</context>
<context>
    <name>tessaly::FolderChooser</name>
    <message>
        <source>选择</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>文件夹:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>文件夹“%1”不存在，要创建它吗？</source>
        <translation>The folder &quot;%1&quot; does not exist. Create it?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>无法创建文件夹“%1”。</source>
        <translation>The folder &quot;%1&quot; cannot be created.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>“%1”不是文件夹。</source>
        <translation>&quot;%1&quot; is not a folder.</translation>
    </message>
</context>
<context>
    <name>tessaly::HelpWindow</name>
    <message>
        <source>使用说明</source>
        <translation>How to use</translation>
    </message>
    <message>
        <source>升级改进历史</source>
        <translation>Version history</translation>
    </message>
    <message>
        <source>关于本项目</source>
        <translation>About this project</translation>
    </message>
    <message>
        <source>软件帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>tessaly::IndexPartsChart</name>
    <message>
        <source>婚配指数构成</source>
        <translation>Parts of the compatibility index</translation>
    </message>
    <message>
        <source>甲命%1：%2&#x3000;乙命%1：%3</source>
        <translation>Person A %1: %2   Person B %1: %3</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>婚配指数%1分：</source>
        <translation>Compatibility index %1: </translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>合计</source>
        <translation>Total</translation>
    </message>
</context>
<context>
    <name>tessaly::LanguageMenu</name>
    <message>
        <source>跟随系统</source>
        <translation>Follow the desktop</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>tessaly::MainWindow</name>
    <message>
        <source>请先输入男、女生日合婚后，才能选择结婚吉日！</source>
        <translation>Enter the births of the man and the woman and run the matching first; then wedding days can be chosen.</translation>
    </message>
    <message>
        <source>必须输入男、女八字合婚后，才能选择结婚吉日！</source>
        <translation>Wedding days need the charts of a man and a woman matched first.</translation>
    </message>
    <message>
        <source>按『开始合婚(M)』输入甲乙双方生日</source>
        <translation>Press &quot;Match (M)&quot; to enter the births of Person A and Person B</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>新建命例</source>
        <translation>New case</translation>
    </message>
    <message>
        <source>保存八字</source>
        <translation>Save the case</translation>
    </message>
    <message>
        <source>开始合婚(&amp;M)</source>
        <translation>&amp;Match</translation>
    </message>
    <message>
        <source>合婚配对</source>
        <translation>Matching</translation>
    </message>
    <message>
        <source>结婚年</source>
        <translation>Wedding year</translation>
    </message>
    <message>
        <source>查找(&amp;D)</source>
        <translation>Fin&amp;d</translation>
    </message>
    <message>
        <source>结婚择日</source>
        <translation>Wedding days</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>导入历史记录</source>
        <translation>Import history...</translation>
    </message>
    <message>
        <source>导出历史记录</source>
        <translation>Export history...</translation>
    </message>
    <message>
        <source>清除历史记录</source>
        <translation>Clear history...</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>命理知识(&amp;S)</source>
        <translation>BaZi &amp;knowledge</translation>
    </message>
    <message>
        <source>相关知识</source>
        <translation>Knowledge pages and glossary</translation>
    </message>
    <message>
        <source>选项(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>命稿设置</source>
        <translation>Report appearance</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>字体设置</source>
        <translation>Font...</translation>
    </message>
    <message>
        <source>背景色设置</source>
        <translation>Background colour...</translation>
    </message>
    <message>
        <source>排盘设置</source>
        <translation>Chart options...</translation>
    </message>
    <message>
        <source>命稿结尾信息</source>
        <translation>Report ending text...</translation>
    </message>
    <message>
        <source>界面风格</source>
        <translation>Skin</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>软件帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关于 Tessaly</source>
        <translation>About Tessaly</translation>
    </message>
    <message>
        <source>存旧</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>存新</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>系统默认</source>
        <translation>System default</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>要修复吗？（修复前的文件会另存一份）</source>
        <translation>Repair it? (The files as they are now are kept in a copy.)</translation>
    </message>
    <message>
        <source>命例库已修复。</source>
        <translation>The case store was repaired.</translation>
    </message>
    <message>
        <source>命例库已修复，原来的文件保存在%1。</source>
        <translation>The case store was repaired; the former files are kept in %1.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>命例库没有打开，无法进行这项操作。</source>
        <translation>The case store is not open; this cannot be done.</translation>
    </message>
    <message>
        <source>当前命例文本已改变，要保存吗？</source>
        <translation>The report of the case on view has changed. Save it?</translation>
    </message>
    <message>
        <source>甲命和乙命的性别相同，一般情况下是一男一女不同的，确定无误要继续运算吗？</source>
        <translation>Person A and Person B have the same sex; usually they are a man and a woman. Go on with the matching?</translation>
    </message>
    <message>
        <source>性别相同！</source>
        <translation>Same sex!</translation>
    </message>
    <message>
        <source>婚配运算中..............</source>
        <translation>Matching..............</translation>
    </message>
    <message>
        <source>设置完成</source>
        <translation>Done.</translation>
    </message>
    <message>
        <source>对应的皮肤文件已经丢失，请关闭软件，再重新打开软件！</source>
        <translation>The skin file is missing. Please close Tessaly and start it again.</translation>
    </message>
    <message>
        <source>请先选择一个命例！</source>
        <translation>Select a case first.</translation>
    </message>
    <message>
        <source>移动到</source>
        <translation>Move to</translation>
    </message>
    <message>
        <source>查看命例</source>
        <translation>View case</translation>
    </message>
    <message>
        <source>编辑命例</source>
        <translation>Edit case...</translation>
    </message>
    <message>
        <source>删除命例</source>
        <translation>Delete case</translation>
    </message>
    <message>
        <source>增加类别</source>
        <translation>Add category...</translation>
    </message>
    <message>
        <source>修改类名</source>
        <translation>Rename category...</translation>
    </message>
    <message>
        <source>删除类别</source>
        <translation>Delete category</translation>
    </message>
    <message>
        <source>编辑类别文件</source>
        <translation>Edit the category file...</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find...</translation>
    </message>
    <message>
        <source>显示全部命例</source>
        <translation>Show all cases</translation>
    </message>
    <message>
        <source>展开</source>
        <translation>Expand</translation>
    </message>
    <message>
        <source>收缩</source>
        <translation>Collapse</translation>
    </message>
    <message>
        <source>确定要删除当前正在查看的命例吗？</source>
        <translation>Delete the case on view?</translation>
    </message>
    <message>
        <source>命例库没有打开，无法保存。</source>
        <translation>The case store is not open; nothing can be saved.</translation>
    </message>
    <message>
        <source>要修改“%1”这条记录吗？</source>
        <translation>Change the stored case of &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>当前八字运算没有成功，不能覆盖保存的命例。</source>
        <translation>The last matching did not succeed; the stored case cannot be replaced.</translation>
    </message>
    <message>
        <source>已保存编辑后的命例。</source>
        <translation>The edited case is saved.</translation>
    </message>
    <message>
        <source>请先排一个正确的盘后再保存</source>
        <translation>Cast a valid chart first, then save.</translation>
    </message>
    <message>
        <source>命例的报告文件无法读取，报告将重新生成（原文件保留）：
</source>
        <translation>The report file of the case cannot be read; the report is made again (the file is kept):
</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Caution</translation>
    </message>
    <message>
        <source>完成修改</source>
        <translation>The case is changed.</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>确定要删除“%1”这个命例吗？</source>
        <translation>Delete the case &quot;%1&quot;?</translation>
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
        <source>新建类别</source>
        <translation>New category</translation>
    </message>
    <message>
        <source>请输入新建类别名：</source>
        <translation>Name of the new category:</translation>
    </message>
    <message>
        <source>新类别</source>
        <translation>New category</translation>
    </message>
    <message>
        <source>已有这个类别了！</source>
        <translation>This category exists already.</translation>
    </message>
    <message>
        <source>修改类别名</source>
        <translation>Rename category</translation>
    </message>
    <message>
        <source>请输入新的类别名：</source>
        <translation>New name of the category:</translation>
    </message>
    <message>
        <source>已有这个类别了，请另起一个名称！</source>
        <translation>This category exists already; choose another name.</translation>
    </message>
    <message>
        <source>确定要删除“%1”这个类别吗？</source>
        <translation>Delete the category &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>没有记录，无从查找。</source>
        <translation>There are no cases to search.</translation>
    </message>
    <message>
        <source>没有找到符合条件的命例。</source>
        <translation>No case matches.</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>婚配指数构成(&amp;I)</source>
        <translation>Parts of the compatibility &amp;index</translation>
    </message>
    <message>
        <source>甲命出生时刻说明(&amp;A)</source>
        <translation>Birth moment of Person &amp;A</translation>
    </message>
    <message>
        <source>乙命出生时刻说明(&amp;B)</source>
        <translation>Birth moment of Person &amp;B</translation>
    </message>
    <message>
        <source>流年对照(&amp;Y)</source>
        <translation>&amp;Years side by side (流年 Annual Pillars)</translation>
    </message>
    <message>
        <source>时柱边界提示</source>
        <translation>Pillar boundary notice</translation>
    </message>
    <message>
        <source>出生时刻离柱的交界很近：点击查看“出生时刻说明”</source>
        <translation>The birth moment is near the boundary of a pillar: click to see &quot;Birth moment&quot;</translation>
    </message>
    <message>
        <source>流年对照</source>
        <translation>Years side by side</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印流年对照</source>
        <translation>Print the years side by side</translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>流年对照保存为 PNG 图片</source>
        <translation>Save the years side by side as a PNG picture</translation>
    </message>
    <message>
        <source>打印错误，请检查打印设备！
%1</source>
        <translation>Printing failed; check the printer.
%1</translation>
    </message>
    <message>
        <source>打印错误</source>
        <translation>Printing failed</translation>
    </message>
    <message>
        <source>已打印到 PDF 文件：%1</source>
        <translation>Printed to the PDF file %1</translation>
    </message>
    <message>
        <source>PNG 图片 (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>_流年对照</source>
        <translation>_years</translation>
    </message>
    <message>
        <source>合婚配对（命例已被其他程序修改）</source>
        <translation>Matching (case changed by another program)</translation>
    </message>
    <message>
        <source>正在查看的命例已被其他程序修改。重新查看它可以看到现在保存的内容；“存旧”会先询问。</source>
        <translation>Another program changed the case on view. View it again to see what is stored now; &quot;Update&quot; asks first.</translation>
    </message>
    <message>
        <source>合婚配对（命例已被其他程序删除）</source>
        <translation>Matching (case deleted by another program)</translation>
    </message>
    <message>
        <source>正在查看的命例已被其他程序删除。“存旧”会询问是否把它存为新命例。</source>
        <translation>Another program deleted the case on view. &quot;Update&quot; asks whether to save it as a new case.</translation>
    </message>
    <message>
        <source>正在查看的命例已被其他程序修改。仍要用这里的内容覆盖它吗？</source>
        <translation>Another program changed the case on view. Replace it with what is shown here all the same?</translation>
    </message>
    <message>
        <source>正在查看的命例已被其他程序删除。要把这里的内容存为新命例吗？</source>
        <translation>Another program deleted the case on view. Save what is shown here as a new case?</translation>
    </message>
    <message>
        <source>没有可以打开帮助文件“%1”的程序。</source>
        <translation>No program can open the help file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>找不到命理知识页面“%1”。</source>
        <translation>The knowledge pages &quot;%1&quot; are not found.</translation>
    </message>
    <message>
        <source>没有可以打开网页“%1”的程序（浏览器）。</source>
        <translation>No program (web browser) can open the page &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>无法打开相关知识：
</source>
        <translation>The knowledge pages cannot be opened:
</translation>
    </message>
    <message>
        <source>注意了</source>
        <translation>Caution</translation>
    </message>
    <message>
        <source>这将清除所有历史记录，要继续吗？</source>
        <translation>This clears the whole history. Go on?</translation>
    </message>
    <message>
        <source>确定要清除吗？</source>
        <translation>Really clear it?</translation>
    </message>
    <message>
        <source>清除历史记录时出错。</source>
        <translation>Clearing the history failed.</translation>
    </message>
    <message>
        <source>清除完成,请重启软件。</source>
        <translation>Cleared. Please start Tessaly again.</translation>
    </message>
    <message>
        <source>执行此操作将覆盖现有的历史记录，要继续吗？</source>
        <translation>This replaces the history there is now. Go on?</translation>
    </message>
    <message>
        <source>导入历史记录时出错。</source>
        <translation>Importing the history failed.</translation>
    </message>
    <message>
        <source>成功导入，请重启软件！</source>
        <translation>Imported. Please start Tessaly again.</translation>
    </message>
    <message>
        <source>“%1”里已有导出的历史记录，要覆盖它吗？</source>
        <translation>&quot;%1&quot; holds an exported history already. Replace it?</translation>
    </message>
    <message>
        <source>导出历史记录时出错。</source>
        <translation>Exporting the history failed.</translation>
    </message>
    <message>
        <source>成功导出，已保存到%1目录下</source>
        <translation>Exported into the folder %1.</translation>
    </message>
    <message>
        <source>设定用神</source>
        <translation>Useful God</translation>
    </message>
    <message>
        <source>请先排一个正确的盘</source>
        <translation>Cast a valid chart first.</translation>
    </message>
    <message>
        <source>排盘</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Rtf格式 (*.rtf)</source>
        <translation>RTF files (*.rtf)</translation>
    </message>
    <message>
        <source>Txt格式 (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>命稿</source>
        <translation>report</translation>
    </message>
    <message>
        <source>_择日</source>
        <translation>_wedding_days</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>设置选中文本</source>
        <translation>Format the selection...</translation>
    </message>
    <message>
        <source>导入命稿</source>
        <translation>Import a report...</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>导入文件出错,请重试一次
%1
%2</source>
        <translation>The file cannot be imported; please try again.
%1
%2</translation>
    </message>
    <message>
        <source>重试一次</source>
        <translation>Try again</translation>
    </message>
    <message>
        <source>文件不存在。</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>文件太大，不是命稿。</source>
        <translation>The file is too large to be a report.</translation>
    </message>
    <message>
        <source>文件“%1”已经存在，要替换它吗？</source>
        <translation>The file &quot;%1&quot; exists already. Replace it?</translation>
    </message>
    <message>
        <source>文本中有 GBK 编码无法表示的字符，不能保存为 Txt 格式；请保存为 Rtf 格式。
%1</source>
        <translation>The text holds a character GBK cannot hold, so it cannot be saved as a text file; save it as RTF.
%1</translation>
    </message>
    <message>
        <source>保存文件“%1”出错。
%2</source>
        <translation>Saving the file &quot;%1&quot; failed.
%2</translation>
    </message>
    <message>
        <source>已保存！</source>
        <translation>Saved.</translation>
    </message>
</context>
<context>
    <name>tessaly::MessageService</name>
    <message>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>tessaly::ReportPrinter</name>
    <message>
        <source>PDF 文件 %1</source>
        <translation>the PDF file %1</translation>
    </message>
    <message>
        <source>打印机 %1</source>
        <translation>the printer %1</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>、</source>
        <translation> &amp; </translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>所选页码范围内没有可打印的页（共 %1 页）。</source>
        <translation>No page to print in the chosen range (%1 pages in all).</translation>
    </message>
    <message>
        <source>无法开始打印到%1。</source>
        <translation>Printing to %1 cannot start.</translation>
    </message>
    <message>
        <source>打印到%1时出错。</source>
        <translation>Printing to %1 failed.</translation>
    </message>
</context>
<context>
    <name>tessaly::SideToolMenus</name>
    <message>
        <source>河洛图像</source>
        <translation>河图 洛书 He Tu and Luo Shu diagrams</translation>
    </message>
    <message>
        <source>辅助工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>测怀孕</source>
        <translation>Pregnancy predictor</translation>
    </message>
    <message>
        <source>巧猜姓氏</source>
        <translation>Surname guessing game</translation>
    </message>
    <message>
        <source>经纬度设置</source>
        <translation>Longitudes and latitudes</translation>
    </message>
    <message>
        <source>万年历</source>
        <translation>Perpetual calendar</translation>
    </message>
</context>
</TS>
