#!/usr/bin/env python3
"""Writes a deterministic VB6 project of a requested size for the benchmarks.

    gen_corpus.py --size-mb 20 --seed 1 [--out DIR] [--name NAME]

The project is a .vbp with Reference/Object lines and Form=, Module=, Class=, UserControl= and
PropertyPage= members in sub-folders, written the way the VB6 IDE writes them: code page 932
text, CR LF line ends, forms and controls with their designer blocks and Attribute lines,
procedures with ByVal/Optional arguments, Dim statements, nested If/For/Select/Do/With blocks,
lines continued with " _", string literals, Japanese comments, some long lines and some tabs.

The same size, seed and name give the same bytes: the only source of variation is
random.Random(seed).random(), whose sequence is fixed for a given seed across Python versions.

Beside the project, manifest.txt records what was generated (file count, bytes, physical lines,
procedures per file) so that a benchmark can tell a parse that lost procedures from a fast one.
"""

import argparse
import os
import random
import shutil
import sys

CRLF = "\r\n"

# ---------------------------------------------------------------------------------------------
# Vocabulary


NOUNS = [
    "Customer", "Order", "Item", "Product", "Invoice", "Account", "Employee", "Section", "Stock",
    "Price", "Amount", "Total", "Count", "Name", "Code", "Date", "Status", "Record", "Buffer",
    "Key", "Value", "Index", "Row", "Column", "Sheet", "Report", "Setting", "Option", "File",
    "Folder", "Path", "Line", "Page", "Message", "Error", "Result", "Query", "Table", "Field",
    "Header", "Detail", "Slip", "Tax", "Rate", "Unit", "Zip", "Address", "Phone", "Memo", "Flag",
]
VERBS = [
    "Load", "Save", "Update", "Delete", "Insert", "Find", "Check", "Calc", "Show", "Print",
    "Export", "Import", "Read", "Write", "Init", "Clear", "Build", "Parse", "Format", "Validate",
    "Refresh", "Open", "Close", "Copy", "Sort", "Merge", "Convert", "Get", "Set", "Apply",
]
# Hungarian prefix and declared type of a variable.
TYPED = [
    ("str", "String"), ("lng", "Long"), ("int", "Integer"), ("bln", "Boolean"), ("dbl", "Double"),
    ("cur", "Currency"), ("dt", "Date"), ("var", "Variant"), ("byt", "Byte"), ("sng", "Single"),
]
OBJECT_TYPES = ["Collection", "Object", "ADODB.Recordset", "ADODB.Connection", "Scripting.Dictionary"]

# Japanese comment phrases. Some contain double-byte characters whose second byte is 0x5C ("\"),
# and "フォルダ" ends in 0x5F ("_"): a line that ends with it is not a continued line.
JP_PHRASES = [
    "顧客データを読み込む", "受注明細を更新する", "入力内容をチェックする", "画面を初期化する",
    "一覧を表示する", "帳票を印刷する", "ファイルを開く", "エラー処理", "合計金額を計算する",
    "消費税を計算する", "検索条件を組み立てる", "データベースに接続する", "接続を閉じる",
    "選択行を削除する", "ソート順を決める", "構造体を初期化する", "予定表を作成する",
    "申請データを登録する", "十分な件数があるか確認する", "機能の有効・無効を切り替える",
    "出力先フォルダ", "作業用フォルダ", "一時ファイルを削除する", "設定値を保存する",
    "前回の値を復元する", "桁数を揃える", "日付の書式を変換する", "全角を半角に変換する",
    "ここは暫定対応（後で見直すこと）", "仕様変更により追加", "不具合対応：件数が０の場合",
    "ループを抜ける", "見つからなかった場合", "該当なし", "戻り値を設定する",
]
JP_WORDS = [
    "顧客", "受注", "商品", "在庫", "請求", "担当者", "部署", "金額", "数量", "単価", "合計", "備考",
    "表示", "登録", "更新", "削除", "検索", "印刷", "設定", "確認", "完了", "開始", "終了", "予定",
]
JP_MESSAGES = [
    "保存しました。", "削除してよろしいですか？", "入力内容に誤りがあります。", "該当するデータがありません。",
    "処理が完了しました。", "エラーが発生しました：", "ファイルが見つかりません。", "接続できませんでした。",
]

