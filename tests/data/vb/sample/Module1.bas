Attribute VB_Name = "Module1"
Option Explicit
' ‹¤’Êˆ—‚Ìƒ‚ƒWƒ…[ƒ‹
Private Const Å‘åŒ” As Long = 100
Public ‡Œv As Long

Public Sub Main()
    Dim Œ” As Long
    Œ” = Å‘åŒ”
    Form1.Show
End Sub

Private Function ‰ÁZ(ByVal ’l As Long, _
                      Optional ByVal ”{—¦ As Long = 1) As Long
    ‰ÁZ = ’l * ”{—¦ ' Š|‚¯Z
End Function
