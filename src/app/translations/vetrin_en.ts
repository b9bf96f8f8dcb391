<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>TVbProcedureMetricsSetting</name>
    <message>
        <source>ステートメント数の上限(&amp;S)</source>
        <translation>Maximum &amp;statements:</translation>
    </message>
    <message>
        <source>ネストの深さの上限(&amp;N)</source>
        <translation>Maximum &amp;nesting depth:</translation>
    </message>
    <message>
        <source>循環的複雑度の上限(&amp;C)</source>
        <translation>Maximum cyclomatic &amp;complexity:</translation>
    </message>
    <message>
        <source>0 は判定しない</source>
        <translation>0 means no limit.</translation>
    </message>
</context>
</TS>