CONTROL_KINDS = [
    ("VB.CommandButton", "cmd", ["Caption", "Height", "Left", "TabIndex", "Top", "Width"]),
    ("VB.TextBox", "txt", ["Height", "Left", "TabIndex", "Text", "Top", "Width"]),
    ("VB.Label", "lbl", ["Caption", "Height", "Left", "TabIndex", "Top", "Width"]),
    ("VB.CheckBox", "chk", ["Caption", "Height", "Left", "TabIndex", "Top", "Width"]),
    ("VB.ComboBox", "cbo", ["Height", "Left", "Style", "TabIndex", "Top", "Width"]),
    ("VB.ListBox", "lst", ["Height", "Left", "TabIndex", "Top", "Width"]),
    ("VB.OptionButton", "opt", ["Caption", "Height", "Left", "TabIndex", "Top", "Width"]),
    ("MSComctlLib.ListView", "lvw", ["Height", "Left", "TabIndex", "Top", "Width", "View", "LabelEdit"]),
]
EVENTS = {"cmd": ["Click"], "txt": ["Change", "GotFocus", "LostFocus", "KeyPress"],
          "lbl": ["Click"], "chk": ["Click"], "cbo": ["Click", "Change"], "lst": ["Click", "DblClick"],
          "opt": ["Click"], "lvw": ["ItemClick", "ColumnClick"]}
EVENT_ARGS = {"KeyPress": "KeyAscii As Integer",
              "ItemClick": "ByVal Item As MSComctlLib.ListItem",
              "ColumnClick": "ByVal ColumnHeader As MSComctlLib.ColumnHeader"}

REFERENCES = [
    r"Reference=*\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\..\..\Windows\system32\stdole2.tlb#OLE Automation",
    r"Reference=*\G{2A75196C-D9EB-4129-B803-931327F72D5C}#2.8#0#..\..\..\Program Files\Common Files\System\ado\msado15.dll#Microsoft ActiveX Data Objects 2.8 Library",
    r"Reference=*\G{420B2830-E718-11CF-893D-00A0C9054228}#1.0#0#..\..\..\Windows\system32\scrrun.dll#Microsoft Scripting Runtime",
]
OBJECTS = [
    "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX",
    "Object={F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.2#0; COMDLG32.OCX",
]


class Gen:
    """Random choices on top of random.Random(seed).random() only."""

    def __init__(self, seed):
        self.rng = random.Random(seed)

    def below(self, n):
        return int(self.rng.random() * n)

    def chance(self, p):
        return self.rng.random() < p

    def pick(self, seq):
        return seq[self.below(len(seq))]

    def between(self, lo, hi):
        return lo + self.below(hi - lo + 1)

    def jp_comment(self):
        text = self.pick(JP_PHRASES)
        if self.chance(0.2):
            text = self.pick(JP_WORDS) + "・" + text
        return text


# ---------------------------------------------------------------------------------------------
# Code bodies


