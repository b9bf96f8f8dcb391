Attribute VB_Name = "Util"
Dim mTotal As Long

Sub Main()
    frmMain.Show
End Sub

Function Twice(ByVal n As Long, ByVal unusedArg As Long) As Long
    Dim result As Long
    Dim digits As Long
    result = n * 2
    Debug.Print Left$(CStr(result), digits)
    Twice = result
End Function

Public Function Describe(ByVal s As String) As String
    Describe = "値は " & s & "。これは八十バイトを超える長い行になるように書いた説明の文字列です"
End Function
