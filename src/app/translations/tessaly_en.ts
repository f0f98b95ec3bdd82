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
</TS>
