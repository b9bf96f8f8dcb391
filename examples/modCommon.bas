Attribute VB_Name = "modCommon"
'******************************************************************
' 共通モジュール：設定ファイルの読み込みと金額の書式
'******************************************************************
Option Explicit

Private Const INI_SECTION As String = "Settings"
Public 税率 As Double

Private Declare Function GetPrivateProfileString Lib "kernel32" _
    Alias "GetPrivateProfileStringA" (ByVal lpApplicationName As String, _
    ByVal lpKeyName As Any, ByVal lpDefault As String, _
    ByVal lpReturnedString As String, ByVal nSize As Long, _
    ByVal lpFileName As String) As Long

Sub Main()
    税率 = Val(ReadSetting("TaxRate", "0.1"))
    MainForm.Show
End Sub

' 設定ファイルから値を読み込む（見つからない場合は既定値を返す）
Public Function ReadSetting(ByVal key As String, _
                            ByVal defaultValue As String) As String
    Dim buffer As String
    Dim length As Long
    buffer = Space(255)
    length = GetPrivateProfileString(INI_SECTION, key, defaultValue, buffer, Len(buffer), App.Path & "\settings.ini")
    ReadSetting = Left(buffer, length)
End Function

' 税込み金額を「1,234円」の形にする
Function FormatPrice(ByVal price As Currency, withTax As Boolean) As String
    Dim total As Currency
    Dim message As String
    total = price * (1 + 税率)
    FormatPrice = Format(total, "#,##0") & "円"
End Function
