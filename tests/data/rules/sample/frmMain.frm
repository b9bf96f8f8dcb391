VERSION 5.00
Begin VB.Form frmMain
   Caption         =   "サンプル"
   ClientHeight    =   3195
   ClientWidth     =   4680
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Option Explicit

' フォームの読み込み
Private Sub Form_Load()
    Dim unused As Long
    Dim caption As String
    caption = "タイトル"
    Me.Caption = caption
End Sub

Private Sub cmdRun_Click(Index As Integer)
    Call Run(Index)
End Sub

Private Function Run(ByVal count As Integer, Optional ByVal label As String = vbNullString) As Long
    Run = count * 2 ' 引数 label は使わない
End Function
