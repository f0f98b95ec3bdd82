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
    <name>tessaly::AboutDialog</name>
    <message>
        <source>关于 Tessaly</source>
        <translation>About Tessaly</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b style=&apos;font-size:large&apos;&gt;Tessaly 八字合婚&lt;/b&gt;&amp;nbsp;&amp;nbsp;版本 %1&lt;/p&gt;&lt;p&gt;四柱八字合婚分析：排盘、性格与婚姻批语、婚配指数、结婚择日和命例管理。&lt;/p&gt;&lt;p&gt;&lt;b&gt;许可证&lt;/b&gt;：MIT 许可证，见随程序附带的 LICENSE 文件。Copyright © Tessaly 开发者。&lt;/p&gt;&lt;p&gt;&lt;b&gt;天文数据&lt;/b&gt;：节气与朔的计算采用两种已发表的天文级数的截断：地球的 VSOP87D（P. Bretagnon, G. Francou 1988）与月球的 ELP/MPP02（J. Chapront, G. Francou 2003），由 npm 包 astronomia 4.3.0 的数据文件生成（MIT 许可证，Copyright © 2013 Sonia Keys，© 2016 commenthol）。详见随程序附带的 NOTICE 文件。&lt;/p&gt;&lt;p&gt;&lt;b&gt;地名与经纬度&lt;/b&gt;：dat/dili.ini 的省市列表与经纬度由 Tessaly 开发者依据公开的地理常识整理，未复制任何第三方数据文件。&lt;/p&gt;&lt;p&gt;&lt;b&gt;数据文件夹&lt;/b&gt;（设置、地名、命例库与命稿）：&lt;br&gt;&lt;tt&gt;%2&lt;/tt&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b style=&apos;font-size:large&apos;&gt;Tessaly 八字合婚 BaZi marriage matching&lt;/b&gt;&amp;nbsp;&amp;nbsp;version %1&lt;/p&gt;&lt;p&gt;Marriage-compatibility analysis by the Four Pillars (八字 BaZi): charts, readings of character and marriage, the compatibility index, wedding dates and a case library.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Licence&lt;/b&gt;: MIT licence, see the LICENSE file that comes with the program. Copyright © the Tessaly developers.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Astronomical data&lt;/b&gt;: the solar terms and new moons are computed from truncations of two published astronomical series: VSOP87D for the Earth (P. Bretagnon, G. Francou 1988) and ELP/MPP02 for the Moon (J. Chapront, G. Francou 2003), generated from the data files of the npm package astronomia 4.3.0 (MIT licence, Copyright © 2013 Sonia Keys, © 2016 commenthol). See the NOTICE file that comes with the program.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Places and coordinates&lt;/b&gt;: the provinces, cities and coordinates of dat/dili.ini were compiled by the Tessaly developers from public geographic knowledge; no third-party data file was copied.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Data folder&lt;/b&gt; (settings, places, case library and reports):&lt;br&gt;&lt;tt&gt;%2&lt;/tt&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>打开数据文件夹</source>
        <translation>Open the data folder</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>没有可以打开文件夹“%1”的程序。</source>
        <translation>No program can open the folder “%1”.</translation>
    </message>
</context>
<context>
    <name>tessaly::AnalysisOptionsDialog</name>
    <message>
        <source>命稿预测选项设置</source>
        <translation>Report options</translation>
    </message>
    <message>
        <source>北京时间</source>
        <translation>Beijing time</translation>
    </message>
    <message>
        <source>真太阳时</source>
        <translation>True solar time</translation>
    </message>
    <message>
        <source>地方时</source>
        <translation>Local mean time</translation>
    </message>
    <message>
        <source>八字设置</source>
        <translation>八字 Chart layout</translation>
    </message>
    <message>
        <source>八字横排</source>
        <translation>Pillars in a row</translation>
    </message>
    <message>
        <source>八字竖排</source>
        <translation>Pillars in a column</translation>
    </message>
    <message>
        <source>区分夜子时、和早子时</source>
        <translation>Tell 夜子时 late Zi hour from 早子时 early Zi hour</translation>
    </message>
    <message>
        <source>命宫起法</source>
        <translation>命宫 Life Palace counted</translation>
    </message>
    <message>
        <source>按节入起</source>
        <translation>From the 节 sectional term</translation>
    </message>
    <message>
        <source>按中气起</source>
        <translation>From the 中气 principal term</translation>
    </message>
    <message>
        <source>婚配指数高分制</source>
        <translation>Index on the high scale</translation>
    </message>
    <message>
        <source>变格时按格局取用神</source>
        <translation>Special patterns: 用神 Useful God from the 格局 pattern</translation>
    </message>
    <message>
        <source>分析使用从格</source>
        <translation>Use 从格 follower patterns</translation>
    </message>
    <message>
        <source>提示保存</source>
        <translation>Ask to save</translation>
    </message>
    <message>
        <source>命稿附婚配指数构成</source>
        <translation>Append the parts of the index to the report</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>使用时间</source>
        <translation>Time basis</translation>
    </message>
    <message>
        <source>文本左边距离</source>
        <translation>Left margin of the text</translation>
    </message>
    <message>
        <source>文本左边距离在0-500之间</source>
        <translation>The left margin of the text is between 0 and 500</translation>
    </message>
    <message>
        <source>输入错误</source>
        <translation>Invalid entry</translation>
    </message>