class Body:
    """Writes the statements of one procedure at a given indentation."""

    def __init__(self, g, locals_, args, proc_name, is_function):
        self.g = g
        self.locals = locals_          # [(name, type)]
        self.args = args               # [(name, type)]
        self.proc = proc_name
        self.is_function = is_function
        self.lines = []

    def var(self, prefix=None):
        pool = self.locals + self.args
        if prefix:
            match = [n for n, _ in pool if n.startswith(prefix)]
            if match:
                return self.g.pick(match)
        return self.g.pick(pool)[0] if pool else "lngWork"

    def emit(self, depth, text):
        self.lines.append("    " * depth + text)

    def expr(self):
        g = self.g
        k = g.below(6)
        if k == 0:
            return str(g.between(0, 9999))
        if k == 1:
            return self.var() + " + " + str(g.between(1, 100))
        if k == 2:
            return '"' + g.pick(JP_WORDS) + '"'
        if k == 3:
            return "Len(" + self.var("str") + ")"
        if k == 4:
            return self.var() + " * " + str(g.between(2, 12)) + " - " + self.var()
        return "Val(" + self.var() + ")"

    def condition(self):
        g = self.g
        k = g.below(5)
        if k == 0:
            return self.var() + " > " + str(g.between(0, 500))
        if k == 1:
            return 'Len(Trim(' + self.var("str") + ')) = 0'
        if k == 2:
            return self.var("bln") + " = True"
        if k == 3:
            return self.var() + " <> " + str(g.between(0, 9)) + " And " + self.var() + " < 100"
        return "Not IsNull(" + self.var() + ")"

    def simple(self, depth):
        g = self.g
        k = g.below(16)
        if k <= 3:
            self.emit(depth, self.var() + " = " + self.expr())
        elif k == 4:
            self.emit(depth, "' " + g.jp_comment())
        elif k == 5:
            self.emit(depth, self.var("str") + " = " + self.var("str") + ' & "' + g.pick(JP_WORDS) +
                      '" & CStr(' + self.var() + ")")
        elif k == 6:
            # A call with a trailing comment.
            self.emit(depth, "Call " + g.pick(VERBS) + g.pick(NOUNS) + "(" + self.var() + ", " + self.expr() +
                      ")  ' " + g.jp_comment())
        elif k == 7:
            self.emit(depth, "MsgBox " + '"' + g.pick(JP_MESSAGES) + '" & ' + self.var() + ", vbInformation, " +
                      '"' + g.pick(JP_WORDS) + '"')
        elif k == 8:
            # A statement continued over several lines.
            target = self.var("str")
            parts = ['"SELECT ' + ", ".join(g.pick(NOUNS) + "ID" for _ in range(g.between(2, 5))) + ' "',
                     '"FROM T_' + g.pick(NOUNS) + ' "',
                     '"WHERE ' + g.pick(NOUNS) + 'Code = \'" & ' + self.var() + ' & "\' "']
            if g.chance(0.5):
                parts.append('"ORDER BY ' + g.pick(NOUNS) + 'Name"')
            self.emit(depth, target + " = " + parts[0] + " & _")
            for p in parts[1:-1]:
                self.emit(depth + 2, p + " & _")
            self.emit(depth + 2, parts[-1])
        elif k == 9:
            # A long line (well past 80 bytes).
            terms = " & ".join(
                ('"' + g.pick(JP_WORDS) + '：" & ' + self.var()) for _ in range(g.between(4, 9)))
            self.emit(depth, "Debug.Print " + terms)
        elif k == 10:
            # Tab-indented or tab-separated lines, as pasted from another editor.
            if g.chance(0.5):
                self.lines.append("\t" * (depth or 1) + self.var() + " = " + self.expr())
            else:
                self.emit(depth, self.var() + " = " + self.expr() + "\t' " + g.jp_comment())
        elif k == 11:
            self.emit(depth, "Set " + self.var("obj") + " = Nothing")
        elif k == 12:
            self.emit(depth, self.var("str") + ' = "' + g.pick(JP_WORDS) + 'は""' + g.pick(JP_WORDS) +
                      '""です"')
        elif k == 13:
            self.emit(depth, "If " + self.condition() + " Then " + self.var() + " = " + self.expr())
        elif k == 14:
            self.emit(depth, self.var() + " = Format$(" + self.var() + ', "#,##0")')
        else:
            self.emit(depth, "DoEvents")

    def block(self, depth, budget):
        """Writes statements until about `budget` lines are used."""
        g = self.g
        start = len(self.lines)
        while len(self.lines) - start < budget:
            left = budget - (len(self.lines) - start)
            k = g.below(10)
            if depth < 4 and left > 6 and k <= 4:
                inner = min(left - 3, g.between(2, 8))
                self.structured(depth, inner)
            else:
                self.simple(depth)

    def structured(self, depth, inner):
        g = self.g
        k = g.below(6)
        if k == 0:
            self.emit(depth, "If " + self.condition() + " Then")
            self.block(depth + 1, inner)
            if g.chance(0.3):
                self.emit(depth, "ElseIf " + self.condition() + " Then")
                self.block(depth + 1, max(1, inner // 2))
            if g.chance(0.5):
                self.emit(depth, "Else")
                self.block(depth + 1, max(1, inner // 2))
            self.emit(depth, "End If")
        elif k == 1:
            counter = self.var("lng") if g.chance(0.7) else "i"
            self.emit(depth, "For " + counter + " = 1 To " + self.var() + " - 1")
            self.block(depth + 1, inner)
            self.emit(depth, "Next " + counter)
        elif k == 2:
            self.emit(depth, "Select Case " + self.var())
            for c in range(g.between(2, 4)):
                self.emit(depth + 1, "Case " + ", ".join(str(g.between(0, 50)) for _ in range(g.between(1, 3))))
                self.block(depth + 2, max(1, inner // 3))
            self.emit(depth + 1, "Case Else")
            self.emit(depth + 2, "' " + g.jp_comment())
            self.emit(depth, "End Select")
        elif k == 3:
            self.emit(depth, "Do While " + self.condition())
            self.block(depth + 1, inner)
            self.emit(depth + 1, self.var("lng") + " = " + self.var("lng") + " + 1")
            self.emit(depth, "Loop")
        elif k == 4:
            self.emit(depth, "With " + self.var("obj"))
            for _ in range(min(inner, 4)):
                self.emit(depth + 1, "." + g.pick(NOUNS) + " = " + self.expr())
            self.emit(depth, "End With")
        else:
            self.emit(depth, "For Each " + self.var("var") + " In " + self.var("col"))
            self.block(depth + 1, inner)
            self.emit(depth, "Next")


# ---------------------------------------------------------------------------------------------
# Procedures


def make_vars(g, n, scope_prefix=""):
    out = []
    used = set()
    for _ in range(n):
        prefix, typ = g.pick(TYPED)
        name = scope_prefix + prefix + g.pick(NOUNS)
        if g.chance(0.3):
            name += g.pick(NOUNS)
        if name in used:
            continue
        used.add(name)
        out.append((name, typ))
    return out


def procedure(g, lines, name, kind, scope, args_n, body_lines, returns=None, fixed_args=None):
    """Writes one procedure; kind is "Sub", "Function", "Property Get", "Property Let"...
    Answers nothing; appends to lines."""
    word = kind.split()[0]
    if g.chance(0.5):
        lines.append("'" + "-" * 60)
        lines.append("' 機能   : " + g.jp_comment())
        lines.append("' 作成日 : 200" + str(g.between(0, 9)) + "/" + str(g.between(1, 12)).zfill(2) + "/" +
                     str(g.between(1, 28)).zfill(2))
        lines.append("'" + "-" * 60)
    if fixed_args is not None:
        args = fixed_args
        arg_texts = [a + " As " + t for a, t in args]
    else:
        args = make_vars(g, args_n)
        arg_texts = []
        for i, (a, t) in enumerate(args):
            if i == len(args) - 1 and i > 0 and g.chance(0.4):
                default = {"String": '""', "Boolean": "False"}.get(t, str(g.between(0, 10)))
                arg_texts.append("Optional ByVal " + a + " As " + t + " = " + default)
            else:
                arg_texts.append(g.pick(["ByVal ", "ByRef ", ""]) + a + " As " + t)
    head = (scope + " " if scope else "") + kind + " " + name
    tail = ")" + (" As " + returns if returns else "")
    if len(arg_texts) >= 3 and g.chance(0.5):
        # Arguments one per line, continued with " _".
        pad = " " * (len(head) + 1)
        lines.append(head + "(" + arg_texts[0] + ", _")
        for a in arg_texts[1:-1]:
            lines.append(pad + a + ", _")
        lines.append(pad + arg_texts[-1] + tail)
    else:
        lines.append(head + "(" + ", ".join(arg_texts) + tail)

    locals_ = make_vars(g, g.between(1, 6))
    locals_ += [("obj" + g.pick(NOUNS), "Object"), ("col" + g.pick(NOUNS), "Collection"),
                ("var" + g.pick(NOUNS), "Variant")]
    body = Body(g, locals_, args, name, word == "Function" or kind == "Property Get")
    for n, t in locals_:
        if g.chance(0.15):
            body.emit(1, "Dim " + n + "(1 To " + str(g.between(2, 99)) + ") As " + t)
        elif g.chance(0.1):
            body.emit(1, "Static " + n + " As " + t)
        else:
            body.emit(1, "Dim " + n + " As " + t)
    if g.chance(0.2):
        # An unused local, as real code has.
        body.emit(1, "Dim " + g.pick(TYPED)[0] + "Unused" + g.pick(NOUNS) + " As Long")
    has_handler = g.chance(0.6)
    if has_handler:
        body.emit(1, "On Error GoTo ErrHandler")
    body.lines.append("")
    body.block(1, body_lines)
    if body.is_function:
        body.emit(1, name + " = " + body.expr())
    if has_handler:
        body.emit(1, "Exit " + word)
        body.lines.append("ErrHandler:")
        body.emit(1, 'MsgBox "' + g.pick(JP_MESSAGES) + '" & Err.Description, vbCritical, "' + name + '"')
    lines.extend(body.lines)
    lines.append("End " + word)
    lines.append("")


def declarations(g, lines, module_prefix, n, allow_public=True):
    for name, typ in make_vars(g, n, module_prefix):
        scope = g.pick(["Private", "Dim", "Public"] if allow_public else ["Private", "Dim"])
        if g.chance(0.1):
            lines.append(scope + " " + name + "() As " + typ)
        else:
            lines.append(scope + " " + name + " As " + typ + ("  ' " + g.jp_comment() if g.chance(0.3) else ""))
    if g.chance(0.5):
        lines.append("Private Const " + "C_" + g.pick(NOUNS).upper() + "_MAX As Long = " + str(g.between(10, 999)))


def procedures_until(g, lines, target_bytes, count, with_friend, used_names):
    """Appends procedures until the text is about target_bytes long (characters plus line ends;
    double-byte characters count once, so the file ends up a little larger); answers the
    procedure count, which is at least 1."""
    size = sum(len(s) + 2 for s in lines)
    while size < target_bytes or count == 0:
        before = len(lines)
        name = g.pick(VERBS) + g.pick(NOUNS) + (g.pick(NOUNS) if g.chance(0.5) else "")
        if name in used_names:
            name += str(len(used_names))
        used_names.add(name)
        scopes = ["Public", "Private", "Private", "Friend", ""] if with_friend else ["Public", "Private", "Private", ""]
        scope = g.pick(scopes)
        if g.chance(0.55):
            procedure(g, lines, name, "Sub", scope, g.between(0, 5), g.between(4, 60))
        else:
            procedure(g, lines, name, "Function", scope, g.between(0, 5), g.between(4, 60),
                      returns=g.pick(TYPED)[1])
        count += 1
        size += sum(len(s) + 2 for s in lines[before:])
    return count


# ---------------------------------------------------------------------------------------------
# Member files


def designer_block(g, lines, form_type, name, caption, n_controls):
    """The Begin ... End block of a form, user control or property page; answers the controls."""
    lines.append("Begin " + form_type + " " + name + " ")
    if caption is not None:
        lines.append('   Caption         =   "' + caption + '"')
    lines.append("   ClientHeight    =   " + str(g.between(2000, 9000)))
    lines.append("   ClientLeft      =   60")
    lines.append("   ClientTop       =   345")
    lines.append("   ClientWidth     =   " + str(g.between(3000, 12000)))
    if form_type == "VB.Form":
        lines.append('   BeginProperty Font ')
        lines.append('      Name            =   "ＭＳ Ｐゴシック"')
        lines.append("      Size            =   9")
        lines.append("      Charset         =   128")
        lines.append("      Weight          =   400")
        lines.append("   EndProperty")
        lines.append('   Icon            =   "' + name + '.frx":0000')
        lines.append("   LinkTopic       =   \"Form1\"")
    lines.append("   ScaleHeight     =   " + str(g.between(2000, 9000)))
    lines.append("   ScaleWidth      =   " + str(g.between(3000, 12000)))
    controls = []
    used = set()
    for i in range(n_controls):
        ctype, prefix, props = g.pick(CONTROL_KINDS)
        cname = prefix + g.pick(NOUNS) + (g.pick(NOUNS) if g.chance(0.3) else "")
        if cname in used:
            cname += str(i)
        used.add(cname)
        controls.append((cname, prefix))
        lines.append("   Begin " + ctype + " " + cname + " ")
        for p in props:
            if p in ("Caption", "Text"):
                value = '"' + g.pick(JP_WORDS) + ('(&' + chr(65 + g.below(26)) + ')' if g.chance(0.3) else "") + '"'
            elif p == "TabIndex":
                value = str(i)
            else:
                value = str(g.between(0, 9000))
            lines.append("      " + p.ljust(16) + "=   " + value)
        lines.append("   End")
    lines.append("End")
    return controls


def attributes(lines, name, creatable, predeclared, exposed, extra=()):
    lines.append('Attribute VB_Name = "' + name + '"')
    lines.append("Attribute VB_GlobalNameSpace = False")
    lines.append("Attribute VB_Creatable = " + creatable)
    lines.append("Attribute VB_PredeclaredId = " + predeclared)
    lines.append("Attribute VB_Exposed = " + exposed)
    lines.extend(extra)


def option_lines(g, lines):
    # Most files declare Option Explicit; some forget it.
    if g.chance(0.9):
        lines.append("Option Explicit")
    if g.chance(0.1):
        lines.append("Option Compare Text")
    lines.append("")


def event_handlers(g, lines, controls, count, used_names):
    for cname, prefix in controls:
        for ev in EVENTS[prefix]:
            if not g.chance(0.5):
                continue
            name = cname + "_" + ev
            if name in used_names:
                continue
            used_names.add(name)
            args = EVENT_ARGS.get(ev)
            fixed = []
            if args:
                parts = args.split()
                fixed = [(parts[-3], parts[-1])]
            procedure(g, lines, name, "Sub", "Private", 0, g.between(3, 25), fixed_args=fixed)
            count += 1
    return count


def make_form(g, name, target):
    lines = ["VERSION 5.00"]
    if g.chance(0.4):
        lines.append('Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"')
    controls = designer_block(g, lines, "VB.Form", name, g.pick(JP_WORDS) + g.pick(JP_WORDS), g.between(2, 25))
    attributes(lines, name, "False", "True", "False")
    option_lines(g, lines)
    declarations(g, lines, "m_", g.between(1, 8), allow_public=False)
    lines.append("")
    used = set()
    count = 0
    for ev in ["Form_Load", "Form_Unload", "Form_Resize"]:
        if g.chance(0.7):
            used.add(ev)
            fixed = [("Cancel", "Integer")] if ev == "Form_Unload" else []
            procedure(g, lines, ev, "Sub", "Private", 0, g.between(3, 30), fixed_args=fixed)
            count += 1
    count = event_handlers(g, lines, controls, count, used)
    count = procedures_until(g, lines, target, count, False, used)
    return lines, count


def make_module(g, name, target):
    lines = ['Attribute VB_Name = "' + name + '"']
    option_lines(g, lines)
    lines.append("'" + "=" * 70)
    lines.append("' " + g.jp_comment() + "（共通モジュール）")
    lines.append("'" + "=" * 70)
    if g.chance(0.5):
        lines.append('Private Declare Function GetTickCount Lib "kernel32" () As Long')
        lines.append('Private Declare Function GetPrivateProfileString Lib "kernel32" Alias "GetPrivateProfileStringA" _')
        lines.append("    (ByVal lpApplicationName As String, ByVal lpKeyName As Any, ByVal lpDefault As String, _")
        lines.append("     ByVal lpReturnedString As String, ByVal nSize As Long, ByVal lpFileName As String) As Long")
        lines.append('Public Declare Sub Sleep Lib "kernel32" (ByVal dwMilliseconds As Long)')
    if g.chance(0.5):
        lines.append("Public Type T" + g.pick(NOUNS) + "Info")
        for n, t in make_vars(g, g.between(2, 6)):
            lines.append("    " + n + " As " + t)
        lines.append("End Type")
    if g.chance(0.4):
        lines.append("Public Enum E" + g.pick(NOUNS) + "Kind")
        for i in range(g.between(2, 6)):
            lines.append("    ek" + g.pick(NOUNS) + str(i) + " = " + str(i))
        lines.append("End Enum")
    for i in range(g.between(1, 6)):
        lines.append("Public Const " + "G_" + g.pick(NOUNS).upper() + "_" + str(i) + ' As String = "' +
                     g.pick(JP_WORDS) + '"')
    declarations(g, lines, "g_", g.between(1, 10))
    lines.append("")
    count = procedures_until(g, lines, target, 0, True, set())
    return lines, count


def class_header(lines, name, multiuse):
    lines.append("VERSION 1.0 CLASS")
    lines.append("BEGIN")
    lines.append("  MultiUse = " + multiuse + "  'True")
    lines.append("  Persistable = 0  'NotPersistable")
    lines.append("  DataBindingBehavior = 0  'vbNone")
    lines.append("  DataSourceBehavior  = 0  'vbNone")
    lines.append("  MTSTransactionMode  = 0  'NotAnMTSObject")
    lines.append("END")


def properties(g, lines, n, used):
    count = 0
    for prop, typ in make_vars(g, n, ""):
        pname = prop[len(prop) - len(prop.lstrip("abcdefghijklmnopqrstuvwxyz")):] or prop
        if pname in used:
            continue
        used.add(pname)
        member = "m_" + prop
        lines.append("Private " + member + " As " + typ)
        lines.append("")
        lines.append("Public Property Get " + pname + "() As " + typ)
        lines.append("    " + pname + " = " + member)
        lines.append("End Property")
        lines.append("")
        lines.append("Public Property Let " + pname + "(ByVal vNewValue As " + typ + ")")
        lines.append("    ' " + g.jp_comment())
        lines.append("    " + member + " = vNewValue")
        if g.chance(0.3):
            lines.append('    PropertyChanged "' + pname + '"')
        lines.append("End Property")
        lines.append("")
        count += 2
    return count


def make_class(g, name, target):
    lines = []
    class_header(lines, name, "-1")
    attributes(lines, name, "True", "False", "False")
    option_lines(g, lines)
    if g.chance(0.3):
        lines.append("Public Event Changed(ByVal " + g.pick(NOUNS) + "ID As Long)")
    used = set()
    count = properties(g, lines, g.between(1, 6), used)
    if g.chance(0.3):
        lines.append("Private m_colItems As Collection")
        lines.append("Public Property Set Items(ByVal vNewValue As Collection)")
        lines.append("    Set m_colItems = vNewValue")
        lines.append("End Property")
        lines.append("")
        count += 1
    for ev in ["Class_Initialize", "Class_Terminate"]:
        used.add(ev)
        procedure(g, lines, ev, "Sub", "Private", 0, g.between(2, 12), fixed_args=[])
        count += 1
    count = procedures_until(g, lines, target, count, True, used)
    return lines, count


def make_user_control(g, name, target):
    lines = ["VERSION 5.00"]
    controls = designer_block(g, lines, "VB.UserControl", name, None, g.between(1, 8))
    attributes(lines, name, "True", "False", "True")
    option_lines(g, lines)
    lines.append("Public Event Click()")
    lines.append("Public Event Change(ByVal " + g.pick(NOUNS) + " As String)")
    used = set()
    count = properties(g, lines, g.between(2, 6), used)
    fixed = [("PropBag", "PropertyBag")]
    for ev in ["UserControl_ReadProperties", "UserControl_WriteProperties"]:
        used.add(ev)
        procedure(g, lines, ev, "Sub", "Private", 0, g.between(2, 12), fixed_args=fixed)
        count += 1
    count = event_handlers(g, lines, controls, count, used)
    count = procedures_until(g, lines, target, count, False, used)
    return lines, count


def make_property_page(g, name, target):
    lines = ["VERSION 5.00"]
    controls = designer_block(g, lines, "VB.PropertyPage", name, g.pick(JP_WORDS), g.between(1, 8))
    attributes(lines, name, "True", "False", "True")
    option_lines(g, lines)
    used = set()
    count = 0
    for ev in ["PropertyPage_ApplyChanges", "PropertyPage_SelectionChanged"]:
        used.add(ev)
        procedure(g, lines, ev, "Sub", "Private", 0, g.between(2, 15), fixed_args=[])
        count += 1
    count = event_handlers(g, lines, controls, count, used)
    count = procedures_until(g, lines, target, count, False, used)
    return lines, count


# kind, project key, folder, extension, name prefix, writer, share of the members
KINDS = [
    ("Form", "Forms", "frm", "frm", make_form, 30),
    ("Module", "Modules", "bas", "mod", make_module, 28),
    ("Class", "Classes", "cls", "cls", make_class, 30),
    ("UserControl", "Controls", "ctl", "uc", make_user_control, 7),
    ("PropertyPage", "Pages", "pag", "pp", make_property_page, 5),
]


def member_size(g):
    """Target size of one member file in bytes: mostly 8-60 KB, some large ones."""
    r = g.rng.random()
    if r < 0.6:
        return g.between(8_000, 40_000)
    if r < 0.9:
        return g.between(40_000, 120_000)
    return g.between(120_000, 400_000)


def encode(lines):
    return (CRLF.join(lines) + CRLF).encode("cp932")


def generate(out_dir, size_mb, seed, name, count=None):
    """count: the number of members, each about size_mb / count in size (default: sizes drawn by
    member_size until size_mb is reached)."""
    g = Gen(seed)
    target = int(size_mb * 1024 * 1024)
    each = target // count if count else 0
    members = []   # (key, vb path, disk path, bytes, lines, procedures)
    total = 0
    serial = 0
    kind_weights = [k[5] for k in KINDS]
    weight_sum = sum(kind_weights)
    written_kinds = set()
    def more():
        if count:
            return len(members) < count
        return total < target or len(written_kinds) < len(KINDS)

    while more():
        # Every kind appears at least once, even in a tiny corpus.
        missing = [k for k in KINDS if k[0] not in written_kinds]
        late = len(members) >= count - len(missing) if count else total >= target * 0.5
        if late and missing:
            kind = missing[0]
        else:
            r = g.below(weight_sum)
            for kind in KINDS:
                r -= kind[5]
                if r < 0:
                    break
        key, folder, ext, prefix, writer, _ = kind
        serial += 1
        member_name = prefix + g.pick(NOUNS) + g.pick(NOUNS) + str(serial).zfill(4)
        size = each if count else min(member_size(g), max(2_000, target - total))
        lines, procs = writer(g, member_name, size)
        data = encode(lines)
        disk_rel = folder + "/" + member_name + "." + ext
        vb_rel = folder + "\\" + member_name + "." + ext
        if serial % 97 == 13:
            # Projects come from a case-insensitive file system: the project names this file in
            # another letter case than the disk holds.
            vb_rel = folder.lower() + "\\" + member_name.upper() + "." + ext
        os.makedirs(os.path.join(out_dir, folder), exist_ok=True)
        with open(os.path.join(out_dir, disk_rel), "wb") as f:
            f.write(data)
        members.append((key, member_name, vb_rel, disk_rel, len(data), data.count(b"\r\n"), procs))
        written_kinds.add(key)
        total += len(data)

    vbp = ["Type=Exe"]
    vbp.extend(REFERENCES)
    vbp.extend(OBJECTS)
    for key, member_name, vb_rel, _, _, _, _ in members:
        if key in ("Module", "Class"):
            vbp.append(key + "=" + member_name + "; " + vb_rel)
        else:
            vbp.append(key + "=" + vb_rel)
    first_form = next((m[1] for m in members if m[0] == "Form"), None)
    vbp += [
        "IconForm=\"" + (first_form or "") + "\"",
        "Startup=\"" + (first_form or "Sub Main") + "\"",
        "HelpFile=\"\"",
        "Title=\"" + name + "\"",
        "ExeName32=\"" + name + ".exe\"",
        "Command32=\"\"",
        "Name=\"" + name + "\"",
        "HelpContextID=\"0\"",
        "CompatibleMode=\"0\"",
        "MajorVer=1",
        "MinorVer=" + str(g.between(0, 9)),
        "RevisionVer=" + str(g.between(0, 300)),
        "AutoIncrementVer=" + str(g.below(2)),
        "ServerSupportFiles=0",
        "VersionCompanyName=\"株式会社サンプル商事\"",
        "VersionFileDescription=\"" + g.jp_comment() + "\"",
        "CompilationType=0",
        "OptimizationType=0",
        "FavorPentiumPro(tm)=0",
        "CodeViewDebugInfo=0",
        "NoAliasing=0",
        "BoundsCheck=0",
        "OverflowCheck=0",
        "FlPointCheck=0",
        "FDIVCheck=0",
        "UnroundedFP=0",
        "StartMode=0",
        "Unattended=0",
        "Retained=0",
        "ThreadPerObject=0",
        "MaxNumberOfThreads=1",
        "",
        "[MS Transaction Server]",
        "AutoRefresh=1",
    ]
    vbp_data = encode(vbp)
    with open(os.path.join(out_dir, name + ".vbp"), "wb") as f:
        f.write(vbp_data)

    with open(os.path.join(out_dir, "manifest.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write("# written by gen_corpus.py; one member per line after the totals\n")
        f.write("project=%s.vbp\n" % name)
        f.write("size_mb=%s\nseed=%d\n" % (size_mb, seed))
        f.write("members=%d\n" % len(members))
        f.write("member_bytes=%d\n" % sum(m[4] for m in members))
        f.write("project_bytes=%d\n" % len(vbp_data))
        f.write("member_lines=%d\n" % sum(m[5] for m in members))
        f.write("procedures=%d\n" % sum(m[6] for m in members))
        for key, _, _, disk_rel, size, nlines, procs in members:
            f.write("%s\t%s\t%d\t%d\t%d\n" % (key, disk_rel, size, nlines, procs))
    return members, len(vbp_data)


def main(argv):
    ap = argparse.ArgumentParser(description="Write a deterministic VB6 project for the benchmarks.")
    ap.add_argument("--size-mb", type=float, default=20.0, help="total size of the member files in MB (2^20 bytes)")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--name", default="BenchProject", help="project name (the .vbp file name)")
    ap.add_argument("--members", type=int, help="write this many members of equal size (default: "
                    "sizes drawn from 2 KB to 400 KB until --size-mb is reached)")
    ap.add_argument("--out", help="output folder (default bench/out/corpus-<size>mb-s<seed>)")
    args = ap.parse_args(argv)
    if args.size_mb <= 0:
        ap.error("--size-mb must be positive")
    if args.members is not None and args.members < 5:
        ap.error("--members must be at least 5 (one of each kind)")
    if not args.name.isidentifier():
        ap.error("--name must be a plain identifier")
    out = args.out or os.path.join(os.path.dirname(os.path.abspath(__file__)), "out",
                                   "corpus-%smb-s%d%s" % (("%g" % args.size_mb), args.seed,
                                   "-m%d" % args.members if args.members else ""))
    if os.path.exists(out):
        if not os.path.isdir(out) or (os.listdir(out) and not os.path.exists(os.path.join(out, "manifest.txt"))):
            print("gen_corpus: %s exists and is not a generated corpus; not touching it" % out, file=sys.stderr)
            return 2
        shutil.rmtree(out)
    os.makedirs(out)
    members, vbp_bytes = generate(out, args.size_mb, args.seed, args.name, args.members)
    total = sum(m[4] for m in members)
    print("%s: %d members, %d bytes (%.1f MB), %d procedures" %
          (os.path.join(out, args.name + ".vbp"), len(members), total + vbp_bytes, total / 1048576.0,
           sum(m[6] for m in members)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
