VERSION 5.00
Begin VB.Form Form1 
   Caption         =   "サンプル"
   ClientHeight    =   3090
   Begin VB.CommandButton Command1 
      Caption         =   "実行"
      Height          =   495
   End
End
Attribute VB_Name = "Form1"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub Command1_Click()
    MsgBox "表示"
End Sub