</context>
<context>
    <name>tessaly::BirthDataDialog</name>
    <message>
        <source>%1时%2</source>
        <translation>%1 h (%2)</translation>
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
        <source>年份在1900至2100</source>
        <translation>A year from 1900 to 2100</translation>
    </message>
    <message>
        <source>%1月</source>
        <translation>Month %1</translation>
    </message>
    <message>
        <source>%1日</source>
        <translation>Day %1</translation>
    </message>
    <message>
        <source>%1分</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>公历</source>
        <translation>Gregorian</translation>
    </message>
    <message>
        <source>农历</source>
        <translation>农历 Chinese calendar</translation>
    </message>
    <message>
        <source>农闰</source>
        <translation>Leap month</translation>
    </message>
    <message>
        <source>真太阳时可在菜单&quot;选项-&gt;排盘设置&quot;里设定</source>
        <translation>True solar time can be set in the menu &quot;Options → Chart settings&quot;</translation>
    </message>
    <message>
        <source>选择邻近城市</source>
        <translation>Choose the nearest city</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>复制命理参数</source>
        <translation>Copy the birth data</translation>
    </message>
    <message>
        <source>粘贴命理参数</source>
        <translation>Paste the birth data</translation>
    </message>
    <message>
        <source>出生年份</source>
        <translation>Year of birth</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>历法</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>时</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>分</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>出生地省份</source>
        <translation>Province of birth</translation>
    </message>
    <message>
        <source>出生地城市</source>
        <translation>City of birth</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>年</source>
        <translation>year</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>出生地</source>
        <translation>Birthplace</translation>
    </message>
    <message>
        <source>右键可复制、粘贴命理参数</source>
        <translation>Right-click to copy or paste the birth data</translation>
    </message>
    <message>
        <source>甲命生日</source>
        <translation>Person A&apos;s birth</translation>
    </message>
    <message>
        <source>乙命生日</source>
        <translation>Person B&apos;s birth</translation>
    </message>
    <message>
        <source>甲</source>
        <translation>A</translation>
    </message>
    <message>
        <source>乙</source>
        <translation>B</translation>
    </message>
    <message>
        <source>姓名不能为空</source>
        <translation>The name cannot be empty</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>出生年份必须在1900到2100年之间</source>
        <translation>The year of birth must be between 1900 and 2100</translation>
    </message>
    <message>
        <source>年份错误</source>
        <translation>Invalid year</translation>
    </message>
    <message>
        <source>输入错误</source>
        <translation>Invalid entry</translation>
    </message>
</context>
<context>
    <name>tessaly::BirthExplanationDialog</name>
    <message>
        <source>%1岁%2个月%3天</source>
        <translation>%1 y %2 m %3 d</translation>
    </message>
    <message>
        <source>%1（节）</source>
        <translation>%1 (节 sectional term)</translation>
    </message>
    <message>
        <source>%1（中气）</source>
        <translation>%1 (中气 principal term)</translation>
    </message>
    <message>
        <source>%1（%2 %3）</source>
        <translation>%1 (%2 %3)</translation>
    </message>
    <message>
        <source>出生时刻说明</source>
        <translation>The birth moment explained</translation>
    </message>
    <message>
        <source>出生时刻的换算</source>
        <translation>From the entry to the chart time</translation>
    </message>
    <message>
        <source>步骤</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>调整</source>
        <translation>Adjustment</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>附近的交界</source>
        <translation>Boundaries nearby</translation>
    </message>
    <message>
        <source>交界</source>
        <translation>Boundary</translation>
    </message>
    <message>
        <source>时刻（北京时间）</source>
        <translation>Moment (Beijing time)</translation>
    </message>
    <message>
        <source>相距</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>柱的变化</source>
        <translation>Pillars that change</translation>
    </message>
    <message>
        <source>越过此节起大运</source>
        <translation>Luck pillars start across this term</translation>
    </message>
    <message>
        <source>出生时刻误差</source>
        <translation>Uncertainty of the birth time</translation>
    </message>
    <message>
        <source>误差范围(&amp;W)：</source>
        <translation>&amp;Uncertainty:</translation>
    </message>
    <message>
        <source>出生时刻误差范围</source>
        <translation>Uncertainty of the birth time</translation>
    </message>
    <message>
        <source>准确（0 分钟）</source>
        <translation>Exact (0 minutes)</translation>
    </message>
    <message>
        <source>±%1 分钟</source>
        <translation>±%1 minutes</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>自定义误差（分钟）</source>
        <translation>Custom uncertainty (minutes)</translation>
    </message>
    <message>
        <source> 分钟</source>
        <translation> minutes</translation>
    </message>
    <message>
        <source>时段（北京时间）</source>
        <translation>Period (Beijing time)</translation>
    </message>
    <message>
        <source>当地钟表</source>
        <translation>Local clock</translation>
    </message>
    <message>
        <source>年柱</source>
        <translation>年柱 Year Pillar</translation>
    </message>
    <message>
        <source>月柱</source>
        <translation>月柱 Month Pillar</translation>
    </message>
    <message>
        <source>日柱</source>
        <translation>日柱 Day Pillar</translation>
    </message>
    <message>
        <source>时柱</source>
        <translation>时柱 Hour Pillar</translation>
    </message>
    <message>
        <source>起点</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>婚配指数</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>出生时刻误差内的八字</source>
        <translation>Charts within the uncertainty</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>农历 %1年%2%3月%4日 %5:%6</source>
        <translation>农历 Chinese calendar %1, %2month %3, day %4, %5:%6</translation>
    </message>
    <message>
        <source>闰</source>
        <translation>leap </translation>
    </message>
    <message>
        <source>公历 %1</source>
        <translation>Gregorian %1</translation>
    </message>
    <message>
        <source>%1当地钟表</source>
        <translation>%1 local clock</translation>
    </message>
    <message>
        <source>北京时间</source>
        <translation>Beijing time</translation>
    </message>
    <message>
        <source>输入</source>
        <translation>Entered</translation>
    </message>
    <message>
        <source>农历换公历</source>
        <translation>Chinese calendar to Gregorian</translation>
    </message>
    <message>
        <source>钟表换成北京时间</source>
        <translation>Clock to Beijing time</translation>
    </message>
    <message>
        <source>%1，夏令时</source>
        <translation>%1, summer time</translation>
    </message>
    <message>
        <source>年柱、月柱由此定</source>
        <translation>Sets the year and month pillars</translation>
    </message>
    <message>
        <source>经度校正</source>
        <translation>Longitude correction</translation>
    </message>
    <message>
        <source>地方时 %1</source>
        <translation>Local mean time %1</translation>
    </message>
    <message>
        <source>东经 %1°</source>
        <translation>Longitude %1° E</translation>
    </message>
    <message>
        <source>均时差</source>
        <translation>Equation of time</translation>
    </message>
    <message>
        <source>真太阳时 %1</source>
        <translation>True solar time %1</translation>
    </message>
    <message>
        <source>取整到分</source>
        <translation>Rounded to the minute</translation>
    </message>
    <message>
        <source>日柱、时柱由此定</source>
        <translation>Sets the day and hour pillars</translation>
    </message>
    <message>
        <source>23时属本日：日柱取本日，时柱取次日子时</source>
        <translation>23:00 belongs to this day: day pillar of this day, hour pillar the next 子 Zi hour</translation>
    </message>
    <message>
        <source>23时起算次日：日柱取 %1 之日柱</source>
        <translation>23:00 starts the next day: the day pillar of %1</translation>
    </message>
    <message>
        <source>排盘时间（%1）</source>
        <translation>Chart time (%1)</translation>
    </message>
    <message>
        <source>四柱：%1&#x3000;起大运：%2</source>
        <translation>四柱 Four Pillars: %1&#x3000;luck pillars from: %2</translation>
    </message>
    <message>
        <source>%1 %2→%3</source>
        <translation>%1 %2→%3</translation>
    </message>
    <message>
        <source>出生前 %1</source>
        <translation>%1 before birth</translation>
    </message>
    <message>
        <source>出生后 %1</source>
        <translation>%1 after birth</translation>
    </message>
    <message>
        <source>四柱不变</source>
        <translation>No pillar changes</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 至 %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>★ %1</source>
        <translation>★ %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 分</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>出生时刻误差 ±%1 分钟内共有 %2 种八字</source>
        <translation>Within ±%1 minutes of the birth time there are %2 charts</translation>
    </message>
    <message>
        <source>；婚配指数 %1 至 %2 分（按输入时刻 %3 分）</source>
        <translation>; index %1 to %2 (%3 at the time entered)</translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
</context>
<context>
    <name>tessaly::BirthZonePanel</name>
    <message>
        <source>出生地的时区；可输入城市或时区名查找，如 New_York、London</source>
        <translation>Time zone of the birthplace; type a city or zone name to find it, e.g. New_York, London</translation>
    </message>
    <message>
        <source>北京时间</source>
        <translation>Beijing time</translation>
    </message>
    <message>
        <source>当地钟表（含夏令时）</source>
        <translation>Local clock (with summer time)</translation>
    </message>
    <message>
        <source>出生证上的时间是出生地当时的钟表时间，夏令时期间比标准时快；选“当地钟表”，程序按时区换算成北京时间</source>
        <translation>A birth certificate gives the clock time of the birthplace, ahead of standard time during summer time; choose “Local clock” and the program converts it to Beijing time by the time zone</translation>
    </message>
    <message>
        <source>时间的钟表</source>
        <translation>Clock of the time</translation>
    </message>
    <message>
        <source>未知地</source>
        <translation>Unknown place</translation>
    </message>
    <message>
        <source>出生地不在列表中（如国外）时，省份选“未知地”，在此填写地名和经纬度</source>
        <translation>For a birthplace not in the list (e.g. abroad), choose the last province, the unknown place, and enter the place and its coordinates here</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>经度，东经为正，西经为负</source>
        <translation>Longitude, east positive, west negative</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>纬度，北纬为正，南纬为负</source>
        <translation>Latitude, north positive, south negative</translation>
    </message>
    <message>
        <source>时区</source>
        <translation>Time zone</translation>
    </message>
    <message>
        <source>地名</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>未知的时区：%1</source>
        <translation>Unknown time zone: %1</translation>
    </message>
    <message>
        <source>输入错误</source>
        <translation>Invalid entry</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
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
    <name>tessaly::CaseInfoDialog</name>
    <message>
        <source>命例信息</source>
        <translation>Case details</translation>
    </message>
    <message>
        <source>公历</source>
        <translation>Gregorian</translation>
    </message>
    <message>
        <source>农历</source>
        <translation>农历 Chinese calendar</translation>
    </message>
    <message>
        <source>农历闰月</source>
        <translation>Leap month</translation>
    </message>
    <message>
        <source>%1月</source>
        <translation>Month %1</translation>
    </message>
    <message>
        <source>%1日</source>
        <translation>Day %1</translation>
    </message>
    <message>
        <source>%1分</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>分</source>
        <translation>Minute</translation>
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
        <source>出生地城市</source>
        <translation>City of birth</translation>
    </message>
    <message>
        <source>选择邻近城市</source>
        <translation>Choose the nearest city</translation>
    </message>
    <message>
        <source>时间的钟表</source>
        <translation>Clock of the time</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>年</source>
        <translation>year</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>历法</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>出生地</source>
        <translation>Birthplace</translation>
    </message>
    <message>
        <source>附加信息</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>当地钟表（%1）</source>
        <translation>Local clock (%1)</translation>
    </message>
    <message>
        <source>确定要保存修改吗？</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>年份错误</source>
        <translation>Invalid year</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>tessaly::CaseSearchDialog</name>
    <message>
        <source>查找命例</source>
        <translation>Find cases</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>不分</source>
        <translation>Either</translation>
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
        <source>公元前用负数，比如公元前120年，就输入-120</source>
        <translation>Years BC are negative: for 120 BC enter -120</translation>
    </message>
    <message>
        <source>全字匹配</source>
        <translation>Whole text</translation>
    </message>
    <message>
        <source>甲命或乙命的姓名</source>
        <translation>Person A&apos;s or Person B&apos;s name</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>到</source>
        <translation>to</translation>
    </message>
    <message>
        <source>出生年从</source>
        <translation>Born from</translation>
    </message>
    <message>
        <source>出生地</source>
        <translation>Birthplace</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>请填写“到”的年份；只查一年时，两栏填同一年。</source>
        <translation>Fill in the year after “to”; for one year, fill in the same year twice.</translation>
    </message>
    <message>
        <source>请填写“出生年从”的年份；只查一年时，两栏填同一年。</source>
        <translation>Fill in the year after “Born from”; for one year, fill in the same year twice.</translation>
    </message>
    <message>
        <source>年份错误</source>
        <translation>Invalid year</translation>
    </message>
    <message>
        <source>结束年必须大于或等于起始年</source>
        <translation>The last year must not be before the first</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
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
        <source>共找到%1条记录，要显示到命例列表中吗？</source>
        <translation>%1 cases found. Show them in the case list?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>这将清除所有输入的条件参数，以便搜索所有命例，确定吗？</source>
        <translation>This clears every condition entered, to find all cases. Go ahead?</translation>
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
    <name>tessaly::CategoryDialog</name>
    <message>
        <source>分类保存</source>
        <translation>Save in a category</translation>
    </message>
    <message>
        <source>备注:</source>
        <translation>Note:</translation>
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
        <source>保存类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>附加信息</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>类别名不能为空</source>
        <translation>The category cannot be empty</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>附加信息不能为空</source>
        <translation>The notes cannot be empty</translation>
    </message>
</context>
<context>
    <name>tessaly::CategoryFileEditor</name>
    <message>
        <source>类别编辑</source>
        <translation>Edit categories</translation>
    </message>
    <message>
        <source>一行一个类别，类别名最长6个汉字</source>
        <translation>One category a line, at most 6 Chinese characters (12 letters) each</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tessaly::ClockChoiceDialog</name>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>按%1：北京时间 %2</source>
        <translation>As %1: Beijing time %2</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tessaly::CoordinatesEditorDialog</name>
    <message>
        <source>经纬度设置</source>
        <translation>Longitudes and latitudes</translation>
    </message>
    <message>
        <source>-179至179，西经用负数</source>
        <translation>-179 to 179, west negative</translation>
    </message>
    <message>
        <source>0至59</source>
        <translation>0 to 59</translation>
    </message>
    <message>
        <source>-89至89，南纬用负数</source>
        <translation>-89 to 89, south negative</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>度</source>
        <translation>°</translation>
    </message>
    <message>
        <source>分</source>
        <translation>&apos;</translation>
    </message>
    <message>
        <source>省份</source>
        <translation>Province</translation>
    </message>
    <message>
        <source>城市</source>
        <translation>City</translation>
    </message>
    <message>
        <source>经度的分</source>
        <translation>Longitude minutes</translation>
    </message>
    <message>
        <source>纬度的分</source>
        <translation>Latitude minutes</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>经度在-179到179之间，分数在0到59之间</source>
        <translation>The longitude is between -179 and 179, its minutes between 0 and 59</translation>
    </message>
    <message>
        <source>纬度在-89到89之间，分数在0到59之间</source>
        <translation>The latitude is between -89 and 89, its minutes between 0 and 59</translation>
    </message>
    <message>
        <source>输入错误</source>
        <translation>Invalid entry</translation>
    </message>
    <message>
        <source>确定要修改：%1%2 的经纬度数据吗？</source>
        <translation>Change the coordinates of %1 %2?</translation>
    </message>
    <message>
        <source>注意了</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>经纬度没有保存：</source>
        <translation>The coordinates were not saved: </translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
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
    <name>tessaly::HeTuLuoShuDialog</name>
    <message>
        <source>河图与洛书</source>
        <translation>河图 He Tu and 洛书 Luo Shu</translation>
    </message>
    <message>
        <source>河图</source>
        <translation>河图 He Tu (Yellow River Map)</translation>
    </message>
    <message>
        <source>洛书</source>
        <translation>洛书 Luo Shu (Lo River Writing)</translation>
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
    <name>tessaly::IndexPartsDialog</name>
    <message>
        <source>婚配指数构成</source>
        <translation>Parts of the index</translation>
    </message>
    <message>
        <source>不同排法对比</source>
        <translation>Other chart settings compared</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>婚配指数 %1 分（报告取整为 %2 分），由以下各项相加而得；鼠标停在一项上可看配对分析中的原句。</source>
        <translation>Index %1 (the report rounds it to %2), the sum of the parts below; rest the mouse on a part to see its sentence in the analysis.</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>你在选项中的设置</source>
        <translation>Your settings in Options</translation>
    </message>
    <message>
        <source>只改这一项：%1</source>
        <translation>Only this changed: %1</translation>
    </message>
    <message>
        <source>你的设置：%1</source>
        <translation>Your setting: %1</translation>
    </message>
    <message>
        <source>第一行是你的设置；以下每行只改变一个选项，粗体为与你的设置不同之处。</source>
        <translation>The first row is your settings; each row below changes one option, in bold where it differs from yours.</translation>
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
    <name>tessaly::MainWindowAccessibility</name>
    <message>
        <source>命例列表</source>
        <translation>Case list</translation>
    </message>
    <message>
        <source>命稿</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>结婚择日结果</source>
        <translation>Wedding dates found</translation>
    </message>
    <message>
        <source>择日进度</source>
        <translation>Progress of the date search</translation>
    </message>
    <message>
        <source>八字图</source>
        <translation>Chart picture</translation>
    </message>
    <message>
        <source>合婚页面</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>结婚年</source>
        <translation>Year of marriage</translation>
    </message>
    <message>
        <source>流年对照</source>
        <translation>Years side by side (流年 Annual Pillars)</translation>
    </message>
    <message>
        <source>保存八字</source>
        <translation>Save the chart</translation>
    </message>
    <message>
        <source>设定用神</source>
        <translation>Set the 用神 Useful God</translation>
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
    <name>tessaly::MonthGridView</name>
    <message>
        <source>星期一</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>星期二</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>星期三</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>星期四</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>星期五</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>星期六</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>星期日</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>月历</source>
        <translation>Month calendar</translation>
    </message>
    <message>
        <source>农历</source>
        <translation>农历 Chinese calendar </translation>
    </message>
    <message>
        <source>日</source>
        <translation> day</translation>
    </message>
</context>
<context>
    <name>tessaly::PerpetualCalendarWindow</name>
    <message>
        <source>Tessaly万年历</source>
        <translation>Tessaly perpetual calendar (万年历)</translation>
    </message>
    <message>
        <source>上一月</source>
        <translation>Previous month</translation>
    </message>
    <message>
        <source>下一月</source>
        <translation>Next month</translation>
    </message>
    <message>
        <source>当前时间</source>
        <translation>Now</translation>
    </message>
    <message>
        <source>年份在-4713至9999，公元前用负数</source>
        <translation>A year from -4713 to 9999; years BC are negative</translation>
    </message>
    <message>
        <source>%1月</source>
        <translation>Month %1</translation>
    </message>
    <message>
        <source>%1日</source>
        <translation>Day %1</translation>
    </message>
    <message>
        <source>%1时</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1分</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>纪年</source>
        <translation>Era and year</translation>
    </message>
    <message>
        <source>所示月份</source>
        <translation>Month shown</translation>
    </message>
    <message>
        <source>年份</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>时</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>分</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>本月节气</source>
        <translation>节气 Solar Terms of the month</translation>
    </message>
    <message>
        <source>四柱</source>
        <translation>四柱 Four Pillars</translation>
    </message>
    <message>
        <source>没有公元0年</source>
        <translation>There is no year 0</translation>
    </message>
</context>
<context>
    <name>tessaly::PregnancyPredictorDialog</name>
    <message>
        <source>清宫珍藏生男生女预计法</source>
        <translation>The Qing court&apos;s table: a boy or a girl</translation>
    </message>
    <message>
        <source>母亲年龄在18-45岁</source>
        <translation>The mother&apos;s age is from 18 to 45</translation>
    </message>
    <message>
        <source>岁数</source>
        <translation>Age</translation>
    </message>
    <message>
        <source>生男孩</source>
        <translation>A boy</translation>
    </message>
    <message>
        <source>生女孩</source>
        <translation>A girl</translation>
    </message>
    <message>
        <source>测怀孕</source>
        <translation>Boy or girl</translation>
    </message>
    <message>
        <source>%1月</source>
        <translation>Month %1</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>母亲年龄(虚岁)</source>
        <translation>Mother&apos;s age (虚岁 counted from 1 at birth)</translation>
    </message>
    <message>
        <source>怀孕月份(农历)</source>
        <translation>Month of conception (农历 Chinese calendar)</translation>
    </message>
</context>
<context>
    <name>tessaly::ReportEndingDialog</name>
    <message>
        <source>命稿结尾信息</source>
        <translation>Ending of the report</translation>
    </message>
    <message>
        <source>加入到命稿尾部</source>
        <translation>Append to the report</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>命稿尾部信息</source>
        <translation>Text at the end of the report</translation>
    </message>
    <message>
        <source>输入不能为空</source>
        <translation>The text cannot be empty</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>尾部信息含有无法保存的字符：</source>
        <translation>The ending holds a character that cannot be saved: </translation>
    </message>
    <message>
        <source>输入错误</source>
        <translation>Invalid entry</translation>
    </message>
</context>
<context>
    <name>tessaly::ReportFontDialog</name>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>字体(&amp;F)：</source>
        <translation>&amp;Font:</translation>
    </message>
    <message>
        <source>大小(&amp;S)：</source>
        <translation>&amp;Size:</translation>
    </message>
    <message>
        <source>命稿按列排版，这里只列出等宽字体。</source>
        <translation>The report is laid out in columns: only fixed-width fonts are listed.</translation>
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
    <name>tessaly::SelectionFontDialog</name>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>字形</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>文字系统</source>
        <translation>Writing system</translation>
    </message>
    <message>
        <source>粗体(&amp;B)</source>
        <translation>&amp;Bold</translation>
    </message>
    <message>
        <source>斜体(&amp;T)</source>
        <translation>I&amp;talic</translation>
    </message>
    <message>
        <source>颜色(&amp;C):</source>
        <translation>&amp;Colour:</translation>
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
        <source>颜色</source>
        <translation>Colour</translation>
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
<context>
    <name>tessaly::SurnameGameDialog</name>
    <message>
        <source>巧猜姓氏</source>
        <translation>Guess the surname</translation>
    </message>
    <message>
        <source>回答下表中有否你的姓</source>
        <translation>Is your surname in the table below?</translation>
    </message>
    <message>
        <source>姓氏表</source>
        <translation>Table of surnames</translation>
    </message>
    <message>
        <source>有</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>没有</source>
        <translation>No</translation>
    </message>
    <message>
        <source>重来</source>
        <translation>Start again</translation>
    </message>
    <message>
        <source>倒数 第%1 张表</source>
        <translation>Tables left: %1</translation>
    </message>
    <message>
        <source>你姓:%1</source>
        <translation>Your surname: %1</translation>
    </message>
    <message>
        <source>猜中</source>
        <translation>Found</translation>
    </message>
    <message>
        <source>你的姓不在本字库中!</source>
        <translation>Your surname is not among these characters!</translation>
    </message>
    <message>
        <source>意外</source>
        <translation>Not found</translation>
    </message>
</context>
<context>
    <name>tessaly::UsefulGodDialog</name>
    <message>
        <source>设定用神</source>
        <translation>Set the 用神 Useful God</translation>
    </message>
    <message>
        <source>甲命用神</source>
        <translation>Person A&apos;s 用神 Useful God</translation>
    </message>
    <message>
        <source>乙命用神</source>
        <translation>Person B&apos;s 用神 Useful God</translation>
    </message>
    <message>
        <source>重设以上参数将改变软件的判断。</source>
        <translation>Changing these settings changes the program&apos;s judgement.</translation>
    </message>
    <message>
        <source>重新分析</source>
        <translation>Analyse again</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>日元</source>
        <translation>日元 Day Master</translation>
    </message>
    <message>
        <source>分数无效</source>
        <translation>Invalid score</translation>
    </message>
</context>
</TS>
